#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rating::cli {
namespace {

// One command line and what it asks for: the field or extra file it sets, or
// the usage error it ends with.
struct ParseCase {
  const char* name;
  std::vector<std::string> arguments;  // after the program's name
  InputField field = InputField::BottomWidth;
  std::string fieldText;  // the text `field` ends with; unused for an error
  std::string error;      // the UsageError's message, or empty
};

void PrintTo(const ParseCase& row, std::ostream* out) { *out << row.name; }

class ParseCommandLineTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTable, TakesEachFormItDocuments) {
  std::vector<std::string> arguments{"trapezoid-rating-cli"};
  arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  try {
    const Request request = ParseCommandLine(arguments, ".", "1.0");
    EXPECT_EQ(GetParam().error, "") << "parsed without the error";
    EXPECT_EQ(TextOf(request.texts, GetParam().field), GetParam().fieldText);
  } catch (const UsageError& error) {
    EXPECT_EQ(error.what(), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseCommandLineTable,
    testing::Values(
        ParseCase{"Default", {}, InputField::BottomWidth, "50", ""},
        ParseCase{"SpacedValue", {"--width", "40"}, InputField::BottomWidth, "40", ""},
        ParseCase{"InlineValue", {"--width=40"}, InputField::BottomWidth, "40", ""},
        ParseCase{"EmptyInlineValue", {"--title="}, InputField::Title, "", ""},
        ParseCase{"OneLetterOneDash", {"-n", "0.03"}, InputField::Roughness, "0.03", ""},
        ParseCase{"OneLetterTwoDashes", {"--n", "0.03"}, InputField::Roughness, "0.03", ""},
        ParseCase{"LastOfTwoWins", {"--fall", "5", "--fall", "7"}, InputField::Fall, "7", ""},
        ParseCase{"ValueLikeAnOption", {"--title", "-x"}, InputField::Title, "-x", ""},
        ParseCase{"NegativeNumber", {"--invert", "-5"}, InputField::Invert, "-5", ""},
        ParseCase{"StandardOutput", {"--output", "-"}, InputField::Filename, "-", ""},
        ParseCase{"UnknownOption", {"--bogus"}, {}, "", "Unknown option 'bogus'."},
        ParseCase{"UnknownWithValue", {"--bogus=3", "--width", "4"}, {}, "", "Unknown option 'bogus'."},
        ParseCase{"LongNameOneDash", {"-width", "4"}, {}, "", "Unknown option 'width'."},
        ParseCase{"FirstStrayWins", {"50", "--bogus"}, {}, "", "Unexpected argument \"50\"."},
        ParseCase{"LoneDash", {"-"}, {}, "", "Unexpected argument \"-\"."},
        ParseCase{"MissingValue", {"--width"}, {}, "", "Missing value after '--width'."},
        ParseCase{"MissingOneLetterValue", {"--fall", "3", "-n"}, {}, "", "Missing value after '-n'."},
        ParseCase{"ExtraFileInBatch",
                  {"--batch", "a.csv", "--plot", "a.svg"},
                  {},
                  "",
                  "--plot names one file; in a batch, give a \"plot\" column."}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ParseCommandLine, HelpAnywhereListsEveryOptionWithItsDefault) {
  for (const char* help : {"-h", "-?", "--help", "--help-all"}) {
    const Request request = ParseCommandLine({"cli", "--width", "3", help}, ",", "1.0");
    EXPECT_EQ(request.mode, Mode::Help) << help;
    EXPECT_NE(request.message.find("-n,--n <text>"), std::string::npos) << request.message;
    EXPECT_NE(request.message.find("Default: \"0,025\"."), std::string::npos) << request.message;
  }
}

TEST(ParseCommandLine, VersionNamesTheProgram) {
  const Request request = ParseCommandLine({"cli", "-v"}, ".", "9.8.7");
  EXPECT_EQ(request.mode, Mode::Version);
  EXPECT_EQ(request.message, "trapezoid-rating-cli 9.8.7\n");
}

}  // namespace
}  // namespace rating::cli
