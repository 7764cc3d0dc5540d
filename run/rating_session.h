#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_field.h"
#include "messages/messages.h"
#include "output/exports.h"
#include "plot/cross_section_chart.h"
#include "plot/rating_curves.h"
#include "run/rating_run.h"

namespace rating {

// What a front end saves besides the rating file, each as the command line
// writes it, in the order of --help, of a batch's columns and of the writes.
enum class Export { CurvesSvg, TableCsv, PairedData, SectionCsv };

// How every front end offers an export, in the order of Export.
struct ExportFacts {
  Export what;
  std::string_view option;     // the command line's option without "--", and a batch's column: "plot"
  std::string_view valueName;  // of the option in --help: "rating.svg"
  Message optionHelp;          // of the option in --help
  Message role;                // what the file is, in the command line's messages: "plot"
  Message fileType;            // the save dialog's filter, "CSV files (*.csv)"
  std::string_view pattern;    // of the filter, "*.csv"
  std::string_view ending;     // of the suggested name, "-paired.csv"
  Message failureKind;         // "Cannot write CSV table"
};
inline constexpr std::array<ExportFacts, 4> kExports = {{
    {Export::CurvesSvg, "plot", "rating.svg", Message::HelpOptionPlot, Message::WordsPlot,
     Message::CaptionSvgFiles, "*.svg", ".svg", Message::KindPlotFile},
    {Export::TableCsv, "csv", "table.csv", Message::HelpOptionCsv, Message::WordsCsvTable,
     Message::CaptionCsvFiles, "*.csv", ".csv", Message::KindCsvFile},
    {Export::PairedData, "paired-data", "storage-outflow.csv", Message::HelpOptionPairedData,
     Message::WordsPairedData, Message::CaptionCsvFiles, "*.csv", "-paired.csv", Message::KindPairedDataFile},
    {Export::SectionCsv, "section-csv", "section.csv", Message::HelpOptionSectionOut,
     Message::WordsSectionFile, Message::CaptionCsvFiles, "*.csv", "-section.csv",
     Message::KindSectionCsvFile},
}};
inline const ExportFacts& FactsOf(Export what) { return kExports.at(static_cast<std::size_t>(what)); }

// How a save went.
struct SaveOutcome {
  std::optional<std::string> failure;  // the message to show; any previous file is kept
  std::optional<std::string> note;     // the paired data's rows left out, where any were
};

// A file's bytes and the name it goes under: what a front end hands to the
// user itself, as a browser downloads it.
struct Download {
  std::string name;                 // the last part of the typed name, "MyRating.RAT"
  std::string bytes;                // exactly what a press or a save writes
  std::optional<std::string> note;  // the paired data's rows left out, where any were
};

// The curves of a rating titled `title`, numbers with `decimalSeparator`.
plot::RatingCurves CurvesOf(const RatingResult& result, std::string title, std::string_view decimalSeparator);

// The curves as a standalone SVG document, laid out alike on every system.
std::string CurvesSvg(const plot::RatingCurves& curves);
// The same, its panels one above the other, for a narrow screen.
std::string StackedCurvesSvg(const plot::RatingCurves& curves);

// The bytes of an export of `result`, whose storage-outflow pairs are
// `pairs` and whose title is `title`; numbers of the curves with `separator`.
std::string ExportBytes(Export what, const RatingResult& result, const StorageOutflow& pairs,
                        std::string title, std::string_view separator);

// The project's handle: everything a front end does with a rating, whatever
// its toolkit. It keeps the rating its list shows, that of the last press
// that succeeded, until a press empties the list.
class RatingSession {
 public:
  // `userSeparator` is the user's decimal separator; the fields and
  // everything shown take the decimal mark it gives (DecimalMarkFor).
  explicit RatingSession(std::string_view userSeparator);

  // A field's text when the window opens.
  [[nodiscard]] std::string DefaultText(InputField field) const;
  // Every field's text when the window opens.
  [[nodiscard]] FieldTexts DefaultTexts() const;

  // The ground line a press rates a surveyed section on, as the Section
  // window last read it; none until it has.
  void SetGround(std::vector<GroundPoint> ground) { ground_ = std::move(ground); }
  [[nodiscard]] const std::vector<GroundPoint>& Ground() const { return ground_; }
  // The system of units chosen, which the section's words and chart name
  // before it is rated.
  void SetUnits(UnitSystem units) { units_ = units; }
  [[nodiscard]] UnitSystem Units() const { return units_; }
  // The picture of Ground(): its banks and the water of the last press's
  // last row where that press rated these points; and the points and the
  // span of their stations in words, "8 points, stations 0 to 260 ft".
  [[nodiscard]] plot::CrossSectionChart SectionChart() const;
  [[nodiscard]] std::string SectionSummary() const;

