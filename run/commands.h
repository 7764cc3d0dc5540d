#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "messages/messages.h"
#include "run/rating_session.h"

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
  bool inCurvesWindow;          // the curves window's menu carries it too
};
inline constexpr std::array<CommandFacts, 6> kRatingCommands = {{
    {RatingCommand::CopyTable, Message::CaptionCopyTable, "copyTable", std::nullopt, 'C', false},
    {RatingCommand::SaveTableCsv, Message::CaptionSaveTableCsv, "saveTableCsv", Export::TableCsv, 'T', true},
    {RatingCommand::SavePairedData, Message::CaptionSavePairedData, "savePairedData", Export::PairedData, 'P',
     true},
    {RatingCommand::SaveCurvesSvg, Message::CaptionSaveCurvesSvg, "saveRatingCurvesSvg", Export::CurvesSvg,
     'V', true},
    {RatingCommand::ShowCurves, Message::CaptionShowCurves, "showRatingCurves", std::nullopt, 'R', false},
    {RatingCommand::RouteFlood, Message::CaptionRouteFlood, "routeFlood", std::nullopt, 'F', true},
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

}  // namespace rating
