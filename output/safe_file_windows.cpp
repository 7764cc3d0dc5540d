#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <system_error>
#include <windows.h>

#include "messages/messages.h"
#include "output/file_name.h"
#include "output/safe_file.h"
#include "output/utf8_path.h"
#include "output/write_steps.h"

namespace rating {

namespace fs = std::filesystem;
using write_steps::Reached;

namespace {

// Names Windows would take for something else, refused before it does, and
// a folder the user may not create files in, which Windows reports only as
// "Access is denied".
enum class NameProblem {
  ReservedName = 1,
  BadCharacter,
  TrailingDotOrBlank,
  FolderNotWritable,
  NamesAFolder
};

class NameProblems : public std::error_category {
 public:
  [[nodiscard]] const char* name() const noexcept override { return "windows name"; }
  [[nodiscard]] std::string message(int code) const override {
    switch (static_cast<NameProblem>(code)) {
      case NameProblem::ReservedName: return std::string(Pattern(Message::ReasonReservedName));
      case NameProblem::BadCharacter: return std::string(Pattern(Message::ReasonBadCharacter));
      case NameProblem::TrailingDotOrBlank: return std::string(Pattern(Message::ReasonTrailingDotOrBlank));
      case NameProblem::FolderNotWritable: return std::string(Pattern(Message::ReasonFolderNotWritable));
      case NameProblem::NamesAFolder: return std::string(Pattern(Message::ReasonNamesAFolder));
    }
    return std::string(Pattern(Message::ReasonNameRefused));
  }
};

[[noreturn]] void Fail(NameProblem problem) {
  static const NameProblems kProblems;
  throw std::system_error(static_cast<int>(problem), kProblems);
}

// The system's own words for a Windows error, in UTF-8, without the full
// stop and line end that FormatMessage adds: messages add their own. The
// errors a user can mend get the program's own, clearer words.
class WindowsErrors : public std::error_category {
 public:
  [[nodiscard]] const char* name() const noexcept override { return "windows"; }
  [[nodiscard]] std::string message(int code) const override {
    switch (code) {
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION: return std::string(Pattern(Message::ReasonFileInUse));
      case ERROR_FILE_READ_ONLY: return std::string(Pattern(Message::ReasonReadOnly));
      case ERROR_FILENAME_EXCED_RANGE: return std::string(Pattern(Message::ReasonNameTooLong));
      default: break;
    }
    std::array<wchar_t, 512> text{};
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                          static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                          text.data(), static_cast<DWORD>(text.size()), nullptr);
    std::wstring wide(text.data(), length);
    while (!wide.empty() &&
           (wide.back() == L'.' || wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ')) {
      wide.pop_back();
    }
    if (wide.empty()) return Compose(Message::ReasonWindowsError, Arg<"code">(std::to_string(code)));
    return Utf8Of(wide);
  }
};

const WindowsErrors& Errors() {
  static const WindowsErrors kErrors;
  return kErrors;
}

[[noreturn]] void Fail(DWORD error) { throw std::system_error(static_cast<int>(error), Errors()); }
[[noreturn]] void FailLast() { Fail(::GetLastError()); }

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}  // NOLINT: the handle's own type
std::intptr_t AsInteger(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }  // NOLINT

constexpr int kTemporaryNameTries = 100;
// Of the target's name, so that the temporary's name stays under the 255
// characters a file name may have.
constexpr std::size_t kTemporaryBaseLength = 200;

// A fresh hidden name beside `target` ending in `ending`: ".NAME.XXXXXX.partial".
fs::path HiddenNameBeside(const fs::path& target, std::wstring_view ending) {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr std::wstring_view kLetters = L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::wstring name(L".");
  name.append(target.filename().wstring().substr(0, kTemporaryBaseLength)).append(L".");
  for (int i = 0; i < 6; ++i) name += kLetters[generator() % kLetters.size()];
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

// What "-" becomes: the name standard output goes by, as on POSIX systems.
constexpr std::string_view kStandardOutputName = "/dev/stdout";

// The name the system calls take: absolute names get the \\?\ prefix, so
// that a name longer than MAX_PATH works.
std::wstring SystemName(const fs::path& absolute) {
  std::wstring name = absolute.wstring();
  if (name.starts_with(LR"(\\?\)")) return name;
  if (name.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + name.substr(2);
  return LR"(\\?\)" + name;
}

// The path a handle is open on, links and junctions followed, or `typed`
// where the system cannot say (Wine cannot for a path beyond MAX_PATH).
fs::path FinalPath(HANDLE handle, const fs::path& typed) {
  constexpr std::size_t kLongestPath = 32768;  // characters, the system's own limit
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                     FILE_NAME_NORMALIZED);
    if (length != 0 && length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= kLongestPath) return typed;
    path.resize(std::max<std::size_t>(length + 1, kLongestPath));
  }
  if (path.starts_with(LR"(\\?\UNC\)")) return LR"(\\)" + path.substr(8);
  if (path.starts_with(LR"(\\?\)")) return path.substr(4);
  return path;
}

// Refuses a file name that Windows would change or take for something else:
// a device name, a character it does not allow, or a trailing dot or blank,
// which it would drop silently and write another file.
void RequireWindowsName(const std::wstring& name) {
  switch (WindowsFileNameProblem(Utf8Of(name))) {
    case FileNameProblem::None: return;
    case FileNameProblem::NamesAFolder: Fail(NameProblem::NamesAFolder);
    case FileNameProblem::TooLong: Fail(ERROR_FILENAME_EXCED_RANGE);
    case FileNameProblem::BadCharacter: Fail(NameProblem::BadCharacter);
    case FileNameProblem::TrailingDotOrBlank: Fail(NameProblem::TrailingDotOrBlank);
    case FileNameProblem::ReservedName: Fail(NameProblem::ReservedName);
  }
}

// The absolute, normalised form of a name, however long.
std::wstring FullPath(const std::wstring& name) {
  const DWORD needed = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0) FailLast();
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) FailLast();
  full.resize(length);
  return full;
}

}  // namespace

