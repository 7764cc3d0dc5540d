#include "output/safe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <ostream>
#include <regex>
#include <string>
#include <sys/stat.h>  // stat
#include <sys/wait.h>  // waitpid: crash tests run the write in a child process
#include <system_error>
#include <unistd.h>  // fork, chown, geteuid

#include "output/file_message.h"
#include "tests/support/failure_assertions.h"
#include "tests/support/scratch_files.h"

namespace rating {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr const char* kOld = "old rating\r\n";
constexpr const char* kNew = "new rating\r\n 0 \t 0 \t 0 \t 0 \r\n";

// Names in a folder, hidden ones too, sorted by the iteration order.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class SafeFileTest : public testing::Test {
 protected:
  ~SafeFileTest() override { SetWriteStepHookForTesting(nullptr); }
  testing_support::ScratchFolder folder_{
      std::string("safe-file-test-").append(testing::UnitTest::GetInstance()->current_test_info()->name())};
  fs::path dir_ = folder_.Path();
  fs::path target_ = dir_ / "reach.RAT";
};

// A crash at each step of a write, in a child process that dies there.
struct CrashCase {
  const char* name;
  WriteStep step;
  bool hadOldFile;
  bool newContentInPlace;  // the crash came after the rename
  friend void PrintTo(const CrashCase& c, std::ostream* os) { *os << c.name; }
};

WriteStep crashAt;  // read by the child's hook

class Crashes : public SafeFileTest, public testing::WithParamInterface<CrashCase> {};

TEST_P(Crashes, LeaveTheOldFileOrTheNewOneAndOnlyAHiddenLeftover) {
  const CrashCase& c = GetParam();
  if (c.hadOldFile) WriteFile(target_, kOld);
  crashAt = c.step;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SetWriteStepHookForTesting([](WriteStep step) {
      if (step == crashAt) ::_exit(0);
    });
    SafeFile file(target_.string());
    file.Write(kNew);
    file.Commit();
    ::_exit(1);  // the crash point was never reached
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child did not stop at its step";

  if (c.newContentInPlace) {
    EXPECT_EQ(ReadFile(target_), kNew);
  } else if (c.hadOldFile) {
    EXPECT_EQ(ReadFile(target_), kOld);
  } else {
    EXPECT_FALSE(fs::exists(target_));
  }
  // Whatever else is left is a hidden, recognisable leftover of this target.
  const std::regex leftover(R"(\.reach\.RAT\.[0-9A-Za-z]{6}\.partial)");
  for (const std::string& name : Names(dir_)) {
    if (name != "reach.RAT") {
      EXPECT_TRUE(std::regex_match(name, leftover)) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Crashes,
    testing::Values(CrashCase{"NewFileTemporaryCreated", WriteStep::TemporaryCreated, false, false},
                    CrashCase{"NewFileDataWritten", WriteStep::DataWritten, false, false},
                    CrashCase{"NewFileDataSynced", WriteStep::DataSynced, false, false},
                    CrashCase{"NewFileRenamed", WriteStep::Renamed, false, true},
                    CrashCase{"ReplacementTemporaryCreated", WriteStep::TemporaryCreated, true, false},
                    CrashCase{"ReplacementDataWritten", WriteStep::DataWritten, true, false},
                    CrashCase{"ReplacementDataSynced", WriteStep::DataSynced, true, false},
                    CrashCase{"ReplacementRenamed", WriteStep::Renamed, true, true},
                    CrashCase{"ReplacementFolderSynced", WriteStep::FolderSynced, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A write that fails at a step (a full disk, an I/O error) is reported and
// leaves the target as it was, with no temporary file.
class FailedSteps : public SafeFileTest, public testing::WithParamInterface<WriteStep> {};

WriteStep failAt;

TEST_P(FailedSteps, AreReportedAndLeaveNothingBehind) {
  WriteFile(target_, kOld);
  failAt = GetParam();
  SetWriteStepHookForTesting([](WriteStep step) {
    if (step == failAt) throw std::system_error(ENOSPC, std::generic_category());
  });
  const auto failure = testing_support::FailureOf<std::system_error>([this] {
    SafeFile file(target_.string());
    file.Write(kNew);
    file.Commit();
  });
  ASSERT_TRUE(failure.has_value()) << "the write succeeded";
  EXPECT_EQ(failure->code().value(), ENOSPC);
  EXPECT_EQ(ReadFile(target_), kOld);
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"reach.RAT"});
}

INSTANTIATE_TEST_SUITE_P(BeforeTheRename, FailedSteps,
                         testing::Values(WriteStep::TemporaryCreated, WriteStep::DataWritten,
                                         WriteStep::DataSynced));

TEST_F(SafeFileTest, AnAbandonedWriteRemovesOnlyItsOwnTemporaryFile) {
  {
    SafeFile mine(target_.string());
    mine.Write(kNew);
    // Meanwhile another run puts its complete file under the same name.
    SafeFile theirs(target_.string());
    theirs.Write(kOld);
    theirs.Commit();
  }
  EXPECT_EQ(ReadFile(target_), kOld);
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"reach.RAT"});
}

TEST_F(SafeFileTest, AReplacementKeepsModeOwnerAndGroup) {
  WriteFile(target_, kOld);
  ::chmod(target_.c_str(), 0640);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(target_.c_str(), 65534, 65534), 0);
  }
  SafeFile file(target_.string());
  file.Write(kNew);
  file.Commit();
  struct stat status {};
  ASSERT_EQ(::stat(target_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777U, 0640U);
  if (root) {  // only root may give a file away
    EXPECT_EQ(status.st_uid, 65534U) << "root replacing a user's file hands it back to the user";
    EXPECT_EQ(status.st_gid, 65534U);
  }
  EXPECT_EQ(ReadFile(target_), kNew);
}

