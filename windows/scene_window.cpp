#include "windows/scene_window.h"

#include <array>
#include <memory>
#include <string_view>

#include "layout/form_layout.h"
#include "plot/gdiplus/scene_painter.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/window_state.h"

namespace rating::win32 {

namespace {

// The picture: the scene drawn into a bitmap, then copied, so that it never flickers.
LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return ::DefWindowProcW(picture, message, wParam, lParam);
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(picture, &paint);
  RECT client{};
  ::GetClientRect(picture, &client);
  const SceneWindowState* state = SceneStateOf(::GetParent(picture));
  if (state != nullptr && client.right > 0 && client.bottom > 0) {
    const HDC memory = ::CreateCompatibleDC(dc);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::FillRect(memory, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    plot::PaintScene(memory, client, state->scene, ChartMeasure());
    ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
  }
  ::EndPaint(picture, &paint);
  return 0;
}

void Register(HINSTANCE instance, HWND main, const SceneWindowClasses& classes) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (::GetClassInfoExW(instance, classes.windowClass, &type) != 0) return;
  type.cbSize = sizeof type;
  type.lpfnWndProc = classes.procedure;
  type.hInstance = instance;
  type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  type.hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(main, GCLP_HICON));  // NOLINT: the class's icon
  type.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = classes.windowClass;
  ::RegisterClassExW(&type);
  WNDCLASSEXW picture{};
  picture.cbSize = sizeof picture;
  picture.lpfnWndProc = PictureProc;
  picture.hInstance = instance;
  picture.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  picture.lpszClassName = classes.pictureClass;
  ::RegisterClassExW(&picture);
}

}  // namespace

SceneWindowState::~SceneWindowState() {
  if (font != nullptr) ::DeleteObject(font);
}

SceneWindowState* SceneStateOf(HWND window) { return StateOfWindow<SceneWindowState>(window); }

int ScaledPixels(int pixels, UINT dpi) {
  return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

HWND OpenSceneWindow(HWND main, const std::wstring& title, const SceneWindowClasses& classes, int width,
                     int height) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(main, GWLP_HINSTANCE));  // NOLINT
  Register(instance, main, classes);
  auto state = std::make_unique<SceneWindowState>();
  state->main = main;
  state->dpi = ::GetDpiForWindow(main);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, state->dpi);
  state->font = ::CreateFontIndirectW(&metrics.lfMessageFont);
  RECT rect{0, 0, ScaledPixels(width, state->dpi), ScaledPixels(height, state->dpi)};
  ::AdjustWindowRectExForDpi(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, state->dpi);
  const RECT placed = PlacedBeside(main, {rect.right - rect.left, rect.bottom - rect.top});
  SceneWindowState* kept = state.get();
  // A window of its own, not owned by the main window, as the curves are.
  const HWND window = ::CreateWindowExW(
      WS_EX_CONTROLPARENT, classes.windowClass, title.c_str(), WS_OVERLAPPEDWINDOW, placed.left, placed.top,
      placed.right - placed.left, placed.bottom - placed.top, nullptr, nullptr, instance, kept);
  if (window == nullptr) return nullptr;
  state.release();  // NOLINT(bugprone-unused-return-value): the window owns it until WM_NCDESTROY
  return window;
}

void ShowArranged(HWND window, void (*arrange)(HWND window, int width, int height), int focusId) {
  RECT client{};
  ::GetClientRect(window, &client);
  arrange(window, client.right, client.bottom);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetFocus(::GetDlgItem(window, focusId));
}

void ForwardPress(HWND window, WPARAM wParam) {
  if (HIWORD(wParam) == BN_CLICKED && SceneStateOf(window) != nullptr) {
    ::SendMessageW(SceneStateOf(window)->main, WM_COMMAND, LOWORD(wParam), 0);
  }
}

HWND AddChild(HWND window, const wchar_t* type, const std::string& text, DWORD style, int id) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));  // NOLINT
  const HWND child = ::CreateWindowExW(std::wstring_view(type) == L"EDIT" ? WS_EX_CLIENTEDGE : 0, type,
                                       Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                       nullptr);  // NOLINT: a child's identifier
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(SceneStateOf(window)->font), FALSE);  // NOLINT
  return child;
}

bool IsSceneWindowOf(HWND window, HWND main) {
  const SceneWindowState* state = ::IsWindow(window) != 0 ? SceneStateOf(window) : nullptr;
  return state != nullptr && state->main == main;
}

void SetScene(HWND window, int pictureId, plot::Scene scene, const std::string& words) {
  SceneWindowState* state = SceneStateOf(window);
  if (state == nullptr) return;
  state->scene = std::move(scene);
  const HWND picture = ::GetDlgItem(window, pictureId);
  ::SetWindowTextW(picture, Wide(words).c_str());
  ::InvalidateRect(picture, nullptr, FALSE);
}

bool SceneWindowMessage(MSG& message, const wchar_t* windowClass, int pasteId) {
  const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  std::array<wchar_t, 64> type{};
  if (root == nullptr || ::GetClassNameW(root, type.data(), static_cast<int>(type.size())) == 0 ||
      std::wstring_view(type.data()) != windowClass) {
    return false;
  }
  // Ctrl+V outside a field pastes the window's table; in a field it pastes there.
  if (message.message == WM_KEYDOWN && message.wParam == 'V' && (::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    std::array<wchar_t, 8> focused{};
    ::GetClassNameW(message.hwnd, focused.data(), static_cast<int>(focused.size()));
    if (std::wstring_view(focused.data()) != L"Edit") {
      ::SendMessageW(root, WM_COMMAND, MAKEWPARAM(pasteId, BN_CLICKED), 0);
      return true;
    }
  }
  return ::IsDialogMessageW(root, &message) != 0;
}

void Relabel(HWND field, const std::string& caption) {
  const HWND label = field != nullptr ? ::GetWindow(field, GW_HWNDPREV) : nullptr;
  if (label == nullptr || caption.empty()) return;
  std::wstring old(static_cast<std::size_t>(::GetWindowTextLengthW(label)) + 1, L'\0');
  old.resize(static_cast<std::size_t>(::GetWindowTextW(label, old.data(), static_cast<int>(old.size()))));
  const std::size_t marked = old.find(L'&');
  const bool keyed = marked != std::wstring::npos && marked + 1 < old.size() && old[marked + 1] < 0x80;
  const std::string text =
      keyed ? layout::WithAccessKey(caption, static_cast<char>(old[marked + 1])) : caption;
  ::SetWindowTextW(label, platform::Wide(text).c_str());
}

}  // namespace rating::win32
