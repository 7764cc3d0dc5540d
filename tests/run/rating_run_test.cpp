#include "run/rating_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "engine/failure.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/field_texts.h"
#include "tests/support/full_disk.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::FieldEdit;
using testing_support::ReadFile;

class RatingRunTest : public testing::Test {
 protected:
  // The default texts aimed at the scratch folder, with `edits`; a file
  // name edit is taken relative to the folder.
  FieldTexts Texts(const std::vector<FieldEdit>& edits = {}) const {
    FieldTexts texts = testing_support::TextsWith(edits);
    std::string& name = TextOf(texts, InputField::Filename);
    name = name == "MyRating.RAT" ? file_.string() : (dir_ / name).string();
    return texts;
  }

  testing_support::ScratchFolder folder_{"rating-run-test"};
  fs::path dir_ = folder_.Path();
  fs::path file_ = dir_ / "run.RAT";
};

TEST_F(RatingRunTest, DefaultPressWritesTheGoldenFileAndListsItsRows) {
  const RatingOutcome outcome = RateFields(Texts(), ".");
  ASSERT_TRUE(outcome.result.has_value());
  EXPECT_FALSE(fs::exists(file_)) << "the pure step writes nothing";
  WriteRatingFile(outcome);
  EXPECT_EQ(ReadFile(RATING_GOLDEN_DIR "/default.RAT"), ReadFile(file_));
  EXPECT_EQ(outcome.result->fileText, ReadFile(file_));
  ASSERT_EQ(outcome.result->listing.size(), 29U);
  EXPECT_EQ(outcome.result->listing.at(3), "0.2      10.1     1.24     12.5     6.72     440      ");
}

struct FailedRunCase {
  const char* name;
  friend void PrintTo(const FailedRunCase& c, std::ostream* os) { *os << c.name; }
  std::vector<FieldEdit> edits;
  FailureKind kind;
  RunStage stage;
  bool listEmptied;
};

class FailedRuns : public RatingRunTest, public testing::WithParamInterface<FailedRunCase> {};

// A press fails at its first failing step, in the order a press takes them:
// the numeric fields, the file name, creating the file, the title, the rows,
// writing. That step decides what the press leaves.
TEST_P(FailedRuns, FailAtTheirFirstStepAndKeepThePreviousFile) {
  CreateRatingFile(Texts(), ".");  // a previous good run
  const std::string previous = ReadFile(file_);
  const auto failure =
      testing_support::FailureOf<RatingFailure>([&] { CreateRatingFile(Texts(GetParam().edits), "."); });
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Kind(), GetParam().kind) << failure->what();
  EXPECT_EQ(failure->Stage(), GetParam().stage) << failure->what();
  EXPECT_EQ(failure->EmptiesList(), GetParam().listEmptied);
  EXPECT_EQ(ReadFile(file_), previous) << "the previous rating file is kept";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no stray file";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailedRuns,
    testing::Values(
        FailedRunCase{
            "BadField", {{InputField::Length, "5,5x"}}, FailureKind::TypeMismatch, RunStage::Fields, false},
        FailedRunCase{"ZeroRoughness",
                      {{InputField::Roughness, "0"}},
                      FailureKind::DivisionByZero,
                      RunStage::Fields,
                      false},
        FailedRunCase{"FieldsBeforeFileName",
                      {{InputField::Increment, "x"}, {InputField::Filename, "two\nlines"}},
                      FailureKind::TypeMismatch,
                      RunStage::Fields,
                      false},
        FailedRunCase{"FileNameOfTwoLines",
                      {{InputField::Filename, "two\nlines"}},
                      FailureKind::InvalidText,
                      RunStage::FileName,
                      true},
        FailedRunCase{"FileCannotBeCreated",
                      {{InputField::Filename, "no/x"}},
                      FailureKind::FileCreate,
                      RunStage::OpenFile,
                      true},
        FailedRunCase{"FileBeforeTitle",
                      {{InputField::Filename, "no/x"}, {InputField::Title, "two\nlines"}},
                      FailureKind::FileCreate,
                      RunStage::OpenFile,
                      true},
        FailedRunCase{"FileBeforeRows",
                      {{InputField::Filename, "no/x"}, {InputField::Fall, "0"}},
                      FailureKind::FileCreate,
                      RunStage::OpenFile,
                      true},
        FailedRunCase{"TitleBeforeRows",
                      {{InputField::Title, "two\nlines"}, {InputField::Fall, "0"}},
                      FailureKind::InvalidText,
                      RunStage::Title,
                      true},
        FailedRunCase{
            "ZeroFall", {{InputField::Fall, "0"}}, FailureKind::DivisionByZero, RunStage::Table, true},
        FailedRunCase{"MaximumNeverReached",
                      {{InputField::MaxFlow, "1e9"}},
                      FailureKind::IndexOutOfRange,
                      RunStage::Table,
                      true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RatingRunTest, AWriteThatFailsEmptiesTheList) {
  const testing_support::FullDisk full;
  const auto failure = testing_support::FailureOf<RatingFailure>([this] { CreateRatingFile(Texts(), "."); });
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Kind(), FailureKind::FileWrite);
  EXPECT_EQ(failure->Stage(), RunStage::WriteFile);
  EXPECT_TRUE(failure->EmptiesList());
}