TEST_F(SafeFileTest, FilesCommittedTogetherLandAndAMissingFolderFailsAlone) {
  fs::create_directory(dir_ / "a");
  fs::create_directory(dir_ / "b");
  std::vector<SafeFile> files;
  for (const char* name : {"a/one.RAT", "b/two.RAT", "b/three.svg"}) {
    files.emplace_back((dir_ / name).string());
    files.back().Write(name);
    files.back().Finish();
  }
  EXPECT_FALSE(fs::exists(dir_ / "a" / "one.RAT")) << "nothing is in place before the commit";
  fs::rename(dir_ / "a", dir_ / "gone");  // the first folder disappears meanwhile
  const std::vector<std::error_code> errors = CommitTogether(files, {0, 1, 2});  // each a group of its own
  ASSERT_EQ(errors.size(), 3U);
  EXPECT_TRUE(errors[0]);
  EXPECT_FALSE(errors[1]);
  EXPECT_FALSE(errors[2]);
  EXPECT_EQ(ReadFile(dir_ / "b" / "two.RAT"), "b/two.RAT");
  EXPECT_EQ(ReadFile(dir_ / "b" / "three.svg"), "b/three.svg");
  // The temporary file went with its folder, out of reach; it stays a hidden leftover.
  const std::vector<std::string> left = Names(dir_ / "gone");
  ASSERT_EQ(left.size(), 1U);
  EXPECT_TRUE(left[0].starts_with(".one.RAT.") && left[0].ends_with(".partial")) << left[0];
}

// The files of one run land together or not at all, whatever step fails or
// crashes: a failure puts back what its group had replaced, and a crash
// between two renames leaves each replaced file's old content beside it.
struct GroupCase {
  const char* name;
  friend void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.name; }
  WriteStep step;                 // the step that fails or crashes
  int occurrence;                 // at its nth time
  bool crash;                     // the process dies there, or the step fails
  std::vector<bool> landed;       // which of the three files hold the new content after
  std::size_t replacedLeftovers;  // ".replaced" files left beside them
};

WriteStep groupStep;
int groupOccurrence;

void StopAtGroupStep(WriteStep step) {
  if (step == groupStep && --groupOccurrence == 0) throw std::system_error(EIO, std::generic_category());
}

class Groups : public SafeFileTest, public testing::WithParamInterface<GroupCase> {
 protected:
  // Three files of one group replacing old ones; the third is new.
  void Commit() {
    WriteFile(dir_ / "one.RAT", kOld);
    WriteFile(dir_ / "two.svg", kOld);
    std::vector<SafeFile> files;
    for (const char* name : {"one.RAT", "two.svg", "three.csv"}) {
      files.emplace_back((dir_ / name).string());
      files.back().Write(kNew);
      files.back().Finish();
    }
    groupStep = GetParam().step;
    groupOccurrence = GetParam().occurrence;
    SetWriteStepHookForTesting(StopAtGroupStep);
    if (GetParam().crash) {
      SetWriteStepHookForTesting([](WriteStep step) {
        if (step == groupStep && --groupOccurrence == 0) ::_exit(0);
      });
    }
    const std::vector<std::error_code> errors = CommitTogether(files, {7, 7, 7});
    const bool failed = std::any_of(errors.begin(), errors.end(), [](std::error_code e) { return bool(e); });
    EXPECT_EQ(failed, !GetParam().landed.front()) << "a failure is reported";
  }
};

