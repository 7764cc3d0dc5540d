#pragma once

#include <windows.h>

// The state a window of this program keeps in its GWLP_USERDATA: created by
// the caller of CreateWindowExW and handed over as the creation parameter,
// kept from WM_NCCREATE, deleted at WM_NCDESTROY. Null before and after.
namespace rating::win32 {

template <typename State>
State* StateOfWindow(HWND window) {
  return reinterpret_cast<State*>(::GetWindowLongPtrW(window, GWLP_USERDATA));  // NOLINT: the window's data
}

// Takes the state over as `message` begins the window's life, and deletes
// it as `message` ends it; call first thing in the window procedure.
template <typename State>
void KeepWindowState(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);  // NOLINT: the message's type
    ::SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(create->lpCreateParams));  // NOLINT: the window's data
  } else if (message == WM_NCDESTROY) {
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): the window held it from creation to here
    delete StateOfWindow<State>(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
}

}  // namespace rating::win32
