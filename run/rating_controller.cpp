#include "run/rating_controller.h"

#include <algorithm>

#include "engine/number_text.h"
#include "output/table_file.h"

namespace rating {

namespace {

// "Cannot route: Subreaches "x" is not a whole number ...": a setting
// refused, named by its field.
std::string RefusalOf(const RoutingSettingRefused& refused, UnitSystem units) {
  const RoutingSettingFacts& facts = Facts(refused.Setting());
  return Compose(Message::RoutingBadField, Arg<"field">(Pattern(facts.caption, units)),
                 Arg<"value">(refused.Text()), Arg<"expected">(Pattern(facts.expected, units)));
}

}  // namespace

RatingController::RatingController(FileSavingView& view, RoutingView& routing, SectionView& section,
                                   std::string_view userSeparator)
    : view_(view),
      routing_(routing),
      section_(section),
      session_(userSeparator),
      delivery_(std::make_unique<SavingDelivery>(view, session_)),
      separator_(DecimalMarkFor(userSeparator)) {}

RatingController::RatingController(HandingOverView& view, RoutingView& routing, SectionView& section,
                                   std::string_view userSeparator)
    : view_(view),
      routing_(routing),
      section_(section),
      session_(userSeparator),
      delivery_(std::make_unique<HandingOverDelivery>(view, session_)),
      separator_(DecimalMarkFor(userSeparator)) {}

void RatingController::Press(const FieldTexts& texts) {
  const std::optional<RatingFailure> failure = delivery_->Press(texts);
  // A failure in the fields keeps the list of the last good press; any later
  // one leaves no rating of these fields to show.
  if (!failure || failure->EmptiesList()) ShowRating();
  delivery_->TellPressed(failure.has_value());
  if (failure) view_.ShowFailure(failure->what(), failure->Field());
}

void RatingController::ShowRating() {
  view_.ShowTable(session_.ListHeadings(), session_.ListRows());
  view_.EnableRatingCommands(!session_.Empty());
  // The routing window routes again through the new rating, or is cleared;
  // the Section window shows the water of the new rating.
  Route();
  if (section_.SectionOpen()) ShowSection();
  // The one curves window follows the list, and goes with its rating.
  if (!view_.CurvesOpen()) return;
  if (session_.Empty()) {
    view_.CloseCurves();
  } else {
    view_.RedrawCurves(session_.Curves(), session_.CurvesTitle());
  }
}

void RatingController::Choose(RatingCommand command) {
  if (session_.Empty()) return;
  const CommandFacts& facts = FactsOf(command);
  if (facts.saves) {
    delivery_->DeliverExport(*facts.saves);
  } else if (command == RatingCommand::CopyTable) {
    const std::string table = session_.CopyText(view_.SelectedRows());
    view_.PutOnClipboard(table);
    delivery_->Copied(table);
  } else if (command == RatingCommand::ShowCurves) {
    view_.OpenCurves(session_.Curves(), session_.CurvesTitle());
  } else {
    routing_.OpenRouting(Compose(Message::CaptionRoutingWindow, Arg<"title">(session_.Title())));
    ShowLabels();
    Route();
  }
}

void RatingController::BrowseRatingFile(const std::string& typed) { delivery_->BrowseRatingFile(typed); }

void RatingController::ChooseShape(SectionShape shape) {
  for (const FieldFacts& facts : kFields) view_.EnableField(facts.field, Uses(shape, facts.field));
  if (shape != SectionShape::Surveyed) return;
  section_.OpenSection(std::string(Pattern(Message::CaptionSectionWindow)));
  ShowLabels();
  ShowSection();
}

void RatingController::ChooseUnits(UnitSystem units) {
  session_.SetUnits(units);
  ShowLabels();
  if (section_.SectionOpen()) ShowSection();
}

void RatingController::ShowLabels() {
  const UnitSystem units = session_.Units();
  for (const FieldFacts& facts : kFields) {
    view_.ShowFieldLabel(facts.field, std::string(FieldLabel(facts.field, units)));
  }
  for (const RoutingSettingFacts& facts : kRoutingSettings) {
    routing_.ShowSettingLabel(facts.setting, std::string(Pattern(facts.caption, units)));
  }
}

void RatingController::SetSection(const std::string& text) {
  try {
    session_.SetGround(ReadGroundLine(text, separator_));
  } catch (const RatingFailure& failure) {
    // A section that fails is no section: a press says so, and rates no
    // points that the window no longer shows.
    session_.SetGround({});
    section_.ShowSectionProblem(failure.what());
    return;
  }
  ShowSection();
}

void RatingController::OpenSection() {
  if (const std::optional<std::string> path = delivery_->AskTableName(Message::CaptionOpenSection)) {
    TakeSectionFile(ReadTableFile(*path, Message::KindSectionFile));
  }
}

std::string RatingController::SetSectionFile(std::string_view bytes, const std::string& name) {
  return TakeSectionFile(DecodeTableFile(bytes, name, Message::KindSectionFile));
}

std::string RatingController::TakeSectionFile(TableFile file) {
  if (!file.problem.empty()) {
    session_.SetGround({});
    section_.ShowSectionProblem(file.problem);
    return {};
  }
  SetSection(file.utf8);
  return std::move(file.utf8);
}

void RatingController::ShowSection() {
  if (session_.Ground().empty()) {
    section_.ShowSectionProblem(std::string(Pattern(Message::SectionNoPoints)));
    return;
  }
  section_.ShowSection(session_.SectionChart(), session_.SectionSummary());
}

void RatingController::SetInflow(const std::string& text) {
  flood_.routed.reset();
  try {
    flood_.inflow = routing::ReadHydrograph(text, separator_, session_.Units());
    flood_.inflowUnits = session_.Units();
  } catch (const RatingFailure& failure) {
    flood_.inflow.reset();
    routing_.ShowInflow(std::string());
    ShowNoRouting(failure.what());
    return;
  }
  RoutingTexts texts = routing_.RoutingFields();
  // Times in the inflow give the time step.
  if (flood_.inflow->timeStep) texts.timeStep = DurationText(*flood_.inflow->timeStep);
  const std::optional<double> step = flood_.inflow->timeStep;
  routing_.ShowInflow(
      InflowDescription(*flood_.inflow, step ? step : routing::ParseDuration(texts.timeStep), separator_));
  routing_.ShowRoutingFields(texts, {});
  Route();
}

void RatingController::OpenHydrograph() {
  if (const std::optional<std::string> path = delivery_->AskTableName(Message::CaptionOpenHydrograph)) {
    TakeInflowFile(ReadTableFile(*path, Message::KindInflowFile));
  }
}

std::string RatingController::SetInflowFile(std::string_view bytes, const std::string& name) {
  return TakeInflowFile(DecodeTableFile(bytes, name, Message::KindInflowFile));
}

std::string RatingController::TakeInflowFile(TableFile file) {
  if (!file.problem.empty()) {
    // The window shows why; no earlier routing stays behind it to be saved.
    flood_.routed.reset();
    ShowNoRouting(file.problem);
    return {};
  }
  SetInflow(file.utf8);
  return std::move(file.utf8);
}

std::optional<double> RatingController::TimeStep(const RoutingTexts& texts, std::string& problem) const {
  try {
    return RoutingTimeStep(texts.timeStep, *flood_.inflow, Pattern(Message::CaptionTimeStep), separator_);
  } catch (const RoutingSettingRefused& refused) {
    problem = RefusalOf(refused, session_.Units());
  } catch (const RatingFailure& failure) {
    problem = failure.what();
  }
  return std::nullopt;
}

void RatingController::Route() {
  if (!routing_.RoutingOpen()) return;
  flood_.routed.reset();
  const RatingResult* rating = session_.Rating();
  if (rating == nullptr) {
    ShowNoRouting(std::string(Pattern(Message::RoutingNoRating)));
    return;
  }
  if (!flood_.inflow) {
    ShowNoRouting(std::string(Pattern(Message::RoutingNoInflow)));
    return;
  }
  RoutingTexts texts = routing_.RoutingFields();
  std::string problem;
  const std::optional<double> step = TimeStep(texts, problem);
  if (!step) {
    ShowNoRouting(problem);
    return;
  }
  const RoutedReach reach = ReachOfRating(*rating, session_.Title());
  // Flows in one system through the other's pairs would route nonsense.
  if (reach.units != flood_.inflowUnits) {
    ShowNoRouting(Compose(
        Message::RoutingProblem, Arg<"kind">(Pattern(Message::KindRouting)),
        Arg<"problem">(Compose(Message::RoutingUnitsDiffer, Arg<"rated">(Pattern(Facts(reach.units).label)),
                               Arg<"read">(Pattern(Facts(flood_.inflowUnits).label))))));
    return;
  }
  // The subreaches follow the suggestion until the user types their own.
  const std::string suggested = std::to_string(SuggestedSubreaches(reach, *flood_.inflow, *step));
  flood_.ownSubreaches = flood_.ownSubreaches || (!texts.subreaches.empty() && !flood_.suggestion.empty() &&
                                                  texts.subreaches != flood_.suggestion);
  if (!flood_.ownSubreaches) texts.subreaches = suggested;
  flood_.suggestion = suggested;
  routing_.ShowRoutingFields(texts, Compose(Message::CaptionSuggestedSubreaches, Arg<"count">(suggested)));

  try {
    flood_.routed =
        RouteFlood(*flood_.inflow, reach, *step, ReadRoutingSettings(texts, separator_), separator_);
  } catch (const RoutingSettingRefused& refused) {
    ShowNoRouting(RefusalOf(refused, session_.Units()));
    return;
  } catch (const RatingFailure& failure) {
    ShowNoRouting(failure.what());
    return;
  }
  routing_.ShowRouted(ChartOf(*flood_.routed, separator_), RoutingSummary(*flood_.routed, separator_));
  routing_.EnableRoutingCommands(true);
}

void RatingController::ShowNoRouting(const std::string& message) {
  routing_.ShowRoutingProblem(message);
  routing_.EnableRoutingCommands(false);
}

void RatingController::Choose(RoutingCommand command) {
  if (!flood_.routed) return;
  if (command == RoutingCommand::CopyRouted) {
    const std::string table = RoutedTabText(*flood_.routed, separator_);
    view_.PutOnClipboard(table);
    delivery_->Copied(table);
    return;
  }
  SaveRouted(command);
}

void RatingController::SaveRouted(RoutingCommand command) {
  const bool csv = command == RoutingCommand::SaveRoutedCsv;
  // Named after the rating's table: "MyRating-routed.csv", "MyRating-hydrograph.svg".
  std::string name = session_.SuggestedName(Export::TableCsv);
  name.resize(name.size() - std::string_view(".csv").size());
  name.append(csv ? "-routed.csv" : "-hydrograph.svg");
  delivery_->DeliverFile(csv ? RoutedCsv(*flood_.routed) : HydrographSvg(*flood_.routed, separator_), name,
                         FactsOfRouting(command).caption,
                         csv ? Message::CaptionCsvFiles : Message::CaptionSvgFiles, csv ? "*.csv" : "*.svg",
                         csv ? Message::KindRoutedFile : Message::KindHydrographPlot);
}

}  // namespace rating
