#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_run.h"
#include "engine/number_text.h"
#include "engine/rounding.h"
#include "output/safe_file.h"
#include "run/rating_session.h"
#include "tests/support/flood_examples.h"
#include "tests/support/run_program.h"
#include "tests/support/scratch_files.h"
#include "tests/support/section_examples.h"
#ifndef _WIN32
#include "tests/support/svg_texts.h"
#endif

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::PonceInflowCsv;
using testing_support::PoncePairsCsv;
using testing_support::ProgramRun;
using testing_support::ReadFile;
using testing_support::ScratchFolder;
using testing_support::TriangularInflowCsv;
using testing_support::WriteFile;

const fs::path kGolden = RATING_GOLDEN_DIR;

// "/" on POSIX systems, "\\" on Windows: how the program spells a path it resolved.
const std::string kSeparator = fs::path("/").make_preferred().string();

// A file name in UTF-8, as the program takes and prints it.
std::string Utf8(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
}
fs::path FromUtf8(const std::string& utf8) { return {std::u8string(utf8.begin(), utf8.end())}; }

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Runs the command line in `folder`.
ProgramRun RunCli(const std::vector<std::string>& arguments, const fs::path& folder,
                  const std::vector<std::string>& environment = {}) {
  return testing_support::RunProgram(RATING_CLI_PATH, arguments, folder, environment);
}

// The option of a field as a user types it: "--width", and "--n" for the
// one-letter option, which takes two dashes as well as one.
std::string OptionOf(const FieldFacts& facts) { return "--" + std::string(facts.option); }

// The hidden temporary files a run leaves behind; none, after any run.
std::vector<std::string> Leftovers(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = Utf8(entry.path().filename());
    if (name.starts_with('.') && name.ends_with(".partial")) names.push_back(name);
  }
  return names;
}

