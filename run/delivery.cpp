#include "run/delivery.h"

#include <algorithm>
#include <system_error>

#include "output/exports.h"
#include "output/file_message.h"
#include "output/file_name.h"
#include "run/commands.h"

namespace rating {

namespace {

// "Copied 12 rows to the clipboard.": the rows of a copied table, its
// header row left out.
std::string CopiedNote(const std::string& table) {
  const auto rows = static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')) - 1;
  return rows == 1 ? std::string(Pattern(Message::NoteCopiedOneRow))
                   : Compose(Message::NoteCopiedRows, Arg<"count">(std::to_string(rows)));
}

// `first`, then `second` after a blank where there is one.
std::string Joined(std::string first, const std::optional<std::string>& second) {
  if (second) first.append(first.empty() ? "" : " ").append(*second);
  return first;
}

}  // namespace

std::string WithoutEllipsis(Message caption) {
  std::string title(Pattern(caption));
  constexpr std::string_view kEllipsis = "\u2026";
  if (title.ends_with(kEllipsis)) title.resize(title.size() - kEllipsis.size());
  return title;
}

std::optional<RatingFailure> SavingDelivery::Press(const FieldTexts& texts) {
  return session_.PressWritingFile(texts);
}

void SavingDelivery::TellPressed(bool failed) {
  // The status line says where the file went, and what became of a zero
  // typed; after a failure it no longer says where an earlier one went.
  view_.ShowStatus(failed ? std::string() : Joined(session_.WrittenStatus(), session_.Note()));
}

void SavingDelivery::DeliverExport(Export what) {
  const ExportFacts& facts = FactsOf(what);
  const std::optional<std::string> path =
      view_.AskSaveName({WithoutEllipsis(SaveCommandOf(what).caption), std::string(Pattern(facts.fileType)),
                         std::string(facts.pattern), std::string(Pattern(Message::CaptionAllFiles)),
                         session_.SuggestedName(what)});
  if (!path || path->empty()) return;
  const SaveOutcome outcome = session_.Save(what, *path);
  if (outcome.failure) {
    view_.ShowSaveFailure(*outcome.failure);
  } else if (outcome.note) {
    view_.ShowNote(*outcome.note);
  }
}

void SavingDelivery::DeliverFile(const std::string& bytes, const std::string& suggested, Message caption,
                                 Message fileType, std::string_view pattern, Message kind) {
  const std::optional<std::string> path =
      view_.AskSaveName({WithoutEllipsis(caption), std::string(Pattern(fileType)), std::string(pattern),
                         std::string(Pattern(Message::CaptionAllFiles)), suggested});
  if (!path || path->empty()) return;
  try {
    WriteWholeFile(*path, bytes);
  } catch (const std::system_error& error) {
    view_.ShowSaveFailure(FileMessage(Pattern(kind), *path, error.code()));
  }
}

// A desktop window's clipboard is its own sign that the copy was made.
void SavingDelivery::Copied(const std::string& /*table*/) {}

void SavingDelivery::BrowseRatingFile(const std::string& typed) {
  const std::optional<std::string> path =
      view_.AskSaveName({std::string(Pattern(Facts(InputField::Filename).label)),
                         std::string(Pattern(Message::CaptionRatingFiles)), "*.RAT",
                         std::string(Pattern(Message::CaptionAllFiles)), RatingSession::AbsoluteName(typed)});
  if (path && !path->empty()) view_.ShowRatingFileName(*path);
}

std::optional<std::string> SavingDelivery::AskTableName(Message caption) {
  std::optional<std::string> path = view_.AskOpenName({WithoutEllipsis(caption),
                                                       std::string(Pattern(Message::CaptionCsvFiles)),
                                                       "*.csv",
                                                       std::string(Pattern(Message::CaptionAllFiles)),
                                                       {}});
  if (path && path->empty()) path.reset();
  return path;
}

std::optional<RatingFailure> HandingOverDelivery::Press(const FieldTexts& texts) {
  return session_.PressHandingOver(texts);
}

void HandingOverDelivery::TellPressed(bool failed) {
  if (failed) return;
  const Download file = session_.RatingFile();
  view_.HandOver(file);
  view_.ShowNote(Joined(session_.HandedOverNote(file), session_.Note()));
}

void HandingOverDelivery::DeliverExport(Export what) { HandOver(session_.ExportFile(what)); }

void HandingOverDelivery::DeliverFile(const std::string& bytes, const std::string& suggested,
                                      Message /*caption*/, Message /*fileType*/, std::string_view /*pattern*/,
                                      Message /*kind*/) {
  HandOver({std::string(LastPartOf(suggested)), bytes, std::nullopt});
}

// A page has no other sign that the copy was made.
void HandingOverDelivery::Copied(const std::string& table) { view_.ShowNote(CopiedNote(table)); }

// A page's browser asks where a download goes.
void HandingOverDelivery::BrowseRatingFile(const std::string& /*typed*/) {}

// A page reads the file its user chooses itself (SetInflowFile).
std::optional<std::string> HandingOverDelivery::AskTableName(Message /*caption*/) { return std::nullopt; }

void HandingOverDelivery::HandOver(const Download& file) {
  view_.HandOver(file);
  view_.ShowNote(Joined(session_.HandedOverNote(file), file.note));
}

}  // namespace rating
