#include "run/rating_session.h"

#include <filesystem>
#include <system_error>

#include "engine/cross_section.h"
#include "engine/failure.h"
#include "engine/number_text.h"
#include "messages/messages.h"
#include "output/file_message.h"
#include "output/file_name.h"
#include "output/listing.h"
#include "output/reach_description.h"
#include "platform/utf8_path.h"
#include "plot/svg_writer.h"

namespace rating {

plot::RatingCurves CurvesOf(const RatingResult& result, std::string title,
                            std::string_view decimalSeparator) {
  plot::RatingCurves curves;
  curves.title = std::move(title);
  curves.subtitle = ReachDescription(result.channel, decimalSeparator);
  curves.decimalSeparator = decimalSeparator;
  curves.units = result.channel.units;
  for (const RatingFileRow& row : result.fileRows) {
    curves.elevation.push_back(row.elevation);
    curves.flow.push_back(row.flow);
    curves.storage.push_back(row.storage);
  }
  return curves;
}

std::string CurvesSvg(const plot::RatingCurves& curves) {
  return plot::SvgDocument(plot::RatingCurvesScene(curves, plot::SvgTextMeasure()));
}

std::string StackedCurvesSvg(const plot::RatingCurves& curves) {
  return plot::SvgDocument(plot::StackedRatingCurvesScene(curves, plot::SvgTextMeasure()));
}

std::string ExportBytes(Export what, const RatingResult& result, const StorageOutflow& pairs,
                        std::string title, std::string_view separator) {
  switch (what) {
    case Export::TableCsv: return RatingTableCsv(result.table, result.listingRows, result.channel.units);
    case Export::PairedData: return pairs.csv;
    case Export::CurvesSvg: return CurvesSvg(CurvesOf(result, std::move(title), separator));
    case Export::SectionCsv: return GroundLineText(result.channel.ground, result.channel.units);
  }
  return {};
}

RatingSession::RatingSession(std::string_view userSeparator) : separator_(DecimalMarkFor(userSeparator)) {}

std::string RatingSession::DefaultText(InputField field) const { return DefaultFieldText(field, separator_); }

FieldTexts RatingSession::DefaultTexts() const { return DefaultFieldTexts(separator_); }

plot::CrossSectionChart RatingSession::SectionChart() const {
  plot::CrossSectionChart chart;
  chart.title = Title();
  chart.subtitle = SectionSummary();
  chart.decimalSeparator = separator_;
  chart.units = units_;
  for (const GroundPoint& point : ground_) {
    chart.station.push_back(point.station);
    chart.elevation.push_back(point.elevation);
  }
  if (const RatingResult* rated = Rating();
      rated != nullptr && rated->channel.ground == ground_ && !ground_.empty()) {
    chart.leftBank = rated->channel.exact.leftBank;
    chart.rightBank = rated->channel.exact.rightBank;
    chart.water = rated->table.elevation.at(rated->table.lastRow);
  }
  return chart;
}

std::string RatingSession::SectionSummary() const {
  if (ground_.empty()) return {};
  return ComposeIn(units_, Message::SectionSummary,
                   Arg<"points">(Compose(Message::WordsPoints, Arg<"count">(std::to_string(ground_.size())))),
                   Arg<"first">(StationText(ground_.front().station, separator_)),
                   Arg<"last">(StationText(ground_.back().station, separator_)));
}

namespace {

// "Wrote "/home/ann/Documents/MyRating.RAT"." and, where stopped writes left
// unfinished copies beside it, how many and that they can go.
std::string WrittenStatusOf(const std::string& typed) {
  const std::string path = RatingSession::AbsoluteName(typed);
  std::string status = Compose(Message::NoteWrote, Arg<"path">(path));
  if (const std::optional<std::string> leftovers = LeftoversNote(typed, false)) {
    status.append(" ").append(*leftovers);
  }
  return status;
}

}  // namespace

std::string RatingSession::AbsoluteName(const std::string& typed) {
  std::error_code noPath;
  const std::filesystem::path absolute = AbsoluteNormal(PathFromUtf8(typed), noPath);
  return noPath || typed.empty() ? typed : Utf8Of(absolute);
}

std::optional<RatingFailure> RatingSession::PressWritingFile(const FieldTexts& texts) {
  RatingOutcome outcome = RateFields(texts, separator_, ground_);
  try {
    WriteRatingFile(outcome);
  } catch (const RatingFailure& failure) {
    return Settle(outcome, &failure, texts);
  }
  written_ = WrittenStatusOf(outcome.fileName);
  return Settle(outcome, nullptr, texts);
}

std::optional<RatingFailure> RatingSession::PressHandingOver(const FieldTexts& texts) {
  RatingOutcome outcome = RateFields(texts, separator_, ground_);
  if (!outcome.failure) {
    // The browser saves the file under the name's last part, by Windows'
    // rules on every system; a name it would change or refuse is refused
    // here, as the desktop refuses a file it cannot create.
    const std::string_view typed = TextOf(texts, InputField::Filename);
    if (const FileNameProblem problem = WindowsFileNameProblem(std::string(LastPartOf(typed)));
        problem != FileNameProblem::None) {
      outcome.failure = RatingFailure(FailureKind::FileCreate,
                                      Compose(Message::DownloadNameRefused,
                                              Arg<"kind">(FailureKindText(FailureKind::FileCreate)),
                                              Arg<"field">(Pattern(Facts(InputField::Filename).label)),
                                              Arg<"text">(typed), Arg<"reason">(Pattern(ReasonFor(problem)))),
                                      InputField::Filename)
                            .At(RunStage::OpenFile);
    }
  }
  return Settle(outcome, outcome.failure ? &*outcome.failure : nullptr, texts);
}

std::optional<RatingFailure> RatingSession::Settle(RatingOutcome& outcome, const RatingFailure* failure,
                                                   const FieldTexts& texts) {
  if (failure != nullptr) {
    if (failure->EmptiesList()) rated_.reset();
    return *failure;
  }
  rated_ = Rated{std::move(*outcome.result), std::string(TextOf(texts, InputField::Title)),
                 std::string(TextOf(texts, InputField::Filename))};
  return std::nullopt;
}

const std::optional<std::string>& RatingSession::Note() const {
  static const std::optional<std::string> kNone;
  return rated_ ? rated_->result.note : kNone;
}

const std::vector<std::string>& RatingSession::ListLines() const {
  static const std::vector<std::string> kNone;
  return rated_ ? rated_->result.listing : kNone;
}

std::span<const std::string> RatingSession::ListHeadings() const {
  const std::span<const std::string> lines = ListLines();
  return lines.first(std::min(lines.size(), kListingHeadings.size()));
}

std::span<const std::string> RatingSession::ListRows() const {
  return std::span<const std::string>(ListLines()).subspan(ListHeadings().size());
}

std::string RatingSession::CopyText(const std::vector<int>& selectedRows) const {
  if (!rated_) return {};
  const std::vector<ListingRow>& rows = rated_->result.listingRows;
  std::vector<ListingRow> chosen;
  for (const int row : selectedRows) {
    if (row >= 0 && row < static_cast<int>(rows.size())) {
      chosen.push_back(rows[static_cast<std::size_t>(row)]);
    }
  }
  return TabSeparatedTable(chosen.empty() ? rows : chosen, separator_, rated_->result.channel.units);
}

plot::RatingCurves RatingSession::Curves() const {
  return rated_ ? CurvesOf(rated_->result, rated_->title, separator_) : plot::RatingCurves{};
}

std::string RatingSession::CurvesTitle() const {
  return Compose(Message::CaptionCurvesWindow, Arg<"title">(rated_ ? rated_->title : std::string()));
}

std::string RatingSession::SuggestedName(Export what) const {
  if (!rated_) return {};
  namespace fs = std::filesystem;
  const std::string& typed = rated_->ratingFile;
  std::error_code noFolder;
  fs::path name = AbsoluteNormal(PathFromUtf8(typed), noFolder);
  return Utf8Of(name.replace_filename(PathFromUtf8(Utf8Of(name.stem()).append(FactsOf(what).ending))));
}

std::string RatingSession::HandedOverNote(const Download& file) const {
  const std::string& typed = rated_ ? rated_->ratingFile : file.name;
  const std::size_t folderEnd = FolderEnd(typed);
  const std::filesystem::path name = PathFromUtf8(file.name);
  const std::string repeat = Utf8Of(name.stem()).append(" (1)").append(Utf8Of(name.extension()));
  if (folderEnd == std::string::npos) {
    return Compose(Message::NoteDownloaded, Arg<"name">(file.name), Arg<"repeat">(repeat));
  }
  return Compose(Message::NoteDownloadedNotToFolder, Arg<"name">(file.name),
                 Arg<"folder">(std::string_view(typed).substr(0, folderEnd + 1)), Arg<"repeat">(repeat));
}

Download RatingSession::RatingFile() const {
  if (!rated_) return {};
  return {std::string(LastPartOf(rated_->ratingFile)), rated_->result.fileText, std::nullopt};
}

Download RatingSession::ExportNamed(Export what, std::string name) const {
  const StorageOutflow pairs = StorageOutflowCsv(rated_->result.fileRows, rated_->result.channel.units);
  Download download{std::move(name), ExportBytes(what, rated_->result, pairs, rated_->title, separator_),
                    std::nullopt};
  if (what == Export::PairedData) download.note = PairedDataNote(pairs.leftOut, download.name);
  return download;
}

Download RatingSession::ExportFile(Export what) const {
  if (!rated_) return {};
  const std::string file = std::string(LastPartOf(rated_->ratingFile));
  return ExportNamed(what, Utf8Of(PathFromUtf8(file).stem()).append(FactsOf(what).ending));
}

SaveOutcome RatingSession::Save(Export what, const std::string& path) const {
  if (!rated_) return {std::string(Pattern(Message::SaveNothingRated)), std::nullopt};
  Download saved = ExportNamed(what, path);
  try {
    WriteWholeFile(path, saved.bytes);
  } catch (const std::system_error& error) {
    return {FileMessage(Pattern(FactsOf(what).failureKind), path, error.code()), std::nullopt};
  }
  return {std::nullopt, std::move(saved.note)};
}

}  // namespace rating
