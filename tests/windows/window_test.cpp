// The Windows window, driven through its real controls as a user's keys and
// clicks would drive it: the window runs on a thread of its own with its own
// message loop, and the test sends it messages and answers its message boxes.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <ostream>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>
// The list view's messages, declared with the types windows.h declares.
#include <commctrl.h>

#include "layout/form_layout.h"
#include "output/listing.h"
#include "platform/platform.h"
#include "plot/gdiplus/scene_painter.h"
#include "run/rating_run.h"
#include "tests/support/field_texts.h"
#include "tests/support/flood_examples.h"
#include "tests/support/scratch_files.h"
#include "tests/support/section_examples.h"
#include "tests/support/si_examples.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/routing_window.h"
#include "windows/section_window.h"

namespace rating::win32 {
namespace {

namespace fs = std::filesystem;

using testing_support::FieldEdit;
using testing_support::ReadFile;

// The text of a window or control, also across threads.
std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A line of the list, as a screen reader asks for it.
std::string ListLine(HWND list, int index) {
  std::array<wchar_t, 256> text{};  // a line is 54 characters
  LVITEMW item{};
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto length = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&item));  // NOLINT: the message's type
  return Utf8(std::wstring_view(text.data(), static_cast<std::size_t>(length)));
}

// Selects line `line` of the listing: the list's item under the two headings.
void SelectListLine(HWND list, int line) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(line - 2),
                 reinterpret_cast<LPARAM>(&item));  // NOLINT: the message's type
}

// The file name box of the system's save dialog.
HWND FileNameControl(HWND dialog) {
  constexpr int kFileNameEdit = 0x480;   // edt1
  constexpr int kFileNameCombo = 0x47C;  // cmb13
  return ::GetDlgItem(dialog, kFileNameEdit) != nullptr ? ::GetDlgItem(dialog, kFileNameEdit)
                                                        : ::GetDlgItem(dialog, kFileNameCombo);
}

// What a save through the system's dialog showed.
struct SaveThroughDialog {
  std::wstring offered;  // the name the dialog offered
  std::wstring caption;  // of the message box shown after, if any
  std::wstring box;      // its text
};

