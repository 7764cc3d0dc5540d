#include "platform/windows_calls.h"

#include <array>
#include <system_error>
#include <windows.h>

#include "messages/messages.h"
#include "platform/utf8_path.h"

namespace rating::windows_calls {

namespace {

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

}  // namespace

void Fail(unsigned long error) {
  static const WindowsErrors kErrors;
  throw std::system_error(static_cast<int>(error), kErrors);
}

void FailLast() { Fail(::GetLastError()); }

std::wstring SystemName(const std::filesystem::path& absolute) {
  std::wstring name = absolute.wstring();
  if (name.starts_with(LR"(\\?\)")) return name;
  if (name.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + name.substr(2);
  return LR"(\\?\)" + name;
}

}  // namespace rating::windows_calls
