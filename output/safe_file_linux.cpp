#include <array>
#include <cerrno>
#include <cstdlib>  // mkostemps
#include <fcntl.h>  // open and its flags
#include <map>
#include <set>
#include <sys/stat.h>  // stat, fchmod
#include <system_error>
#include <unistd.h>  // write, fsync, syncfs, fchown, close, unlink, link

#include "output/file_problem.h"
#include "output/file_target.h"
#include "output/safe_file.h"
#include "output/write_steps.h"

namespace rating {

namespace fs = std::filesystem;
using write_steps::Reached;

namespace {

constexpr std::string_view kReplaced = ".replaced";  // a replaced file's, until its group has landed

// Syncs a file's data by its name.
int SyncFile(const fs::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return errno;
  const int result = ::fsync(descriptor) == 0 ? 0 : errno;
  ::close(descriptor);
  return result;
}

// The descriptor a SafeFile keeps in its handle.
int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

[[noreturn]] void Fail(int error) { throw std::system_error(error, std::generic_category()); }

// Syncs a folder, so that a rename in it survives a power loss. File systems
// that cannot sync a folder say so with EINVAL; they have nothing to sync.
int SyncFolder(const fs::path& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return errno;
  const int result = ::fsync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
  ::close(descriptor);
  return result;
}

// Syncs the whole file system that holds `folder`.
int SyncFileSystem(const fs::path& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return errno;
  const int result = ::syncfs(descriptor) == 0 ? 0 : errno;
  ::close(descriptor);
  return result;
}

}  // namespace

SafeFile::SafeFile(const std::string& name) {
  // Nothing to replace: a device, a FIFO or standard output is no file.
  if (IsWrittenInPlace(name)) Fail(FileProblem::NotAFile);
  target_ = ResolveTarget(name);
  struct stat status {};
  const bool exists = ::stat(target_.c_str(), &status) == 0;

  if (exists) {
    // Fail now, with the system's reason, wherever writing the file would.
    const int probe = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (probe < 0) Fail(errno);
    ::close(probe);
  }

  // The hidden temporary file beside the target, ".NAME.XXXXXX.partial",
  // created by the system under a name no other file has.
  const PartialName partial = PartialNameOf(target_);
  std::string hidden = partial.before;
  hidden.append(PartialName::kUniqueLetters, 'X').append(partial.after);
  std::string pattern = (target_.parent_path() / hidden).string();
  files_.handle = ::mkostemps(pattern.data(), static_cast<int>(partial.after.size()), O_CLOEXEC);
  if (files_.handle < 0) Fail(errno);
  files_.temporary = pattern;
  if (!exists) {
    // mkostemps makes a file only its owner may read; a new rating file is
    // as any file the user makes, under the process's umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(Fd(files_.handle), 0666 & ~mask);
  }
  if (exists) {
    // The replacement belongs to whoever owned the file it replaces, where
    // the process may say so, and keeps its mode. Owner first: a change of
    // owner clears the set-user-ID bits.
    keptAttributes_ = status.st_mode & 07777U;
    (void)::fchown(Fd(files_.handle), status.st_uid, status.st_gid);
    (void)::fchmod(Fd(files_.handle), keptAttributes_);
  }
  TemporaryCreated();
}

void SafeFile::Discard() noexcept {
  if (files_.handle >= 0) ::close(Fd(files_.handle));
  files_.handle = -1;
  if (!files_.committed && !files_.temporary.empty()) ::unlink(files_.temporary.c_str());
  files_.temporary.clear();
}

void SafeFile::Write(std::string_view bytes) {
  if (files_.handle < 0) Fail(EBADF);
  buffer_.append(bytes);
}

void SafeFile::Finish() {
  if (files_.handle < 0) Fail(EBADF);
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    const ::ssize_t written = ::write(Fd(files_.handle), rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) Fail(written < 0 ? errno : EIO);
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  buffer_.clear();
  Reached(WriteStep::DataWritten);
  const int descriptor = Fd(files_.handle);
  files_.handle = -1;
  if (::close(descriptor) != 0) Fail(errno);
}

void SafeFile::Commit() {
  if (files_.committed) return;
  if (files_.handle >= 0) Finish();
  if (const int error = SyncFile(files_.temporary); error != 0) Fail(error);
  Reached(WriteStep::DataSynced);
  Replace(false);
  Reached(WriteStep::Renamed);
  if (const int error = SyncFolder(target_.parent_path()); error != 0) Fail(error);
  Reached(WriteStep::FolderSynced);
}

void SafeFile::Replace(bool keepOld) {
  if (keepOld) {
    // The old file under a second, hidden name: the target's name never
    // lacks a complete file. Where the file system has no hard links, the
    // old file moves aside for the moment of the rename.
    std::string backup = files_.temporary.string();
    const std::size_t partial = PartialNameOf(target_).after.size();
    backup.replace(backup.size() - partial, partial, kReplaced);
    files_.backup = backup;
    if (::link(target_.c_str(), files_.backup.c_str()) != 0) {
      const int error = errno;
      if (error == ENOENT) {
        files_.backup.clear();  // nothing to replace
      } else if ((error != EPERM && error != ENOTSUP && error != EMLINK) ||
                 ::rename(target_.c_str(), files_.backup.c_str()) != 0) {
        files_.backup.clear();
        Fail(error);
      }
    }
  }
  if (::rename(files_.temporary.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    if (!files_.backup.empty() && !fs::exists(target_)) {
      (void)::rename(files_.backup.c_str(), target_.c_str());
    }
    if (!files_.backup.empty()) (void)::unlink(files_.backup.c_str());
    files_.backup.clear();
    Fail(error);
  }
  files_.temporary.clear();
  files_.committed = true;
}

void SafeFile::PutBack() noexcept {
  if (files_.backup.empty()) {
    (void)::unlink(target_.c_str());
  } else {
    (void)::rename(files_.backup.c_str(), target_.c_str());
  }
  files_.backup.clear();
  files_.committed = false;
}

void SafeFile::DropBackup() noexcept {
  if (!files_.backup.empty()) (void)::unlink(files_.backup.c_str());
  files_.backup.clear();
}

std::vector<std::error_code> SafeFile::SyncData(std::vector<SafeFile>& files) {
  // One sync of each file system that holds a temporary file, rather than
  // one per file: a batch of thousands of files waits for the disk once.
  std::vector<std::error_code> errors(files.size());
  std::map<fs::path, int> syncedFolders;  // folder -> error of its file system's sync
  std::set<dev_t> syncedDevices;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].files_.temporary.empty()) continue;
    const fs::path folder = files[i].target_.parent_path();
    if (!syncedFolders.contains(folder)) {
      struct stat status {};
      if (::stat(folder.c_str(), &status) != 0) {
        syncedFolders[folder] = errno;
      } else if (syncedDevices.insert(status.st_dev).second) {
        syncedFolders[folder] = SyncFileSystem(folder);
        try {
          Reached(WriteStep::DataSynced);
        } catch (const std::system_error& error) {
          syncedFolders[folder] = error.code().value();
        }
      } else {
        syncedFolders[folder] = 0;
      }
    }
    if (syncedFolders[folder] != 0) {
      errors[i] = std::error_code(syncedFolders[folder], std::generic_category());
    }
  }
  return errors;
}

std::vector<std::error_code> SafeFile::SyncFolders(std::vector<SafeFile>& files,
                                                   const std::vector<bool>& landed) {
  std::vector<std::error_code> errors(files.size());
  std::map<fs::path, int> synced;  // folder -> error
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!landed[i]) continue;
    const fs::path folder = files[i].target_.parent_path();
    if (!synced.contains(folder)) {
      synced[folder] = SyncFolder(folder);
      try {
        Reached(WriteStep::FolderSynced);
      } catch (const std::system_error& error) {
        synced[folder] = error.code().value();
      }
    }
    if (synced[folder] != 0) errors[i] = std::error_code(synced[folder], std::generic_category());
  }
  return errors;
}

}  // namespace rating
