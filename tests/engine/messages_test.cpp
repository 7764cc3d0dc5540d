#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "engine/failure.h"
#include "engine/input_field.h"
#include "engine/rating_table.h"
#include "engine/rounding.h"
#include "engine/text_to_number.h"
#include "tests/engine/failure_cases.h"

namespace rating {
namespace {

// Every message the program composes for a failure, one per line, as
// "Group/Case: message", in golden/messages.txt. After a deliberate change,
// run with RATING_UPDATE_GOLDEN=1 to write the file anew and review its diff.
const std::filesystem::path kCatalogue = std::filesystem::path(RATING_GOLDEN_DIR) / "messages.txt";

std::string MessageOf(const std::function<void()>& provoke) {
  try {
    provoke();
  } catch (const RatingFailure& failure) {
    return failure.what();
  }
  return "(no failure)";
}

void Rate(const ChannelParameters& channel) {
  RatingTable table = CreateRatingTable(channel);
  ComputeRatingTable(channel, table);
}

std::error_code Errno(int code) { return {code, std::generic_category()}; }

struct MessageCase {
  std::string name;
  std::function<void()> provoke;
};

std::vector<MessageCase> AllCases() {
  std::vector<MessageCase> cases;
  const std::vector<std::pair<const char*, std::vector<FailureCase>>> channelGroups = {
      {"Conversions", ConversionsFailures()},
      {"DerivedValues", DerivedValuesFailures()},
      {"Rows", RowsFailures()},
      {"NegativeGeometry", NegativeGeometryFailures()},
  };
  for (const auto& [group, failures] : channelGroups) {
    for (const FailureCase& c : failures) {
      cases.push_back({std::string(group).append("/").append(c.name),
                       [texts = TextsOf(c)] { Rate(ReadChannelParameters(texts, ".")); }});
    }
  }

  const auto handBuilt = [](const std::function<void(ChannelParameters&)>& edit) {
    return [edit] {
      ChannelParameters channel = ReadChannelParameters(DefaultChannelTexts(), ".");
      edit(channel);
      Rate(channel);
    };
  };
  cases.push_back({"Rows/ZeroWettedPerimeter", handBuilt([](ChannelParameters& c) {
                     c.bankSlope = 0.75F;  // bank length 1.25 D, so P = 2.5 D + B = 0
                     c.increment = 0.25F;
                     c.bottomWidth = -0.625F;
                   })});
  cases.push_back({"Rows/NegativeSlope", handBuilt([](ChannelParameters& c) { c.slope = -0.01F; })});
  cases.push_back({"Rows/NegativeSection", handBuilt([](ChannelParameters& c) { c.bottomWidth = -60; })});
  cases.push_back({"Rows/FlowBeyondRange", handBuilt([](ChannelParameters& c) {
                     c.manningFactor = 1e38F;
                     c.maxFlow = 3.4028235e38F;  // the largest single: only an overflow exceeds it
                   })});
  cases.push_back({"Table/RowOutside", [] {
                     RatingTable table;
                     table.lastRow = 26;
                     CheckRowIndex(table, 27);
                   }});
  cases.push_back({"Rounding/NotANumber", [] { RoundToThreeFigures(NAN); }});
  cases.push_back({"Rounding/Infinite", [] { RoundToThreeFigures(HUGE_VALF); }});
  cases.push_back(
      {"Fields/LineBreakInTitle", [] { RequireOneLine("South Street\nChannel", InputField::Title); }});
  cases.push_back({"Fields/LineBreakInFilename", [] { RequireOneLine("kept\r.RAT", InputField::Filename); }});
  cases.push_back({"Fields/BlanksOnly", [] { ConvertStrict(" \t ", ".", InputField::Length); }});
  cases.push_back({"Files/CannotCreate", [] {
                     throw FileFailure(FailureKind::FileCreate, "/nope/x.RAT", Errno(ENOENT),
                                       InputField::Filename);
                   }});
  cases.push_back({"Files/RelativeNameNamesItsFolder",
                   [] { throw FileFailure(FailureKind::FileCreate, "x.RAT", Errno(EACCES)); }});
  cases.push_back({"Files/ControlCharactersShown",
                   [] { throw FileFailure(FailureKind::FileCreate, "/data/a\x01\x1b.RAT", Errno(EACCES)); }});
  cases.push_back(
      {"Files/CannotWrite", [] { throw FileFailure(FailureKind::FileWrite, "/dev/full", Errno(ENOSPC)); }});
  cases.push_back(
      {"Files/BatchFileIsAFolder", [] { throw FileFailure(FailureKind::BatchFile, "/tmp", Errno(EISDIR)); }});
  cases.push_back({"Files/CannotWriteExport",
                   [] { throw FileFailure(FailureKind::ExportFile, "/nope/table.csv", Errno(ENOENT)); }});
  cases.push_back({"Files/CannotWritePlot",
                   [] { throw FileFailure(FailureKind::PlotFile, "/nope/c.svg", Errno(ENOENT)); }});
  return cases;
}

std::string Catalogue() {
  std::ostringstream text;
  for (int kind = 0; kind <= static_cast<int>(FailureKind::ExportFile); ++kind) {
    text << "Kind/" << kind << ": " << FailureKindText(static_cast<FailureKind>(kind)) << '\n';
  }
  const std::string folder = std::filesystem::current_path().string();
  for (const MessageCase& c : AllCases()) {
    std::string message = MessageOf(c.provoke);
    // The one message that depends on where the test runs.
    if (const auto at = message.find(folder); at != std::string::npos)
      message.replace(at, folder.size(), "$PWD");
    text << c.name << ": " << message << '\n';
  }
  return text.str();
}

TEST(Messages, MatchTheReviewedCatalogue) {
  const std::string catalogue = Catalogue();
  if (std::getenv("RATING_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(kCatalogue, std::ios::binary) << catalogue;
    GTEST_SKIP() << "wrote " << kCatalogue;
  }
  std::ifstream in(kCatalogue, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << kCatalogue;
  const std::string golden((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(catalogue, golden);
}

}  // namespace
}  // namespace rating
