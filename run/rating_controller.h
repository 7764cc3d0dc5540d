#pragma once

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/section_shape.h"
#include "engine/unit_system.h"
#include "messages/messages.h"
#include "output/table_file.h"
#include "run/commands.h"
#include "run/delivery.h"
#include "run/flood_routing.h"
#include "run/rating_session.h"
#include "run/rating_view.h"

namespace rating {

// Decides what every front end does with the user's presses and commands,
// and tells its view what to draw. Owns the session of its window.
class RatingController {
 public:
  // A desktop window's: a press writes the rating file, a save asks where.
  RatingController(FileSavingView& view, RoutingView& routing, SectionView& section,
                   std::string_view userSeparator);
  // A page's: a press and a save hand the file over to the view.
  RatingController(HandingOverView& view, RoutingView& routing, SectionView& section,
                   std::string_view userSeparator);

  [[nodiscard]] const RatingSession& Session() const { return session_; }

  // "Create Rating File" with the fields as typed.
  void Press(const FieldTexts& texts);
  // A command of kRatingCommands; nothing while the list is empty.
  void Choose(RatingCommand command);
  // "Browse…" beside Output Rating Filename, typed as `typed`: asks where to
  // write the rating file, starting from the file the name means now.
  void BrowseRatingFile(const std::string& typed);

  // The Section choice: the form's fields the shape does not use are
  // disabled, and a surveyed section opens the Section window.
  void ChooseShape(SectionShape shape);
  // The Units choice: every label, the routing window's and the Section
  // window's words name its units, and the next press, the inflow and the
  // pairs read are in them.
  void ChooseUnits(UnitSystem units);
  // The Section window's ground points: pasted, or read from a file, as
  // UTF-8 text; the next press rates them.
  void SetSection(const std::string& text);
  // "Open Section…": asks for a CSV file and reads it.
  void OpenSection();
  // A section file's `bytes`, as a browser reads the file chosen. Returns
  // the text read, or nothing where the file is not text, and shows why.
  std::string SetSectionFile(std::string_view bytes, const std::string& name);

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
  // Reads the section `file` holds, or shows why it holds none; returns its text.
  std::string TakeSectionFile(TableFile file);
  // The Section window's picture of the ground points, or why there are none.
  void ShowSection();
  // Every label in the units chosen, on the fields and the settings of the
  // windows open; a window opened later is told again.
  void ShowLabels();
  void ShowRating();
  // The time step the settings give, or why there is none.
  [[nodiscard]] std::optional<double> TimeStep(const RoutingTexts& texts, std::string& problem) const;
  void SaveRouted(RoutingCommand command);
  // No routing to show, and why.
  void ShowNoRouting(const std::string& message);

  // The routing window's state.
  struct Flood {
    std::optional<routing::Hydrograph> inflow;
    UnitSystem inflowUnits = UnitSystem::UsCustomary;  // the inflow was read in
    std::string suggestion;                            // the subreaches last put in the field
    bool ownSubreaches = false;                        // the user typed their own, which stay
    std::optional<FloodRouting> routed;
  };

  RatingView& view_;
  RoutingView& routing_;
  SectionView& section_;
  RatingSession session_;
  std::unique_ptr<Delivery> delivery_;  // writes or hands over what the user asks for
  std::string separator_;               // the user's decimal mark
  Flood flood_;
};

}  // namespace rating
