#include "windows/curves_window.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <windowsx.h>

#include "layout/window_place.h"
#include "plot/gdiplus/scene_painter.h"
#include "windows/main_window.h"
#include "windows/window_state.h"

namespace rating::win32 {

namespace {

// The faces the curves are drawn and laid out in, the first the system has:
// Windows' own, then older systems', then the one Wine finds on Linux.
constexpr std::initializer_list<const wchar_t*> kFontFamilies = {L"Segoe UI", L"Tahoma", L"Arial",
                                                                 L"DejaVu Sans"};

// GDI+ for the life of the program, started with the first curves window.
class GdiplusSession {
 public:
  GdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  GdiplusSession(GdiplusSession&&) = delete;
  GdiplusSession& operator=(GdiplusSession&&) = delete;
  ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

// The faces measured once for the life of the program: finding a font
// family is slow, above all the first time, and each window would repeat it.
const plot::GdiplusTextMeasure& Measure() {
  static const GdiplusSession kGdiplus;
  static const plot::GdiplusTextMeasure kMeasure{kFontFamilies};
  return kMeasure;
}

struct CurvesState {
  HWND main = nullptr;  // the window whose rating is shown, which takes the menu's commands
  plot::Scene scene;
  HBITMAP drawn = nullptr;  // the scene as last painted, for repaints that change nothing
  SIZE drawnSize{};         // of `drawn`, pixels
  CurvesState() = default;
  CurvesState(const CurvesState&) = delete;
  CurvesState& operator=(const CurvesState&) = delete;
  CurvesState(CurvesState&&) = delete;
  CurvesState& operator=(CurvesState&&) = delete;
  ~CurvesState() { Forget(); }
  void Forget() {
    if (drawn != nullptr) ::DeleteObject(drawn);
    drawn = nullptr;
  }
};

CurvesState* StateOf(HWND window) { return StateOfWindow<CurvesState>(window); }

// Paints from the drawing kept since the scene or the size last changed:
// a window uncovered or moved costs a copy, not a drawing.
void Paint(HWND window, HDC dc) {
  RECT client{};
  ::GetClientRect(window, &client);
  CurvesState* state = StateOf(window);
  if (state == nullptr || client.right <= 0 || client.bottom <= 0) return;
  const HDC memory = ::CreateCompatibleDC(dc);
  if (state->drawn == nullptr || state->drawnSize.cx != client.right ||
      state->drawnSize.cy != client.bottom) {
    state->Forget();
    state->drawn = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    state->drawnSize = {client.right, client.bottom};
    const HGDIOBJ previous = ::SelectObject(memory, state->drawn);
    plot::PaintScene(memory, client, state->scene, Measure());
    ::SelectObject(memory, previous);
  }
  const HGDIOBJ previous = ::SelectObject(memory, state->drawn);
  ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
}

// Where the window opens: beside `main` on its work area, by the rule every
// desktop front end follows (layout::PlaceBeside).
RECT PlaceBeside(HWND main, SIZE wanted) {
  RECT beside{};
  ::GetWindowRect(main, &beside);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const layout::ScreenRect placed =
      layout::PlaceBeside({beside.left, beside.top, beside.right, beside.bottom}, wanted.cx, wanted.cy,
                          {work.left, work.top, work.right, work.bottom});
  return {placed.left, placed.top, placed.right, placed.bottom};
}

// The Save commands, at the pointer or, from the keyboard, at the corner.
void ShowMenu(HWND window, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {
    point = {0, 0};
    ::ClientToScreen(window, &point);
  }
  const HMENU menu = ::CreatePopupMenu();
  AppendCurvesCommands(menu);
  const auto command = static_cast<WPARAM>(::TrackPopupMenu(
      menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, window, nullptr));
  ::DestroyMenu(menu);
  if (command != 0 && StateOf(window) != nullptr) {
    ::SendMessageW(StateOf(window)->main, WM_COMMAND, command, 0);
  }
}

LRESULT CALLBACK CurvesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<CurvesState>(window, message, lParam);
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the whole client area is painted
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = ::BeginPaint(window, &paint);
      Paint(window, dc);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(window, reinterpret_cast<HDC>(wParam));
      return 0;  // NOLINT: the message's type
    case WM_SIZE: ::InvalidateRect(window, nullptr, FALSE); return 0;
    case WM_DPICHANGED: {
      // Moved to a screen of another scale: the size Windows suggests for it.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);  // NOLINT: the message's type
      ::SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CONTEXTMENU: ShowMenu(window, lParam); return 0;
    default: break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND OpenCurvesWindow(HWND main, const plot::RatingCurves& curves, const std::wstring& title) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(main, GWLP_HINSTANCE));  // NOLINT
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (::GetClassInfoExW(instance, kCurvesWindowClass, &type) == 0) {
    type.cbSize = sizeof type;
    type.lpfnWndProc = CurvesProc;
    type.hInstance = instance;
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(main, GCLP_HICON));  // NOLINT: the class's icon
    type.lpszClassName = kCurvesWindowClass;
    ::RegisterClassExW(&type);
  }
  auto state = std::make_unique<CurvesState>();
  state->main = main;
  // The page's size at the main window's DPI, placed beside it.
  const UINT dpi = ::GetDpiForWindow(main);
  RECT rect{0, 0,
            ::MulDiv(static_cast<int>(plot::kRatingCurvesPageWidth), static_cast<int>(dpi),
                     USER_DEFAULT_SCREEN_DPI),
            ::MulDiv(static_cast<int>(plot::kRatingCurvesPageHeight), static_cast<int>(dpi),
                     USER_DEFAULT_SCREEN_DPI)};
  ::AdjustWindowRectExForDpi(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
  const RECT placed = PlaceBeside(main, {rect.right - rect.left, rect.bottom - rect.top});
  // A window of its own, not owned by the main window, so that clicking the
  // main window brings it above the curves.
  const HWND window = ::CreateWindowExW(0, kCurvesWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                        placed.left, placed.top, placed.right - placed.left,
                                        placed.bottom - placed.top, nullptr, nullptr, instance, state.get());
  if (window == nullptr) return nullptr;
  state.release();  // NOLINT(bugprone-unused-return-value): the window owns it until WM_NCDESTROY
  SetCurves(window, curves, title);
  ::ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

const plot::GdiplusTextMeasure& ChartMeasure() { return Measure(); }

RECT PlacedBeside(HWND main, SIZE wanted) { return PlaceBeside(main, wanted); }

bool ShowsCurvesOf(HWND curvesWindow, HWND main) {
  const CurvesState* state = ::IsWindow(curvesWindow) != 0 ? StateOf(curvesWindow) : nullptr;
  return state != nullptr && state->main == main;
}

void SetCurves(HWND curvesWindow, const plot::RatingCurves& curves, const std::wstring& title) {
  CurvesState* state = StateOf(curvesWindow);
  if (state == nullptr) return;
  state->scene = plot::RatingCurvesScene(curves, Measure());
  state->Forget();
  ::SetWindowTextW(curvesWindow, title.c_str());
  ::InvalidateRect(curvesWindow, nullptr, FALSE);
}

}  // namespace rating::win32
