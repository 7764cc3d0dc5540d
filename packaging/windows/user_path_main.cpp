// user-path.exe: the installer's helper that adds the program's folder to
// the user's PATH (HKCU\Environment) and the uninstaller's that takes it out.
// It runs from the installer's temporary folder and is not installed.
//
//   user-path add FOLDER      exit 0: added; 1: the PATH names it already
//   user-path remove FOLDER   exit 0: removed; 1: the PATH does not name it
//   exit 2: the registry refused; the PATH is as it was
#include <span>
#include <string>
#include <windows.h>

#include "packaging/windows/user_path.h"

namespace {

constexpr int kChanged = 0;
constexpr int kUnchanged = 1;
constexpr int kFailed = 2;

int Change(const std::wstring& action, const std::wstring& folder) {
  HKEY environment = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Environment", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &environment, nullptr) != ERROR_SUCCESS) {
    return kFailed;
  }
  // The value whole, however long, and its type: a PATH that names
  // %USERPROFILE% stays expandable.
  DWORD type = REG_EXPAND_SZ;
  DWORD size = 0;
  std::wstring path;
  LSTATUS status = ::RegQueryValueExW(environment, L"Path", nullptr, &type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    path.resize(size / sizeof(wchar_t) + 1);
    status =
        ::RegQueryValueExW(environment, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(path.data()), &size);
    path.resize(status == ERROR_SUCCESS ? size / sizeof(wchar_t) : 0);
    while (!path.empty() && path.back() == L'\0') path.pop_back();
  } else if (status == ERROR_FILE_NOT_FOUND) {
    type = REG_EXPAND_SZ;
    status = ERROR_SUCCESS;
  }
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
    ::RegCloseKey(environment);
    return kFailed;
  }

  const auto changed = action == L"add" ? rating::packaging::WithEntry(path, folder)
                                        : rating::packaging::WithoutEntry(path, folder);
  if (!changed) {
    ::RegCloseKey(environment);
    return kUnchanged;
  }
  status = changed->empty() ? ::RegDeleteValueW(environment, L"Path")
                            : ::RegSetValueExW(environment, L"Path", 0, type,
                                               reinterpret_cast<const BYTE*>(changed->c_str()),
                                               static_cast<DWORD>((changed->size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(environment);
  if (status != ERROR_SUCCESS) return kFailed;
  // Programs started from now on, Explorer's among them, see the change.
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
  return kChanged;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {  // NOLINT(readability-identifier-naming): the entry point
  const std::span<wchar_t*> arguments(argv, static_cast<std::size_t>(argc));
  if (arguments.size() != 3) return kFailed;
  const std::wstring action = arguments[1];
  if (action != L"add" && action != L"remove") return kFailed;
  return Change(action, arguments[2]);
}
