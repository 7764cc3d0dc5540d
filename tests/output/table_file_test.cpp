// Table files as spreadsheets save them, and as they fail to be read.
#include "output/table_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "output/file_message.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

using std::string_literals::operator""s;

struct TableFileCase {
  const char* name;
  std::string bytes;
  std::string text;  // as read, UTF-8
  int badLine;       // the line named in the problem; 0 for none
};

TEST(TableFiles, ReadAsSpreadsheetsSaveThemOrNameTheLineThatIsNotText) {
  const testing_support::ScratchFolder folder("table-file");
  for (const TableFileCase& c : {
           TableFileCase{"Utf16LittleEndian",
                         "\xFF\xFE"
                         "Q\0\n\0"
                         "1\0\n\0"s,
                         "Q\n1\n", 0},
           TableFileCase{"Latin1OnTheThirdLine",
                         "Flow\n100\nStra\xDF"
                         "e\n",
                         "", 3},
       }) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path path = folder.Path() / (std::string(c.name) + ".csv");
    testing_support::WriteFile(path, c.bytes);
    const std::u8string name = path.u8string();
    const std::string utf8Name(name.begin(), name.end());
    const TableFile file = ReadTableFile(utf8Name, Message::KindInflowFile);
    EXPECT_EQ(file.utf8, c.text);
    EXPECT_EQ(file.problem, c.badLine == 0 ? ""
                                           : "Cannot read inflow file \"" + utf8Name + "\": line " +
                                                 std::to_string(c.badLine) +
                                                 ": the text is neither UTF-8 nor UTF-16; save the table as "
                                                 "\"CSV UTF-8 (Comma delimited)\".");
  }
}

// A name that leads to no file, or to a folder, says so under the file's
// heading; a folder is not read as an empty table.
TEST(TableFiles, ThatCannotBeReadSayWhy) {
  const testing_support::ScratchFolder folder("table-file-unreadable");
  for (const auto& [path, reason] :
       {std::pair{folder.Path() / "missing.csv", std::make_error_code(std::errc::no_such_file_or_directory)},
        std::pair{folder.Path(), std::make_error_code(std::errc::is_a_directory)}}) {
    const std::u8string name = path.u8string();
    const std::string utf8Name(name.begin(), name.end());
    const TableFile file = ReadTableFile(utf8Name, Message::KindBatchFile);
    EXPECT_EQ(file.problem, FileMessage("Cannot read batch file", utf8Name, reason)) << utf8Name;
    EXPECT_EQ(file.utf8, "");
  }
}

}  // namespace
}  // namespace rating
