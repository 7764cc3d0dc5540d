#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <system_error>
#include <windows.h>

#include "output/file_problem.h"
#include "output/file_target.h"
#include "output/safe_file.h"
#include "output/write_steps.h"
#include "platform/windows_calls.h"

namespace rating {

namespace fs = std::filesystem;
using windows_calls::Fail;
using windows_calls::FailLast;
using windows_calls::SystemName;
using write_steps::Reached;

namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}  // NOLINT: the handle's own type
std::intptr_t AsInteger(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }  // NOLINT

constexpr int kTemporaryNameTries = 100;

// A fresh hidden name beside `target` ending in `ending`: ".NAME.XXXXXX.partial"
// (PartialNameOf), or ".replaced" for a file kept while its group lands.
fs::path HiddenNameBeside(const fs::path& target, std::wstring_view ending) {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr std::wstring_view kLetters = L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::wstring name = PartialNameOf(target).before;
  for (std::size_t i = 0; i < PartialName::kUniqueLetters; ++i) {
    name += kLetters[generator() % kLetters.size()];
  }
  name += ending;
  return target.parent_path() / name;
}

// Writes a file's data to the disk, by its name.
DWORD FlushByName(const std::wstring& name) {
  const HANDLE file =
      ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError();
  const DWORD error = ::FlushFileBuffers(file) != 0 ? ERROR_SUCCESS : ::GetLastError();
  ::CloseHandle(file);
  return error;
}

// Whether another program holds `target` open, even one that lets others
// write and delete it: then nobody else can open it alone.
bool HeldElsewhere(const std::wstring& target) {
  const HANDLE alone =
      ::CreateFileW(target.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (alone != INVALID_HANDLE_VALUE) {
    ::CloseHandle(alone);
    return false;
  }
  return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// A failure to replace `target`, in the words a user can act on: of a file
// in use, Windows says only "Access is denied" or that it could not remove it.
DWORD ReplaceFailure(DWORD error, const std::wstring& target) {
  const bool unclear = error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
  return unclear && HeldElsewhere(target) ? ERROR_SHARING_VIOLATION : error;
}

// How often, and how far apart, a replace that meets another writer's
// momentary hold is tried.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplacePause = 50;  // ms

}  // namespace

SafeFile::SafeFile(const std::string& name) {
  // Nothing to replace: standard output is no file.
  if (IsWrittenInPlace(name)) Fail(FileProblem::NotAFile);
  target_ = ResolveTarget(name);
  const std::wstring target = SystemName(target_);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists) {
    // Fail now, with the system's reason, wherever replacing the file would:
    // a read-only file, or one that another program holds open, as a
    // spreadsheet holds the rating file it shows.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) Fail(ERROR_FILE_READ_ONLY);
    const HANDLE probe =
        ::CreateFileW(target.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) FailLast();
    ::CloseHandle(probe);
    keptAttributes_ = attributes;
  }

  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kTemporaryNameTries && error == ERROR_FILE_EXISTS; ++attempt) {
    const fs::path name = HiddenNameBeside(target_, PartialNameOf(target_).after);
    const HANDLE file = ::CreateFileW(SystemName(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      files_.handle = AsInteger(file);
      files_.temporary = name;
      error = ERROR_SUCCESS;
    } else {
      error = ::GetLastError();
    }
  }
  if (error == ERROR_ACCESS_DENIED) Fail(FileProblem::FolderNotWritable);
  if (error != ERROR_SUCCESS) Fail(error);
  TemporaryCreated();
}

void SafeFile::Discard() noexcept {
  if (files_.handle != kNoHandle) ::CloseHandle(AsHandle(files_.handle));
  files_.handle = kNoHandle;
  if (!files_.committed && !files_.temporary.empty()) ::DeleteFileW(SystemName(files_.temporary).c_str());
  files_.temporary.clear();
}

void SafeFile::Write(std::string_view bytes) {
  if (files_.handle == kNoHandle) Fail(ERROR_INVALID_HANDLE);
  buffer_.append(bytes);
}

void SafeFile::Finish() {
  if (files_.handle == kNoHandle) Fail(ERROR_INVALID_HANDLE);
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    constexpr std::size_t kLargestWrite = 1U << 30U;
    DWORD written = 0;
    if (::WriteFile(AsHandle(files_.handle), rest.data(),
                    static_cast<DWORD>(std::min(rest.size(), kLargestWrite)), &written, nullptr) == 0) {
      FailLast();
    }
    if (written == 0) Fail(ERROR_WRITE_FAULT);
    rest.remove_prefix(written);
  }
  buffer_.clear();
  Reached(WriteStep::DataWritten);
  const HANDLE file = AsHandle(files_.handle);
  files_.handle = kNoHandle;
  if (::CloseHandle(file) == 0) FailLast();
}

