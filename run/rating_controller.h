#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "messages/messages.h"
#include "output/table_file.h"
#include "run/flood_routing.h"
#include "run/rating_session.h"
#include "run/rating_view.h"

namespace rating {

// The commands on the rating the list shows, in the order every menu and
// every row of buttons lists them.
enum class RatingCommand { CopyTable, SaveTableCsv, SavePairedData, SaveCurvesSvg, ShowCurves, RouteFlood };

struct CommandFacts {
  RatingCommand command;
  Message caption;              // "Save Table as CSV…"
  std::string_view name;        // object name, for scripts and tests: "saveTableCsv"
  std::optional<Export> saves;  // what a Save command saves
  char accessKey;               // of the command in a menu: "Save &Paired Data…"
};
inline constexpr std::array<CommandFacts, 6> kRatingCommands = {{
    {RatingCommand::CopyTable, Message::CaptionCopyTable, "copyTable", std::nullopt, 'C'},
    {RatingCommand::SaveTableCsv, Message::CaptionSaveTableCsv, "saveTableCsv", Export::TableCsv, 'T'},
    {RatingCommand::SavePairedData, Message::CaptionSavePairedData, "savePairedData", Export::PairedData,
     'P'},
    {RatingCommand::SaveCurvesSvg, Message::CaptionSaveCurvesSvg, "saveRatingCurvesSvg", Export::CurvesSvg,
     'V'},
    {RatingCommand::ShowCurves, Message::CaptionShowCurves, "showRatingCurves", std::nullopt, 'R'},
    {RatingCommand::RouteFlood, Message::CaptionRouteFlood, "routeFlood", std::nullopt, 'F'},
}};

// The commands on a routed flood, in the routing window.
enum class RoutingCommand { SaveRoutedCsv, SaveHydrographSvg, CopyRouted };

struct RoutingCommandFacts {
  RoutingCommand command;
  Message caption;        // "Save Routed Hydrograph as CSV…"
  std::string_view name;  // object name, for scripts and tests: "saveRoutedCsv"
  char accessKey;         // of the command's button: "Save Routed Hydrograph as &CSV…"
};
inline constexpr std::array<RoutingCommandFacts, 3> kRoutingCommands = {{
    {RoutingCommand::SaveRoutedCsv, Message::CaptionSaveRoutedCsv, "saveRoutedCsv", 'C'},
    {RoutingCommand::SaveHydrographSvg, Message::CaptionSaveHydrographSvg, "saveHydrographSvg", 'G'},
    {RoutingCommand::CopyRouted, Message::CaptionCopyRouted, "copyRouted", 'y'},
}};
inline const RoutingCommandFacts& FactsOfRouting(RoutingCommand command) {
  return kRoutingCommands.at(static_cast<std::size_t>(command));
}
inline const CommandFacts& FactsOf(RatingCommand command) {
  return kRatingCommands.at(static_cast<std::size_t>(command));
}
// The Save command of an export.
constexpr const CommandFacts& SaveCommandOf(Export what) {
  for (const CommandFacts& facts : kRatingCommands) {
    if (facts.saves == what) return facts;
  }
  throw std::logic_error("an export without a Save command");  // refused when compiled: see below
}
static_assert(SaveCommandOf(Export::TableCsv).command == RatingCommand::SaveTableCsv &&
              SaveCommandOf(Export::PairedData).command == RatingCommand::SavePairedData &&
              SaveCommandOf(Export::CurvesSvg).command == RatingCommand::SaveCurvesSvg);

// A command's caption without its closing "…": the title of the dialog it
// opens, or the command where no dialog follows (a page's download).
std::string WithoutEllipsis(Message caption);

// Decides what every front end does with the user's presses and commands,
// and tells its view what to draw. Owns the session of its window.
class RatingController {
 public:
  // A desktop window's: a press writes the rating file, a save asks where.
  RatingController(FileSavingView& view, std::string_view userSeparator);
  // A page's: a press and a save hand the file over to the view.
  RatingController(HandingOverView& view, std::string_view userSeparator);

  [[nodiscard]] const RatingSession& Session() const { return session_; }

  // "Create Rating File" with the fields as typed.
  void Press(const FieldTexts& texts);
  // A command of kRatingCommands; nothing while the list is empty.
  void Choose(RatingCommand command);
  // "Browse…" beside Output Rating Filename, typed as `typed`: asks where to
  // write the rating file, starting from the file the name means now.
  void BrowseRatingFile(const std::string& typed);

  // The routing window's inflow: pasted, or read from a file, as UTF-8
  // text. Routes it with the window's settings.
  void SetInflow(const std::string& text);
  // "Open Hydrograph…": asks for a CSV file and routes it.
  void OpenHydrograph();
  // An inflow file's `bytes`, as a browser reads the file chosen: decoded as
  // a spreadsheet saves it, then routed. Returns the text read, or nothing
  // where the file is not text, and shows why.
  std::string SetInflowFile(std::string_view bytes, const std::string& name);
  // "Route": routes the inflow again with the settings as typed.
  void Route();
  // A command of kRoutingCommands; nothing without a routing.
  void Choose(RoutingCommand command);

  // The routing the window shows, if any.
  [[nodiscard]] const std::optional<FloodRouting>& Routed() const { return flood_.routed; }

 private:
  // Routes the inflow `file` holds, or shows why it holds none; returns its text.
  std::string TakeInflowFile(TableFile file);
  void ShowRating();
  void Save(Export what);
  // The time step the settings give, or why there is none.
  [[nodiscard]] std::optional<double> TimeStep(const RoutingTexts& texts, std::string& problem) const;
  void SaveRouted(RoutingCommand command);

  // The routing window's state.
  struct Flood {
    std::optional<routing::Hydrograph> inflow;
    std::string suggestion;      // the subreaches last put in the field
    bool ownSubreaches = false;  // the user typed their own, which stay
    std::optional<FloodRouting> routed;
  };

  RatingView& view_;
  FileSavingView* saving_ = nullptr;        // a desktop window's view
  HandingOverView* handingOver_ = nullptr;  // a page's view
  RatingSession session_;
  std::string separator_;  // the user's decimal mark
  Flood flood_;
};

}  // namespace rating
