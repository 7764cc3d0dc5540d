#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/input_field.h"
#include "messages/messages.h"
#include "output/exports.h"
#include "plot/rating_curves.h"
#include "run/rating_run.h"

namespace rating {

// A press that failed, as a window shows it.
struct PressFailure {
  std::string message;              // the message table's text, naming the field or row
  std::optional<InputField> field;  // the field to focus and select, where one is to blame
  bool emptiesList = false;         // the list no longer shows a rating of these fields
};

// The paired data of a run, ready to save.
struct PairedData {
  std::string csv;                  // "Storage (acre-ft),Outflow (cfs)" and the kept rows
  std::optional<std::string> note;  // which rows were left out, where any were
};

// What a window saves besides the rating file, each as the command line
// writes it.
enum class Export { TableCsv, PairedData, CurvesSvg };

// How every window offers an export, in the order of Export and its menus.
struct ExportFacts {
  Export what;
  Message command;           // the menu's "Save Table as CSV…"
  Message fileType;          // the save dialog's filter, "CSV files (*.csv)"
  std::string_view pattern;  // of the filter, "*.csv"
  std::string_view ending;   // of the suggested name, "-paired.csv"
  Message failureKind;       // "Cannot write CSV table"
  std::string_view name;     // object name of the command, for scripts and tests: "saveTableCsv"
};
inline constexpr std::array<ExportFacts, 3> kExports = {{
    {Export::TableCsv, Message::CaptionSaveTableCsv, Message::CaptionCsvFiles, "*.csv", ".csv",
     Message::KindCsvFile, "saveTableCsv"},
    {Export::PairedData, Message::CaptionSavePairedData, Message::CaptionCsvFiles, "*.csv", "-paired.csv",
     Message::KindPairedDataFile, "savePairedData"},
    {Export::CurvesSvg, Message::CaptionSaveCurvesSvg, Message::CaptionSvgFiles, "*.svg", ".svg",
     Message::KindPlotFile, "saveRatingCurvesSvg"},
}};
inline const ExportFacts& FactsOf(Export what) { return kExports.at(static_cast<std::size_t>(what)); }

// A command's caption without its closing "…": the title of the dialog it
// opens, or the command where no dialog follows (a page's download).
std::string WithoutEllipsis(Message command);

// The save dialog's title: the menu's command without its "…".
std::string SaveDialogTitle(Export what);

// How a save went.
struct SaveOutcome {
  std::optional<std::string> failure;  // the message to show; any previous file is kept
  std::optional<std::string> note;     // the paired data's rows left out, where any were
};

// A file that a front end hands to the user itself, as a browser downloads it.
struct Download {
  std::string name;                 // the last part of the typed name, "MyRating.RAT"
  std::string bytes;                // exactly what a press or a save writes
  std::optional<std::string> note;  // the paired data's rows left out, where any were
};

// The curves of a rating titled `title`, numbers with `decimalSeparator`.
RatingCurves CurvesOf(const RatingResult& result, std::string title, std::string_view decimalSeparator);

// The curves as a standalone SVG document, laid out alike on every system.
std::string CurvesSvg(const RatingCurves& curves);

// The bytes of an export of `result`, whose storage-outflow pairs are
// `pairs` and whose title is `title`; numbers of the curves with `separator`.
std::string ExportBytes(Export what, const RatingResult& result, const StorageOutflow& pairs,
                        std::string title, std::string_view separator);

// Everything a window does with a rating, whatever its toolkit: it reads its
// fields, asks the session, and shows what the session returns. The session
// keeps the rating its list shows, the last press that succeeded, until a
// press empties the list.
class RatingSession {
 public:
  // `decimalSeparator` is the user's, for the fields and everything shown.
  explicit RatingSession(std::string decimalSeparator);

  [[nodiscard]] const std::string& DecimalSeparator() const { return separator_; }
  // A field's text when the window opens.
  [[nodiscard]] std::string DefaultText(InputField field) const;

  // One press of "Create Rating File": rates the fields and writes the
  // rating file. Returns the failure to show, if any; ListLines() then says
  // what the list shows.
  std::optional<PressFailure> Press(const FieldTexts& texts);

  // A press for a front end that hands the rating file over itself, such as
  // a page whose browser downloads it: fails, and leaves the list, exactly
  // as Press would when the file can be written, and writes nothing.
  // RatingFileDownload() then holds the file.
  std::optional<PressFailure> Rate(const FieldTexts& texts);

  // The list's lines: the two headings and one line per row, or none.
  [[nodiscard]] const std::vector<std::string>& ListLines() const;
  [[nodiscard]] bool Empty() const { return !rated_.has_value(); }

  // The table to copy: the rows of the list lines `selectedLines` (indices
  // into ListLines(); headings are skipped), or every row when none of them
  // is a row, tab-separated with a header row; values in full, never cut to
  // their column. Empty while the list is.
  [[nodiscard]] std::string CopyText(const std::vector<int>& selectedLines) const;

  // The exports of the rating the list shows; empty while the list is.
  [[nodiscard]] std::string TableCsv() const;
  // `name` is where the paired data are saved, for the note.
  [[nodiscard]] PairedData PairedDataFor(std::string_view name) const;
  [[nodiscard]] RatingCurves Curves() const;
  [[nodiscard]] std::string CurvesSvg() const;
  // The rating curves window's title.
  [[nodiscard]] std::string CurvesTitle() const;

  // The name a save dialog suggests for an export: the rating file's, made
  // absolute, with the export's ending: "MyRating.csv", "MyRating-paired.csv"
  // or "MyRating.svg". Empty while the list is.
  [[nodiscard]] std::string SuggestedName(Export what) const;
  // Writes an export of the rating the list shows to `path` (UTF-8) as the
  // rating file is written: complete, or not at all.
  [[nodiscard]] SaveOutcome Save(Export what, const std::string& path) const;

  // The rating file, or an export, of the rating the list shows, named after
  // the last part of the rating file's typed name: "MyRating.RAT",
  // "MyRating.csv", "MyRating-paired.csv", "MyRating.svg". Empty while the
  // list is.
  [[nodiscard]] Download RatingFileDownload() const;
  [[nodiscard]] Download ExportDownload(Export what) const;

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
  std::optional<PressFailure> Settle(RatingOutcome& outcome, const RunFailure* failure,
                                     const FieldTexts& texts);

  std::string separator_;
  std::optional<Rated> rated_;
};

}  // namespace rating
