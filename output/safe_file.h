#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace rating {

// The moments of a write at which a crash or a power loss could strike. Tests
// stop or fail a write at each of them (SetWriteStepHookForTesting).
enum class WriteStep {
  TemporaryCreated,  // the hidden temporary file exists, still empty
  DataWritten,       // every byte is in the temporary file, not yet on disk
  DataSynced,        // the temporary file's data is on disk
  Renamed,           // the temporary file has taken the target's name
  FolderSynced,      // the new name is on disk too
};

// A file that is either complete and right or untouched.
//
// The bytes go to a hidden temporary file in the target's folder, named
// ".NAME.XXXXXX.partial", so that crash leftovers are easy to tell apart.
// Commit syncs its data, renames it over the target and syncs the folder: a
// crash or power loss at any moment leaves the target with its complete old
// content, or absent if it was absent before, and once Commit returns the new
// content survives a power loss. An object that is not committed removes its
// own temporary file and nothing else.
//
// The name is taken as typed; relative names resolve against the working
// directory and symbolic links are written through. A replaced file keeps its
// mode, and its owner and group where the process may set them; on Windows,
// its access list and attributes. A device, a FIFO or standard output has
// nothing to replace and is refused (FileProblem::NotAFile).
//
// Every failure throws std::system_error with the system's error code, or a
// FileProblem where the system's own words would be unclear.
class SafeFile {
 public:
  // Fails, before anything is written, wherever creating or replacing `name`
  // would fail, and otherwise creates the temporary file.
  explicit SafeFile(const std::string& name);
  // A move hands over every file the write owns (OwnedFiles); a file moved
  // over gives up its own, which the moved-from object then removes.
  SafeFile(SafeFile&& other) noexcept = default;
  SafeFile& operator=(SafeFile&& other) noexcept = default;
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;
  ~SafeFile();

  // Appends bytes; they reach the file when it is finished.
  void Write(std::string_view bytes);
  // Writes the bytes out and closes the file without syncing it, on every
  // system; the target is not touched yet. CommitTogether puts finished
  // files in place.
  void Finish();
  // Finishes the file if needed, syncs it, renames it over the target and
  // syncs the folder.
  void Commit();

 private:
  friend std::vector<std::error_code> CommitTogether(std::vector<SafeFile>& files,
                                                     const std::vector<std::size_t>& groups);
  // The data of these finished files on disk: what kept each from it.
  static std::vector<std::error_code> SyncData(std::vector<SafeFile>& files);
  // The new names on disk, in every folder where `landed` files went.
  static std::vector<std::error_code> SyncFolders(std::vector<SafeFile>& files,
                                                  const std::vector<bool>& landed);
  // Renames the synced temporary file over the target; where `keepOld`, the
  // file it replaces stays under a hidden name (backup_) until DropBackup.
  void Replace(bool keepOld);
#ifdef _WIN32
  // One attempt at Replace's rename: the Windows error, ERROR_SUCCESS (0) once done.
  unsigned long ReplaceOnce(const std::wstring& temporary, const std::wstring& target, bool keepOld);
#endif
  // Undoes Replace: the replaced file back under its name, or none where
  // there was none. The new content is lost.
  void PutBack() noexcept;
  void DropBackup() noexcept;
  // Reports the new temporary file to the test hook; a hook that fails it
  // removes the file.
  void TemporaryCreated();
  void Discard() noexcept;

  static constexpr std::intptr_t kNoHandle = -1;  // no descriptor, or INVALID_HANDLE_VALUE

  // What a write owns on disk, which exactly one SafeFile may close, remove
  // or rename: a move constructs by taking it all and leaving nothing behind,
  // and a move assignment trades it, so that the object moved from removes
  // what the other gave up.
  struct OwnedFiles {
    std::filesystem::path temporary;   // empty once renamed over the target, or discarded
    std::filesystem::path backup;      // the file Replace replaced, until its group has landed
    std::intptr_t handle = kNoHandle;  // the open file: a descriptor, or a Windows HANDLE
    bool committed = false;            // the temporary file has taken the target's name

    OwnedFiles() = default;
    OwnedFiles(OwnedFiles&& other) noexcept
        : temporary(std::exchange(other.temporary, {})),
          backup(std::exchange(other.backup, {})),
          handle(std::exchange(other.handle, kNoHandle)),
          committed(std::exchange(other.committed, false)) {}
    OwnedFiles& operator=(OwnedFiles&& other) noexcept {
      std::swap(temporary, other.temporary);
      std::swap(backup, other.backup);
      std::swap(handle, other.handle);
      std::swap(committed, other.committed);
      return *this;
    }
    OwnedFiles(const OwnedFiles&) = delete;
    OwnedFiles& operator=(const OwnedFiles&) = delete;
    ~OwnedFiles() = default;
  };

  std::filesystem::path target_;
  std::string buffer_;                // bytes not yet written
  std::uint32_t keptAttributes_ = 0;  // of the file replaced: its mode, or its Windows attributes
  OwnedFiles files_;
};

// Puts finished files in place together, as a run of the command line does:
// one data sync per file system, then the renames, then one sync per folder.
// The files of one group, `groups[i]` for files[i] (the files of one run),
// are all replaced or none is. Nothing is renamed until every file is
// finished and its data synced; a group whose file fails there renames
// nothing, and a rename that fails puts back the files its group had
// replaced. Until a group has landed, each file it replaced stays under a
// hidden name beside it, ".NAME.XXXXXX.replaced", so that a crash between
// two renames leaves the old content at hand. Returns, for each file, what
// kept it from its target; a file of a failed group that failed in nothing
// itself has none, and stays out all the same.
std::vector<std::error_code> CommitTogether(std::vector<SafeFile>& files,
                                            const std::vector<std::size_t>& groups);

// The unfinished copy a write of `target` makes beside it,
// ".NAME.XXXXXX.partial": what comes before the six letters that make each
// copy unique, and what after. NAME is the target's own name cut to 200
// characters (bytes on POSIX systems, UTF-16 units on Windows), so that the
// whole stays within the 255 a file name may have.
struct PartialName {
  std::filesystem::path::string_type before;  // ".NAME."
  std::filesystem::path::string_type after;   // ".partial"
  static constexpr std::size_t kUniqueLetters = 6;
};
PartialName PartialNameOf(const std::filesystem::path& target);

// Such copies as a note names them for a person: ".NAME.*.partial", UTF-8.
std::string PartialPattern(const std::filesystem::path& target);

// How many hidden temporary files writes that were stopped, by a crash or a
// kill, left beside the file `target` (resolved, as ResolveTarget gives it):
// those named as SafeFile names its own. Nothing else removes them.
std::size_t CountLeftovers(const std::filesystem::path& target);

// A hook called at every step of every write; it may throw std::system_error
// to fail the write there, or end the process to crash it. Null by default.
using WriteStepHook = void (*)(WriteStep step);
void SetWriteStepHookForTesting(WriteStepHook hook);

}  // namespace rating