  // One press of "Create Rating File" that writes the rating file. Returns
  // the failure to show, if any; ListLines() then says what the list shows.
  std::optional<RatingFailure> PressWritingFile(const FieldTexts& texts);

  // One press for a front end that hands the rating file over itself, as a
  // page's browser downloads it: fails, and leaves the list, exactly as
  // PressWritingFile would where the file can be written, and writes
  // nothing. RatingFile() then holds the file to hand over.
  std::optional<RatingFailure> PressHandingOver(const FieldTexts& texts);

  // What the last good press says of the zeros it replaced, if anything.
  [[nodiscard]] const std::optional<std::string>& Note() const;

  // The file a typed name means: made absolute against the working folder,
  // tidied; as typed where it cannot be. UTF-8.
  [[nodiscard]] static std::string AbsoluteName(const std::string& typed);

  // Where the last press that wrote the rating file wrote it, whole, and
  // how many unfinished copies stopped writes left beside it, for a
  // window's status line. Empty until a press has written a file.
  [[nodiscard]] const std::string& WrittenStatus() const { return written_; }

  // The list's lines: the two headings and one line per row, or none.
  [[nodiscard]] const std::vector<std::string>& ListLines() const;
  // The same lines as the list shows them: the headings above, the rows
  // under them.
  [[nodiscard]] std::span<const std::string> ListHeadings() const;
  [[nodiscard]] std::span<const std::string> ListRows() const;
  [[nodiscard]] bool Empty() const { return !rated_.has_value(); }

  // The table to copy: the rows `selectedRows` (indices into ListRows()),
  // or every row when none of them is one, tab-separated with a header row;
  // values in full, never cut to their column. Empty while the list is.
  [[nodiscard]] std::string CopyText(const std::vector<int>& selectedRows) const;

  // The rating the list shows, and its title line as typed; none while the
  // list is empty.
  [[nodiscard]] const RatingResult* Rating() const { return rated_ ? &rated_->result : nullptr; }
  [[nodiscard]] std::string Title() const { return rated_ ? rated_->title : std::string(); }

  // The rating curves of the rating the list shows, and their window's title.
  [[nodiscard]] plot::RatingCurves Curves() const;
  [[nodiscard]] std::string CurvesTitle() const;

  // The rating file, or an export, of the rating the list shows, named after
  // the last part of the rating file's typed name: "MyRating.RAT",
  // "MyRating.csv", "MyRating-paired.csv", "MyRating.svg". Empty while the
  // list is.
  [[nodiscard]] Download RatingFile() const;
  [[nodiscard]] Download ExportFile(Export what) const;

  // Where a page's download went, in words: the browser's downloads folder,
  // not the folder typed in the rating file's name, and the name a browser
  // gives a repeat.
  [[nodiscard]] std::string HandedOverNote(const Download& file) const;

  // The name a save dialog suggests for an export: the rating file's, made
  // absolute, with the export's ending: "MyRating.csv", "MyRating-paired.csv"
  // or "MyRating.svg". Empty while the list is.
  [[nodiscard]] std::string SuggestedName(Export what) const;
  // Writes an export of the rating the list shows to `path` (UTF-8) as the
  // rating file is written: complete, or not at all.
  [[nodiscard]] SaveOutcome Save(Export what, const std::string& path) const;

 private:
  // The rating the list shows.
  struct Rated {
    RatingResult result;
    std::string title;       // the title line as typed
    std::string ratingFile;  // the rating file's name as typed, UTF-8
  };

  // An export of the rating the list shows, with the paired data's note
  // naming `name`.
  [[nodiscard]] Download ExportNamed(Export what, std::string name) const;

  // Keeps the rating of a press that succeeded; forgets the list's rating
  // when `failure` empties it.
  std::optional<RatingFailure> Settle(RatingOutcome& outcome, const RatingFailure* failure,
                                      const FieldTexts& texts);

  std::string separator_;
  std::optional<Rated> rated_;
  std::string written_;              // WrittenStatus()
  std::vector<GroundPoint> ground_;  // Ground()
  UnitSystem units_ = UnitSystem::UsCustomary;
};

}  // namespace rating