std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) names.push_back(Utf8(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CliTest : public testing::Test {
 protected:
  ScratchFolder folder_{"cli-test"};
  fs::path dir_ = folder_.Path();
};

// The command line and a window's session rate alike.
struct SameBytesCase {
  const char* name;
  friend void PrintTo(const SameBytesCase& c, std::ostream* os) { *os << c.name; }
  std::vector<std::string> texts;                         // in InputField order, without the file name
  std::vector<testing_support::FieldEdit> sectionFields;  // the other sections' fields
  std::vector<GroundPoint> ground;                        // a surveyed section's, given by --section
};

class CliAndSession : public CliTest, public testing::WithParamInterface<SameBytesCase> {};

TEST_P(CliAndSession, WriteTheSameBytesAndListTheSameLines) {
  FieldTexts texts = DefaultFieldTexts(".");
  for (std::size_t i = 0; i < GetParam().texts.size(); ++i) {
    TextOf(texts, static_cast<InputField>(i)) = GetParam().texts[i];
  }
  for (const testing_support::FieldEdit& edit : GetParam().sectionFields) {
    TextOf(texts, edit.field) = edit.text;
  }
  // The command line is given the fields its shape uses, and only those.
  const SectionShape shape = ReadSectionShape(TextOf(texts, InputField::Shape));
  std::vector<std::string> arguments;
  for (const FieldFacts& facts : kFields) {
    if (facts.field != InputField::Filename && Uses(shape, facts.field)) {
      arguments.insert(arguments.end(), {OptionOf(facts), TextOf(texts, facts.field)});
    }
  }
  TextOf(texts, InputField::Filename) = (dir_ / "window.RAT").string();
  RatingSession session(".");
  if (!GetParam().ground.empty()) {
    WriteFile(dir_ / "points.csv", GroundLineText(GetParam().ground));
    arguments.insert(arguments.end(), {"--section", "points.csv"});
    session.SetGround(GetParam().ground);
  }
  ASSERT_EQ(session.PressWritingFile(texts), std::nullopt);
  arguments.insert(arguments.end(), {"--output", "cli.RAT"});

  const ProgramRun cli = RunCli(arguments, dir_);
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  const std::string window = ReadFile(dir_ / "window.RAT");
  EXPECT_FALSE(window.empty());
  EXPECT_EQ(ReadFile(dir_ / "cli.RAT"), window);
  std::string listed;
  for (const std::string& line : session.ListLines()) listed += line + "\n";
  EXPECT_EQ(cli.out, listed);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliAndSession,
    testing::Values(
        SameBytesCase{"Defaults",
                      {"50", "2", "110", "5.5", "0.025", "3000", "0.0", "0.2", "South Street Channel"},
                      {},
                      {}},
        SameBytesCase{"TriangularReach",
                      {"0", "1.5", "20", "2.25", "0.035", "500", "812.5", "0.25", "Mill Creek – reach 3"},
                      {},
                      {}},
        SameBytesCase{"SubstitutedBankAndIncrement",
                      {" 120", "0", "8", "0.75", "0.04", "40000", "-3", "0", "Tab\tin title"},
                      {},
                      {}},
        SameBytesCase{"CompoundSection",
                      {"50", "2", "5.28", "1", "0.035", "3000", "0.0", "0.5", "Compound"},
                      {{InputField::Shape, "section"},
                       {InputField::LeftBank, "100"},
                       {InputField::RightBank, "150"},
                       {InputField::LeftRoughness, "0.06"},
                       {InputField::RightRoughness, "0.08"}},
                      testing_support::kCompoundGround},
        SameBytesCase{"Pipe",
                      {"50", "2", "110", "5.5", "0.013", "250", "100", "0.1", "Culvert"},
                      {{InputField::Shape, "circle"}, {InputField::Diameter, "6"}},
                      {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExitCase {
  const char* name;
  friend void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }
  std::vector<std::string> arguments;
  int exitCode;
  std::string message;  // a part of standard error
};

class ExitCodes : public CliTest, public testing::WithParamInterface<ExitCase> {};

TEST_P(ExitCodes, SayWhatWentWrong) {
  const ProgramRun cli = RunCli(GetParam().arguments, dir_);
  EXPECT_EQ(cli.exitCode, GetParam().exitCode);
  EXPECT_TRUE(Contains(cli.err, GetParam().message)) << cli.err;
  if (GetParam().exitCode != 0) {
    EXPECT_EQ(cli.out, "");
  }
}

const std::vector<ExitCase> kExitCases = {
    ExitCase{"Defaults", {}, 0, ""},
    ExitCase{"Help", {"--help"}, 0, ""},
    ExitCase{"Version", {"--version"}, 0, ""},
    ExitCase{"RoutingOptionWithoutARoute",
             {"--time-step", "1h"},
             2,
             "--time-step belongs to a routing; give --route INFLOW.csv too."},
    ExitCase{"RouteInABatch",
             {"--batch", "a.csv", "--route", "in.csv"},
             2,
             "--route routes the flood of one reach; leave it out of a batch."},
    ExitCase{"MissingInflowFile", {"--route", "none.csv"}, 1, "Cannot read inflow file \"none.csv\""},
    ExitCase{"MissingPairsFile",
             {"--route", "none.csv", "--storage-outflow", "none.csv"},
             1,
             "Cannot read storage-outflow file \"none.csv\""},
    ExitCase{
        "RatingOptionWithPairs",
        {"--route", "in.csv", "--storage-outflow", "p.csv", "--width", "40"},
        2,
        "--width rates a reach; --storage-outflow routes through its pairs instead, so leave one of them "
        "out."},
    ExitCase{"RatingFileWithPairs",
             {"--route", "in.csv", "--storage-outflow", "p.csv", "--plot", "r.svg"},
             2,
             "--plot rates a reach; --storage-outflow routes through its pairs instead"},
    ExitCase{"PairsWithoutARoute",
             {"--storage-outflow", "p.csv"},
             2,
             "--storage-outflow belongs to a routing; give --route INFLOW.csv too."},
    ExitCase{"ZeroBankSlopeIsNoted",
             {"--bank", "0", "--output", "z.RAT"},
             0,
             "A Bank Slope run/rise of 0 is taken as 2."},
    ExitCase{"UnknownOption", {"--bogus"}, 2, "Unknown option 'bogus'."},
    ExitCase{"OptionTheShapeDoesNotUse",
             {"--shape", "rectangle", "--bank", "3"},
             2,
             "--bank is not used by a rectangle section; leave it out."},
    ExitCase{"DiameterOfATrapezoid", {"--diameter", "6"}, 2, "--diameter is not used by a trapezoid section"},
    ExitCase{"PointsOfAPipe",
             {"--shape", "circle", "--diameter", "6", "--section", "p.csv"},
             2,
             "--section is not used by a circle section"},
    ExitCase{"SurveyedWithoutPoints", {"--shape", "section"}, 2, "--shape section needs its ground points"},
    ExitCase{"MissingSectionFile",
             {"--shape", "section", "--section", "none.csv"},
             1,
             "Cannot read section file \"none.csv\""},
    ExitCase{"PipeTooSmall",
             {"--shape", "circle", "--diameter", "1", "--output", "pipe.RAT"},
             1,
             "Invalid argument: the pipe carries at most"},
    ExitCase{"MissingValue", {"--width"}, 2, "Missing value after '--width'."},
    ExitCase{"StrayArgument", {"50"}, 2, "Unexpected argument \"50\"."},
    ExitCase{"PlotWithBatch", {"--batch", "a.csv", "--plot", "a.svg"}, 2, "--plot"},
    // Failures of the rating run: the kind and the field or file pass
    // through; the full texts are reviewed in the engine's message catalogue.
    ExitCase{"BadField", {"--length", "5,5x"}, 1, "Type mismatch: Channel Length (mi)"},
    ExitCase{"ZeroFall", {"--fall", "0"}, 1, "Division by zero: row 1, travel time K"},
    ExitCase{"MissingBatchFile", {"--batch", "none.csv"}, 1, "Cannot read batch file \"none.csv\" in \""},
    ExitCase{
        "NoOutputName",
        {"--output", ""},
        1,
        "Cannot create rating file: Output Rating Filename is empty; type the name of the file to write."},
    ExitCase{"UnwritableOutput", {"--output", "/nope/x.RAT"}, 1, "Cannot create rating file \"/nope/x.RAT\""},
    ExitCase{"PairedDataIntoAMissingFolder",
             {"--paired-data", "/nope/p.csv"},
             1,
             "Cannot write paired data \"/nope/p.csv\""},
    ExitCase{"CsvWithBatch",
             {"--batch", "a.csv", "--csv", "t.csv"},
             2,
             "--csv names one file; in a batch, give a \"csv\" column."},
    ExitCase{"TwoOutputsOnStandardOutput",
             {"--output", "-", "--paired-data", "/dev/stdout"},
             2,
             "--output and --paired-data both name standard output; only one output can go there."},
    ExitCase{"ABatchPathThatIsAFolder", {"--batch", "."}, 1, "Cannot read batch file \".\" in \""},
#ifndef _WIN32
    ExitCase{"ExportOnAFullDisk",
             {"--csv", "/dev/full"},
             1,
             "Cannot write CSV table \"/dev/full\": No space left on device."},
    ExitCase{"PlotOnAFullDisk",
             {"--plot", "/dev/full", "--output", "full.RAT"},
             1,
             "Cannot write plot \"/dev/full\": No space left on device."},
    ExitCase{"ABatchPathThatIsAnAbsoluteFolder",
             {"--batch", "/tmp"},
             1,
             "Cannot read batch file \"/tmp\": Is a directory."},
#endif
};

INSTANTIATE_TEST_SUITE_P(Cli, ExitCodes, testing::ValuesIn(kExitCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What one run does at its edges: outputs that are one file, a failure
// among several outputs, standard output, and no toolkit. `setup` makes the
// folder's files first; "$PWD/" stands for the folder.
using Setup = void (*)(const fs::path& folder);

struct EdgeCase {
  const char* name;
  friend void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }
  Setup setup;
  std::vector<std::string> arguments;
  std::vector<std::string> environment;
  int exitCode;
  std::string err;                // a part of standard error, or "" for none at all
  std::string out;                // the start of standard output
  std::vector<std::string> kept;  // files that must hold "previous" afterwards
};

class Edges : public CliTest, public testing::WithParamInterface<EdgeCase> {};

std::string WithFolder(std::string text, const std::string& folder) {
  for (std::size_t at = text.find("$PWD/"); at != std::string::npos; at = text.find("$PWD/", at)) {
    text.replace(at, 5, folder + kSeparator);
  }
  return text;
}

void Previous(const fs::path& file) { WriteFile(file, "previous\n"); }

TEST_P(Edges, KeepEveryFileWholeAndSayWhy) {
  const std::string here = Utf8(fs::canonical(dir_));
  if (GetParam().setup != nullptr) GetParam().setup(dir_);
  std::vector<std::string> arguments;
  for (const std::string& argument : GetParam().arguments) arguments.push_back(WithFolder(argument, here));
  const ProgramRun cli = RunCli(arguments, dir_, GetParam().environment);
  EXPECT_EQ(cli.exitCode, GetParam().exitCode);
  if (GetParam().err.empty()) {
    EXPECT_EQ(cli.err, "");
  } else {
    EXPECT_TRUE(Contains(cli.err, WithFolder(GetParam().err, here))) << cli.err;
  }
  EXPECT_TRUE(cli.out.starts_with(GetParam().out)) << cli.out;
  if (GetParam().exitCode != 0) {
    EXPECT_EQ(cli.out, "");
  }
  for (const std::string& name : GetParam().kept) EXPECT_EQ(ReadFile(dir_ / name), "previous\n") << name;
  EXPECT_EQ(Leftovers(dir_), std::vector<std::string>{});
}

const std::vector<EdgeCase> kEdgeCases = {
    EdgeCase{"RatingFileNamedTwice",
             [](const fs::path& folder) { Previous(folder / "x.RAT"); },
             {"--output", "x.RAT", "--csv", "$PWD/x.RAT"},
             {},
             2,
             "--output and --csv both name \"$PWD/x.RAT\"",
             "",
             {"x.RAT"}},
    EdgeCase{"RoutedOverTheRatingFile",
             [](const fs::path& folder) {
               Previous(folder / "x.RAT");
               WriteFile(folder / "in.csv", TriangularInflowCsv());
             },
             {"--output", "x.RAT", "--route", "in.csv", "--routed", "x.RAT"},
             {},
             2,
             "--output and --routed both name \"$PWD/x.RAT\"",
             "",
             {"x.RAT"}},
    EdgeCase{"RoutedOverItsOwnInflow",
             [](const fs::path& folder) { Previous(folder / "in.csv"); },
             {"--route", "in.csv", "--routed", "in.csv"},
             {},
             2,
             "--routed names \"$PWD/in.csv\", which --route reads; give each output a file of its own.",
             "",
             {"in.csv"}},
    EdgeCase{"PlotOverThePairsRoutedThrough",
             [](const fs::path& folder) {
               Previous(folder / "p.csv");
               WriteFile(folder / "in.csv", TriangularInflowCsv());
             },
             {"--storage-outflow", "p.csv", "--route", "in.csv", "--hydrograph-plot", "p.csv"},
             {},
             2,
             "--hydrograph-plot names \"$PWD/p.csv\", which --storage-outflow reads",
             "",
             {"p.csv"}},
    EdgeCase{"OneOutputFailsNoneIsReplaced",
             [](const fs::path& folder) {
               fs::create_directory(folder / "d");
               Previous(folder / "a.RAT");
               Previous(folder / "a.svg");
             },
             {"--csv", "d", "--output", "a.RAT", "--plot", "a.svg", "--paired-data", "a.csv"},
             {},
             1,
             "Cannot write CSV table \"d\"",
             "",
             {"a.RAT", "a.svg"}},
    EdgeCase{
        "BatchSummaryGivesWayToStandardOutput",
        [](const fs::path& folder) { WriteFile(folder / "reaches.csv", "output,paired-data\nb.RAT,-\n"); },
        {"--batch", "reaches.csv"},
        {},
        0,
        "1 rated, 0 failed",
        "Storage (acre-ft),Outflow (cfs)",
        {}},
    EdgeCase{"APlotNeedsNoDisplay",
             nullptr,
             {"--title", "Mill Creek", "--output", "t.RAT", "--plot", "t.svg"},
             {"QT_QPA_PLATFORM=xcb", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"},
             0,
             "",
             "Elev     Area",
             {}},
    EdgeCase{
        "HelpNamesTheProgram", nullptr, {"--help"}, {}, 0, "", "Usage: trapezoid-rating-cli [options]", {}},
#ifdef _WIN32
    // Windows compares names without regard to case, and takes either slash.
    EdgeCase{"OneFileByTwoSpellings",
             [](const fs::path& folder) { Previous(folder / "a.RAT"); },
             {"--output", "a.RAT", "--csv", ".\\A.rat"},
             {},
             2,
             "--output and --csv both name \"$PWD/a.RAT\"",
             "",
             {"a.RAT"}},
    EdgeCase{"ANewFileByTwoSpellings",
             nullptr,
             {"--plot", "new.svg", "--paired-data", "./NEW.SVG"},
             {},
             2,
             "--plot and --paired-data both name \"$PWD/new.svg\"",
             "",
             {}},
#else
    EdgeCase{"ExportThroughALinkToAnother",
             [](const fs::path& folder) {
               Previous(folder / "real.csv");
               fs::create_symlink("real.csv", folder / "link.csv");
             },
             {"--csv", "real.csv", "--paired-data", "link.csv"},
             {},
             2,
             "--csv and --paired-data both name \"$PWD/real.csv\"",
             "",
             {"real.csv"}},
    EdgeCase{"StandardOutputByALink",
             [](const fs::path& folder) { fs::create_symlink("/dev/stdout", folder / "so"); },
             {"--csv", "so", "--output", "-"},
             {},
             2,
             "both name standard output",
             "",
             {}},
#endif
};

INSTANTIATE_TEST_SUITE_P(Cli, Edges, testing::ValuesIn(kEdgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ExportCase {
  const char* name;
  friend void PrintTo(const ExportCase& c, std::ostream* os) { *os << c.name; }
  std::string option;
  std::string target;
  std::string golden;
};

class Exports : public CliTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(Exports, MatchTheGoldenFiles) {
  const ProgramRun cli = RunCli({GetParam().option, GetParam().target}, dir_);
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  const std::string expected = ReadFile(kGolden / GetParam().golden);
  EXPECT_FALSE(expected.empty());
  const bool onStandardOutput = GetParam().target == "-";
  EXPECT_EQ(onStandardOutput ? cli.out : ReadFile(dir_ / GetParam().target), expected);
  // The listing gives way to a file on standard output.
  EXPECT_TRUE(Contains(onStandardOutput ? cli.err : cli.out, "Elev     Area     Velocity"));
  EXPECT_EQ(ReadFile(dir_ / "MyRating.RAT"), ReadFile(kGolden / "default.RAT"));
  EXPECT_EQ(Leftovers(dir_), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Exports,
    testing::Values(ExportCase{"CsvToAFile", "--csv", "table.csv", "default.csv"},
                    ExportCase{"CsvToStandardOutput", "--csv", "-", "default.csv"},
                    ExportCase{"PairedDataToAFile", "--paired-data", "pairs.csv", "default-paired.csv"},
                    ExportCase{"PairedDataToStandardOutput", "--paired-data", "-", "default-paired.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, RatingFileOnStandardOutputListsOnStandardError) {
  for (const char* name : {"-", "/dev/stdout"}) {
    const ProgramRun cli = RunCli({"--output", name}, dir_);
    ASSERT_EQ(cli.exitCode, 0) << name;
    EXPECT_EQ(cli.out, ReadFile(kGolden / "default.RAT")) << name;
    EXPECT_TRUE(Contains(cli.err, "Elev     Area     Velocity Flow     Storage  Cascades\n")) << name;
    EXPECT_TRUE(Contains(cli.err, "0.2      10.1     1.24     12.5     6.72     440      \n")) << name;
  }
}

// Names beyond ASCII, as options, in a batch table and as the table's own
// name, write the files they name, and messages print them whole.
TEST_F(CliTest, UnicodeNamesWorkAsOptionsAndInABatch) {
  const std::string single = "Straße «Süd» 水.RAT";
  const ProgramRun run = RunCli({"--output", single}, dir_);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(dir_ / FromUtf8(single)), ReadFile(kGolden / "default.RAT"));

  const std::string table = "水 reaches.csv";
  WriteFile(dir_ / FromUtf8(table), "output,plot\nü.RAT,ü.svg\n");
  const ProgramRun batch = RunCli({"--batch", table}, dir_);
  EXPECT_EQ(batch.exitCode, 0) << batch.err;
  EXPECT_EQ(ReadFile(dir_ / FromUtf8("ü.RAT")), ReadFile(kGolden / "default.RAT"));
  EXPECT_TRUE(ReadFile(dir_ / FromUtf8("ü.svg")).starts_with("<?xml"));

  const ProgramRun missing = RunCli({"--csv", "水/ü.csv"}, dir_);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(Contains(missing.err, "Cannot write CSV table \"水/ü.csv\"")) << missing.err;
}

// The cells of a line split at `separator`, blanks trimmed.
std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> cells;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, separator);) {
    const std::size_t first = cell.find_first_not_of(" \r");
    const std::size_t last = cell.find_last_not_of(" \r");
    cells.push_back(first == std::string::npos ? "" : cell.substr(first, last - first + 1));
  }
  return cells;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The exports of 200 random reaches, written by one batch, agree with the
// rating files written with them: the paired data are the rating file's
// storage and flow with the left-out rows removed, strictly increasing; the
// CSV table has every row, its flow and storage as the listing rounds them.
TEST_F(CliTest, ExportsAgreeWithTheRatingFileForRandomReaches) {
  std::mt19937 random(20261208);
  const auto uniform = [&random](double low, double high) {
    std::array<char, 32> text{};
    (void)std::snprintf(text.data(), text.size(), "%.4g",
                        std::uniform_real_distribution<double>(low, high)(random));
    return std::string(text.data());
  };
  std::string csv = "output,csv,paired-data,width,bank,fall,length,n,max-flow,invert,increment\n";
  constexpr int kReaches = 200;
  for (int i = 0; i < kReaches; ++i) {
    const std::string n = std::to_string(i);
    // Every fourth reach has fine depth steps, where rounding makes
    // successive rows equal.
    const std::string increment = i % 4 == 0 ? uniform(0.002, 0.02) : uniform(0.05, 1);
    csv += "r" + n + ".RAT,r" + n + ".csv,r" + n + ".pairs.csv," + uniform(0, 200) + "," + uniform(0, 4) +
           "," + uniform(1, 300) + "," + uniform(0.5, 20) + "," + uniform(0.012, 0.08) + "," +
           uniform(50, 20000) + "," + uniform(0, 900) + "," + increment + "\n";
  }
  WriteFile(dir_ / "reaches.csv", csv);
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  ASSERT_TRUE(cli.exitCode == 0 || cli.exitCode == 1) << cli.err;

  const std::vector<std::string> notes = Lines(cli.err);
  int compared = 0;
  int leftOutTotal = 0;
  for (int i = 0; i < kReaches; ++i) {
    const std::string n = std::to_string(i);
    const std::string rating = ReadFile(dir_ / ("r" + n + ".RAT"));
    if (rating.empty()) continue;  // a reach whose rating failed writes nothing
    std::vector<std::string> fileLines = Lines(rating);
    fileLines.erase(fileLines.begin(), fileLines.begin() + 2);  // the table lines
    std::vector<std::string> fileStorage;
    std::vector<std::string> fileFlow;
    for (const std::string& line : fileLines) {
      const std::vector<std::string> cells = Split(line, '\t');
      fileFlow.push_back(cells.at(1));
      fileStorage.push_back(cells.at(2));
    }

    std::vector<std::string> pairs = Lines(ReadFile(dir_ / ("r" + n + ".pairs.csv")));
    pairs.erase(pairs.begin());
    std::vector<std::string> keptStorage;
    std::vector<std::string> keptFlow;
    for (const std::string& line : pairs) {
      const std::vector<std::string> cells = Split(line, ',');
      keptStorage.push_back(cells.at(0));
      keptFlow.push_back(cells.at(1));
    }
    // The pairs are rows of the file, in order, strictly increasing, from
    // the dry channel to the top of the table; of equal rows the higher is kept.
    std::vector<int> leftOut;
    auto k = static_cast<std::ptrdiff_t>(keptFlow.size()) - 1;
    for (auto row = static_cast<std::ptrdiff_t>(fileFlow.size()) - 1; row >= 0; --row) {
      const auto r = static_cast<std::size_t>(row);
      if (k >= 0 && fileStorage[r] == keptStorage[static_cast<std::size_t>(k)] &&
          fileFlow[r] == keptFlow[static_cast<std::size_t>(k)]) {
        --k;
      } else {
        leftOut.insert(leftOut.begin(), static_cast<int>(row));
      }
    }
    ASSERT_EQ(leftOut.size(), fileFlow.size() - keptFlow.size()) << n;
    EXPECT_EQ(keptStorage.front(), "0");
    if (std::stod(fileStorage.back()) > 0) {
      EXPECT_EQ(keptStorage.back(), fileStorage.back());
      EXPECT_EQ(keptFlow.back(), fileFlow.back());
    }
    for (std::size_t j = 1; j < keptFlow.size(); ++j) {
      EXPECT_GT(std::stod(keptStorage[j]), std::stod(keptStorage[j - 1])) << n;
      EXPECT_GT(std::stod(keptFlow[j]), std::stod(keptFlow[j - 1])) << n;
    }
    // The batch said so in one line: the count, the first and the last row.
    const std::string prefix = "reaches.csv:" + std::to_string(i + 2) + ": ";
    std::vector<std::string> said;
    for (const std::string& note : notes) {
      if (note.starts_with(prefix) && Contains(note, "left out of the paired data")) said.push_back(note);
    }
    if (leftOut.empty()) {
      EXPECT_EQ(said, std::vector<std::string>{});
    } else if (leftOut.size() == 1) {
      EXPECT_EQ(said, std::vector<std::string>{prefix + "row " + std::to_string(leftOut.front()) +
                                               " left out of the paired data \"r" + n +
                                               ".pairs.csv\": storage and outflow must both increase."});
    } else {
      EXPECT_EQ(said, std::vector<std::string>{prefix + std::to_string(leftOut.size()) + " rows, " +
                                               std::to_string(leftOut.front()) + " to " +
                                               std::to_string(leftOut.back()) +
                                               ", left out of the paired data \"r" + n +
                                               ".pairs.csv\": storage and outflow must both increase."});
    }
    leftOutTotal += static_cast<int>(leftOut.size());

    const std::vector<std::string> table = Lines(ReadFile(dir_ / ("r" + n + ".csv")));
    ASSERT_EQ(table.size(), fileLines.size() + 1);  // and the header
    for (std::size_t row = 0; row < fileLines.size(); ++row) {
      const std::vector<std::string> cells = Split(table[row + 1], ',');
      ASSERT_EQ(cells.size(), 7U);
      const auto listed = [](const std::string& fileValue) {
        return PlainNumberText(RoundToThreeFigures(std::stof(fileValue)), ".");
      };
      EXPECT_EQ(cells.at(4), listed(fileFlow[row]));
      EXPECT_EQ(cells.at(5), listed(fileStorage[row]));
    }
    ++compared;
  }
  EXPECT_GT(compared, 150);
  EXPECT_GT(leftOutTotal, 0) << "no reach had rows left out";
}

TEST_F(CliTest, TheListingKeepsTheExponentOfAHugeValue) {
  const ProgramRun cli = RunCli(
      {"--width", "30000", "--length", "3000", "--max-flow", "3e7", "--increment", "5", "--output", "h.RAT"},
      dir_);
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_TRUE(Contains(cli.out, "\n195      5926050  5.21     3.087E+072.154E+091        \n")) << cli.out;
}

TEST_F(CliTest, RoutesAFloodThroughTheReachJustRated) {
  WriteFile(dir_ / "inflow.csv", TriangularInflowCsv());
  const ProgramRun cli =
      RunCli({"--route", "inflow.csv", "--routed", "routed.csv", "--output", "r.RAT"}, dir_);
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_TRUE(cli.out.starts_with("Elev     Area")) << "the listing stays on standard output";
  EXPECT_TRUE(Contains(cli.err,
                       "Routed 97 ordinates through 4 subreaches at a time step of 900 s.\n"
                       "Inflow peak 2500 cfs at 6 h; outflow peak 2429.85 cfs at 6.75 h.\n"))
      << cli.err;
  const std::string routed = ReadFile(dir_ / "routed.csv");
  EXPECT_TRUE(routed.starts_with(
      "Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n0.25,200,100.24701257341601\r\n"))
      << routed.substr(0, 200);
}

// The default channel converted to SI: its rating file as the golden one,
// its exports and the triangular flood in m3/s routed with SI headers; a
// batch rates each reach in the units of its own column.
TEST_F(CliTest, RatesAndRoutesInSi) {
  WriteFile(dir_ / "inflow.csv", testing_support::TriangularInflowInSiCsv());
  const ProgramRun cli = RunCli(
      {"--units",       "si",         "--width",      "15.24",       "--fall",   "33.528",    "--length",
       "8.851392",      "--max-flow", "84.950539776", "--increment", "0.06096",  "--csv",     "t.csv",
       "--paired-data", "p.csv",      "--route",      "inflow.csv",  "--routed", "routed.csv"},
      dir_);
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_EQ(ReadFile(dir_ / "MyRating.RAT"), ReadFile(fs::path(RATING_GOLDEN_DIR) / "default-si.RAT"));
  EXPECT_TRUE(cli.out.starts_with("Elev     Area     Velocity Flow     Storage  Cascades\n(m)      (m^2)"))
      << cli.out.substr(0, 120);
  EXPECT_TRUE(ReadFile(dir_ / "t.csv").starts_with("Depth (m),Elevation (m),Area (m2),"));
  EXPECT_TRUE(ReadFile(dir_ / "p.csv").starts_with("Storage (1000 m3),Outflow (m3/s)\r\n"));
  EXPECT_TRUE(ReadFile(dir_ / "routed.csv").starts_with("Time (h),Inflow (m3/s),Outflow (m3/s)\r\n"));
  // The same steps as in feet: the cascades keep their meaning.
  EXPECT_TRUE(Contains(cli.err,
                       "Routed 97 ordinates through 4 subreaches at a time step of 900 s.\n"
                       "Inflow peak 70.7921 m3/s at 6 h;"))
      << cli.err;

  WriteFile(dir_ / "reaches.csv",
            "units,width,fall,length,max-flow,increment,output\n"
            "us,50,110,5.5,3000,0.2,us.RAT\n"
            "si,15.24,33.528,8.851392,84.950539776,0.06096,si.RAT\n"
            "metric,15.24,33.528,8.851392,84.950539776,0.06096,bad.RAT\n");
  const ProgramRun batch = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_TRUE(Contains(batch.err, "Units \"metric\" is not a system of units; it is us or si.")) << batch.err;
  EXPECT_EQ(ReadFile(dir_ / "us.RAT"), ReadFile(fs::path(RATING_GOLDEN_DIR) / "default.RAT"));
  EXPECT_EQ(ReadFile(dir_ / "si.RAT"), ReadFile(fs::path(RATING_GOLDEN_DIR) / "default-si.RAT"));
  EXPECT_FALSE(fs::exists(dir_ / "bad.RAT"));
}

TEST_F(CliTest, AFloodAboveTheRatingWritesNothing) {
  WriteFile(dir_ / "inflow.csv", TriangularInflowCsv());
  const ProgramRun cli = RunCli(
      {"--route", "inflow.csv", "--routed", "routed.csv", "--max-flow", "1000", "--output", "r.RAT"}, dir_);
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_TRUE(Contains(cli.err,
                       "Cannot route: ordinate 12, at 2.75 h, inflow 1200 cfs, routes above the highest "
                       "pair of the storage-outflow table, 1050 cfs; raise the Maximum Flow of the rating."))
      << cli.err;
  EXPECT_EQ(FileNames(dir_), std::vector<std::string>{"inflow.csv"});
}

// The published example through the command line: pairs from a file, no
// rating, and each number of subreaches peaking as published.
TEST_F(CliTest, RoutesThePublishedExampleThroughPairsFromAFile) {
  WriteFile(dir_ / "inflow.csv", PonceInflowCsv());
  WriteFile(dir_ / "pairs.csv", PoncePairsCsv());
  for (const auto& [subreaches, peak] : {std::pair{"1", "757.641"}, {"2", "814.251"}, {"4", "868.75"}}) {
    const ProgramRun cli = RunCli(
        {"--route", "inflow.csv", "--storage-outflow", "pairs.csv", "--time-step", "1h", "--initial-outflow",
         "100", "--subreaches", subreaches, "--routed", "-", "--hydrograph-plot", "flood.svg"},
        dir_);
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    EXPECT_TRUE(Contains(cli.err, std::string("outflow peak ") + peak + " cfs at 7 h")) << cli.err;
    EXPECT_TRUE(cli.out.starts_with("Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n1,150,")) << cli.out;
    EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"flood.svg", "inflow.csv", "pairs.csv"}))
        << "no rating file without a rating";
  }
  const std::string plot = ReadFile(dir_ / "flood.svg");
  EXPECT_TRUE(Contains(plot, "<title>Flood routed through pairs.csv</title>"));
  EXPECT_TRUE(Contains(plot, ">peak 868.75 cfs at 7 h</text>"));
}

// A pairs file that breaks the rules is refused at the row that breaks them.
TEST_F(CliTest, APairsFileIsRefusedAtItsBadRow) {
  WriteFile(dir_ / "inflow.csv", PonceInflowCsv());
  WriteFile(dir_ / "pairs.csv", "Storage,Outflow\n0,0\n10,50\n8,60\n");
  const ProgramRun cli = RunCli(
      {"--route", "inflow.csv", "--storage-outflow", "pairs.csv", "--time-step", "1h", "--routed", "r.csv"},
      dir_);
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_TRUE(Contains(cli.err,
                       "pairs.csv: Cannot route: row 4: storage 8 acre-ft is not above the 10 acre-ft "
                       "of the row before; storage must increase."))
      << cli.err;
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"inflow.csv", "pairs.csv"}));
}

// A batch routes each reach that names an inflow, with its own settings.
TEST_F(CliTest, BatchRoutesEachReachThatNamesAnInflow) {
  WriteFile(dir_ / "inflow.csv", TriangularInflowCsv());
  WriteFile(dir_ / "reaches.csv",
            "title,output,route,subreaches,routed,hydrograph-plot\n"
            "Routed,a.RAT,inflow.csv,2,a-routed.csv,a.svg\n"
            "Not routed,b.RAT,,,,\n"
            "No subreaches,c.RAT,inflow.csv,0,c-routed.csv,\n");
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_TRUE(Contains(cli.err, "Routed 97 ordinates through 2 subreaches")) << cli.err;
  EXPECT_TRUE(Contains(cli.err, "reaches.csv:4: --subreaches \"0\" is not a whole number")) << cli.err;
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"a-routed.csv", "a.RAT", "a.svg", "b.RAT",
                                                       "inflow.csv", "reaches.csv"}));
}

