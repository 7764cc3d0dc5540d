// Times a whole press of "Create Rating File" in the Windows window for a
// table of 1000 rows: the rating, the file, the list and its drawing, from
// the click to the window painted. Prints the median and the range.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>

#include "engine/input_field.h"
#include "windows/main_window.h"

namespace {

constexpr int kPresses = 21;
constexpr const char* kIncrement = "0.00517";  // ft; 1000 rows up to the default maximum flow

void Type(HWND window, rating::InputField field, const std::string& text) {
  const HWND control = ::GetDlgItem(window, rating::win32::kFirstFieldId + static_cast<int>(field));
  ::SetWindowTextW(control, rating::win32::Wide(text).c_str());
}

// Lets the window handle what the press left queued, painting included.
void Settle() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace

int main() {
  const HWND window = rating::win32::CreateMainWindow(::GetModuleHandleW(nullptr), SW_SHOW);
  if (window == nullptr) return 1;
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "window-press-bench.RAT";
  const std::u8string name = file.u8string();
  Type(window, rating::InputField::Increment, kIncrement);
  Type(window, rating::InputField::Filename, std::string(name.begin(), name.end()));
  Settle();

  const HWND button = ::GetDlgItem(window, rating::win32::kButtonId);
  std::vector<double> milliseconds;
  for (int i = 0; i < kPresses; ++i) {
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(button, BM_CLICK, 0, 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const auto end = std::chrono::steady_clock::now();
    milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    Settle();
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("press of 1000 rows, %d presses: median %.2f ms, min %.2f ms, max %.2f ms\n", kPresses,
              milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back());
  ::DestroyWindow(window);
  std::filesystem::remove(file);
  return 0;
}