// The window on its own thread, from start-up to close.
class RunningWindow {
 public:
  explicit RunningWindow(UnitSystem units = UnitSystem::UsCustomary) {
    std::promise<HWND> created;
    std::future<HWND> window = created.get_future();
    thread_ = std::thread([&created, units] {
      const HWND made = CreateMainWindow(::GetModuleHandleW(nullptr), SW_SHOW, units);
      MakeProgramFolderCurrent(made);
      created.set_value(made);
      RunMessageLoop(made);
    });
    window_ = window.get();
    threadId_ = ::GetWindowThreadProcessId(window_, nullptr);
  }
  RunningWindow(const RunningWindow&) = delete;
  RunningWindow& operator=(const RunningWindow&) = delete;
  ~RunningWindow() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }

  [[nodiscard]] HWND Control(int id) const { return ::GetDlgItem(window_, id); }
  [[nodiscard]] HWND Field(InputField field) const {
    return Control(kFirstFieldId + static_cast<int>(field));
  }

  void Type(InputField field, const std::string& text) const {
    ::SendMessageW(Field(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));  // NOLINT
  }

  // Presses the button and answers the message box it may show; returns
  // the box's caption and text, or nothing. The press is sent from a thread
  // of its own, which waits until the press is over, message box and all.
  [[nodiscard]] std::pair<std::wstring, std::wstring> Press() const {
    const HWND button = Control(kButtonId);
    return Answering([button] { ::SendMessageW(button, BM_CLICK, 0, 0); });
  }

  // Chooses a command of the list's menu, as Press does.
  [[nodiscard]] std::pair<std::wstring, std::wstring> Choose(int command) const {
    return Answering([this, command] { ::SendMessageW(window_, WM_COMMAND, command, 0); });
  }

  // Does `action` from a thread of its own and answers the message box it
  // shows, if any, with OK; returns the box's caption and text.
  template <typename Action>
  [[nodiscard]] std::pair<std::wstring, std::wstring> Answering(Action action) const {
    auto pressed = std::async(std::launch::async, action);
    std::pair<std::wstring, std::wstring> shown;
    while (pressed.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
      if (const HWND box = MessageBox()) {
        shown = {WindowText(box), WindowText(::GetDlgItem(box, 0xFFFF))};
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        while (MessageBox() == box) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    return shown;
  }

  // The listing as the window shows it: the headings above the list, then its rows.
  [[nodiscard]] std::vector<std::string> ListLines() const {
    std::vector<std::string> lines;
    const std::string headings = Utf8(WindowText(Control(kListHeadingsId)));
    for (std::size_t start = 0; !headings.empty() && start <= headings.size();) {
      const std::size_t end = std::min(headings.find("\r\n", start), headings.size());
      lines.push_back(headings.substr(start, end - start));
      start = end + 2;
    }
    const auto count = static_cast<int>(::SendMessageW(Control(kListId), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) lines.push_back(ListLine(Control(kListId), i));
    return lines;
  }

  // The curves windows the window's thread shows.
  [[nodiscard]] std::vector<HWND> CurvesWindows() const { return WindowsOf(kCurvesWindowClass); }

  // The windows of class `type` the window's thread shows.
  [[nodiscard]] std::vector<HWND> WindowsOf(std::wstring_view type) const {
    struct Search {
      std::wstring_view type;
      std::vector<HWND> found;
    } search{type, {}};
    ::EnumThreadWindows(
        threadId_,
        [](HWND candidate, LPARAM result) -> BOOL {
          auto* wanted = reinterpret_cast<Search*>(result);  // NOLINT: the callback's argument
          std::array<wchar_t, 64> name{};
          ::GetClassNameW(candidate, name.data(), static_cast<int>(name.size()));
          if (std::wstring_view(name.data()) == wanted->type) wanted->found.push_back(candidate);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));  // NOLINT
    return search.found;
  }

  // A dialog the window's thread shows, if any.
  [[nodiscard]] HWND Dialog() const { return MessageBox(); }

  // Chooses a Save command, types `name` into the system's save dialog and
  // saves, answering Yes where it asks to replace a file; returns the name
  // the dialog offered and the message box shown after, if any.
  [[nodiscard]] SaveThroughDialog Save(int command, const std::wstring& name) const {
    const HWND main = ::GetParent(Control(kButtonId));
    auto saving =
        std::async(std::launch::async, [main, command] { ::SendMessageW(main, WM_COMMAND, command, 0); });
    SaveThroughDialog result;
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && dialog == nullptr; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      dialog = MessageBox();
    }
    if (dialog == nullptr) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const HWND edit = FileNameControl(dialog);
    result.offered = WindowText(edit);
    ::SendMessageW(edit, WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(name.c_str()));  // NOLINT: the message's type
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    while (saving.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
      const HWND box = MessageBox();
      if (box == nullptr || box == dialog) continue;
      if (::GetDlgItem(box, IDYES) != nullptr) {
        ::PostMessageW(box, WM_COMMAND, IDYES, 0);  // replace the file
      } else {
        result.caption = WindowText(box);
        result.box = WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      while (MessageBox() == box) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return result;
  }

  [[nodiscard]] HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(threadId_, &info);
    return info.hwndFocus;
  }

 private:
  // A message box the window's thread shows, if any.
  [[nodiscard]] HWND MessageBox() const {
    HWND found = nullptr;
    ::EnumThreadWindows(
        threadId_,
        [](HWND candidate, LPARAM result) -> BOOL {
          std::array<wchar_t, 16> type{};
          ::GetClassNameW(candidate, type.data(), static_cast<int>(type.size()));
          if (std::wstring_view(type.data()) != L"#32770" || ::IsWindowVisible(candidate) == 0) return TRUE;
          *reinterpret_cast<HWND*>(result) = candidate;  // NOLINT: the callback's own argument
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));  // NOLINT
    return found;
  }

  std::thread thread_;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
};

fs::path ProgramFolder() {
  std::wstring program(MAX_PATH, L'\0');
  program.resize(::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
  return fs::path(program).parent_path();
}

std::string Golden() { return ReadFile(fs::path(RATING_GOLDEN_DIR) / "default.RAT"); }

TEST(Window, ShowsTheFormFromTheLayoutTable) {
  const RunningWindow window;
  EXPECT_EQ(WindowText(::GetParent(window.Control(kButtonId))), Wide(Pattern(Message::CaptionWindow)));
  for (const layout::FieldPlace& facts : layout::kFieldPlaces) {
    EXPECT_EQ(WindowText(window.Control(kFirstLabelId + static_cast<int>(facts.field))),
              Wide(layout::WithAccessKey(FieldLabel(facts.field), facts.accessKey)));
    EXPECT_EQ(WindowText(window.Field(facts.field)), Wide(DefaultFieldText(facts.field, ".")));
  }
  // Tab goes from the button to the list, then down the left column and the
  // right one, then the title and the file name; each field follows its label.
  std::vector<int> order;
  HWND control = window.Control(kButtonId);
  for (std::size_t i = 0; i < layout::kFormFieldCount + 4; ++i) {
    order.push_back(::GetDlgCtrlID(control));
    control = ::GetNextDlgTabItem(::GetParent(control), control, FALSE);
  }
  // The Section choice comes first; the diameter beside it is disabled for
  // the trapezoid, so Tab passes it by to the Units choice.
  std::vector<int> expected = {kButtonId, kListId, kFirstFieldId + static_cast<int>(InputField::Shape),
                               kFirstFieldId + static_cast<int>(InputField::Units)};
  for (std::size_t i = 0; i < layout::kFormFieldCount; ++i) {
    expected.push_back(kFirstFieldId + static_cast<int>(i));
  }
  EXPECT_EQ(order, expected);
  for (const layout::FieldPlace& facts : layout::kFieldPlaces) {
    const HWND field = window.Field(facts.field);
    EXPECT_EQ(::GetWindow(field, GW_HWNDPREV), window.Control(kFirstLabelId + static_cast<int>(facts.field)));
  }
  EXPECT_EQ(::GetWindow(window.Control(kListId), GW_HWNDPREV), window.Control(kListNameId));

  // At any DPI the window fits the screen's work area and the list shows its
  // 54-character lines whole, beside its scrollbar.
  const HWND main = ::GetParent(window.Control(kButtonId));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ASSERT_NE(::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor), 0);
  RECT outer{};
  ::GetWindowRect(main, &outer);
  EXPECT_LE(outer.right - outer.left, monitor.rcWork.right - monitor.rcWork.left)
      << "DPI " << ::GetDpiForWindow(main);
  const HWND list = window.Control(kListId);
  RECT client{};
  ::GetClientRect(list, &client);
  const int scrollbar = ::GetSystemMetricsForDpi(SM_CXVSCROLL, ::GetDpiForWindow(main));
  const auto column = static_cast<int>(::SendMessageW(list, 0x101D /* LVM_GETCOLUMNWIDTH */, 0, 0));
  EXPECT_LE(column, client.right - (::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL ? 0 : scrollbar));
  const HDC dc = ::GetDC(list);
  const HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
  SIZE line{};
  ::GetTextExtentPoint32W(dc, std::wstring(54, L'0').c_str(), 54, &line);
  ::SelectObject(dc, previous);
  ::ReleaseDC(list, dc);
  EXPECT_GE(column, line.cx) << "a line is cut";
}

// A larger window gives the list the room it gains; the form stays as laid out.
TEST(Window, GrowsTheListWithTheWindow) {
  const RunningWindow window;
  const HWND main = ::GetParent(window.Control(kButtonId));
  const auto placeOf = [&](int id) {
    RECT place{};
    ::GetWindowRect(window.Control(id), &place);
    ::MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&place), 2);  // NOLINT: two points
    return place;
  };
  const RECT list = placeOf(kListId);
  const RECT button = placeOf(kButtonId);
  RECT outer{};
  ::GetWindowRect(main, &outer);
  ::SetWindowPos(main, nullptr, 0, 0, outer.right - outer.left + 200, outer.bottom - outer.top + 100,
                 SWP_NOMOVE | SWP_NOZORDER);
  const RECT grown = placeOf(kListId);
  EXPECT_EQ(grown.right - grown.left, list.right - list.left + 200);
  EXPECT_EQ(grown.bottom - grown.top, list.bottom - list.top + 100);
  EXPECT_EQ(placeOf(kButtonId).top, button.top);
  ::SetWindowPos(main, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  ::GetWindowRect(main, &outer);
  EXPECT_GT(outer.right - outer.left, 100) << "never smaller than the form";
}

// Alt with a label's letter, through the window's own message loop, moves
// to the label's field, as in a dialog.
TEST(Window, AccessKeysMoveToTheirFields) {
  const RunningWindow window;
  const HWND main = ::GetParent(window.Control(kButtonId));
  const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
  for (const layout::FieldPlace& facts : layout::kFieldPlaces) {
    const char key = facts.accessKey;
    constexpr LPARAM kAltDown = 1 << 29;
    ::PostMessageW(window.Control(kButtonId), WM_SYSCHAR, static_cast<WPARAM>(std::tolower(key)), kAltDown);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    for (int wait = 0; wait < 100; ++wait) {
      ::GetGUIThreadInfo(thread, &focus);
      if (focus.hwndFocus == window.Field(facts.field)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(focus.hwndFocus, window.Field(facts.field)) << "Alt+" << key;
  }
}

TEST(Window, ADefaultPressWritesTheGoldenFileBesideTheProgramAndCopiesTheTable) {
  const fs::path file = ProgramFolder() / "MyRating.RAT";
  fs::remove(file);
  const RunningWindow window;
  EXPECT_EQ(window.Press().second, L"");
  EXPECT_EQ(ReadFile(file), Golden());
  // The status line says where the file went, whole.
  const std::wstring status = WindowText(window.Control(kStatusLineId));
  EXPECT_TRUE(status.starts_with(L"Wrote \"") && status.ends_with(L"\\MyRating.RAT\".")) << status;
  const std::vector<std::string> lines = window.ListLines();
  ASSERT_EQ(lines.size(), 29U);
  EXPECT_EQ(lines.at(3), "0.2      10.1     1.24     12.5     6.72     440      ");

  // Rows 1 and 2 selected, copied as the Linux window copies them.
  const HWND list = window.Control(kListId);
  SelectListLine(list, 3);
  SelectListLine(list, 4);
  ::SendMessageW(::GetParent(list), WM_COMMAND, CommandId(RatingCommand::CopyTable), 0);
  ASSERT_NE(::OpenClipboard(nullptr), 0);
  const HANDLE copied = ::GetClipboardData(CF_UNICODETEXT);
  const std::wstring text = copied != nullptr ? static_cast<const wchar_t*>(::GlobalLock(copied)) : L"";
  if (copied != nullptr) ::GlobalUnlock(copied);
  ::CloseClipboard();
  EXPECT_EQ(Utf8(text),
            "Elev (ft)\tArea (ft^2)\tVelocity (ft/s)\tFlow (cfs)\tStorage (acft)\tCascades (N)\n"
            "0.2\t10.1\t1.24\t12.5\t6.72\t440\n"
            "0.4\t20.3\t1.96\t39.8\t13.5\t189\n");
  fs::remove(file);
}

struct FailedPress {
  const char* name;
  friend void PrintTo(const FailedPress& c, std::ostream* os) { *os << c.name; }
  std::vector<FieldEdit> edits;
  bool listEmptied;
};

class FailedPresses : public testing::TestWithParam<FailedPress> {};

// A failure shows the Linux window's message under the window's caption,
// puts the cursor on the field at fault with its text selected, keeps the
// previous file, and leaves the list as the Linux window does.
TEST_P(FailedPresses, ShowTheRunsMessageAndKeepThePreviousFile) {
  testing_support::ScratchFolder folder("rating-window-test");
  const fs::path file = folder.Path() / "kept.RAT";
  const std::u8string name = file.u8string();
  const RunningWindow window;
  window.Type(InputField::Filename, std::string(name.begin(), name.end()));
  ASSERT_EQ(window.Press().second, L"");
  const std::string previous = ReadFile(file);
  for (const FieldEdit& edit : GetParam().edits) window.Type(edit.field, edit.text);

  FieldTexts texts = testing_support::TextsWith(GetParam().edits);
  TextOf(texts, InputField::Filename) = std::string(name.begin(), name.end());
  const RatingOutcome expected = RateFields(texts, platform::UserDecimalSeparator());
  ASSERT_TRUE(expected.failure.has_value()) << "the run succeeds";

  const auto [caption, message] = window.Press();
  EXPECT_EQ(caption, Wide(Pattern(Message::CaptionWindow)));
  EXPECT_EQ(message, Wide(expected.failure->what()));
  EXPECT_EQ(window.ListLines().empty(), GetParam().listEmptied);
  EXPECT_EQ(ReadFile(file), previous);
  if (const auto field = expected.failure->Field()) {
    EXPECT_EQ(window.Focus(), window.Field(*field));
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(window.Field(*field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));  // NOLINT
    EXPECT_EQ(start, 0U);
    EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthW(window.Field(*field))));
  }
}

INSTANTIATE_TEST_SUITE_P(Fields, FailedPresses,
                         testing::Values(FailedPress{"BadField", {{InputField::Length, "5,5x"}}, false},
                                         FailedPress{"ZeroFall", {{InputField::Fall, "0"}}, true},
                                         FailedPress{
                                             "TitleOfTwoLines", {{InputField::Title, "two\r\nlines"}}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The pixels `paint` leaves on a canvas of `width` by `height` that starts
// black: blue-green-red-x.
template <typename Paint>
std::vector<std::uint8_t> Pixels(int width, int height, const Paint& paint) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC dc = ::CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = ::CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = ::SelectObject(dc, bitmap);
  paint(dc);
  ::GdiFlush();
  const auto* first = static_cast<const std::uint8_t*>(bits);
  std::vector<std::uint8_t> pixels(first, first + static_cast<std::size_t>(width) * height * 4);  // NOLINT
  ::SelectObject(dc, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  return pixels;
}

// The pixels of a window's client area as it paints them.
std::vector<std::uint8_t> Drawing(HWND window, int width, int height) {
  return Pixels(width, height, [window](HDC dc) {
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                   PRF_CLIENT);  // NOLINT: the message's type
  });
}

// Puts `text` on the clipboard, as a spreadsheet's copy does.
void PutOnClipboard(const std::wstring& text) {
  ASSERT_NE(::OpenClipboard(nullptr), 0);
  ::EmptyClipboard();
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

// The triangular flood through the routing window: pasted, routed as the
// core routes it, saved as the command line writes it, and cleared of its
// chart by a press that cannot carry it.
TEST(Window, RoutesAPastedFloodThroughTheRating) {
  testing_support::ScratchFolder folder("rating-window-routing");
  const RunningWindow window;
  const std::u8string rating = (folder.Path() / "routed.RAT").u8string();
  window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
  ASSERT_EQ(window.Press().second, L"");
  ASSERT_EQ(window.Choose(CommandId(RatingCommand::RouteFlood)).second, L"");
  ASSERT_EQ(window.WindowsOf(kRoutingWindowClass).size(), 1U);
  const HWND routing = window.WindowsOf(kRoutingWindowClass).front();
  EXPECT_EQ(::GetWindow(routing, GW_OWNER), nullptr);

  PutOnClipboard(Wide(testing_support::TriangularInflowCsv()));
  ASSERT_EQ(window.Choose(kPasteInflowId).second, L"");
  EXPECT_EQ(WindowText(::GetDlgItem(routing, kInflowReadId)), L"97 ordinates over 24 h");
  EXPECT_EQ(WindowText(::GetDlgItem(routing, kSubreachesId)), L"4");
  EXPECT_EQ(WindowText(::GetDlgItem(routing, kSuggestionId)), L"suggested: 4");
  const std::wstring summary = WindowText(::GetDlgItem(routing, kSummaryId));
  EXPECT_NE(summary.find(L"outflow peak 2429.85 cfs at 6.75 h"), std::wstring::npos) << Utf8(summary);
  EXPECT_EQ(WindowText(::GetDlgItem(routing, kChartId)), summary) << "the chart's text alternative";

  const fs::path saved = folder.Path() / "routed.csv";
  EXPECT_EQ(window.Save(RoutingCommandId(RoutingCommand::SaveRoutedCsv), saved.wstring()).box, L"");
  EXPECT_TRUE(testing_support::ReadFile(saved).starts_with(
      "Time (h),Inflow (cfs),Outflow (cfs)\r\n0,100,100\r\n0.25,200,100.24701257341601\r\n"));

  window.Type(InputField::MaxFlow, "1000");
  ASSERT_EQ(window.Press().second, L"");
  EXPECT_NE(WindowText(::GetDlgItem(routing, kSummaryId)).find(L"ordinate 12, at 2.75 h"),
            std::wstring::npos);
  EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(routing, RoutingCommandId(RoutingCommand::SaveRoutedCsv))), FALSE);
}

// The compound section chosen, pasted into the Section window and pressed:
// the bytes the command line writes for it, with the fields it does not use
// Started with --units si, every label names its units in SI, and the
// default channel converted writes the command line's bytes; the choice
// back to US customary names feet again.
TEST(Window, RatesInSiAsTheCommandLineDoes) {
  const testing_support::ScratchFolder folder("rating-window-si");
  const RunningWindow window(UnitSystem::Si);
  const HWND units = window.Field(InputField::Units);
  EXPECT_EQ(::SendMessageW(units, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(UnitSystem::Si));
  const auto label = [&window](InputField field) {
    return WindowText(window.Control(kFirstLabelId + static_cast<int>(field)));
  };
  EXPECT_EQ(label(InputField::BottomWidth), L"&Bottom Width (m)");
  EXPECT_EQ(label(InputField::MaxFlow), L"Ma&ximum Flow (m3/s)");
  const FieldTexts texts = testing_support::DefaultChannelInSi();
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    if (place.field != InputField::Filename) window.Type(place.field, TextOf(texts, place.field));
  }
  const std::u8string rating = (folder.Path() / "si.RAT").u8string();
  window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
  ASSERT_EQ(window.Press().second, L"");
  EXPECT_EQ(ReadFile(folder.Path() / "si.RAT"), ReadFile(fs::path(RATING_GOLDEN_DIR) / "default-si.RAT"));
  ::SendMessageW(units, CB_SETCURSEL, static_cast<WPARAM>(UnitSystem::UsCustomary), 0);
  ::SendMessageW(::GetParent(units), WM_COMMAND,
                 MAKEWPARAM(kFirstFieldId + static_cast<int>(InputField::Units), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(units));  // NOLINT: the message's type
  EXPECT_EQ(label(InputField::BottomWidth), L"&Bottom Width (ft)");
}

// disabled.
TEST(Window, RatesAPastedSurveyedSectionAsTheCommandLineDoes) {
  testing_support::ScratchFolder folder("rating-window-section");
  const RunningWindow window;
  const HWND shape = window.Field(InputField::Shape);
  ::SendMessageW(shape, CB_SETCURSEL, static_cast<WPARAM>(SectionShape::Surveyed), 0);
  ::SendMessageW(::GetParent(shape), WM_COMMAND,
                 MAKEWPARAM(kFirstFieldId + static_cast<int>(InputField::Shape), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(shape));  // NOLINT: the message's type
  ASSERT_EQ(window.WindowsOf(kSectionWindowClass).size(), 1U);
  const HWND section = window.WindowsOf(kSectionWindowClass).front();
  EXPECT_EQ(::IsWindowEnabled(window.Field(InputField::BottomWidth)), FALSE);
  EXPECT_EQ(::IsWindowEnabled(window.Field(InputField::Invert)), FALSE);
  const FieldTexts texts = testing_support::CompoundTexts();
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    if (place.field != InputField::Filename) window.Type(place.field, TextOf(texts, place.field));
  }
  for (const layout::SectionFieldPlace& place : layout::kSectionFieldPlaces) {
    ::SendMessageW(SectionField(section, place.field), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(Wide(TextOf(texts, place.field)).c_str()));  // NOLINT
  }
  PutOnClipboard(Wide(GroundLineText(testing_support::kCompoundGround)));
  ASSERT_EQ(window.Choose(kPasteSectionId).second, L"");
  EXPECT_EQ(WindowText(::GetDlgItem(section, kSectionReadId)), L"8 points, stations 0 to 260 ft");
  const std::u8string rating = (folder.Path() / "compound.RAT").u8string();
  window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
  ASSERT_EQ(window.Press().second, L"");
  EXPECT_EQ(ReadFile(folder.Path() / "compound.RAT"),
            ReadFile(fs::path(RATING_GOLDEN_DIR) / "compound-section.RAT"));
}

// Where the user's regional settings take a decimal comma, the routing
// window says every number with it (run by window_comma_locale).
TEST(Window, RoutesAFloodInTheUsersDecimals) {
  if (platform::UserDecimalSeparator() != ",")
    GTEST_SKIP() << "needs a decimal comma in the regional settings";
  testing_support::ScratchFolder folder("rating-window-comma");
  const RunningWindow window;
  const std::u8string rating = (folder.Path() / "komma.RAT").u8string();
  window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
  ASSERT_EQ(window.Press().second, L"");
  ASSERT_EQ(window.Choose(CommandId(RatingCommand::RouteFlood)).second, L"");
  const HWND routing = window.WindowsOf(kRoutingWindowClass).front();
  PutOnClipboard(Wide(testing_support::TriangularInflowCsv()));
  ASSERT_EQ(window.Choose(kPasteInflowId).second, L"");
  const std::wstring summary = WindowText(::GetDlgItem(routing, kSummaryId));
  EXPECT_NE(summary.find(L"outflow peak 2429,85 cfs at 6,75 h.\nAttenuation 2,80614 %; lag 0,75 h."),
            std::wstring::npos)
      << Utf8(summary);
  EXPECT_EQ(WindowText(::GetDlgItem(routing, kChartId)), summary) << "the chart's text alternative";
}

// One curves window per main window: drawn, following every good run, and
// closed by a failure that empties the list.
TEST(Window, RatingCurvesFollowTheRunsAndCloseWithTheList) {
  testing_support::ScratchFolder folder("rating-window-curves");
  const RunningWindow window;
  const std::u8string rating = (folder.Path() / "curves.RAT").u8string();
  window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
  ASSERT_EQ(window.Press().second, L"");
  // At the top left of the screen, the main window leaves room below it.
  const HWND main = ::GetParent(window.Control(kButtonId));
  ::SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_EQ(window.Choose(CommandId(RatingCommand::ShowCurves)).second, L"");
  ASSERT_EQ(window.CurvesWindows().size(), 1U);
  const HWND curves = window.CurvesWindows().front();
  EXPECT_EQ(::GetWindow(curves, GW_OWNER), nullptr) << "owned, it would stay above the main window";
  // Beside the main window, hiding none of its fields, and on the screen's work area.
  RECT mainRect{};
  RECT curvesRect{};
  RECT overlap{};
  ::GetWindowRect(main, &mainRect);
  ::GetWindowRect(curves, &curvesRect);
  EXPECT_FALSE(::IntersectRect(&overlap, &mainRect, &curvesRect));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
  EXPECT_TRUE(curvesRect.left >= monitor.rcWork.left && curvesRect.right <= monitor.rcWork.right &&
              curvesRect.top >= monitor.rcWork.top && curvesRect.bottom <= monitor.rcWork.bottom);
  EXPECT_EQ(WindowText(curves), L"Rating Curves \x2013 South Street Channel");
  EXPECT_NE(::GetWindowLongW(curves, GWL_STYLE) & WS_THICKFRAME, 0) << "resizable";

  // Drawn: the blue curves.
  constexpr int kWidth = 1200;
  constexpr int kHeight = 520;
  ::SetWindowPos(curves, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  ::GetClientRect(curves, &client);
  const std::vector<std::uint8_t> pixels = Drawing(curves, client.right, client.bottom);
  int curvePixels = 0;
  for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
    if (pixels[i] > 120 && pixels[i + 2] < 80) ++curvePixels;  // blue high, red low
  }
  EXPECT_GT(curvePixels, 1000);

  ASSERT_EQ(window.Choose(CommandId(RatingCommand::ShowCurves)).second, L"");
  EXPECT_EQ(window.CurvesWindows().size(), 1U) << "one curves window";
  window.Type(InputField::Title, "Mill Creek");
  ASSERT_EQ(window.Press().second, L"");
  EXPECT_EQ(WindowText(curves), L"Rating Curves \x2013 Mill Creek");
  window.Type(InputField::Fall, "0");
  EXPECT_NE(window.Press().second, L"");
  EXPECT_EQ(::IsWindow(curves), FALSE) << "the emptied list has no curves";
}

// GDI+ started for a test that paints without a window, and shut down after.
class GdiplusSession {
 public:
  GdiplusSession() : started_(Gdiplus::GdiplusStartup(&token_, &input_, nullptr) == Gdiplus::Ok) {}
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession() {
    if (started_) Gdiplus::GdiplusShutdown(token_);
  }
  [[nodiscard]] bool Started() const { return started_; }

 private:
  Gdiplus::GdiplusStartupInput input_;
  ULONG_PTR token_ = 0;
  bool started_;
};

// A title that is not UTF-8 reaches the curves' painter as U+FFFD, drawn
// and measured inside WM_PAINT, where nothing could catch an exception.
TEST(Window, CurvesPainterDrawsTextThatIsNotUtf8) {
  const GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.Started());
  const plot::GdiplusTextMeasure measure({L"DejaVu Sans", L"Arial"});
  plot::Text title;
  title.anchorAt = {10, 30};
  title.text =
      "Stra\xDF"
      "e \xFF\xFE";  // Latin-1, as a spreadsheet may save it
  plot::Scene scene;
  scene.width = 200;
  scene.height = 60;
  scene.items.emplace_back(title);
  EXPECT_GT(measure.Advance(title.text, title.font), 0.0);
  const HDC dc = ::CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, 200, 60);
  const HGDIOBJ previous = ::SelectObject(dc, bitmap);
  const RECT area{0, 0, 200, 60};
  EXPECT_NO_THROW(plot::PaintScene(dc, area, scene, measure));
  ::SelectObject(dc, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
}

// A line of many points is stroked in pieces; it must show the same pixels
// as the whole line stroked at once, with no notch where two pieces meet at
// a bend. The scene is painted into its own part of a larger canvas, and
// nothing outside that part is touched.
TEST(Window, ScenePainterStrokesLongLinesWholeInsideItsArea) {
  const GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.Started());
  const plot::GdiplusTextMeasure measure({L"DejaVu Sans", L"Arial"});
  plot::Polyline zigzag;
  zigzag.width = 7;
  zigzag.color = {0, 0, 255};
  for (int i = 0; i < 300; ++i)
    zigzag.points.push_back({20 + i * 0.8, i % 21 < 10 ? 30.0 + 15 * (i % 21) : 330.0 - 15 * (i % 21)});
  plot::Scene scene;
  scene.width = 280;
  scene.height = 200;
  scene.items.emplace_back(zigzag);
  constexpr int kLeft = 40;
  constexpr int kTop = 30;
  const RECT area{kLeft, kTop, kLeft + 280, kTop + 200};
  const std::vector<std::uint8_t> painted =
      Pixels(400, 300, [&](HDC dc) { plot::PaintScene(dc, area, scene, measure); });
  const std::vector<std::uint8_t> whole = Pixels(400, 300, [&](HDC dc) {
    Gdiplus::Graphics graphics(dc);
    const Gdiplus::SolidBrush white(Gdiplus::Color(0xff, 0xff, 0xff));
    graphics.FillRectangle(&white, kLeft, kTop, 280, 200);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.TranslateTransform(kLeft, kTop);
    std::vector<Gdiplus::PointF> points;
    for (const plot::Point& point : zigzag.points) {
      points.emplace_back(static_cast<Gdiplus::REAL>(point.x), static_cast<Gdiplus::REAL>(point.y));
    }
    Gdiplus::Pen pen(Gdiplus::Color(0, 0, 255), 7);
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    graphics.DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
  });
  // Where two pieces meet at a bend, their round caps may cover a few
  // pixels more at the bend's tip than a round join does; never fewer.
  int missing = 0;
  int extra = 0;
  int outside = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * 400 + x) * 4;
      const bool inArea = x >= kLeft && x < kLeft + 280 && y >= kTop && y < kTop + 200;
      if (!inArea && (painted[at] | painted[at + 1] | painted[at + 2]) != 0) ++outside;
      // Blue-green-red: the line is blue, the rest white.
      const int redInPainted = painted[at + 2];
      const int redInWhole = whole[at + 2];
      if (redInWhole < 128 && redInPainted >= 128) ++missing;
      if (redInWhole >= 128 && redInPainted < 128) ++extra;
    }
  }
  EXPECT_EQ(outside, 0) << "pixels painted outside the area";
  EXPECT_EQ(missing, 0) << "pixels of the line left out where its pieces meet";
  EXPECT_LE(extra, 40) << "pixels beyond the line's four bends where its pieces meet";
}