void SafeFile::Commit() {
  if (files_.committed) return;
  if (files_.handle != kNoHandle) Finish();
  // The data reach the disk before the file takes the target's name.
  if (const DWORD error = FlushByName(SystemName(files_.temporary)); error != ERROR_SUCCESS) Fail(error);
  Reached(WriteStep::DataSynced);
  Replace(false);
  Reached(WriteStep::Renamed);
  Reached(WriteStep::FolderSynced);
}

DWORD SafeFile::ReplaceOnce(const std::wstring& temporary, const std::wstring& target, bool keepOld) {
  if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
      return ERROR_SUCCESS;
    }
    return ::GetLastError();
  }
  // A file that another program holds open, even one that lets others
  // write and delete it, is not replaced under that program.
  if (HeldElsewhere(target)) return ERROR_SHARING_VIOLATION;
  // ReplaceFileW keeps what the replaced file had of its own: its
  // permissions (an access list set on it), its creation time and its
  // streams; a rename would give the new file its folder's permissions.
  if (keepOld) files_.backup = HiddenNameBeside(target_, L".replaced");
  const std::wstring backup = keepOld ? SystemName(files_.backup) : std::wstring();
  if (::ReplaceFileW(target.c_str(), temporary.c_str(), keepOld ? backup.c_str() : nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
    return ERROR_SUCCESS;
  }
  const DWORD error = ::GetLastError();
  // The old file went to the backup's name, the new one did not follow: the
  // old one comes back.
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  }
  return ReplaceFailure(error, target);
}

void SafeFile::Replace(bool keepOld) {
  const std::wstring temporary = SystemName(files_.temporary);
  const std::wstring target = SystemName(target_);
  // The replacement shows as the file it replaces did, hidden only if that
  // was; a new file is a plain one.
  if (::SetFileAttributesW(temporary.c_str(),
                           keptAttributes_ == 0 ? FILE_ATTRIBUTE_NORMAL : keptAttributes_) == 0) {
    FailLast();
  }
  // Another writer, such as a second copy of this program replacing the same
  // file, holds it for a moment, or has it half replaced: a replace that
  // meets it is tried again for up to a second before the failure stands.
  for (int attempt = 1;; ++attempt) {
    const DWORD error = ReplaceOnce(temporary, target, keepOld);
    if (error == ERROR_SUCCESS) break;
    const bool momentary = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
    if (!momentary || attempt == kReplaceAttempts) {
      files_.backup.clear();
      ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_HIDDEN);
      Fail(error);
    }
    ::Sleep(kReplacePause);
  }
  files_.temporary.clear();
  files_.committed = true;
}

void SafeFile::PutBack() noexcept {
  const std::wstring target = SystemName(target_);
  if (files_.backup.empty()) {
    ::DeleteFileW(target.c_str());
  } else {
    ::MoveFileExW(SystemName(files_.backup).c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  files_.backup.clear();
  files_.committed = false;
}

void SafeFile::DropBackup() noexcept {
  if (!files_.backup.empty()) ::DeleteFileW(SystemName(files_.backup).c_str());
  files_.backup.clear();
}

std::vector<std::error_code> SafeFile::SyncData(std::vector<SafeFile>& files) {
  std::vector<std::error_code> errors(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].files_.temporary.empty()) continue;
    try {
      if (const DWORD error = FlushByName(SystemName(files[i].files_.temporary)); error != ERROR_SUCCESS) {
        Fail(error);
      }
      Reached(WriteStep::DataSynced);
    } catch (const std::system_error& error) {
      errors[i] = error.code();
    }
  }
  return errors;
}

// Every rename is written through to the disk as it is made.
std::vector<std::error_code> SafeFile::SyncFolders(std::vector<SafeFile>& files,
                                                   const std::vector<bool>& /*landed*/) {
  std::vector<std::error_code> errors(files.size());
  try {
    Reached(WriteStep::FolderSynced);
  } catch (const std::system_error& error) {
    errors.assign(files.size(), error.code());
  }
  return errors;
}

}  // namespace rating