bool IsStandardOutput(std::string_view name) {
  if (name == kStandardOutputName) return true;
  if (name.empty() || name.find('\0') != std::string_view::npos) return false;
  // Any name of the file the shell redirected standard output to, judged by
  // the file's identity: its volume and its index on that volume.
  BY_HANDLE_FILE_INFORMATION output{};
  if (::GetFileInformationByHandle(::GetStdHandle(STD_OUTPUT_HANDLE), &output) == 0) return false;
  const HANDLE file =
      ::CreateFileW(PathFromUtf8(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION named{};
  const bool known = ::GetFileInformationByHandle(file, &named) != 0;
  ::CloseHandle(file);
  return known && named.dwVolumeSerialNumber == output.dwVolumeSerialNumber &&
         named.nFileIndexHigh == output.nFileIndexHigh && named.nFileIndexLow == output.nFileIndexLow;
}

std::string TargetIdentity(const fs::path& resolved) {
  std::wstring name = resolved.wstring();
  if (!name.empty()) {
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(), static_cast<int>(name.size()),
                    name.data(), static_cast<int>(name.size()), nullptr, nullptr, 0);
  }
  return Utf8Of(name);
}

fs::path ResolveTarget(const std::string& name) {
  if (name.empty()) Fail(ERROR_PATH_NOT_FOUND);
  // The system would stop at a NUL character and write another file.
  if (name.find('\0') != std::string::npos) Fail(ERROR_INVALID_NAME);
  if (IsStandardOutput(name)) return kStandardOutputName;
  // Judged as typed: making a name absolute drops a trailing dot or blank.
  const fs::path typed = PathFromUtf8(name);
  RequireWindowsName(typed.filename().wstring());
  // An absolute name is only tidied, so that it may be longer than the
  // system's path functions take.
  const fs::path absolute =
      typed.is_absolute() ? typed.lexically_normal().make_preferred() : fs::path(FullPath(typed.wstring()));

  // An existing file, through whatever links lead to it.
  const HANDLE file =
      ::CreateFileW(SystemName(absolute).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = ::GetFileInformationByHandle(file, &information) != 0;
    fs::path final = FinalPath(file, absolute);
    ::CloseHandle(file);
    if (known && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      Fail(NameProblem::NamesAFolder);
    }
    return final;
  }
  // A new file, in a folder that must exist.
  const HANDLE folder = ::CreateFileW(SystemName(absolute.parent_path()).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) Fail(ERROR_PATH_NOT_FOUND);
  fs::path final = FinalPath(folder, absolute.parent_path()) / absolute.filename();
  ::CloseHandle(folder);
  return final;
}

SafeFile::SafeFile(const std::string& name) {
  target_ = ResolveTarget(name);
  if (target_ == kStandardOutputName) {
    // Written as it stands, byte for byte: the handle takes no text-mode
    // translation, so a CR LF stays a CR LF.
    HANDLE output = INVALID_HANDLE_VALUE;
    const HANDLE process = ::GetCurrentProcess();
    if (::DuplicateHandle(process, ::GetStdHandle(STD_OUTPUT_HANDLE), process, &output, 0, FALSE,
                          DUPLICATE_SAME_ACCESS) == 0) {
      FailLast();
    }
    handle_ = AsInteger(output);
    return;
  }
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
    const fs::path name = HiddenNameBeside(target_, L".partial");
    const HANDLE file = ::CreateFileW(SystemName(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = AsInteger(file);
      temporary_ = name;
      error = ERROR_SUCCESS;
    } else {
      error = ::GetLastError();
    }
  }
  if (error == ERROR_ACCESS_DENIED) Fail(NameProblem::FolderNotWritable);
  if (error != ERROR_SUCCESS) Fail(error);
  TemporaryCreated();
}

void SafeFile::Discard() noexcept {
  if (handle_ != kNoHandle) ::CloseHandle(AsHandle(handle_));
  handle_ = kNoHandle;
  if (!committed_ && !temporary_.empty()) ::DeleteFileW(SystemName(temporary_).c_str());
  temporary_.clear();
}

void SafeFile::Write(std::string_view bytes) {
  if (handle_ == kNoHandle) Fail(ERROR_INVALID_HANDLE);
  buffer_.append(bytes);
}

void SafeFile::Finish() {
  if (handle_ == kNoHandle) Fail(ERROR_INVALID_HANDLE);
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    constexpr std::size_t kLargestWrite = 1U << 30U;
    DWORD written = 0;
    if (::WriteFile(AsHandle(handle_), rest.data(), static_cast<DWORD>(std::min(rest.size(), kLargestWrite)),
                    &written, nullptr) == 0) {
      FailLast();
    }
    if (written == 0) Fail(ERROR_WRITE_FAULT);
    rest.remove_prefix(written);
  }
  buffer_.clear();
  Reached(WriteStep::DataWritten);
  if (temporary_.empty()) return;  // written in place; Commit closes it
  const HANDLE file = AsHandle(handle_);
  handle_ = kNoHandle;
  if (::CloseHandle(file) == 0) FailLast();
}