// A batch rates each reach's own section from its columns: a blank cell of
// a field the shape does not use is not given, a filled one fails its reach,
// and a
// surveyed reach reads its points and writes them back as it rated them.
TEST_F(CliTest, BatchRatesEachReachsSection) {
  WriteFile(dir_ / "points.csv", "x;y\n0;10\n10;6\n100;6\n110;0\n140;0\n150;6\n250;6\n260;10\n");
  WriteFile(dir_ / "reaches.csv",
            "shape,width,bank,diameter,section,left-bank,right-bank,n,n-left,n-right,fall,length,increment,"
            "output,section-csv\n"
            "rectangle,20,,,,,,0.015,,,110,5.5,0.2,r.RAT,\n"
            "circle,,,15,,,,0.013,,,110,5.5,0.1,c.RAT,\n"
            "rectangle,20,3,,,,,0.015,,,110,5.5,0.2,bad.RAT,\n"
            "section,,,,points.csv,100,150,0.035,0.06,0.08,5.28,1,0.5,s.RAT,s-points.csv\n");
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_TRUE(Contains(cli.err, "reaches.csv:4: --bank is not used by a rectangle section")) << cli.err;
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"c.RAT", "points.csv", "r.RAT", "reaches.csv",
                                                       "s-points.csv", "s.RAT"}));
  EXPECT_TRUE(
      ReadFile(dir_ / "r.RAT")
          .starts_with(
              "South Street Channel\r\nElv Cfs Acft Cascades, Rectangle BW=20 Fall=110 ChL=5.5 n=0.015\r\n"));
  EXPECT_TRUE(
      ReadFile(dir_ / "c.RAT")
          .starts_with(
              "South Street Channel\r\nElv Cfs Acft Cascades, Circle D=15 Fall=110 ChL=5.5 n=0.013\r\n"));
  // The semicolons' decimals were the user's "."; the points come back in
  // the section file's own format, which reads back to the same rating.
  EXPECT_EQ(ReadFile(dir_ / "s-points.csv"), GroundLineText(testing_support::kCompoundGround));
  EXPECT_EQ(ReadFile(dir_ / "s.RAT"), ReadFile(fs::path(RATING_GOLDEN_DIR) / "compound-section.RAT"));
}

