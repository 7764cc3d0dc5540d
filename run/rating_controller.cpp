#include "run/rating_controller.h"

#include <algorithm>

#include "engine/number_text.h"
#include "output/exports.h"
#include "output/file_message.h"
#include "output/table_file.h"

namespace rating {

namespace {

// "Copied 12 rows to the clipboard.": the rows of a copied table, its
// header row left out.
std::string CopiedNote(const std::string& table) {
  const auto rows = static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')) - 1;
  return rows == 1 ? std::string(Pattern(Message::NoteCopiedOneRow))
                   : Compose(Message::NoteCopiedRows, Arg<"count">(std::to_string(rows)));
}

// "Cannot route: Subreaches "x" is not a whole number ...": a setting
// refused, named by its field.
std::string RefusalOf(const RoutingSettingRefused& refused) {
  const RoutingSettingFacts& facts = Facts(refused.Setting());
  return Compose(Message::RoutingBadField, Arg<"field">(Pattern(facts.caption)), Arg<"value">(refused.Text()),
                 Arg<"expected">(Pattern(facts.expected)));
}

}  // namespace

std::string WithoutEllipsis(Message caption) {
  std::string title(Pattern(caption));
  constexpr std::string_view kEllipsis = "\u2026";
  if (title.ends_with(kEllipsis)) title.resize(title.size() - kEllipsis.size());
  return title;
}

RatingController::RatingController(FileSavingView& view, std::string_view userSeparator)
    : view_(view), saving_(&view), session_(userSeparator), separator_(DecimalMarkFor(userSeparator)) {}

RatingController::RatingController(HandingOverView& view, std::string_view userSeparator)
    : view_(view), handingOver_(&view), session_(userSeparator), separator_(DecimalMarkFor(userSeparator)) {}

void RatingController::Press(const FieldTexts& texts) {
  const std::optional<RatingFailure> failure =
      saving_ != nullptr ? session_.PressWritingFile(texts) : session_.PressHandingOver(texts);
  // A failure in the fields keeps the list of the last good press; any later
  // one leaves no rating of these fields to show.
  if (!failure || failure->EmptiesList()) ShowRating();
  // A desktop window says where the file went, or, after a failure, no
  // longer says where an earlier one went.
  if (saving_ != nullptr) saving_->ShowStatus(failure ? std::string() : session_.WrittenStatus());
  if (failure) {
    view_.ShowFailure(failure->what(), failure->Field());
    return;
  }
  const std::optional<std::string>& note = session_.Note();
  if (handingOver_ != nullptr) {
    // A page says where its download went, which a user cannot see.
    const Download file = session_.RatingFile();
    handingOver_->HandOver(file);
    view_.ShowNote(note ? session_.HandedOverNote(file).append(" ").append(*note)
                        : session_.HandedOverNote(file));
  } else if (note) {
    view_.ShowNote(*note);
  }
}

void RatingController::ShowRating() {
  view_.ShowLines(session_.ListLines());
  view_.EnableRatingCommands(!session_.Empty());
  // The routing window routes again through the new rating, or is cleared.
  Route();
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
    Save(*facts.saves);
  } else if (command == RatingCommand::CopyTable) {
    const std::string table = session_.CopyText(view_.SelectedLines());
    view_.PutOnClipboard(table);
    // A page has no other sign that the copy was made.
    if (handingOver_ != nullptr) view_.ShowNote(CopiedNote(table));
  } else if (command == RatingCommand::ShowCurves) {
    view_.OpenCurves(session_.Curves(), session_.CurvesTitle());
  } else {
    view_.OpenRouting(Compose(Message::CaptionRoutingWindow, Arg<"title">(session_.Title())));
    Route();
  }
}

void RatingController::BrowseRatingFile(const std::string& typed) {
  if (saving_ == nullptr) return;
  const std::optional<std::string> path = saving_->AskSaveName(
      {std::string(Pattern(Facts(InputField::Filename).label)),
       std::string(Pattern(Message::CaptionRatingFiles)), "*.RAT",
       std::string(Pattern(Message::CaptionAllFiles)), RatingSession::AbsoluteName(typed)});
  if (path && !path->empty()) saving_->ShowRatingFileName(*path);
}

void RatingController::Save(Export what) {
  if (handingOver_ != nullptr) {
    const Download file = session_.ExportFile(what);
    handingOver_->HandOver(file);
    view_.ShowNote(file.note ? session_.HandedOverNote(file).append(" ").append(*file.note)
                             : session_.HandedOverNote(file));
    return;
  }
  const ExportFacts& facts = FactsOf(what);
  const std::optional<std::string> path =
      saving_->AskSaveName({WithoutEllipsis(SaveCommandOf(what).caption),
                            std::string(Pattern(facts.fileType)), std::string(facts.pattern),
                            std::string(Pattern(Message::CaptionAllFiles)), session_.SuggestedName(what)});
  if (!path || path->empty()) return;
  const SaveOutcome outcome = session_.Save(what, *path);
  if (outcome.failure) {
    saving_->ShowSaveFailure(*outcome.failure);
  } else if (outcome.note) {
    view_.ShowNote(*outcome.note);
  }
}

void RatingController::SetInflow(const std::string& text) {
  flood_.routed.reset();
  try {
    flood_.inflow = routing::ReadHydrograph(text, separator_);
  } catch (const RatingFailure& failure) {
    flood_.inflow.reset();
    view_.ShowInflow(std::string());
    view_.ShowRoutingProblem(failure.what());
    return;
  }
  RoutingTexts texts = view_.RoutingFields();
  // Times in the inflow give the time step.
  if (flood_.inflow->timeStep) texts.timeStep = DurationText(*flood_.inflow->timeStep);
  const std::optional<double> step = flood_.inflow->timeStep;
  view_.ShowInflow(
      InflowDescription(*flood_.inflow, step ? step : routing::ParseDuration(texts.timeStep), separator_));
  view_.ShowRoutingFields(texts, {});
  Route();
}

