#include "run/rating_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "run/working_folder.h"
#include "tests/support/field_texts.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::FieldEdit;
using testing_support::ReadFile;

constexpr std::string_view kCopyHeader =
    "Elev (ft)\tArea (ft^2)\tVelocity (ft/s)\tFlow (cfs)\tStorage (acft)\tCascades (N)\n";

class RatingSessionTest : public testing::Test {
 protected:
  // The default texts, written into the scratch folder, with `edits`.
  FieldTexts Texts(const std::vector<FieldEdit>& edits = {}) const {
    FieldTexts texts = testing_support::TextsWith(edits);
    if (std::none_of(edits.begin(), edits.end(),
                     [](const FieldEdit& edit) { return edit.field == InputField::Filename; })) {
      TextOf(texts, InputField::Filename) = file_.string();
    }
    return texts;
  }

  testing_support::ScratchFolder folder_{"rating-session-test"};
  fs::path file_ = folder_.Path() / "session.RAT";
  RatingSession session_{"."};
};

TEST_F(RatingSessionTest, DefaultPressWritesTheGoldenFileAndAnswersEveryExport) {
  EXPECT_TRUE(session_.Empty());
  EXPECT_EQ(session_.CopyText({}), "");
  EXPECT_EQ(session_.ExportFile(Export::TableCsv).bytes, "");
  EXPECT_TRUE(session_.Curves().elevation.empty());

  EXPECT_EQ(session_.PressWritingFile(Texts()), std::nullopt);
  EXPECT_FALSE(session_.Empty());
  EXPECT_EQ(ReadFile(file_), ReadFile(RATING_GOLDEN_DIR "/default.RAT"));
  ASSERT_EQ(session_.ListLines().size(), 29U);
  EXPECT_EQ(session_.ListLines().at(3), "0.2      10.1     1.24     12.5     6.72     440      ");
  EXPECT_EQ(session_.ExportFile(Export::TableCsv).bytes, ReadFile(RATING_GOLDEN_DIR "/default.csv"));
  const Download pairs = session_.ExportFile(Export::PairedData);
  EXPECT_EQ(pairs.bytes, ReadFile(RATING_GOLDEN_DIR "/default-paired.csv"));
  EXPECT_EQ(pairs.note, std::nullopt);
  const plot::RatingCurves curves = session_.Curves();
  EXPECT_EQ(curves.title, "South Street Channel");
  EXPECT_EQ(curves.flow.size(), 27U);
  EXPECT_EQ(session_.CurvesTitle(), "Rating Curves – South Street Channel");
  EXPECT_TRUE(session_.ExportFile(Export::CurvesSvg).bytes.starts_with("<?xml"));
}

// What a failed press leaves: the list of the last good press, or none.
struct FailedPressCase {
  const char* name;
  friend void PrintTo(const FailedPressCase& c, std::ostream* os) { *os << c.name; }
  std::vector<FieldEdit> edits;
  std::string message;
  std::optional<InputField> field;
  bool emptiesList;
};

class FailedPresses : public RatingSessionTest, public testing::WithParamInterface<FailedPressCase> {};

TEST_P(FailedPresses, SayWhatFailedWhereAndWhatTheListShows) {
  ASSERT_EQ(session_.PressWritingFile(Texts()), std::nullopt);
  const std::string before = ReadFile(file_);
  const std::optional<RatingFailure> failure = session_.PressWritingFile(Texts(GetParam().edits));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->what(), GetParam().message);
  EXPECT_EQ(failure->Field(), GetParam().field);
  EXPECT_EQ(failure->EmptiesList(), GetParam().emptiesList);
  EXPECT_EQ(session_.Empty(), GetParam().emptiesList);
  EXPECT_EQ(session_.ListLines().size(), GetParam().emptiesList ? 0U : 29U);
  EXPECT_EQ(session_.ExportFile(Export::TableCsv).bytes.empty(), GetParam().emptiesList);
  EXPECT_EQ(ReadFile(file_), before) << "a failed press keeps the previous file";

  // A page's press, which writes nothing, fails alike and leaves its list alike.
  RatingSession page(".");
  ASSERT_EQ(page.PressHandingOver(Texts()), std::nullopt);
  const std::optional<RatingFailure> rated = page.PressHandingOver(Texts(GetParam().edits));
  ASSERT_TRUE(rated.has_value());
  EXPECT_EQ(std::string(rated->what()), failure->what());
  EXPECT_EQ(rated->Field(), failure->Field());
  EXPECT_EQ(rated->EmptiesList(), failure->EmptiesList());
  EXPECT_EQ(page.ListLines(), session_.ListLines());
  EXPECT_EQ(page.RatingFile().bytes.empty(), GetParam().emptiesList);
}