// A killed run leaves a hidden unfinished copy; the next write to the file
// says so, and leaves it for the user, who may know of another writer.
TEST_F(CliTest, UnfinishedCopiesOfAFileAreNotedAndKept) {
  WriteFile(dir_ / ".p.csv.Ab12Cd.partial", "half");
  const ProgramRun cli = RunCli({"--paired-data", "p.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_TRUE(
      Contains(cli.err,
               "An unfinished copy of \"p.csv\", left by a write that was stopped, is hidden beside it "
               "as \".p.csv.*.partial\"; it can be deleted."))
      << cli.err;
  EXPECT_EQ(Leftovers(dir_), std::vector<std::string>{".p.csv.Ab12Cd.partial"});
}

TEST_F(CliTest, HelpNamesEveryOption) {
  const std::string help = RunCli({"--help"}, dir_).out;
  // One-letter options are listed with one dash ("-n") and accept two.
  for (const FieldFacts& facts : kFields) {
    const std::string listed = facts.option.size() == 1 ? OptionOf(facts).substr(1) : OptionOf(facts);
    EXPECT_TRUE(Contains(help, listed + " <")) << listed;
  }
  EXPECT_TRUE(Contains(help, "--batch"));
  EXPECT_TRUE(Contains(help, "--plot"));
  // Help is for reading, in Notepad too: the system's own line ends throughout.
#ifdef _WIN32
  std::string unix = help;
  for (std::size_t at = unix.find("\r\n"); at != std::string::npos; at = unix.find("\r\n", at))
    unix.erase(at, 1);
  EXPECT_EQ(unix.size() + std::count(unix.begin(), unix.end(), '\n'), help.size()) << "a line without CR LF";
#else
  EXPECT_FALSE(Contains(help, "\r"));
#endif
}

TEST_F(CliTest, HelpAllPrintsHelpAndWritesNothing) {
  const ProgramRun cli = RunCli({"--help-all"}, dir_);
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_TRUE(Contains(cli.out, "--batch"));
  EXPECT_EQ(FileNames(dir_), std::vector<std::string>{});
}

TEST_F(CliTest, BatchGoesOnPastABadRowAndNamesItsLine) {
  WriteFile(dir_ / "reaches.csv",
            "Title,Width,Fall,Output\n"
            "\"Smith Creek, upper \"\"A\"\"\",40,100,s1.RAT\n"
            "\"Two\n"
            "lines\",45,90,s2.RAT\n"
            "\n"
            "Bad reach,abc,100,s3.RAT\n"
            "Short row,30\n"
            "Last,30,50,s5.RAT\n");
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_EQ(cli.out, "2 rated, 3 failed\n");
  EXPECT_TRUE(Contains(cli.err,
                       "reaches.csv:3: Invalid text: Title Line contains a line break; it must be one line."))
      << cli.err;
  EXPECT_TRUE(Contains(cli.err, "reaches.csv:6: Type mismatch: Bottom Width (ft) \"abc\" is not a number."))
      << cli.err;
  EXPECT_TRUE(Contains(cli.err, "reaches.csv:7: ")) << cli.err;
  EXPECT_TRUE(ReadFile(dir_ / "s1.RAT").starts_with("Smith Creek, upper \"A\"\r\n"));
  EXPECT_TRUE(Contains(ReadFile(dir_ / "s1.RAT"), "BW=40 SideS=2 Fall=100 ChL=5.5"));
  EXPECT_FALSE(fs::exists(dir_ / "s2.RAT"));
  EXPECT_FALSE(fs::exists(dir_ / "s3.RAT"));
  EXPECT_TRUE(fs::exists(dir_ / "s5.RAT"));
}

// Progress goes to a terminal that someone watches, never into a file or a
// pipe that a script reads.
TEST_F(CliTest, LargeBatchReportsProgressOnATerminalOnly) {
  std::string csv = "output,max-flow\n";
  for (int i = 0; i < 12; ++i) {
    csv.append((dir_ / std::string("r").append(std::to_string(i)).append(".RAT")).string()).append(",500\n");
  }
  WriteFile(dir_ / "reaches.csv", csv);
  const ProgramRun piped = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(piped.exitCode, 0);
  EXPECT_EQ(piped.out, "12 rated, 0 failed\n");
  EXPECT_FALSE(Contains(piped.err, "rated 12 of 12 reaches")) << piped.err;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(cli::RunCommandLine({"trapezoid-rating-cli", "--batch", (dir_ / "reaches.csv").string()}, ".",
                                out, err, true),
            cli::kExitSuccess);
  EXPECT_EQ(out.str(), "12 rated, 0 failed\n");
  EXPECT_TRUE(Contains(err.str(), "rated 12 of 12 reaches")) << err.str();
}

#ifndef _WIN32
// The plot is XML that parsers read whatever the title holds.
TEST_F(CliTest, PlotIsAnSvgThatNamesItsAxes) {
  const std::string title = "Smith & Jones <Creek> \"upper\"";
  const ProgramRun cli = RunCli({"--plot", "rating.svg", "--output", "plot.RAT", "--title", title}, dir_);
  ASSERT_EQ(cli.exitCode, 0);
  const testing_support::SvgContents svg = testing_support::ReadSvg(ReadFile(dir_ / "rating.svg"));
  EXPECT_EQ(svg.error, "");
  EXPECT_EQ(svg.root, "svg");
  for (const char* expected :
       {"Flow (cfs)", "Storage (acre-ft)", "Elevation (ft)", "Outflow (cfs)",
        "Smith & Jones <Creek> \"upper\"",
        "Bottom width 50 ft, side slopes 2:1, fall 110 ft over 5.5 mi, n = 0.025", "0", "1000", "3000"}) {
    EXPECT_NE(std::find(svg.texts.begin(), svg.texts.end(), expected), svg.texts.end()) << expected;
  }
}

#endif

TEST_F(CliTest, BatchPlotColumnDrawsOnePlotPerReach) {
  WriteFile(dir_ / "reaches.csv", "output,plot,width\na.RAT,a.svg,40\nb.RAT,,50\nc.RAT,/nope/c.svg,60\n");
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_TRUE(fs::exists(dir_ / "a.svg"));
  EXPECT_TRUE(Contains(cli.err, "reaches.csv:4: Cannot write plot \"/nope/c.svg\"")) << cli.err;
}

// A batch killed at random moments leaves every rating file either absent
// or complete, and nothing else but hidden leftovers.
TEST_F(CliTest, AKilledBatchLeavesCompleteFilesOrNone) {
  std::string csv = "title,width,output\n";
  for (int i = 0; i < 300; ++i) {
    csv += "Reach " + std::to_string(i) + "," + std::to_string(40 + i % 20) + ",r" + std::to_string(i) +
           ".RAT\n";
  }
  const fs::path reference = dir_ / "reference";
  fs::create_directory(reference);
  WriteFile(reference / "reaches.csv", csv);
  ASSERT_EQ(RunCli({"--batch", "reaches.csv"}, reference).exitCode, 0);

  for (const int delay : {5, 20, 40, 80, 160}) {
    const fs::path killed = dir_ / ("killed-" + std::to_string(delay));
    fs::create_directory(killed);
    WriteFile(killed / "reaches.csv", csv);
    testing_support::RunProgram(RATING_CLI_PATH, {"--batch", "reaches.csv"}, killed, {},
                                std::chrono::milliseconds(delay));
    for (const std::string& name : FileNames(killed)) {
      if (name == "reaches.csv") continue;
      if (name.starts_with('.')) {
        EXPECT_TRUE(name.ends_with(".partial")) << name;
      } else {
        EXPECT_EQ(ReadFile(killed / name), ReadFile(reference / name)) << name;
      }
    }
  }
}

TEST_F(CliTest, APlotThatCannotBeWrittenKeepsThePreviousPlot) {
  const fs::path path = dir_ / "kept.svg";
  const fs::path rating = dir_ / "kept.RAT";
  WriteFile(path, "<svg>previous</svg>");
  WriteFile(rating, "previous rating\r\n");
  // The rating file is finished first; the plot's bytes fail to reach its
  // temporary file, as on a full disk.
  static int written = 0;
  written = 0;
  SetWriteStepHookForTesting([](WriteStep step) {
    if (step == WriteStep::DataWritten && ++written == 2)
      throw std::system_error(ENOSPC, std::generic_category());
  });
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::RunCommandLine(
      {"trapezoid-rating-cli", "--plot", path.string(), "--output", rating.string()}, ".", out, err);
  SetWriteStepHookForTesting(nullptr);
  EXPECT_EQ(status, cli::kExitFailure);
  EXPECT_TRUE(err.str().starts_with("Cannot write plot \"" + path.string() + "\": No space left on device."))
      << err.str();
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(ReadFile(path), "<svg>previous</svg>");
  EXPECT_EQ(ReadFile(rating), "previous rating\r\n");
  EXPECT_EQ(Leftovers(dir_), std::vector<std::string>{});
}

struct RefusedBatchCase {
  const char* name;
  friend void PrintTo(const RefusedBatchCase& c, std::ostream* os) { *os << c.name; }
  std::string csv;
  std::string message;  // after the resolved folder and a separator
};

class RefusedBatches : public CliTest, public testing::WithParamInterface<RefusedBatchCase> {};

TEST_P(RefusedBatches, WriteNothingAndNameTheFileTheyWouldWriteTwice) {
  fs::create_directory(dir_ / "sub");
  WriteFile(dir_ / "reaches.csv", GetParam().csv);
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, 2);
  EXPECT_TRUE(Contains(cli.err, "Batch refused \"reaches.csv\": \"" + Utf8(fs::canonical(dir_)) + kSeparator +
                                    GetParam().message))
      << cli.err;
  EXPECT_EQ(cli.out, "");
  EXPECT_EQ(FileNames(dir_), std::vector<std::string>{"reaches.csv"});
  EXPECT_EQ(ReadFile(dir_ / "reaches.csv"), GetParam().csv);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RefusedBatches,
    testing::Values(
        RefusedBatchCase{"NoOutputColumn", "title\nA\nB\nC\n",
                         "MyRating.RAT\" is the rating file of lines 2, 3 and 4."},
        RefusedBatchCase{"TwoRowsNameOneFile", "output\na.RAT\nb.RAT\nsub/../a.RAT\n",
                         "a.RAT\" is the rating file of lines 2 and 4."},
        RefusedBatchCase{"ARowNamesTheBatchFile", "output\nreaches.csv\n",
                         "reaches.csv\" is the batch file and the rating file of line 2."},
        RefusedBatchCase{"APlotAndARatingFileShareAName", "output,plot\na.RAT,b.svg\nb.svg,\n",
                         "b.svg\" is the rating file of line 3 and the plot of line 2."},
        RefusedBatchCase{"ACsvTableAndPairedDataShareAName",
                         "output,csv,paired-data\na.RAT,t.csv,p.csv\nb.RAT,c.csv,t.csv\n",
                         "t.csv\" is the CSV table of line 2 and the paired data of line 3."},
        RefusedBatchCase{"ARoutedHydrographAndAPlotShareAName",
                         "output,route,routed,hydrograph-plot\na.RAT,in.csv,h.csv,\n"
                         "b.RAT,in.csv,b.csv,h.csv\n",
                         "h.csv\" is the routed hydrograph of line 2 and the hydrograph plot of line 3."},
        RefusedBatchCase{"ARowRoutesOverTheInflowOfOthers",
                         "output,route,routed\na.RAT,in.csv,a.csv\nb.RAT,in.csv,in.csv\n",
                         "in.csv\" is the inflow of lines 2 and 3 and the routed hydrograph of line 3."}),
    [](const auto& info) { return std::string(info.param.name); });