void RatingController::OpenHydrograph() {
  if (saving_ == nullptr) return;
  const std::optional<std::string> path =
      saving_->AskOpenName({WithoutEllipsis(Message::CaptionOpenHydrograph),
                            std::string(Pattern(Message::CaptionCsvFiles)),
                            "*.csv",
                            std::string(Pattern(Message::CaptionAllFiles)),
                            {}});
  if (!path || path->empty()) return;
  TakeInflowFile(ReadTableFile(*path, Message::KindInflowFile));
}

std::string RatingController::SetInflowFile(std::string_view bytes, const std::string& name) {
  return TakeInflowFile(DecodeTableFile(bytes, name, Message::KindInflowFile));
}

std::string RatingController::TakeInflowFile(TableFile file) {
  if (!file.problem.empty()) {
    // The window shows why; no earlier routing stays behind it to be saved.
    flood_.routed.reset();
    view_.ShowRoutingProblem(file.problem);
    return {};
  }
  SetInflow(file.utf8);
  return std::move(file.utf8);
}

std::optional<double> RatingController::TimeStep(const RoutingTexts& texts, std::string& problem) const {
  try {
    return RoutingTimeStep(texts.timeStep, *flood_.inflow, Pattern(Message::CaptionTimeStep), separator_);
  } catch (const RoutingSettingRefused& refused) {
    problem = RefusalOf(refused);
  } catch (const RatingFailure& failure) {
    problem = failure.what();
  }
  return std::nullopt;
}

void RatingController::Route() {
  if (!view_.RoutingOpen()) return;
  flood_.routed.reset();
  const RatingResult* rating = session_.Rating();
  if (rating == nullptr) {
    view_.ShowRoutingProblem(std::string(Pattern(Message::RoutingNoRating)));
    return;
  }
  if (!flood_.inflow) {
    view_.ShowRoutingProblem(std::string(Pattern(Message::RoutingNoInflow)));
    return;
  }
  RoutingTexts texts = view_.RoutingFields();
  std::string problem;
  const std::optional<double> step = TimeStep(texts, problem);
  if (!step) {
    view_.ShowRoutingProblem(problem);
    return;
  }
  const RoutedReach reach = ReachOfRating(*rating, session_.Title());
  // The subreaches follow the suggestion until the user types their own.
  const std::string suggested = std::to_string(SuggestedSubreaches(reach, *flood_.inflow, *step));
  flood_.ownSubreaches = flood_.ownSubreaches || (!texts.subreaches.empty() && !flood_.suggestion.empty() &&
                                                  texts.subreaches != flood_.suggestion);
  if (!flood_.ownSubreaches) texts.subreaches = suggested;
  flood_.suggestion = suggested;
  view_.ShowRoutingFields(texts, Compose(Message::CaptionSuggestedSubreaches, Arg<"count">(suggested)));

  try {
    flood_.routed =
        RouteFlood(*flood_.inflow, reach, *step, ReadRoutingSettings(texts, separator_), separator_);
  } catch (const RoutingSettingRefused& refused) {
    view_.ShowRoutingProblem(RefusalOf(refused));
    return;
  } catch (const RatingFailure& failure) {
    view_.ShowRoutingProblem(failure.what());
    return;
  }
  view_.ShowRouted(ChartOf(*flood_.routed, separator_), RoutingSummary(*flood_.routed, separator_));
}

void RatingController::Choose(RoutingCommand command) {
  if (!flood_.routed) return;
  if (command == RoutingCommand::CopyRouted) {
    const std::string table = RoutedTabText(*flood_.routed, separator_);
    view_.PutOnClipboard(table);
    if (handingOver_ != nullptr) view_.ShowNote(CopiedNote(table));
    return;
  }
  SaveRouted(command);
}

void RatingController::SaveRouted(RoutingCommand command) {
  const bool csv = command == RoutingCommand::SaveRoutedCsv;
  const std::string bytes = csv ? RoutedCsv(*flood_.routed) : HydrographSvg(*flood_.routed, separator_);
  // Named after the rating's table: "MyRating-routed.csv", "MyRating-hydrograph.svg".
  std::string name = session_.SuggestedName(Export::TableCsv);
  name.resize(name.size() - std::string_view(".csv").size());
  name.append(csv ? "-routed.csv" : "-hydrograph.svg");
  if (handingOver_ != nullptr) {
    const Download file{name.substr(name.find_last_of("/\\") + 1), bytes, std::nullopt};
    handingOver_->HandOver(file);
    view_.ShowNote(session_.HandedOverNote(file));
    return;
  }
  const std::optional<std::string> path =
      saving_->AskSaveName({WithoutEllipsis(FactsOfRouting(command).caption),
                            std::string(Pattern(csv ? Message::CaptionCsvFiles : Message::CaptionSvgFiles)),
                            csv ? "*.csv" : "*.svg", std::string(Pattern(Message::CaptionAllFiles)), name});
  if (!path || path->empty()) return;
  try {
    WriteWholeFile(*path, bytes);
  } catch (const std::system_error& error) {
    saving_->ShowSaveFailure(FileMessage(Pattern(csv ? Message::KindRoutedFile : Message::KindHydrographPlot),
                                         *path, error.code()));
  }
}

}  // namespace rating