struct WrapCase {
  const char* name;
  std::wstring text;
  std::wstring shown;
};

// Long names break where a reader expects, and the rest stays as it was.
TEST(Window, MessagesBreakLongNamesSoTheReasonStaysOnScreen) {
  const std::wstring folder = L"C:\\Users\\ann\\Documents\\Flood studies 2026\\";
  const std::wstring deep = L"C:\\" + std::wstring(40, L'a') + L"\\" + std::wstring(40, L'b') + L"\\x.RAT";
  for (const WrapCase& c :
       {WrapCase{"ShortStaysWhole", L"Cannot create rating file \"a.RAT\": Access is denied.",
                 L"Cannot create rating file \"a.RAT\": Access is denied."},
        WrapCase{"BreaksAfterASeparator", L"\"" + deep + L"\": gone.",
                 L"\"C:\\" + std::wstring(40, L'a') + L"\\\n" + std::wstring(40, L'b') + L"\\x.RAT\": gone."},
        WrapCase{"BreaksWithinWithoutOne", std::wstring(130, L'n'),
                 std::wstring(60, L'n') + L"\n" + std::wstring(60, L'n') + L"\n" + std::wstring(10, L'n')},
        WrapCase{"BlanksAreBreaksAlready", folder + L"x.RAT", folder + L"x.RAT"}}) {
    EXPECT_EQ(Wrapped(c.text), c.shown) << c.name;
  }
}

