#include "run/window_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rating {
namespace {

// A window program's command line, and what it answers before any window.
struct ArgumentsCase {
  const char* name;
  std::vector<std::string> arguments;
  bool refuseOthers;                           // as a window without options of its toolkit
  std::optional<int> exitStatus;               // none where the window opens
  std::string start;                           // the start of the text
  UnitSystem units = UnitSystem::UsCustomary;  // the window starts in, where it opens
};

void PrintTo(const ArgumentsCase& row, std::ostream* out) { *out << row.name; }

class WindowArguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(WindowArguments, AreAnsweredBeforeAnyWindow) {
  std::optional<WindowAnswer> answer = AnswerHelpOrVersion(GetParam().arguments, "trapezoid-rating", "9.8.7");
  if (!answer && GetParam().refuseOthers) answer = RefuseArguments(GetParam().arguments, "trapezoid-rating");
  ASSERT_EQ(answer.has_value(), GetParam().exitStatus.has_value());
  if (!answer) {
    EXPECT_EQ(StartingUnits(GetParam().arguments), GetParam().units);
    return;
  }
  EXPECT_EQ(answer->exitStatus, *GetParam().exitStatus);
  EXPECT_TRUE(answer->text.starts_with(GetParam().start)) << answer->text;
  EXPECT_TRUE(answer->text.ends_with('\n'));
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowArguments,
    testing::Values(
        ArgumentsCase{"NoneOpensTheWindow", {}, true, std::nullopt, ""},
        ArgumentsCase{"Help", {"--help"}, true, 0, "Usage: trapezoid-rating [--help] [--version]"},
        ArgumentsCase{
            "HelpAfterAnother", {"-platform", "offscreen", "-?"}, false, 0, "Usage: trapezoid-rating"},
        ArgumentsCase{"Version", {"-v"}, true, 0, "trapezoid-rating 9.8.7\n"},
        ArgumentsCase{"UnknownRefused", {"--bogus", "x"}, true, 2, "Unknown option '--bogus'. Usage:"},
        ArgumentsCase{"LeftToTheToolkit", {"-style", "fusion"}, false, std::nullopt, ""},
        ArgumentsCase{"UnitsSi", {"--units", "si"}, true, std::nullopt, "", UnitSystem::Si},
        ArgumentsCase{"UnitsWithEquals", {"--units=si"}, true, std::nullopt, "", UnitSystem::Si},
        ArgumentsCase{"LastUnitsTaken", {"--units", "si", "--units=us"}, true, std::nullopt, ""},
        ArgumentsCase{"UnitsUnknown",
                      {"--units", "metric"},
                      true,
                      2,
                      "--units 'metric' is not a system of units; it is us or si."},
        ArgumentsCase{"UnitsWithoutValue", {"--units"}, true, 2, "--units '' is not a system of units"},
        ArgumentsCase{"UnitsThenUnknown", {"--units", "si", "--x"}, true, 2, "Unknown option '--x'."}),
    [](const testing::TestParamInfo<ArgumentsCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating
