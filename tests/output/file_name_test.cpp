#include "output/file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace rating {
namespace {

struct FileNameCase {
  const char* name;
  std::string fileName;  // UTF-8
  FileNameProblem problem;
};

void PrintTo(const FileNameCase& row, std::ostream* out) { *out << row.name; }

class FileNames : public testing::TestWithParam<FileNameCase> {};

TEST_P(FileNames, AreTakenAsTypedOrRefusedForOneReason) {
  EXPECT_EQ(WindowsFileNameProblem(GetParam().fileName), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FileNames,
    testing::Values(FileNameCase{"Plain", "MyRating.RAT", FileNameProblem::None},
                    FileNameCase{"Unicode",
                                 "Stra\xC3\x9F"
                                 "e \xE6\xB0\xB4.RAT",
                                 FileNameProblem::None},
                    FileNameCase{"DotFile", ".hidden", FileNameProblem::None},
                    FileNameCase{"Longest", std::string(255, 'a'), FileNameProblem::None},
                    // Counted in UTF-16 units, not in UTF-8 bytes.
                    FileNameCase{"LongestInUtf16", "\xE6\xB0\xB4" + std::string(254, 'a'),
                                 FileNameProblem::None},
                    FileNameCase{"Empty", "", FileNameProblem::NamesAFolder},
                    FileNameCase{"Dot", ".", FileNameProblem::NamesAFolder},
                    FileNameCase{"DotDot", "..", FileNameProblem::NamesAFolder},
                    FileNameCase{"TooLong", std::string(256, 'a'), FileNameProblem::TooLong},
                    FileNameCase{"SurrogatePairsCountTwice", std::string(254, 'a') + "\xF0\x9F\x8C\x8A",
                                 FileNameProblem::TooLong},
                    FileNameCase{"Pipe", "a|b", FileNameProblem::BadCharacter},
                    FileNameCase{"Tab", "a\tb", FileNameProblem::BadCharacter},
                    FileNameCase{"TrailingDot", "x.RAT.", FileNameProblem::TrailingDotOrBlank},
                    FileNameCase{"TrailingBlank", "x.RAT ", FileNameProblem::TrailingDotOrBlank},
                    FileNameCase{"Console", "con", FileNameProblem::ReservedName},
                    FileNameCase{"PrinterWithEnding", "LPT9.txt", FileNameProblem::ReservedName},
                    FileNameCase{"DeviceBeforeBlank", "NUL .RAT", FileNameProblem::ReservedName},
                    FileNameCase{"NotADevice", "COM10.RAT", FileNameProblem::None},
                    FileNameCase{"DeviceInsideAName", "CONSOLE.RAT", FileNameProblem::None}),
    [](const testing::TestParamInfo<FileNameCase>& info) { return std::string(info.param.name); });

// A typed name's folder and its own name, as a Windows or a POSIX user
// types them, and the file it means made absolute and tidied.
TEST(TypedNames, SplitAtTheLastSlashOfEitherKind) {
  struct Case {
    const char* typed;
    const char* lastPart;
  };
  for (const Case& c : {Case{"MyRating.RAT", "MyRating.RAT"}, Case{"runs/north.RAT", "north.RAT"},
                        Case{"C:\\Runs\\north.RAT", "north.RAT"}, Case{"a\\b/c.RAT", "c.RAT"},
                        Case{"runs/", ""}, Case{"", ""}}) {
    EXPECT_EQ(LastPartOf(c.typed), c.lastPart) << c.typed;
  }
  EXPECT_EQ(FolderEnd("runs/north.RAT"), 4U);
  EXPECT_EQ(FolderEnd("north.RAT"), std::string_view::npos);
  std::error_code error;
  EXPECT_EQ(AbsoluteNormal("a/./b/../c.RAT", error), std::filesystem::current_path() / "a" / "c.RAT");
  EXPECT_FALSE(error);
}

}  // namespace
}  // namespace rating
