// Thousands of random channels, plausible and hostile, through the whole run
// without the window. Every outcome must be a complete table, file and list,
// or a failure with a kind and a message that leaves the previous file alone.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/failure.h"
#include "engine/rating_table.h"
#include "run/rating_run.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

std::string NumberText(float value, const std::string& separator) {
  char text[32];
  std::string result(text, std::to_chars(text, text + sizeof text, value).ptr);
  if (const auto point = result.find('.'); point != std::string::npos) result.replace(point, 1, separator);
  return result;
}

using testing_support::ReadFile;

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "the file ends in the middle of a line";
  return lines;
}

class RunProperties : public testing::Test {
 protected:
  // Checks one channel through the engine and the whole run. Returns whether
  // the run produced a table.
  bool Check(FieldTexts texts, const std::string& separator, bool positiveGeometry) {
    const std::string previous = "previous rating\r\n";
    std::ofstream(file_, std::ios::binary) << previous;
    TextOf(texts, InputField::Filename) = file_.string();

    std::optional<RatingTable> table;
    std::optional<ChannelParameters> channel;
    try {
      channel = ReadChannelParameters(texts, separator);
      table = CreateRatingTable(*channel);
      ComputeRatingTable(*channel, *table);
    } catch (const RatingFailure& failure) {
      ExpectWellFormed(failure);
      table.reset();
    }
    if (table) CheckTable(*table, channel->maxFlow, positiveGeometry);

    try {
      const RatingResult result = CreateRatingFile(texts, separator);
      EXPECT_TRUE(table.has_value()) << "the run succeeded where the engine failed";
      EXPECT_EQ(ReadFile(file_), result.fileText) << "the file holds what the pure step laid out";
      if (table) CheckOutputs(result.listing, table->lastRow);
    } catch (const RatingFailure& failure) {
      ExpectWellFormed(failure);
      EXPECT_FALSE(table.has_value()) << "the run failed where the engine succeeded: " << failure.what();
      EXPECT_EQ(ReadFile(file_), previous) << failure.what();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "a stray file";
    return table.has_value();
  }

  static void ExpectWellFormed(const RatingFailure& failure) {
    const std::string message = failure.what();
    const std::string kind(FailureKindText(failure.Kind()));
    EXPECT_EQ(message.substr(0, kind.size()), kind) << message;
    EXPECT_GT(message.size(), kind.size() + 5) << message;
    EXPECT_EQ(message.back(), '.') << message;
  }

  static void CheckTable(const RatingTable& t, float maxFlow, bool positiveGeometry) {
    ASSERT_GE(t.lastRow, 1);
    ASSERT_LE(t.lastRow, kLastTableIndex);
    for (int i = 1; i < t.lastRow; ++i) ASSERT_FALSE(t.flow[i] > maxFlow) << "row " << i;
    ASSERT_GT(t.flow[t.lastRow], maxFlow);
    for (int i = 1; i <= t.lastRow; ++i) {
      ASSERT_GE(t.cascades[i], 1.0F) << "row " << i;
      ASSERT_TRUE(std::isfinite(t.flow[i]) && std::isfinite(t.storage[i]) && std::isfinite(t.area[i]));
      if (positiveGeometry) {
        ASSERT_GT(t.elevation[i], t.elevation[i - 1]) << "row " << i;
        ASSERT_GT(t.area[i], t.area[i - 1]) << "row " << i;
        ASSERT_GT(t.flow[i], t.flow[i - 1]) << "row " << i;
        ASSERT_GT(t.storage[i], t.storage[i - 1]) << "row " << i;
      }
    }
  }

  void CheckOutputs(const std::vector<std::string>& listing, int lastRow) {
    const std::vector<std::string> lines = SplitLines(ReadFile(file_));
    ASSERT_EQ(lines.size(), 2U + lastRow + 1U);
    for (std::size_t i = 2; i < lines.size(); ++i) {
      std::istringstream fields(lines[i]);
      std::string field;
      int count = 0;
      while (std::getline(fields, field, '\t')) {
        ++count;
        ASSERT_GE(field.size(), 3U) << lines[i];
        ASSERT_TRUE(field.front() == ' ' || field.front() == '-') << lines[i];
        ASSERT_EQ(field.back(), ' ') << lines[i];
      }
      ASSERT_EQ(count, 4) << lines[i];
    }
    ASSERT_EQ(listing.size(), 2U + lastRow + 1U);
    for (std::size_t i = 2; i < listing.size(); ++i) ASSERT_EQ(listing[i].size(), 54U) << listing[i];
  }

  testing_support::ScratchFolder folder_{"rating-run-property"};
  fs::path dir_ = folder_.Path();
  fs::path file_ = dir_ / "reach.RAT";
};

TEST_F(RunProperties, PlausibleChannels) {
  std::mt19937 random(1208);
  const auto uniform = [&random](float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
  };
  int cases = 0;
  int tables = 0;
  for (; cases < 2000; ++cases) {
    const std::string separator = cases % 4 == 0 ? "," : ".";
    FieldTexts texts = DefaultFieldTexts(separator);
    TextOf(texts, InputField::BottomWidth) = NumberText(uniform(0, 500), separator);
    TextOf(texts, InputField::BankSlope) = NumberText(uniform(0.1F, 6), separator);
    TextOf(texts, InputField::Fall) = NumberText(uniform(0.5F, 500), separator);
    TextOf(texts, InputField::Length) = NumberText(uniform(0.05F, 50), separator);
    TextOf(texts, InputField::Roughness) = NumberText(uniform(0.01F, 0.15F), separator);
    TextOf(texts, InputField::MaxFlow) = NumberText(std::pow(10.0F, uniform(0, 5)), separator);
    TextOf(texts, InputField::Invert) = NumberText(uniform(-100, 5000), separator);
    TextOf(texts, InputField::Increment) = NumberText(uniform(0.05F, 2), separator);
    tables += Check(texts, separator, true) ? 1 : 0;
    if (HasFatalFailure()) break;
  }
  std::cout << "plausible channels: " << cases << " cases, " << tables << " tables\n";
  EXPECT_GT(tables, cases / 2) << "most plausible channels should rate";
}

TEST_F(RunProperties, HostileChannels) {
  std::mt19937 random(812);
  const std::vector<std::string> pool = {"0",     "-0",    "-1",  "1e-45", "1e-30", "3e38", "-3e38",
                                         "1e38",  "nan",   "",    "abc",   "1e39",  "0.0",  " 7 ",
                                         "1e-38", "-1e-3", "5,5", "+2",    "1.5e3", "inf"};
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() + 3);
  std::uniform_real_distribution<float> exponent(-45, 38);
  std::bernoulli_distribution negative(0.3);
  std::bernoulli_distribution hostile(0.25);  // the other fields keep their defaults
  int cases = 0;
  int tables = 0;
  for (; cases < 3000; ++cases) {
    FieldTexts texts = DefaultFieldTexts(".");
    for (const FieldFacts& facts : kFields) {
      const InputField field = facts.field;
      if (!IsNumeric(field) || !hostile(random)) continue;
      const std::size_t choice = pick(random);
      if (choice < pool.size()) {
        TextOf(texts, field) = pool[choice];
      } else {
        const float magnitude = std::pow(10.0F, exponent(random));
        TextOf(texts, field) = NumberText(negative(random) ? -magnitude : magnitude, ".");
      }
    }
    TextOf(texts, InputField::Title) = cases % 2 == 0 ? "Tab\there «ü»" : "";
    tables += Check(texts, ".", false) ? 1 : 0;
    if (HasFatalFailure()) break;
  }
  std::cout << "hostile channels: " << cases << " cases, " << tables << " tables\n";
}

}  // namespace
}  // namespace rating
