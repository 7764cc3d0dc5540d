#include <algorithm>
#include <array>
#include <shlobj.h>
#include <span>
#include <string_view>
#include <windows.h>

#include "platform/platform.h"

namespace rating::platform {

namespace {

std::filesystem::path KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) folder = path;
  ::CoTaskMemFree(path);
  return folder;
}

bool IsWithin(const std::filesystem::path& folder, const std::filesystem::path& parent) {
  if (parent.empty()) return false;
  std::error_code error;
  const std::filesystem::path relative =
      std::filesystem::weakly_canonical(folder, error)
          .lexically_relative(std::filesystem::weakly_canonical(parent, error));
  return !error && !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string utf8(static_cast<std::size_t>(
                       ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                   '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr,
                        nullptr);
  return utf8;
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string UserDecimalSeparator() {
  std::array<wchar_t, 8> separator{};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(),
                        static_cast<int>(separator.size())) <= 1) {
    return ".";
  }
  std::array<char, 32> utf8{};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, separator.data(), -1, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, nullptr);
  return length > 1 ? std::string(utf8.data()) : ".";
}

std::filesystem::path ProgramFolder() {
  std::wstring program(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length < program.size()) {
      program.resize(length);
      break;
    }
    program.resize(program.size() * 2);
  }
  return std::filesystem::path(program).parent_path();
}

bool IsInstalledProgramFolder(const std::filesystem::path& folder) {
  // Per-user installs go to %LOCALAPPDATA%\Programs, which Wine does not
  // know as a folder of its own.
  std::filesystem::path userPrograms = KnownFolder(FOLDERID_UserProgramFiles);
  if (userPrograms.empty()) {
    const std::filesystem::path local = KnownFolder(FOLDERID_LocalAppData);
    if (!local.empty()) userPrograms = local / L"Programs";
  }
  const std::array<std::filesystem::path, 3> programFolders = {
      userPrograms, KnownFolder(FOLDERID_ProgramFiles), KnownFolder(FOLDERID_ProgramFilesX86)};
  return std::any_of(programFolders.begin(), programFolders.end(),
                     [&folder](const std::filesystem::path& parent) { return IsWithin(folder, parent); });
}

bool MayCreateFilesIn(const std::filesystem::path& folder) {
  // Access rights are not the whole answer on Windows (virtualisation,
  // inherited ACLs): try a file of our own, gone on closing.
  const std::wstring probe = (folder / L".trapezoid-rating-probe").wstring();
  const HANDLE file =
      ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

std::filesystem::path DocumentsFolder() { return KnownFolder(FOLDERID_Documents); }

std::filesystem::path HomeFolder() { return KnownFolder(FOLDERID_Profile); }

std::vector<std::string> CommandLineArguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (wide == nullptr) return arguments;
  const std::span<LPWSTR> words(wide, static_cast<std::size_t>(count));
  for (const LPWSTR word : words) arguments.push_back(Utf8(word));
  ::LocalFree(static_cast<HLOCAL>(wide));
  return arguments;
}

std::string_view TextLineEnd() { return "\r\n"; }

bool IsTerminal(StandardStream stream) {
  const HANDLE handle =
      ::GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

bool WriteStandard(StandardStream stream, std::string_view utf8) {
  const HANDLE handle =
      ::GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (::GetConsoleMode(handle, &mode) != 0) {
    const std::wstring wide = Wide(utf8);
    std::wstring_view rest = wide;
    while (!rest.empty()) {
      DWORD written = 0;
      if (::WriteConsoleW(handle, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr) == 0 ||
          written == 0) {
        return false;
      }
      rest.remove_prefix(written);
    }
    return true;
  }
  while (!utf8.empty()) {
    DWORD written = 0;
    if (::WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) == 0 ||
        written == 0) {
      return false;
    }
    utf8.remove_prefix(written);
  }
  return true;
}

void MarkRunning() {
  // Never closed: the system releases it when the process ends, however it ends.
  static const HANDLE kRunning = ::CreateMutexW(nullptr, FALSE, RATING_RUNNING_MUTEX);
  (void)kRunning;
}

}  // namespace rating::platform