TEST_F(RatingRunTest, AnIncrementOfZeroComputesWithOneFootAndTheParametersStayAsTyped) {
  const RatingResult result =
      CreateRatingFile(Texts({{InputField::Increment, "0.0"}, {InputField::BankSlope, "0"}}), ".");
  const std::string text = ReadFile(file_);
  EXPECT_NE(text.find("\r\nElv Cfs Acft Cascades, BW=50 SideS=0 Fall=110 ChL=5.5 n=0.025\r\n 0 \t"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n 1 \t"), std::string::npos) << "row 1 lies 1 ft above the invert";
  EXPECT_EQ(result.listing.at(3).substr(0, 9), "1        ");
}

// The zeros a rating replaces are noted; the numbers stay as computed.
struct NoteCase {
  const char* name;
  std::vector<testing_support::FieldEdit> edits;
  std::optional<std::string> note;
};

void PrintTo(const NoteCase& row, std::ostream* out) { *out << row.name; }

class SubstitutionNotes : public testing::TestWithParam<NoteCase> {};

TEST_P(SubstitutionNotes, SayWhichZerosWereReplaced) {
  const RatingOutcome outcome = RateFields(testing_support::TextsWith(GetParam().edits), ".");
  ASSERT_TRUE(outcome.result.has_value());
  EXPECT_EQ(outcome.result->note, GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(
    Zeros, SubstitutionNotes,
    testing::Values(
        NoteCase{"None", {}, std::nullopt},
        NoteCase{"BankSlope", {{InputField::BankSlope, "0"}}, "A Bank Slope run/rise of 0 is taken as 2."},
        NoteCase{"Increment",
                 {{InputField::Increment, "0.0"}},
                 "An Incremental Depth (ft) of 0 is taken as 1 ft."},
        NoteCase{"Both",
                 {{InputField::BankSlope, "-0"}, {InputField::Increment, "0e5"}},
                 "A Bank Slope run/rise of 0 is taken as 2, and an Incremental Depth (ft) of 0 as 1 ft."},
        NoteCase{"NotZero", {{InputField::Increment, "0.5"}}, std::nullopt},
        NoteCase{"IncrementInSi",
                 {{InputField::Units, "si"}, {InputField::Increment, "0"}, {InputField::MaxFlow, "80"}},
                 "An Incremental Depth (m) of 0 is taken as 1 m."}),
    [](const testing::TestParamInfo<NoteCase>& info) { return std::string(info.param.name); });

TEST_F(RatingRunTest, CommaLocaleReadsAndWritesCommas) {
  FieldTexts texts = DefaultFieldTexts(",");
  TextOf(texts, InputField::Filename) = file_.string();
  TextOf(texts, InputField::Invert) = "0";
  const RatingResult result = CreateRatingFile(texts, ",");
  EXPECT_EQ(result.listing.at(3).substr(0, 36), "0,2      10,1     1,24     12,5     ");
  EXPECT_NE(ReadFile(file_).find("ChL=5,5 n=0,025\r\n"), std::string::npos);

  // A failure's words give the numbers with the comma the fields take.
  TextOf(texts, InputField::MaxFlow) = "300000,5";
  TextOf(texts, InputField::Increment) = "0,05";
  EXPECT_FAILURE_MSG(
      CreateRatingFile(texts, ","), FailureKind::IndexOutOfRange,
      "Index out of range: the table would need more than 1000 rows to pass Maximum Flow (cfs) "
      "300000,5 in steps of Incremental Depth (ft) 0,05; raise the increment or lower the maximum "
      "flow.");
}

}  // namespace
}  // namespace rating
