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
#include "output/file_message.h"
#include "output/file_problem.h"
#include "tests/engine/failure_cases.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/field_texts.h"

namespace rating {
namespace {

// Every message the program composes for a failure, one per line, as
// "Group/Case: message", in golden/messages.txt. After a deliberate change,
// run with RATING_UPDATE_GOLDEN=1 to write the file anew and review its diff.
const std::filesystem::path kCatalogue = std::filesystem::path(RATING_GOLDEN_DIR) / "messages.txt";

std::string MessageOf(const std::function<void()>& provoke) {
  const auto failure = testing_support::FailureOf(provoke);
  return failure ? failure->what() : "(no failure)";
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
      ChannelParameters channel = ReadChannelParameters(testing_support::TextsWith(), ".");
      edit(channel);
      Rate(channel);
    };
  };
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
  cases.push_back({"Files/CannotCreate",
                   [] { throw FileFailure(FailureKind::FileCreate, "/nope/x.RAT", Errno(ENOENT)); }});
  cases.push_back({"Files/RelativeNameNamesItsFolder",
                   [] { throw FileFailure(FailureKind::FileCreate, "x.RAT", Errno(EACCES)); }});
  cases.push_back({"Files/ControlCharactersShown",
                   [] { throw FileFailure(FailureKind::FileCreate, "/data/a\x01\x1b.RAT", Errno(EACCES)); }});
  cases.push_back(
      {"Files/CannotWrite", [] { throw FileFailure(FailureKind::FileWrite, "/dev/full", Errno(ENOSPC)); }});
  cases.push_back({"Files/ADeviceIsNoFile", [] {
                     throw FileFailure(
                         FailureKind::FileCreate, "/dev/null",
                         std::error_code(static_cast<int>(FileProblem::NotAFile), FileProblems()));
                   }});
  cases.push_back({"Files/MissingFolderNamed", [] {
                     throw FileFailure(
                         FailureKind::FileCreate, "/nope/deeper/x.RAT",
                         std::error_code(static_cast<int>(FileProblem::FolderMissing), FileProblems()));
                   }});
  return cases;
}

std::string Catalogue() {
  std::ostringstream text;
  for (int kind = 0; kind <= static_cast<int>(FailureKind::FileWrite); ++kind) {
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
  // Every message of the window and the command line as its pattern, the
  // batch, option and file messages among them.
  for (const MessageFacts& facts : AllMessages())
    text << "Table/" << facts.name << ": " << facts.pattern << '\n';
  for (const MessageFacts& facts : AllSiMessages())
    text << "TableSi/" << facts.name << ": " << facts.pattern << '\n';
  text << "Files/BatchFileIsAFolder: " << FileMessage(Pattern(Message::KindBatchFile), "/tmp", Errno(EISDIR))
       << '\n';
  text << "Files/CannotWriteCsv: "
       << FileMessage(Pattern(Message::KindCsvFile), "/nope/table.csv", Errno(ENOENT)) << '\n';
  text << "Files/CannotWritePlot: "
       << FileMessage(Pattern(Message::KindPlotFile), "/nope/c.svg", Errno(ENOENT)) << '\n';
  return text.str();
}

TEST(Messages, MatchTheReviewedCatalogue) {
#ifdef _WIN32
  GTEST_SKIP() << "the catalogue's file names are absolute POSIX names, relative ones on Windows";
#endif
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