// ASCII text as UTF-16, little end first, after its byte order mark.
std::string Utf16LittleEndian(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes.append({c, '\0'});
  return bytes;
}

struct BatchTableCase {
  const char* name;
  friend void PrintTo(const BatchTableCase& c, std::ostream* os) { *os << c.name; }
  std::string csv;
  int exitCode;
  std::string message;
};

class BatchTables : public CliTest, public testing::WithParamInterface<BatchTableCase> {};

TEST_P(BatchTables, AreReadAsSpreadsheetsAndUsersMakeThem) {
  WriteFile(dir_ / "reaches.csv", GetParam().csv);
  const ProgramRun cli = RunCli({"--batch", "reaches.csv"}, dir_);
  EXPECT_EQ(cli.exitCode, GetParam().exitCode);
  EXPECT_TRUE(Contains(cli.err, GetParam().message)) << cli.err;
  if (GetParam().exitCode == 0) {
    EXPECT_TRUE(Contains(ReadFile(dir_ / "a.RAT"), "BW=40"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BatchTables,
    testing::Values(
        BatchTableCase{"ByteOrderMark", "\xEF\xBB\xBFoutput,width\na.RAT,40\n", 0, ""},
        BatchTableCase{"SemicolonsOfAGermanSpreadsheet",
                       "output;width;title\na.RAT;40;\"Nord; S\u00fcd, 2\"\n", 0, ""},
        BatchTableCase{"UnclosedQuote", "output,title\na.RAT,fine\nb.RAT,\"never closed\n", 1,
                       "line 3: a quoted cell that starts on this line is never closed."},
        BatchTableCase{"StrayQuote", "output,title\na.RAT,5\" high\n", 1,
                       "line 2: a quote inside a cell that is not quoted"},
        BatchTableCase{"ShortRow", "output,title\na.RAT,fine\nb.RAT\n", 1,
                       "reaches.csv:3: Malformed row: the row has 1 cell and the header names 2 columns."},
        BatchTableCase{"UnknownColumn", "width,depth\n50,2\n", 1, "line 1: unknown column \"depth\""},
        BatchTableCase{"TwoRowsOnStandardOutput", "output\n-\n-\n", 2,
                       "\"standard output (-)\" is the rating file of lines 2 and 3."},
        // As Windows Excel saves "Unicode text" and its ANSI "CSV".
        BatchTableCase{"Utf16LittleEndian", Utf16LittleEndian("output,width\na.RAT,40\n"), 0, ""},
        BatchTableCase{
            "Windows1252",
            "output,width\na.RAT,40\nb.RAT,30\n\"Stra\xDF"
            "e Nord\",20\n",
            1,
            "reaches.csv\": line 4: the text is neither UTF-8 nor UTF-16; save the table as \"CSV UTF-8 "
            "(Comma delimited)\"."}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// Under a real comma locale the defaults are numbers, and a fall typed
// with a comma gives the cascades that the same fall gives with a point.
TEST_F(CliTest, CommaLocaleDefaultsAndCascades) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    if (std::getenv("RATING_REQUIRE_LOCALES") != nullptr) {
      FAIL() << "de_DE.UTF-8 is missing; generate it with: localedef -i de_DE -f UTF-8 de_DE.UTF-8";
    }
    GTEST_SKIP() << "de_DE.UTF-8 is not generated on this machine";
  }
  std::setlocale(LC_ALL, "C");
  const std::vector<std::string> german{"LC_ALL=de_DE.UTF-8"};
  const ProgramRun defaults = RunCli({"--output", "de-defaults.RAT"}, dir_, german);
  EXPECT_EQ(defaults.exitCode, 0);
  EXPECT_TRUE(Contains(defaults.out, "0,2      10,1     1,24     12,5     6,72     440")) << defaults.err;
  EXPECT_TRUE(Contains(RunCli({"--help"}, dir_, german).out, "5,5"));

  const ProgramRun comma = RunCli({"--fall", "0,5", "--output", "comma.RAT"}, dir_, german);
  const ProgramRun point = RunCli({"--fall", "0.5", "--output", "point.RAT"}, dir_, {"LC_ALL=C"});
  EXPECT_EQ(comma.exitCode, 0);
  EXPECT_EQ(point.exitCode, 0);
  std::string pointAsComma = ReadFile(dir_ / "point.RAT");
  std::replace(pointAsComma.begin(), pointAsComma.end(), '.', ',');
  EXPECT_EQ(ReadFile(dir_ / "comma.RAT"), pointAsComma);
  EXPECT_TRUE(Contains(pointAsComma, "\t 27,8 \r\n")) << "row 1 counts the fall's fraction";
}
#endif

}  // namespace
}  // namespace rating
