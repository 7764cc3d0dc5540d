#include "output/rating_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <unistd.h>  // geteuid, setuid: file-permission cases run as an ordinary user
#include <vector>

#include "engine/channel_parameters.h"
#include "engine/failure.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/field_texts.h"
#include "tests/support/full_disk.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::WriteFile;

RatingTable DefaultTable(const char* separator = ".") {
  const ChannelParameters channel = ReadChannelParameters(DefaultFieldTexts(separator), separator);
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
  return table;
}

std::vector<RatingFileRow> RowsOf(const RatingTable& table) {
  std::vector<RatingFileRow> rows;
  for (int j = 0; j <= table.lastRow; ++j) rows.push_back(RatingFileRowOf(table, j));
  return rows;
}

// The default rating file as a press lays it out.
std::string DefaultFileText(const char* separator = ".") {
  return RatingFileText("South Street Channel", ParameterLine("50", "2", "110", "5.5", "0.025"),
                        RowsOf(DefaultTable(separator)), separator);
}

void WriteDefaultFile(const std::string& name, const char* separator = ".") {
  RatingFileWriter writer;
  writer.Open(name);
  writer.WriteText(DefaultFileText(separator));
  writer.Close();
}

// A fresh folder that an ordinary user may write in.
class RatingFileTest : public testing::Test {
 protected:
  RatingFileTest() : folder_(FolderName()), dir_(folder_.Path()) {}

  // One folder per test; a parameterised test's name holds a "/".
  static std::string FolderName() {
    std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    return "rating-file-test-" + name;
  }

  // Names of the files in the folder, to see that no temporary file stays.
  std::string Listing() const {
    std::string names;
    for (const auto& entry : fs::directory_iterator(dir_)) names += entry.path().filename().string() + ";";
    return names;
  }
  testing_support::ScratchFolder folder_;
  fs::path dir_;
};

TEST_F(RatingFileTest, DefaultFileMatchesTheGoldenFileByteForByte) {
  const fs::path name = dir_ / "MyRating.RAT";
  WriteDefaultFile(name);
  const std::string golden = ReadFile(fs::path(RATING_GOLDEN_DIR) / "default.RAT");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(ReadFile(name), golden);
  EXPECT_EQ(Listing(), "MyRating.RAT;");
}

TEST_F(RatingFileTest, CommaLocaleWritesCommas) {
  const fs::path name = dir_ / "comma.RAT";
  WriteDefaultFile(name, ",");
  const std::string text = ReadFile(name);
  EXPECT_NE(text.find("\r\n 0,2 \t 12,5 \t 6,72 \t 440 \r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\n 5,2 \t 3030 \t 209 \t 1,22 \r\n"), std::string::npos) << text;
}

// Line 2 of every section, from its fields as typed: a blank bank is its
// end's station in the fields' decimals, a blank overbank n the channel's.
struct ParameterLineCase {
  const char* name;
  friend void PrintTo(const ParameterLineCase& c, std::ostream* os) { *os << c.name; }
  std::vector<testing_support::FieldEdit> edits;
  const char* separator;
  const char* line;
};

class ParameterLines : public testing::TestWithParam<ParameterLineCase> {};