// Each Save command of the list's menu offers a name beside the rating file
// in the system's save dialog and writes the export under the name typed
// there (its bytes are the session's test); a failure is shown in a message
// box that names the file.
TEST(Window, SaveCommandsWriteTheExportsOrSayWhyNot) {
  testing_support::ScratchFolder folder("rating-window-saves");
  const RunningWindow window;
  const std::u8string rating = (folder.Path() / "saved.RAT").u8string();
  window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
  ASSERT_EQ(window.Press().second, L"");
  for (const CommandFacts& command : kRatingCommands) {
    if (!command.saves) continue;
    const fs::path offered = folder.Path() / ("saved" + std::string(FactsOf(*command.saves).ending));
    const fs::path target = folder.Path() / ("chosen" + std::string(FactsOf(*command.saves).ending));
    const SaveThroughDialog saved = window.Save(CommandId(command.command), target.wstring());
    EXPECT_EQ(fs::path(saved.offered).filename(), offered.filename());
    EXPECT_EQ(saved.box, L"");
    EXPECT_FALSE(ReadFile(target).empty()) << target;
  }
  // A file another program holds open with no sharing cannot be replaced.
  const fs::path held = folder.Path() / "held.csv";
  std::ofstream(held) << "kept";
  const HANDLE holder = ::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const SaveThroughDialog failed = window.Save(CommandId(RatingCommand::SaveTableCsv), held.wstring());
  ::CloseHandle(holder);
  EXPECT_EQ(failed.caption, Wide(Pattern(Message::CaptionWindow)));
  EXPECT_NE(failed.box.find(L"held.csv"), std::wstring::npos) << Utf8(failed.box);
  EXPECT_EQ(ReadFile(held), "kept");
}