INSTANTIATE_TEST_SUITE_P(
    Session, FailedPresses,
    testing::Values(
        FailedPressCase{"ABadFieldKeepsTheList",
                        {{InputField::Length, "5,5x"}},
                        "Type mismatch: Channel Length (mi) \"5,5x\" is not a number.",
                        InputField::Length,
                        false},
        FailedPressCase{"ATitleOfTwoLinesEmptiesIt",
                        {{InputField::Title, "a\nb"}},
                        "Invalid text: Title Line contains a line break; it must be one line.",
                        InputField::Title,
                        true},
        FailedPressCase{"NoFileNameEmptiesIt",
                        {{InputField::Filename, ""}},
                        "Cannot create rating file: Output Rating Filename is empty; type the name of "
                        "the file to write.",
                        InputField::Filename,
                        true},
        FailedPressCase{"AFailedComputationEmptiesItAndBlamesTheField",
                        {{InputField::Fall, "0"}},
                        "Division by zero: row 1, travel time K: two successive rows have equal flow (a fall "
                        "of 0 gives no flow); Channel Fall (ft) is 0.",
                        InputField::Fall,
                        true}),
    [](const auto& info) { return std::string(info.param.name); });

// The copy: the rows selected in the list, as table rows.
struct CopyCase {
  const char* name;
  friend void PrintTo(const CopyCase& c, std::ostream* os) { *os << c.name; }
  std::vector<int> selectedRows;  // indices into the rows the list shows
  std::vector<int> copiedRows;    // empty: every row
};

class Copies : public RatingSessionTest, public testing::WithParamInterface<CopyCase> {};

TEST_P(Copies, HoldTheSelectedRowsOrAllOfThem) {
  ASSERT_EQ(session_.PressWritingFile(Texts()), std::nullopt);
  std::vector<int> rows = GetParam().copiedRows;
  if (rows.empty()) {
    for (int row = 0; row <= 26; ++row) rows.push_back(row);
  }
  std::string expected(kCopyHeader);
  for (const int row : rows) {
    // The listed line's cells, tab-separated.
    std::istringstream cells(session_.ListRows()[static_cast<std::size_t>(row)]);
    std::string line;
    for (std::string cell; cells >> cell;) line.append(line.empty() ? "" : "\t").append(cell);
    expected.append(line).append("\n");
  }
  EXPECT_EQ(session_.CopyText(GetParam().selectedRows), expected);
}

