#include "run/rating_controller.h"

#include <algorithm>

namespace rating {

namespace {

// "Copied 12 rows to the clipboard.": the rows of a copied table, its
// header row left out.
std::string CopiedNote(const std::string& table) {
  const auto rows = static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')) - 1;
  return rows == 1 ? std::string(Pattern(Message::NoteCopiedOneRow))
                   : Compose(Message::NoteCopiedRows, Arg<"count">(std::to_string(rows)));
}

}  // namespace

std::string WithoutEllipsis(Message caption) {
  std::string title(Pattern(caption));
  constexpr std::string_view kEllipsis = "\u2026";
  if (title.ends_with(kEllipsis)) title.resize(title.size() - kEllipsis.size());
  return title;
}

RatingController::RatingController(FileSavingView& view, std::string_view userSeparator)
    : view_(view), saving_(&view), session_(userSeparator) {}

RatingController::RatingController(HandingOverView& view, std::string_view userSeparator)
    : view_(view), handingOver_(&view), session_(userSeparator) {}

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
  } else {
    view_.OpenCurves(session_.Curves(), session_.CurvesTitle());
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

}  // namespace rating