// The system's save dialog opens titled for the export, offering the name
// beside the rating file; cancelling it writes nothing.
// Browse… asks the system's save dialog where the rating file goes, and puts
// the answer in the field.
TEST(Window, BrowsePutsTheChosenNameInTheField) {
  testing_support::ScratchFolder folder("rating-window-browse");
  const RunningWindow window;
  const std::wstring chosen = (folder.Path() / "chosen.RAT").wstring();
  const SaveThroughDialog browsed = window.Save(kBrowseId, chosen);
  EXPECT_NE(browsed.offered.find(L"MyRating.RAT"), std::wstring::npos) << Utf8(browsed.offered);
  EXPECT_EQ(WindowText(window.Field(InputField::Filename)), chosen);
  EXPECT_EQ(window.Press().second, L"");
  EXPECT_TRUE(fs::exists(folder.Path() / "chosen.RAT"));
}

// Beside a rating file with a short name, and with a name longer than the
// dialog takes whole, which it would show empty.
TEST(Window, SaveOpensTheSystemsDialogWithTheSuggestedName) {
  testing_support::ScratchFolder folder("rating-window-dialog");
  const fs::path deep = folder.Path() / std::string(120, 'd') / std::string(120, 'e');
  fs::create_directories(LR"(\\?\)" + deep.wstring());
  for (const fs::path& rated : {folder.Path() / "dialog.RAT", deep / "dialog.RAT"}) {
    const RunningWindow window;
    const std::u8string rating = rated.u8string();
    window.Type(InputField::Filename, std::string(rating.begin(), rating.end()));
    ASSERT_EQ(window.Press().second, L"");
    const HWND main = ::GetParent(window.Control(kButtonId));
    auto saving = std::async(std::launch::async, [main] {
      ::SendMessageW(main, WM_COMMAND, CommandId(RatingCommand::SaveTableCsv), 0);
    });
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && dialog == nullptr; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      dialog = window.Dialog();
    }
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(WindowText(dialog), L"Save Table as CSV");
    const HWND name = FileNameControl(dialog);
    EXPECT_NE(WindowText(name).find(L"dialog.csv"), std::wstring::npos)
        << Utf8(WindowText(name)) << " for " << rated.wstring().size() << " characters";
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    saving.wait();
    EXPECT_FALSE(fs::exists(folder.Path() / "dialog.csv"));
  }
}

}  // namespace
}  // namespace rating::win32