INSTANTIATE_TEST_SUITE_P(Session, Copies,
                         testing::Values(CopyCase{"OneRow", {1}, {1}},
                                         CopyCase{"ARangeAndASingleRow", {0, 1, 2, 26}, {0, 1, 2, 26}},
                                         CopyCase{"TheFirstAndTheLastRows", {0, 26}, {0, 26}},
                                         CopyCase{"NothingSelectedCopiesTheWholeTable", {}, {}},
                                         CopyCase{"RowsBeyondTheListAreIgnored", {-1, 27, 40}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RatingSessionTest, CopiesValuesInFullThatTheListCutsToItsColumn) {
  ASSERT_EQ(session_.PressWritingFile(Texts({{InputField::Invert, "-0.1234567"}})), std::nullopt);
  EXPECT_EQ(session_.ListLines().at(2).substr(0, 9), "-0.123456") << "the list's column holds nine";
  EXPECT_EQ(session_.CopyText({0}), std::string(kCopyHeader) + "-0.1234567\t0\t0\t0\t0\t0\n");
}

TEST_F(RatingSessionTest, NumbersFollowTheUsersDecimalSeparator) {
  RatingSession comma(",");
  EXPECT_EQ(comma.DefaultText(InputField::Length), "5,5");
  FieldTexts texts = DefaultFieldTexts(",");
  TextOf(texts, InputField::Filename) = file_.string();
  ASSERT_EQ(comma.PressWritingFile(texts), std::nullopt);
  EXPECT_EQ(comma.ListLines().at(3), "0,2      10,1     1,24     12,5     6,72     440      ");
  EXPECT_EQ(comma.CopyText({1}), std::string(kCopyHeader) + "0,2\t10,1\t1,24\t12,5\t6,72\t440\n");
  EXPECT_EQ(comma.ExportFile(Export::TableCsv).bytes, ReadFile(RATING_GOLDEN_DIR "/default.csv"))
      << "CSV keeps \".\"";
  const plot::RatingCurves curves = comma.Curves();
  EXPECT_EQ(curves.subtitle, "Bottom width 50 ft, side slopes 2:1, fall 110 ft over 5,5 mi, n = 0,025");
  EXPECT_EQ(curves.decimalSeparator, ",");
}

TEST_F(RatingSessionTest, PairedDataSayWhichRowsTheyLeaveOut) {
  // Fine depth steps round successive rows to equal storage.
  const std::string fine = (folder_.Path() / "fine.RAT").string();
  ASSERT_EQ(session_.PressWritingFile(Texts({{InputField::Increment, "0.002"},
                                             {InputField::MaxFlow, "100"},
                                             {InputField::Filename, fine.c_str()}})),
            std::nullopt);
  EXPECT_EQ(session_.ExportFile(Export::PairedData).note,
            "61 rows, 149 to 344, left out of the paired data \"fine-paired.csv\": storage and outflow "
            "must both increase.");
}

// A window's save of each export: the command line's bytes, a name
// suggested beside the rating file, and a failure that keeps the old file.
struct SaveCase {
  const char* name;
  friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }
  Export what;
  const char* suggestedFile;  // beside the rating file
  const char* golden;         // the command line's output for the defaults; "" for the plot
  const char* failureKind;
};

class Saves : public RatingSessionTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(Saves, WriteTheCommandLinesBytesOrKeepThePreviousFile) {
  const SaveCase& c = GetParam();
  EXPECT_EQ(session_.SuggestedName(c.what), "");
  EXPECT_EQ(session_.Save(c.what, (folder_.Path() / "early").string()).failure,
            "There is no rating to save yet; press Create Rating File first.");
  ASSERT_EQ(session_.PressWritingFile(Texts()), std::nullopt);

  const fs::path suggested = folder_.Path() / c.suggestedFile;
  EXPECT_EQ(fs::path(session_.SuggestedName(c.what)), suggested);
  const SaveOutcome saved = session_.Save(c.what, suggested.string());
  EXPECT_EQ(saved.failure, std::nullopt);
  EXPECT_EQ(saved.note, std::nullopt);
  const std::string bytes = ReadFile(suggested);
  EXPECT_EQ(bytes, *c.golden != '\0' ? ReadFile(fs::path(RATING_GOLDEN_DIR) / c.golden)
                                     : session_.ExportFile(Export::CurvesSvg).bytes);
  const Download download = session_.ExportFile(c.what);
  EXPECT_EQ(download.name, c.suggestedFile);
  EXPECT_EQ(download.bytes, bytes);

  // A folder in the way of the file: the failure names the file, the kind
  // of export and the reason, and the previous file stays as it was.
  const fs::path blocked = folder_.Path() / "blocked";
  fs::create_directory(blocked);
  const SaveOutcome failed = session_.Save(c.what, blocked.string());
  ASSERT_TRUE(failed.failure.has_value());
  EXPECT_TRUE(failed.failure->starts_with(std::string(c.failureKind) + " \"" + blocked.string() + "\""))
      << *failed.failure;
  EXPECT_EQ(ReadFile(suggested), bytes);
}

INSTANTIATE_TEST_SUITE_P(Session, Saves,
                         testing::Values(SaveCase{"TableCsv", Export::TableCsv, "session.csv", "default.csv",
                                                  "Cannot write CSV table"},
                                         SaveCase{"PairedData", Export::PairedData, "session-paired.csv",
                                                  "default-paired.csv", "Cannot write paired data"},
                                         SaveCase{"CurvesSvg", Export::CurvesSvg, "session.svg", "",
                                                  "Cannot write plot"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A page's downloads are named after the last part of the typed name,
// whichever system's folders it names, and hold what a press writes.
struct DownloadCase {
  const char* name;
  friend void PrintTo(const DownloadCase& c, std::ostream* os) { *os << c.name; }
  const char* typed;
  const char* ratingFile;
  const char* pairedData;
};

class Downloads : public testing::TestWithParam<DownloadCase> {};

TEST_P(Downloads, AreNamedAfterTheTypedFileAndHoldThePressesBytes) {
  RatingSession page(".");
  EXPECT_EQ(page.RatingFile().name, "");
  ASSERT_EQ(page.PressHandingOver(testing_support::TextsWith({{InputField::Filename, GetParam().typed}})),
            std::nullopt);
  const Download file = page.RatingFile();
  EXPECT_EQ(file.name, GetParam().ratingFile);
  EXPECT_EQ(file.bytes, ReadFile(RATING_GOLDEN_DIR "/default.RAT"));
  EXPECT_EQ(page.ExportFile(Export::PairedData).name, GetParam().pairedData);
}

INSTANTIATE_TEST_SUITE_P(Session, Downloads,
                         testing::Values(DownloadCase{"WindowsFolder", "C:\\Data\\S\u00fcd.rat",
                                                      "S\u00fcd.rat", "S\u00fcd-paired.csv"},
                                         DownloadCase{"PosixFolder", "runs/north.rat", "north.rat",
                                                      "north-paired.csv"},
                                         DownloadCase{"NoEnding", "rating", "rating", "rating-paired.csv"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A page's note on a download says where it went: never to a folder typed
// in the name, and under a numbered name where the browser has one already.
struct HandedOverCase {
  const char* name;
  friend void PrintTo(const HandedOverCase& c, std::ostream* os) { *os << c.name; }
  const char* typed;
  const char* note;
};

class HandedOverNotes : public testing::TestWithParam<HandedOverCase> {};

TEST_P(HandedOverNotes, SayWhereTheDownloadWent) {
  RatingSession page(".");
  ASSERT_EQ(page.PressHandingOver(testing_support::TextsWith({{InputField::Filename, GetParam().typed}})),
            std::nullopt);
  EXPECT_EQ(page.HandedOverNote(page.RatingFile()), GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(
    Session, HandedOverNotes,
    testing::Values(
        HandedOverCase{"NameAlone", "North.RAT",
                       "Downloaded \"North.RAT\" to your browser's downloads folder; where a file of "
                       "that name is there already, the browser adds a number, as in \"North (1).RAT\"."},
        HandedOverCase{"WindowsFolderDropped", "C:\\Runs\\North.RAT",
                       "Downloaded \"North.RAT\" to your browser's downloads folder, not to "
                       "\"C:\\Runs\\\": a page cannot choose the folder. Where a file of that name is "
                       "there already, the browser adds a number, as in \"North (1).RAT\"."},
        HandedOverCase{"NoEnding", "runs/rating",
                       "Downloaded \"rating\" to your browser's downloads folder, not to \"runs/\": a "
                       "page cannot choose the folder. Where a file of that name is there already, the "
                       "browser adds a number, as in \"rating (1)\"."}),
    [](const auto& info) { return std::string(info.param.name); });

// A name the browser would save under another name, or not at all, is
// refused before anything is handed over, naming the field.
struct RefusedDownloadCase {
  const char* name;
  friend void PrintTo(const RefusedDownloadCase& c, std::ostream* os) { *os << c.name; }
  std::string typed;
  const char* reason;
};

class RefusedDownloads : public testing::TestWithParam<RefusedDownloadCase> {};

TEST_P(RefusedDownloads, NameTheFieldAndHandOverNothing) {
  RatingSession page(".");
  ASSERT_EQ(page.PressHandingOver(testing_support::TextsWith()), std::nullopt);
  const std::optional<RatingFailure> failure =
      page.PressHandingOver(testing_support::TextsWith({{InputField::Filename, GetParam().typed.c_str()}}));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->what(), "Cannot create rating file: Output Rating Filename \"" + GetParam().typed +
                                 "\" cannot be the name of a downloaded file: " + GetParam().reason + ".");
  EXPECT_EQ(failure->Field(), InputField::Filename);
  EXPECT_EQ(page.RatingFile().bytes, "");
}

constexpr const char* kFolder = "this names a folder; type the name of a file, such as MyRating.RAT";
constexpr const char* kDevice =
    "Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9)";
constexpr const char* kTrailing =
    "Windows would drop the dot or blank at the end of the name and write another file";

INSTANTIATE_TEST_SUITE_P(
    Session, RefusedDownloads,
    testing::Values(
        RefusedDownloadCase{"Slash", "/", kFolder}, RefusedDownloadCase{"PosixFolder", "a/", kFolder},
        RefusedDownloadCase{"WindowsFolder", "C:\\Runs\\", kFolder}, RefusedDownloadCase{"Dot", ".", kFolder},
        RefusedDownloadCase{"DotDot", "..", kFolder}, RefusedDownloadCase{"BlanksOnly", "   ", kTrailing},
        RefusedDownloadCase{"TrailingBlank", "trail.RAT ", kTrailing},
        RefusedDownloadCase{"Console", "CON", kDevice},
        RefusedDownloadCase{"SerialPort", "COM1.RAT", kDevice},
        RefusedDownloadCase{"TooLong", std::string(300, 'x') + ".RAT", "File name too long"},
        RefusedDownloadCase{"Colon", "a:b.RAT",
                            "Windows allows none of < > : \" / \\ | ? * and no control character in a "
                            "file name"}),
    [](const auto& info) { return std::string(info.param.name); });

// Where a relative rating file name goes.
struct WorkingFolderCase {
  const char* name;
  friend void PrintTo(const WorkingFolderCase& c, std::ostream* os) { *os << c.name; }
  bool installed;
  bool mayCreateFiles;
  bool hasDocuments;
  const char* expected;  // "program", "documents" or "home"
};

class WorkingFolders : public testing::TestWithParam<WorkingFolderCase> {};

TEST_P(WorkingFolders, AreTheProgramsOwnOnlyWhereItIsKeptWritable) {
  const testing_support::ScratchFolder scratch("working-folder-test");
  const fs::path documents = scratch.Path() / "Documents";
  if (GetParam().hasDocuments) fs::create_directory(documents);
  const ProgramPlace place{scratch.Path() / "program", GetParam().installed, GetParam().mayCreateFiles,
                           documents, scratch.Path()};
  const std::string expected = GetParam().expected;
  const fs::path wanted = expected == "program"     ? place.programFolder
                          : expected == "documents" ? documents
                                                    : place.home;
  EXPECT_EQ(WorkingFolderFor(place), wanted);
}

INSTANTIATE_TEST_SUITE_P(
    Session, WorkingFolders,
    testing::Values(WorkingFolderCase{"KeptInAFolderOfItsOwn", false, true, true, "program"},
                    WorkingFolderCase{"Installed", true, true, true, "documents"},
                    WorkingFolderCase{"InAFolderTheUserMayNotWrite", false, false, true, "documents"},
                    WorkingFolderCase{"InstalledWithoutDocuments", true, false, false, "home"}),
    [](const auto& info) { return std::string(info.param.name); });

// This test program is kept in a build folder of its own, not installed.
TEST(ThisProgramPlace, IsABuildFolderTheUserMayWrite) {
  const ProgramPlace place = ThisProgramPlace();
  EXPECT_FALSE(place.installed) << place.programFolder;
  EXPECT_TRUE(place.mayCreateFiles) << place.programFolder;
  EXPECT_EQ(WorkingFolderFor(place), place.programFolder);
#ifdef _WIN32
  // Where the installer puts the program, for the user alone.
  const char* local = std::getenv("LOCALAPPDATA");
  ASSERT_NE(local, nullptr);
  EXPECT_TRUE(platform::IsInstalledProgramFolder(fs::path(local) / "Programs" / "Trapezoid Rating"));
#endif
}

}  // namespace
}  // namespace rating
