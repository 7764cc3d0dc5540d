// Every build, on every system, must write the same bytes. Twenty thousand
// random reaches, plausible and failing, go through a page's press; their
// rating files, listings, messages and a share of their exports are folded
// into one digest, which every build compares with the one recorded here.
// The reaches come from integers only, so that each build types the same
// field texts. After a deliberate change of output, run with
// RATING_UPDATE_GOLDEN=1 to record the digest anew.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "layout/form_layout.h"
#include "run/rating_session.h"
#include "tests/support/field_texts.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

constexpr int kReaches = 20000;
constexpr int kExportEvery = 50;  // reaches whose exports are folded in too

// FNV-1a, 64 bits: the same on every system, and any changed byte shows.
class Digest {
 public:
  void Add(std::string_view bytes) {
    for (const char c : bytes) {
      value_ = (value_ ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    value_ = (value_ ^ 0xFFU) * 0x100000001b3ULL;  // an end mark, so that pieces cannot run together
  }
  [[nodiscard]] std::string Hex() const {
    std::string hex;
    for (int shift = 60; shift >= 0; shift -= 4) hex += "0123456789abcdef"[(value_ >> shift) & 0xFU];
    return hex;
  }

 private:
  std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

// Random field texts from the generator's raw integers, which the standard
// fixes for every library.
class ReachTexts {
 public:
  explicit ReachTexts(std::mt19937& random) : random_(random) {}

  // A decimal number between `low` and `high` hundredths, written with `separator`.
  std::string Hundredths(std::uint32_t low, std::uint32_t high, std::string_view separator) {
    const std::uint32_t value = low + random_() % (high - low + 1);
    std::string text = std::to_string(value / 100);
    if (const std::uint32_t cents = value % 100; cents != 0) {
      text.append(separator).append(cents < 10 ? "0" : "").append(std::to_string(cents));
    }
    return text;
  }

  FieldTexts Next(std::string_view separator) {
    FieldTexts texts = testing_support::TextsWith();
    auto set = [&texts](InputField field, std::string text) { TextOf(texts, field) = std::move(text); };
    set(InputField::BottomWidth, Hundredths(0, 50000, separator));
    set(InputField::BankSlope, Hundredths(0, 1000, separator));
    set(InputField::Fall, Hundredths(1, 50000, separator));
    set(InputField::Length, Hundredths(1, 3000, separator));
    set(InputField::Roughness,
        std::string("0").append(separator).append("0").append(std::to_string(10 + random_() % 90)));
    set(InputField::MaxFlow, Hundredths(100, 2000000, separator));
    set(InputField::Invert, Hundredths(0, 100000, separator));
    set(InputField::Increment, Hundredths(1, 100, separator));
    set(InputField::Title, "Reach " + std::to_string(random_() % 100000));
    set(InputField::Filename, "reach.rat");
    // One reach in ten has a field typed wrongly.
    static constexpr std::array<std::string_view, 6> kWrong = {"", "x", "-1", "0", "1e39", "1\n2"};
    if (random_() % 10 == 0) {
      const auto field = static_cast<InputField>(random_() % layout::kFormFieldCount);
      set(field, std::string(kWrong.at(random_() % kWrong.size())));
    }
    return texts;
  }

 private:
  std::mt19937& random_;
};

TEST(SameBytes, EveryBuildGivesTheRecordedDigest) {
  std::mt19937 random(20261209);
  ReachTexts reaches(random);
  Digest digest;
  for (int i = 0; i < kReaches; ++i) {
    const std::string separator = i % 4 == 3 ? "," : ".";
    RatingSession page(separator);
    const std::optional<RatingFailure> failure = page.PressHandingOver(reaches.Next(separator));
    if (failure) {
      digest.Add(failure->what());
      continue;
    }
    digest.Add(page.RatingFile().bytes);
    for (const std::string& line : page.ListLines()) digest.Add(line);
    if (i % kExportEvery == 0) {
      for (const Export what : {Export::TableCsv, Export::PairedData, Export::CurvesSvg}) {
        digest.Add(page.ExportFile(what).bytes);
      }
    }
  }

  const std::string recorded = RATING_GOLDEN_DIR "/same_bytes.digest";
  if (std::getenv("RATING_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(recorded, std::ios::binary) << digest.Hex() << '\n';
  }
  EXPECT_EQ(digest.Hex() + "\n", testing_support::ReadFile(recorded));
}

}  // namespace
}  // namespace rating
