#include "run/rating_run.h"

namespace rating {

namespace {

// Runs one step, tagging its failure with the step.
template <typename Step>
auto At(RunStage stage, Step step) {
  try {
    return step();
  } catch (const RatingFailure& failure) {
    throw failure.At(stage);
  }
}

RatingResult Rate(const FieldTexts& texts, std::string_view separator, std::span<const GroundPoint> ground,
                  std::string& fileName) {
  const ChannelParameters channel =
      At(RunStage::Fields, [&] { return ReadChannelParameters(texts, separator, ground); });
  RatingResult result{channel, CreateRatingTable(channel), {}, {}, {}, {}, SubstitutionNote(channel)};
  fileName = At(RunStage::FileName,
                [&] { return RequireFileName(std::string(TextOf(texts, InputField::Filename))); });
  const std::string title = At(
      RunStage::Title, [&] { return RequireOneLine(TextOf(texts, InputField::Title), InputField::Title); });
  At(RunStage::Table, [&] {
    RatingTable& table = result.table;
    ComputeRatingTable(channel, table);
    const auto& headings = ListingHeadings(channel.units);
    result.listing.assign(headings.begin(), headings.end());
    for (int j = 0; j <= table.lastRow; ++j) {
      const RatingFileRow& fileRow = result.fileRows.emplace_back(RatingFileRowOf(table, j));
      const ListingRow& listed = result.listingRows.emplace_back(ListingRowOf(fileRow, table.area[j], j));
      result.listing.push_back(FormatListingRow(listed, separator));
    }
  });
  result.fileText = RatingFileText(title, ParameterLine(texts, channel), result.fileRows, separator);
  return result;
}

}  // namespace

std::optional<std::string> SubstitutionNote(const ChannelParameters& channel) {
  if (channel.bankSlopeWasZero && channel.incrementWasZero) {
    return std::string(Pattern(Message::NoteBothZeros, channel.units));
  }
  if (channel.bankSlopeWasZero) return std::string(Pattern(Message::NoteBankSlopeZero));
  if (channel.incrementWasZero) return std::string(Pattern(Message::NoteIncrementZero, channel.units));
  return std::nullopt;
}

RatingOutcome RateFields(const FieldTexts& texts, std::string_view decimalSeparator,
                         std::span<const GroundPoint> ground) {
  RatingOutcome outcome;
  try {
    outcome.result = Rate(texts, decimalSeparator, ground, outcome.fileName);
  } catch (const RatingFailure& failure) {
    outcome.failure = failure;
  }
  return outcome;
}

namespace {

// The rating file of `outcome` opened and written, not yet closed.
void OpenAndWrite(const RatingOutcome& outcome, RatingFileWriter& file) {
  const RatingFailure* failure = outcome.failure ? &*outcome.failure : nullptr;
  if (failure != nullptr && failure->Stage() < RunStage::OpenFile) throw *failure;
  // The file name is the first thing a press writes with: where it cannot be
  // created, that is said before a title or a table that fails.
  At(RunStage::OpenFile, [&] { file.Open(outcome.fileName); });
  if (failure != nullptr) throw *failure;
  At(RunStage::WriteFile, [&] { file.WriteText(outcome.result->fileText); });
}

}  // namespace

void WriteRatingFile(const RatingOutcome& outcome) {
  RatingFileWriter file;
  OpenAndWrite(outcome, file);
  At(RunStage::WriteFile, [&] { file.Close(); });
}

SafeFile FinishRatingFile(const RatingOutcome& outcome) {
  RatingFileWriter file;
  OpenAndWrite(outcome, file);
  return At(RunStage::WriteFile, [&] { return file.CloseFinished(); });
}

RatingResult CreateRatingFile(const FieldTexts& texts, std::string_view decimalSeparator,
                              std::span<const GroundPoint> ground) {
  RatingOutcome outcome = RateFields(texts, decimalSeparator, ground);
  WriteRatingFile(outcome);
  return std::move(*outcome.result);
}

}  // namespace rating
