#include "run/rating_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/failure.h"
#include "run/text_form.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

// A form that logs every field read and list change, in the order the run
// makes them.
class FakeForm : public TextForm {
 public:
  explicit FakeForm(const fs::path& file) { Text(InputField::Filename) = file.string(); }

  std::string FieldText(InputField field) override {
    log.emplace_back(Facts(field).label);
    return TextForm::FieldText(field);
  }
  void ClearList() override {
    log.emplace_back("clear");
    TextForm::ClearList();
  }

  std::vector<std::string> log;
};

using testing_support::ReadFile;

class RatingRunTest : public testing::Test {
 protected:
  testing_support::ScratchFolder folder_{"rating-run-test"};
  fs::path dir_ = folder_.Path();
  fs::path file_ = dir_ / "run.RAT";
};

TEST_F(RatingRunTest, ReadsEachFieldWhenItsStepNeedsIt) {
  FakeForm form(file_);
  CreateRatingFile(form);
  EXPECT_EQ(form.log, (std::vector<std::string>{
                          "Maximum Flow (cfs)", "Bottom Width (ft)", "Bank Slope run/rise",
                          "Channel Fall (ft)", "Channel Length (mi)", "Manning's Roughness",
                          "Invert Elevation (ft)", "Incremental Depth (ft)", "clear",
                          "Output Rating Filename", "Title Line", "Bottom Width (ft)", "Bank Slope run/rise",
                          "Channel Fall (ft)", "Channel Length (mi)", "Manning's Roughness"}));
  EXPECT_EQ(form.ListLines().size(), 29U);
  EXPECT_EQ(ReadFile(RATING_GOLDEN_DIR "/default.RAT"), ReadFile(file_));
}

struct FailedRunCase {
  const char* name;
  std::function<void(FakeForm&, const fs::path& dir)> edit;
  FailureKind kind;
  bool listCleared;
  friend void PrintTo(const FailedRunCase& c, std::ostream* os) { *os << c.name; }
};

class FailedRuns : public RatingRunTest, public testing::WithParamInterface<FailedRunCase> {};

TEST_P(FailedRuns, LeaveTheEffectsOfTheStepTheyFailIn) {
  FakeForm form(file_);
  CreateRatingFile(form);  // a previous good run
  const std::string previous = ReadFile(file_);
  GetParam().edit(form, dir_);
  try {
    CreateRatingFile(form);
    FAIL() << "the run succeeded";
  } catch (const RatingFailure& failure) {
    EXPECT_EQ(failure.Kind(), GetParam().kind) << failure.what();
  }
  EXPECT_EQ(form.ListLines().empty(), GetParam().listCleared);
  EXPECT_EQ(ReadFile(file_), previous) << "the previous rating file is kept";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no stray file";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailedRuns,
    testing::Values(
        FailedRunCase{"BadField", [](FakeForm& f, const fs::path&) { f.Text(InputField::Length) = "5,5x"; },
                      FailureKind::TypeMismatch, false},
        FailedRunCase{"ZeroRoughness",
                      [](FakeForm& f, const fs::path&) { f.Text(InputField::Roughness) = "0"; },
                      FailureKind::DivisionByZero, false},
        FailedRunCase{
            "FileCannotBeCreated",
            [](FakeForm& f, const fs::path& d) { f.Text(InputField::Filename) = (d / "no" / "x").string(); },
            FailureKind::FileCreate, true},
        FailedRunCase{"ZeroFall", [](FakeForm& f, const fs::path&) { f.Text(InputField::Fall) = "0"; },
                      FailureKind::DivisionByZero, true},
        FailedRunCase{"MaximumNeverReached",
                      [](FakeForm& f, const fs::path&) { f.Text(InputField::MaxFlow) = "1e9"; },
                      FailureKind::IndexOutOfRange, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RatingRunTest, AnIncrementOfZeroComputesWithOneFootAndTheParametersStayAsTyped) {
  FakeForm form(file_);
  form.Text(InputField::Increment) = "0.0";
  form.Text(InputField::BankSlope) = "0";
  CreateRatingFile(form);
  const std::string text = ReadFile(file_);
  EXPECT_NE(text.find("\r\nElv Cfs Acft Cascades, BW=50 SideS=0 Fall=110 ChL=5.5 n=0.025\r\n 0 \t"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\n 1 \t"), std::string::npos) << "row 1 lies 1 ft above the invert";
  EXPECT_EQ(form.ListLines().at(3).substr(0, 9), "1        ");
}

TEST_F(RatingRunTest, CommaLocaleReadsAndWritesCommas) {
  FakeForm form(file_);
  form.SetDecimalSeparator(",");
  form.Text(InputField::Length) = "5,5";
  form.Text(InputField::Roughness) = "0,025";
  form.Text(InputField::Increment) = "0,2";
  form.Text(InputField::Invert) = "0";
  CreateRatingFile(form);
  EXPECT_EQ(form.ListLines().at(3).substr(0, 36), "0,2      10,1     1,24     12,5     ");
  EXPECT_NE(ReadFile(file_).find("ChL=5,5 n=0,025\r\n"), std::string::npos);
}

}  // namespace
}  // namespace rating
