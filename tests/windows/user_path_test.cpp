// The installer's change to the user's PATH: one entry in, the same entry
// out, and the rest of the PATH as the user had it.
#include "packaging/windows/user_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace rating::packaging {
namespace {

constexpr const wchar_t* kFolder = LR"(C:\Users\ann\AppData\Local\Programs\Trapezoid Rating)";

struct PathCase {
  const char* name;
  friend void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }
  std::wstring before;
  std::optional<std::wstring> added;    // nothing where the PATH names the folder already
  std::optional<std::wstring> removed;  // nothing where it does not
};

class UserPath : public testing::TestWithParam<PathCase> {};

TEST_P(UserPath, AddsAndRemovesOnlyTheProgramsEntry) {
  EXPECT_EQ(WithEntry(GetParam().before, kFolder), GetParam().added);
  EXPECT_EQ(WithoutEntry(GetParam().before, kFolder), GetParam().removed);
  // Installing and uninstalling gives back the very PATH the user had.
  if (const auto added = WithEntry(GetParam().before, kFolder)) {
    EXPECT_EQ(WithoutEntry(*added, kFolder), GetParam().before);
  }
}

const std::wstring kEntry = kFolder;

INSTANTIATE_TEST_SUITE_P(
    Installer, UserPath,
    testing::Values(
        PathCase{"NoPathYet", L"", kEntry, std::nullopt},
        PathCase{"AddedAtTheEnd", LR"(C:\Tools;%USERPROFILE%\bin)",
                 LR"(C:\Tools;%USERPROFILE%\bin;)" + kEntry, std::nullopt},
        PathCase{"BeforeATrailingSeparator", LR"(C:\Tools;)", LR"(C:\Tools;)" + kEntry + L";", std::nullopt},
        PathCase{"ThereAlreadyInOtherCaseWithABackslash",
                 LR"(C:\Tools;c:\users\ann\appdata\local\programs\trapezoid rating\)", std::nullopt,
                 LR"(C:\Tools)"},
        PathCase{"TakenFromTheMiddle", LR"(C:\Tools;)" + kEntry + LR"(;D:\bin)", std::nullopt,
                 LR"(C:\Tools;D:\bin)"},
        PathCase{"TheOnlyEntry", kEntry, std::nullopt, L""},
        PathCase{"EmptyEntriesKept", LR"(C:\Tools;;)" + kEntry + L";", std::nullopt, LR"(C:\Tools;;)"},
        PathCase{"ALongerFolderIsAnother", kEntry + LR"( 2;C:\Tools)", kEntry + LR"( 2;C:\Tools;)" + kEntry,
                 std::nullopt},
        PathCase{"AParentFolderIsAnother", LR"(C:\Users\ann\AppData\Local\Programs)",
                 LR"(C:\Users\ann\AppData\Local\Programs;)" + kEntry, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rating::packaging
