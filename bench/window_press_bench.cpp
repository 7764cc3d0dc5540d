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
#include "run/rating_session.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"

namespace {

constexpr int kPresses = 21;
constexpr const char* kIncrement = "0.00517";       // ft; 1000 rows up to the default maximum flow
constexpr const char* kOtherIncrement = "0.00518";  // ft; 998 rows

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

void Report(const char* what, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("%s, 1000 rows, %zu presses: median %.2f ms, min %.2f ms, max %.2f ms\n", what,
              milliseconds.size(), milliseconds[milliseconds.size() / 2], milliseconds.front(),
              milliseconds.back());
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
  // The same table again, and then tables whose length changes at every
  // press, so that the list's scrollbar changes too.
  for (const bool changing : {false, true}) {
    milliseconds.clear();
    for (int i = 0; i < kPresses; ++i) {
      if (changing) Type(window, rating::InputField::Increment, i % 2 == 0 ? kOtherIncrement : kIncrement);
      Settle();
      const auto start = std::chrono::steady_clock::now();
      ::SendMessageW(button, BM_CLICK, 0, 0);
      ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      const auto end = std::chrono::steady_clock::now();
      milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
      Settle();
    }
    Report(changing ? "whole press in the window, the length changing"
                    : "whole press in the window, the same table",
           milliseconds);
  }

  // With the curves open beside the window: every press redraws them too;
  // then the same with a title of 10,000 characters, which the curves fit to
  // their width.
  ::SendMessageW(window, WM_COMMAND, rating::win32::CommandId(rating::RatingCommand::ShowCurves), 0);
  Settle();
  for (const bool longTitle : {false, true}) {
    if (longTitle) Type(window, rating::InputField::Title, std::string(10000, 'W'));
    milliseconds.clear();
    for (int i = 0; i < kPresses; ++i) {
      Settle();
      const auto start = std::chrono::steady_clock::now();
      ::SendMessageW(button, BM_CLICK, 0, 0);
      ::RedrawWindow(nullptr, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      Settle();
      milliseconds.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    Report(
        longTitle ? "whole press, the curves open, a 10,000-character title" : "whole press, the curves open",
        milliseconds);
  }
  // Closed and opened again, as a user does between presses.
  milliseconds.clear();
  for (int i = 0; i < kPresses; ++i) {
    ::PostMessageW(::FindWindowW(rating::win32::kCurvesWindowClass, nullptr), WM_CLOSE, 0, 0);
    Settle();
    const auto start = std::chrono::steady_clock::now();
    ::SendMessageW(window, WM_COMMAND, rating::win32::CommandId(rating::RatingCommand::ShowCurves), 0);
    ::RedrawWindow(nullptr, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    milliseconds.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  Report("the curves opened again after closing", milliseconds);

  // The same press without the window: the rating and the file alone.
  rating::RatingSession session(".");
  rating::FieldTexts texts;
  for (const rating::FieldFacts& facts : rating::kFields) {
    rating::TextOf(texts, facts.field) = session.DefaultText(facts.field);
  }
  rating::TextOf(texts, rating::InputField::Increment) = kIncrement;
  rating::TextOf(texts, rating::InputField::Filename) = std::string(name.begin(), name.end());
  milliseconds.clear();
  for (int i = 0; i < kPresses; ++i) {
    const auto start = std::chrono::steady_clock::now();
    (void)session.PressWritingFile(texts);
    milliseconds.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  Report("the session's press alone", milliseconds);
  ::DestroyWindow(window);
  std::filesystem::remove(file);
  return 0;
}
