#include <algorithm>
#include <string>
#include <system_error>
#include <windows.h>

#include "output/file_name.h"
#include "output/file_problem.h"
#include "output/file_target.h"
#include "platform/utf8_path.h"
#include "platform/windows_calls.h"

namespace rating {

namespace fs = std::filesystem;
using windows_calls::Fail;
using windows_calls::FailLast;
using windows_calls::SystemName;

namespace {

// The name standard output goes by, as on POSIX systems.
constexpr std::string_view kStandardOutputName = "/dev/stdout";

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
    case FileNameProblem::NamesAFolder: Fail(FileProblem::NamesAFolder);
    case FileNameProblem::TooLong: Fail(ERROR_FILENAME_EXCED_RANGE);
    case FileNameProblem::BadCharacter: Fail(FileProblem::BadCharacter);
    case FileNameProblem::TrailingDotOrBlank: Fail(FileProblem::TrailingDotOrBlank);
    case FileNameProblem::ReservedName: Fail(FileProblem::ReservedName);
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
      Fail(FileProblem::NamesAFolder);
    }
    return final;
  }
  // A new file, in a folder that must exist.
  const HANDLE folder = ::CreateFileW(SystemName(absolute.parent_path()).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) Fail(FileProblem::FolderMissing);
  fs::path final = FinalPath(folder, absolute.parent_path()) / absolute.filename();
  ::CloseHandle(folder);
  return final;
}

bool IsWrittenInPlace(const std::string& name) { return IsStandardOutput(name); }

void WriteInPlace(const std::string& name, std::string_view bytes) {
  if (!IsStandardOutput(name)) Fail(FileProblem::NotAFile);
  // Written as it stands, byte for byte: the handle takes no text-mode
  // translation, so a CR LF stays a CR LF.
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == INVALID_HANDLE_VALUE || output == nullptr) Fail(ERROR_INVALID_HANDLE);
  while (!bytes.empty()) {
    constexpr std::size_t kLargestWrite = 1U << 30U;
    DWORD written = 0;
    if (::WriteFile(output, bytes.data(), static_cast<DWORD>(std::min(bytes.size(), kLargestWrite)), &written,
                    nullptr) == 0) {
      FailLast();
    }
    if (written == 0) Fail(ERROR_WRITE_FAULT);
    bytes.remove_prefix(written);
  }
  // A console or a pipe cannot be flushed; a redirected file can.
  if (::GetFileType(output) == FILE_TYPE_DISK && ::FlushFileBuffers(output) == 0) FailLast();
}

}  // namespace rating