void SafeFile::Commit() {
  if (committed_) return;
  if (handle_ != kNoHandle && temporary_.empty()) {
    Finish();
    // A console or a pipe cannot be flushed; a redirected file can.
    const HANDLE file = AsHandle(handle_);
    handle_ = kNoHandle;
    const bool flushed = ::GetFileType(file) != FILE_TYPE_DISK || ::FlushFileBuffers(file) != 0;
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (!flushed) Fail(error);
    committed_ = true;
    return;
  }
  if (handle_ != kNoHandle) Finish();
  // The data reach the disk before the file takes the target's name.
  if (const DWORD error = FlushByName(SystemName(temporary_)); error != ERROR_SUCCESS) Fail(error);
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
  if (keepOld) backup_ = HiddenNameBeside(target_, L".replaced");
  const std::wstring backup = keepOld ? SystemName(backup_) : std::wstring();
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
  const std::wstring temporary = SystemName(temporary_);
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
      backup_.clear();
      ::SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_HIDDEN);
      Fail(error);
    }
    ::Sleep(kReplacePause);
  }
  temporary_.clear();
  committed_ = true;
}

void SafeFile::PutBack() noexcept {
  const std::wstring target = SystemName(target_);
  if (backup_.empty()) {
    ::DeleteFileW(target.c_str());
  } else {
    ::MoveFileExW(SystemName(backup_).c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  backup_.clear();
  committed_ = false;
}

void SafeFile::DropBackup() noexcept {
  if (!backup_.empty()) ::DeleteFileW(SystemName(backup_).c_str());
  backup_.clear();
}

std::vector<std::error_code> SafeFile::SyncData(std::vector<SafeFile>& files) {
  std::vector<std::error_code> errors(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].temporary_.empty()) continue;
    try {
      if (const DWORD error = FlushByName(SystemName(files[i].temporary_)); error != ERROR_SUCCESS) {
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
