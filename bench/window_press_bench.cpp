// Times a whole press of "Create Rating File" in the Windows window for a
// table of 1000 rows: the rating, the file, the list and its drawing, from
// the click to the window painted; then the same press with the routing
// window open, a flood of 1,000 ordinates routed again and its chart
// repainted. Prints the median and the range.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <windows.h>

#include "bench/long_flood.h"
#include "engine/input_field.h"
#include "run/rating_session.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/routing_window.h"

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

// Puts `text` on the clipboard, as a copy from a spreadsheet does.
bool Copy(const std::string& text) {
  const std::wstring wide = rating::win32::Wide(text);
  if (::OpenClipboard(nullptr) == 0) return false;
  ::EmptyClipboard();
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  const bool copied = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  ::CloseClipboard();
  return copied;
}

// A whole press, from the click until every window has painted.
double TimedPress(HWND button) {
  Settle();
  const auto start = std::chrono::steady_clock::now();
  ::SendMessageW(button, BM_CLICK, 0, 0);
  ::RedrawWindow(nullptr, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Settle();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
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
    for (int i = 0; i < kPresses; ++i) milliseconds.push_back(TimedPress(button));
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

  // The curves closed and the routing window open instead, a flood of 1,000
  // quarter hours pasted into it: every press routes it again through 1 and
  // through 20 subreaches, and the chart and its summary are painted anew;
  // then Route alone, the same routing without the rating made again.
  ::PostMessageW(::FindWindowW(rating::win32::kCurvesWindowClass, nullptr), WM_CLOSE, 0, 0);
  Type(window, rating::InputField::Title, "Routing bench");
  ::SendMessageW(window, WM_COMMAND, rating::win32::CommandId(rating::RatingCommand::RouteFlood), 0);
  Settle();
  const HWND routing = ::FindWindowW(rating::win32::kRoutingWindowClass, nullptr);
  if (routing == nullptr || !Copy(rating_bench::LongFloodCsv())) return 1;
  ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(rating::win32::kPasteInflowId, BN_CLICKED), 0);
  Settle();
  const HWND route = ::GetDlgItem(routing, rating::win32::kRouteId);
  for (const bool pressing : {true, false}) {
    for (const wchar_t* subreaches : {L"1", L"20"}) {
      ::SetWindowTextW(::GetDlgItem(routing, rating::win32::kSubreachesId), subreaches);
      milliseconds.clear();
      for (int i = 0; i < kPresses; ++i) milliseconds.push_back(TimedPress(pressing ? button : route));
      std::wstring shown(256, L'\0');
      shown.resize(static_cast<std::size_t>(::GetWindowTextW(::GetDlgItem(routing, rating::win32::kSummaryId),
                                                             shown.data(), static_cast<int>(shown.size()))));
      if (shown.find(L"outflow peak") == std::wstring::npos) return 1;
      const bool one = subreaches[1] == L'\0';
      Report(pressing ? (one ? "whole press, the routing open: 1,000 ordinates, 1 subreach"
                             : "whole press, the routing open: 1,000 ordinates, 20 subreaches")
                      : (one ? "Route alone: 1,000 ordinates, 1 subreach, the chart repainted"
                             : "Route alone: 1,000 ordinates, 20 subreaches, the chart repainted"),
             milliseconds);
    }
  }
  ::PostMessageW(routing, WM_CLOSE, 0, 0);
  Settle();

  // The same press without the window: the rating and the file alone.
  rating::RatingSession session(".");
  rating::FieldTexts texts = session.DefaultTexts();
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