TEST_P(ParameterLines, NameTheSectionAndItsFieldsAsTyped) {
  const FieldTexts texts = testing_support::TextsWith(GetParam().edits);
  const std::vector<GroundPoint> ground = {{-12.5, 10}, {20, 0}, {70, 0}, {145.25, 10}};
  EXPECT_EQ(ParameterLine(texts, ReadChannelParameters(texts, GetParam().separator, ground)),
            GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ParameterLines,
    testing::Values(
        ParameterLineCase{
            "Trapezoid", {}, ".", "Elv Cfs Acft Cascades, BW=50 SideS=2 Fall=110 ChL=5.5 n=0.025"},
        ParameterLineCase{"Rectangle",
                          {{InputField::Shape, "rectangle"},
                           {InputField::BottomWidth, "20"},
                           {InputField::Roughness, "0.015"}},
                          ".",
                          "Elv Cfs Acft Cascades, Rectangle BW=20 Fall=110 ChL=5.5 n=0.015"},
        ParameterLineCase{
            "Circle",
            {{InputField::Shape, "Circle"}, {InputField::Diameter, " 6"}, {InputField::Roughness, "0.013"}},
            ".",
            "Elv Cfs Acft Cascades, Circle D= 6 Fall=110 ChL=5.5 n=0.013"},
        ParameterLineCase{"SurveyedWithItsDefaults",
                          {{InputField::Shape, "section"}},
                          ".",
                          "Elv Cfs Acft Cascades, Section 4 points, banks -12.5 to 145.25, Fall=110 ChL=5.5 "
                          "n=0.025/0.025/0.025"},
        ParameterLineCase{"SurveyedInCommas",
                          {{InputField::Shape, "section"},
                           {InputField::Length, "5,5"},
                           {InputField::Roughness, "0,035"},
                           {InputField::LeftBank, "20"},
                           {InputField::RightRoughness, "0,08"},
                           {InputField::Increment, "0,2"}},
                          ",",
                          "Elv Cfs Acft Cascades, Section 4 points, banks 20 to 145,25, Fall=110 ChL=5,5 "
                          "n=0,035/0,035/0,08"},
        // In SI the columns' units change, and the fields stand as typed.
        ParameterLineCase{
            "SiTrapezoid",
            {{InputField::Units, "si"}, {InputField::BottomWidth, "15.24"}, {InputField::Fall, "33.528"}},
            ".",
            "Elv Cms 1000m3 Cascades, BW=15.24 SideS=2 Fall=33.528 ChL=5.5 n=0.025"},
        ParameterLineCase{
            "SiSurveyed",
            {{InputField::Units, "si"}, {InputField::Shape, "section"}, {InputField::RightBank, "70"}},
            ".",
            "Elv Cms 1000m3 Cascades, Section 4 points, banks -12.5 to 70, Fall=110 ChL=5.5 "
            "n=0.025/0.025/0.025"}),
    [](const testing::TestParamInfo<ParameterLineCase>& info) { return std::string(info.param.name); });

TEST_F(RatingFileTest, TitleAndParametersAreWrittenAsTyped) {
  const fs::path name = dir_ / "title.RAT";
  RatingTable table = DefaultTable();
  RatingFileWriter writer;
  writer.Open(name);
  writer.WriteText(RatingFileText("Bach\tGraben – Straße 5 «Süd»",
                                  ParameterLine(" 50", "0", "1,5e2", "5.50", ""), {RatingFileRowOf(table, 0)},
                                  "."));
  writer.Close();
  EXPECT_EQ(ReadFile(name),
            "Bach\tGraben – Straße 5 «Süd»\r\n"
            "Elv Cfs Acft Cascades, BW= 50 SideS=0 Fall=1,5e2 ChL=5.50 n=\r\n"
            " 0 \t 0 \t 0 \t 0 \r\n");
}

TEST_F(RatingFileTest, RowsAreRoundedToThreeFiguresAndNegativesTakeTheSign) {
  RatingTable table;
  table.lastRow = 1;
  table.elevation[1] = -1.25F;
  table.flow[1] = 9.949999F;
  table.storage[1] = -0.123456F;
  table.cascades[1] = 1234.5F;
  const RatingFileRow row = RatingFileRowOf(table, 1);
  EXPECT_EQ(RatingFileText("", "", {row}, "."), "\r\n\r\n-1.25 \t 9.95 \t-0.123 \t 1230 \r\n");
  EXPECT_EQ(row.flow, 9.95F);
  EXPECT_EQ(row.storage, -0.123F);
  EXPECT_EQ(row.cascades, 1230.0F);
  EXPECT_EQ(row.elevation, -1.25F) << "the elevation is not rounded";
  EXPECT_EQ(table.flow[1], 9.949999F) << "the table keeps the computed value";
}

TEST_F(RatingFileTest, RunningTwiceReplacesTheFileAndKeepsItsPermissions) {
  const fs::path name = dir_ / "twice.RAT";
  WriteFile(name, std::string(5000, 'x'));
  fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteDefaultFile(name);
  WriteDefaultFile(name);
  EXPECT_EQ(ReadFile(name), ReadFile(fs::path(RATING_GOLDEN_DIR) / "default.RAT"));
  EXPECT_EQ(fs::status(name).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Listing(), "twice.RAT;");
}

TEST_F(RatingFileTest, ASymbolicLinkIsWrittenThrough) {
  fs::create_directory(dir_ / "real");
  fs::create_symlink("real/target.RAT", dir_ / "link.RAT");
  WriteDefaultFile(dir_ / "link.RAT");
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.RAT"));
  EXPECT_EQ(ReadFile(dir_ / "real" / "target.RAT"), ReadFile(fs::path(RATING_GOLDEN_DIR) / "default.RAT"));
}

TEST_F(RatingFileTest, AFailureAfterOpenLeavesThePreviousFileByteIdentical) {
  const fs::path name = dir_ / "keep.RAT";
  const std::string previous = "previous rating\r\n 0 \t 0 \t 0 \t 0 \r\n";
  WriteFile(name, previous);
  const ChannelParameters channel =
      ReadChannelParameters(testing_support::TextsWith({{InputField::Fall, "0"}}), ".");
  {
    RatingFileWriter writer;
    writer.Open(name);
    RatingTable table = CreateRatingTable(channel);
    EXPECT_THROW(ComputeRatingTable(channel, table), RatingFailure);
  }
  EXPECT_EQ(ReadFile(name), previous);
  EXPECT_EQ(Listing(), "keep.RAT;");
}

TEST_F(RatingFileTest, AFailureAfterOpenLeavesNoFileWhereThereWasNone) {
  {
    RatingFileWriter writer;
    writer.Open(dir_ / "new.RAT");
    writer.WriteText("abandoned\r\n");
  }
  EXPECT_EQ(Listing(), "");
}

// Runs `check` as an ordinary user when the tests run as root, who may write
// anywhere, so that permission failures are real.
void ExpectAsOrdinaryUser(const std::function<bool()>& check) {
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
        std::_Exit(check() ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

struct OpenFailureCase {
  const char* name;
  std::function<std::string(const fs::path& dir)> prepare;  // returns the name to open
  std::string reason;
  bool asOrdinaryUser;
  friend void PrintTo(const OpenFailureCase& c, std::ostream* os) { *os << c.name; }
};

class OpenFailures : public RatingFileTest, public testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailures, FailBeforeWritingAndLeaveEverythingAsItWas) {
  const OpenFailureCase& c = GetParam();
  const std::string name = c.prepare(dir_);
  const std::string before = Listing();
  std::error_code noFile;
  const std::string previous = fs::is_regular_file(name, noFile) ? ReadFile(name) : "";
  const auto check = [&] {
    std::string shown = name;
    if (const auto nul = shown.find('\0'); nul != std::string::npos) shown.replace(nul, 1, "\\x00");
    const auto failure = testing_support::FailureOf([&] { RatingFileWriter().Open(name); });
    if (!failure) {
      ADD_FAILURE() << "opened " << name;
      return false;
    }
    EXPECT_EQ(failure->Kind(), FailureKind::FileCreate);
    EXPECT_EQ(failure->Field(), InputField::Filename);
    EXPECT_EQ(std::string(failure->what()), "Cannot create rating file \"" + shown + "\": " + c.reason + ".");
    return failure->Kind() == FailureKind::FileCreate &&
           std::string(failure->what()).find(c.reason) != std::string::npos;
  };
  if (c.asOrdinaryUser) {
    ExpectAsOrdinaryUser(check);
  } else {
    EXPECT_TRUE(check());
  }
  EXPECT_EQ(Listing(), before);
  if (!previous.empty()) {
    EXPECT_EQ(ReadFile(name), previous);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, OpenFailures,
    testing::Values(
        OpenFailureCase{"EmptyName", [](const fs::path&) { return std::string(); },
                        "No such file or directory", false},
        OpenFailureCase{"MissingFolder", [](const fs::path& d) { return (d / "nope" / "x.RAT").string(); },
                        "No such file or directory", false},
        OpenFailureCase{
            "ADevice", [](const fs::path&) { return std::string("/dev/null"); },
            "this names a device, a pipe or standard output, not a file; type the name of a file, "
            "such as MyRating.RAT",
            false},
        OpenFailureCase{"NameIsAFolder",
                        [](const fs::path& d) {
                          fs::create_directory(d / "folder.RAT");
                          return (d / "folder.RAT").string();
                        },
                        "Is a directory", false},
        OpenFailureCase{"FolderIsAFile",
                        [](const fs::path& d) {
                          WriteFile(d / "plain", "x");
                          return (d / "plain" / "x.RAT").string();
                        },
                        "Not a directory", false},
        OpenFailureCase{"NameWithNulByte",
                        [](const fs::path& d) { return (d / "x.RAT").string() + std::string(1, '\0') + "y"; },
                        "Invalid argument", false},
        OpenFailureCase{"NameTooLong", [](const fs::path& d) { return (d / std::string(300, 'r')).string(); },
                        "File name too long", false},
        OpenFailureCase{"FolderWithoutPermission",
                        [](const fs::path& d) {
                          fs::create_directory(d / "locked");
                          fs::permissions(d / "locked", fs::perms(0555));
                          return (d / "locked" / "x.RAT").string();
                        },
                        "Permission denied", true},
        OpenFailureCase{"ReadOnlyFile",
                        [](const fs::path& d) {
                          WriteFile(d / "old.RAT", "old rating\r\n");
                          fs::permissions(d / "old.RAT", fs::perms(0444));
                          return (d / "old.RAT").string();
                        },
                        "Permission denied", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FullDisk, IsAFailureNotASuccessAndLeavesNoFile) {
  testing_support::ScratchFolder folder("full-disk-test");
  const std::string name = (folder.Path() / "x.RAT").string();
  const testing_support::FullDisk full;
  RatingFileWriter writer;
  writer.Open(name);
  EXPECT_FAILURE_MSG(
      {
        writer.WriteText(DefaultFileText());
        writer.Close();
      },
      FailureKind::FileWrite, "Cannot write rating file \"" + name + "\": No space left on device.");
  EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(RelativeNames, NameTheFolderTheyResolvedTo) {
  RatingFileWriter writer;
  EXPECT_FAILURE_MSG(writer.Open("no-such-folder/x.RAT"), FailureKind::FileCreate,
                     "Cannot create rating file \"no-such-folder/x.RAT\" in \"" +
                         (fs::current_path() / "no-such-folder").string() + "\": No such file or directory.");
}

TEST(PrintedNumber, HasABlankOrSignBeforeAndABlankAfter) {
  EXPECT_EQ(PrintedNumber(0.2F, "."), " 0.2 ");
  EXPECT_EQ(PrintedNumber(-0.5F, ","), "-0,5 ");
  EXPECT_EQ(PrintedNumber(-0.0F, "."), " 0 ");
  EXPECT_EQ(PrintedNumber(1.5e10F, "."), " 1.5E+10 ");
}

}  // namespace
}  // namespace rating
