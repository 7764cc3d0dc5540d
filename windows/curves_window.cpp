#include "windows/curves_window.h"

#include <memory>
#include <windowsx.h>

#include "plot/gdiplus/scene_painter.h"
#include "windows/main_window.h"

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

struct CurvesState {
  plot::GdiplusTextMeasure measure{kFontFamilies};
  plot::Scene scene;
};

CurvesState* StateOf(HWND window) {
  return reinterpret_cast<CurvesState*>(
      ::GetWindowLongPtrW(window, GWLP_USERDATA));  // NOLINT: the window's data
}

void Paint(HWND window, HDC dc) {
  RECT client{};
  ::GetClientRect(window, &client);
  if (const CurvesState* state = StateOf(window)) plot::PaintScene(dc, client, state->scene, state->measure);
}

// The Save commands, at the pointer or, from the keyboard, at the corner.
void ShowMenu(HWND window, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {
    point = {0, 0};
    ::ClientToScreen(window, &point);
  }
  const HMENU menu = ::CreatePopupMenu();
  AppendSaveCommands(menu);
  const auto command = static_cast<WPARAM>(::TrackPopupMenu(
      menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, window, nullptr));
  ::DestroyMenu(menu);
  if (command != 0) ::SendMessageW(::GetWindow(window, GW_OWNER), WM_COMMAND, command, 0);
}

LRESULT CALLBACK CurvesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);  // NOLINT: the message's type
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));  // NOLINT: the window's data
      break;
    }
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
    case WM_CONTEXTMENU: ShowMenu(window, lParam); return 0;
    case WM_NCDESTROY: {
      // The window holds its state from creation to here.
      // NOLINTNEXTLINE(cppcoreguidelines-owning-memory)
      delete StateOf(window);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    }
    default: break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND OpenCurvesWindow(HWND owner, const plot::RatingCurves& curves, const std::wstring& title) {
  static const GdiplusSession kGdiplus;
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE));  // NOLINT
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (::GetClassInfoExW(instance, kCurvesWindowClass, &type) == 0) {
    type.cbSize = sizeof type;
    type.lpfnWndProc = CurvesProc;
    type.hInstance = instance;
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(owner, GCLP_HICON));  // NOLINT: the class's icon
    type.lpszClassName = kCurvesWindowClass;
    ::RegisterClassExW(&type);
  }
  auto state = std::make_unique<CurvesState>();
  // The page's size at the window's DPI.
  const UINT dpi = ::GetDpiForWindow(owner);
  RECT rect{0, 0,
            ::MulDiv(static_cast<int>(plot::kRatingCurvesPageWidth), static_cast<int>(dpi),
                     USER_DEFAULT_SCREEN_DPI),
            ::MulDiv(static_cast<int>(plot::kRatingCurvesPageHeight), static_cast<int>(dpi),
                     USER_DEFAULT_SCREEN_DPI)};
  ::AdjustWindowRectExForDpi(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
  const HWND window = ::CreateWindowExW(0, kCurvesWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                                        rect.bottom - rect.top, owner, nullptr, instance, state.get());
  if (window == nullptr) return nullptr;
  state.release();  // NOLINT(bugprone-unused-return-value): the window owns it until WM_NCDESTROY
  SetCurves(window, curves, title);
  ::ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

void SetCurves(HWND curvesWindow, const plot::RatingCurves& curves, const std::wstring& title) {
  CurvesState* state = StateOf(curvesWindow);
  if (state == nullptr) return;
  state->scene = plot::RatingCurvesScene(curves, state->measure);
  ::SetWindowTextW(curvesWindow, title.c_str());
  ::InvalidateRect(curvesWindow, nullptr, FALSE);
}

}  // namespace rating::win32
