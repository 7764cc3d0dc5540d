#include "output/file_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>  // mkfifo
#include <sys/wait.h>  // waitpid
#include <system_error>
#include <unistd.h>  // fork

#include "output/file_problem.h"
#include "output/safe_file.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;

TEST(ResolveTarget, GivesOnePathForEveryNameOfAFile) {
  testing_support::ScratchFolder folder("resolve-target-test");
  const fs::path dir = folder.Path();
  fs::create_directory(dir / "real");
  fs::create_directory_symlink(dir / "real", dir / "alias");
  fs::create_symlink("real/x.RAT", dir / "link.RAT");
  const fs::path expected = fs::canonical(dir / "real") / "x.RAT";
  for (const fs::path& name : {dir / "real" / "x.RAT", dir / "alias" / "x.RAT",
                               dir / "real" / ".." / "link.RAT", dir / "alias" / "." / "x.RAT"}) {
    EXPECT_EQ(ResolveTarget(name.string()), expected) << name;
  }
  EXPECT_EQ(ResolveTarget("/dev/stdout"), "/dev/stdout");
  EXPECT_TRUE(IsStandardOutput("/dev/fd/1"));
  EXPECT_FALSE(IsStandardOutput("-")) << "the command line maps \"-\" itself";
}

// Which outputs are written as they stand, and that a SafeFile, which only
// replaces files, refuses exactly those in its own words.
struct OutputCase {
  const char* name;
  friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }
  std::function<std::string(const fs::path& folder)> make;  // returns the name to write
  bool inPlace;
};

class Outputs : public testing::TestWithParam<OutputCase> {};

TEST_P(Outputs, AreReplacedOrWrittenAsTheyStand) {
  testing_support::ScratchFolder folder("file-target-test");
  const std::string name = GetParam().make(folder.Path());
  EXPECT_EQ(IsWrittenInPlace(name), GetParam().inPlace);
  if (!GetParam().inPlace) return;
  try {
    SafeFile file(name);
    ADD_FAILURE() << "a SafeFile took " << name;
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::error_code(static_cast<int>(FileProblem::NotAFile), FileProblems()));
    EXPECT_EQ(error.code().message(),
              "this names a device, a pipe or standard output, not a file; type the name of a file, such as "
              "MyRating.RAT");
  }
}

INSTANTIATE_TEST_SUITE_P(
    FileTarget, Outputs,
    testing::Values(
        OutputCase{"ANewFile", [](const fs::path& dir) { return (dir / "new.RAT").string(); }, false},
        OutputCase{"AnExistingFile",
                   [](const fs::path& dir) {
                     testing_support::WriteFile(dir / "old.RAT", "old");
                     return (dir / "old.RAT").string();
                   },
                   false},
        OutputCase{"AFolder", [](const fs::path& dir) { return dir.string(); }, false},
        OutputCase{"ADevice", [](const fs::path&) { return std::string("/dev/null"); }, true},
        OutputCase{"StandardOutput", [](const fs::path&) { return std::string("/dev/stdout"); }, true},
        OutputCase{"AFifo",
                   [](const fs::path& dir) {
                     EXPECT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
                     return (dir / "pipe").string();
                   },
                   true},
        OutputCase{"ALinkToADevice",
                   [](const fs::path& dir) {
                     fs::create_symlink("/dev/null", dir / "null.RAT");
                     return (dir / "null.RAT").string();
                   },
                   true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteInPlace, FillsAFifoWholeAndReportsAFullDevice) {
  testing_support::ScratchFolder folder("write-in-place-test");
  const fs::path pipe = folder.Path() / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string bytes(100000, 'x');  // more than a pipe holds at once
  const pid_t reader = ::fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) ::_exit(ReadFile(pipe) == bytes ? 0 : 1);
  WriteInPlace(pipe.string(), bytes);
  int status = 0;
  ASSERT_EQ(::waitpid(reader, &status, 0), reader);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  try {
    WriteInPlace("/dev/full", bytes);
    ADD_FAILURE() << "/dev/full took the bytes";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code(), std::errc::no_space_on_device);
  }
}

}  // namespace
}  // namespace rating