TEST_P(Groups, LandTogetherOrLeaveTheOldFiles) {
  const GroupCase& c = GetParam();
  if (c.crash) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Commit();
      ::_exit(1);  // the crash point was never reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child did not stop at its step";
  } else {
    Commit();
  }
  const std::vector<std::string> names = {"one.RAT", "two.svg", "three.csv"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    const fs::path file = dir_ / names[i];
    if (c.landed[i]) {
      EXPECT_EQ(ReadFile(file), kNew) << names[i];
    } else if (i < 2) {
      EXPECT_EQ(ReadFile(file), kOld) << names[i];
    } else {
      EXPECT_FALSE(fs::exists(file)) << names[i];
    }
  }
  std::size_t replaced = 0;
  for (const std::string& name : Names(dir_)) {
    if (name.ends_with(".replaced")) {
      ++replaced;
      EXPECT_EQ(ReadFile(dir_ / name), kOld) << "a replaced file's old content, at hand: " << name;
    } else if (std::find(names.begin(), names.end(), name) == names.end()) {
      EXPECT_TRUE(c.crash && name.ends_with(".partial")) << "only a crash leaves a temporary file: " << name;
    }
  }
  EXPECT_EQ(replaced, c.replacedLeftovers);
}

INSTANTIATE_TEST_SUITE_P(
    CommitTogether, Groups,
    testing::Values(
        GroupCase{"AllLand", WriteStep::TemporaryCreated, 1, false, {true, true, true}, 0},
        GroupCase{"AFailedSyncRenamesNothing", WriteStep::DataSynced, 1, false, {false, false, false}, 0},
        GroupCase{"AFailedFirstRenamePutsItBack", WriteStep::Renamed, 1, false, {false, false, false}, 0},
        GroupCase{
            "AFailedLastRenamePutsBackTheOthers", WriteStep::Renamed, 3, false, {false, false, false}, 0},
        GroupCase{
            "ACrashBetweenRenamesKeepsTheOldBeside", WriteStep::Renamed, 2, true, {true, true, false}, 2},
        GroupCase{"ACrashBeforeTheRenamesChangesNothing",
                  WriteStep::DataSynced,
                  1,
                  true,
                  {false, false, false},
                  0}),
    [](const auto& info) { return std::string(info.param.name); });

// A move hands the write over whole: the file moved to commits it, the one
// moved from leaves nothing behind, and a write moved over is given up.
TEST_F(SafeFileTest, MovesHandTheWriteOverAndGiveUpTheOneReplaced) {
  WriteFile(target_, kOld);
  const fs::path other = dir_ / "other.RAT";
  {
    SafeFile first(target_.string());
    first.Write(kNew);
    SafeFile moved(std::move(first));
    SafeFile given(other.string());
    given.Write("given up\r\n");
    given = std::move(moved);
    std::vector<SafeFile> files;
    files.push_back(std::move(given));
    files.emplace_back((dir_ / "third.RAT").string());  // the vector grows, and moves the first
    files.front().Commit();
  }
  EXPECT_EQ(ReadFile(target_), kNew);
  EXPECT_EQ(Names(dir_), (std::vector<std::string>{"reach.RAT"})) << "no temporary file of any of them stays";
}

// A write stopped under a long name leaves a copy whose name is cut to fit;
// the note that counts such copies names them by the same cut.
TEST_F(SafeFileTest, TheLeftoversNoteNamesTheCopiesALongNameLeaves) {
  const fs::path target = dir_ / (std::string(230, 'r') + ".RAT");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SetWriteStepHookForTesting([](WriteStep step) {
      if (step == WriteStep::TemporaryCreated) ::_exit(0);
    });
    SafeFile file(target.string());
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::vector<std::string> left = Names(dir_);
  ASSERT_EQ(left.size(), 1U);
  WriteFile(target, kOld);
  EXPECT_EQ(CountLeftovers(target), 1U);
  const std::optional<std::string> note = LeftoversNote(target.string(), false);
  ASSERT_TRUE(note.has_value());
  const std::size_t start = note->find(" \".") + 2;
  const std::string pattern = note->substr(start, note->find('"', start) - start);
  const std::size_t star = pattern.find('*');
  ASSERT_NE(star, std::string::npos) << *note;
  EXPECT_TRUE(left.front().starts_with(pattern.substr(0, star))) << pattern << " against " << left.front();
  EXPECT_TRUE(left.front().ends_with(pattern.substr(star + 1))) << pattern;
  EXPECT_LT(left.front().size(), 256U);
}

}  // namespace
}  // namespace rating
