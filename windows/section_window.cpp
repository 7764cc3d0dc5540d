#include "windows/section_window.h"

#include <array>
#include <memory>

#include "layout/form_layout.h"
#include "plot/gdiplus/scene_painter.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/window_state.h"

namespace rating::win32 {

namespace {

constexpr wchar_t kPictureClass[] = L"TrapezoidRatingSectionPicture";
constexpr int kWidth = 680;     // pixels at 96 DPI
constexpr int kHeight = 500;    // pixels at 96 DPI
constexpr int kMargin = 8;      // pixels at 96 DPI
constexpr int kRowHeight = 24;  // pixels at 96 DPI
constexpr int kFieldWidth = 150;
constexpr int kReadHeight = 40;
constexpr int kPasteLabelId = 630;
constexpr int kFirstSectionLabelId = 640;  // + the field's place

struct SectionState {
  HWND main = nullptr;  // the window whose controller reads the points
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  HFONT font = nullptr;
  plot::Scene scene;  // the picture's
  SectionState() = default;
  SectionState(const SectionState&) = delete;
  SectionState& operator=(const SectionState&) = delete;
  SectionState(SectionState&&) = delete;
  SectionState& operator=(SectionState&&) = delete;
  ~SectionState() {
    if (font != nullptr) ::DeleteObject(font);
  }
};

SectionState* StateOf(HWND window) { return StateOfWindow<SectionState>(window); }

int Scaled(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

// The picture: the scene drawn into a bitmap, then copied, so that it never flickers.
LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return ::DefWindowProcW(picture, message, wParam, lParam);
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(picture, &paint);
  RECT client{};
  ::GetClientRect(picture, &client);
  const SectionState* state = StateOf(::GetParent(picture));
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

HWND Child(HWND window, const wchar_t* type, const std::string& text, DWORD style, int id) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE));  // NOLINT
  const HWND child = ::CreateWindowExW(std::wstring_view(type) == L"EDIT" ? WS_EX_CLIENTEDGE : 0, type,
                                       Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                       nullptr);  // NOLINT: a child's identifier
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(StateOf(window)->font), FALSE);  // NOLINT
  return child;
}

// The controls, in tab order: "Open Section…", then each field after its
// label, so that a screen reader names the field by it.
void MakeControls(HWND window) {
  Child(window, L"STATIC", std::string(Pattern(Message::CaptionSectionPaste)), SS_LEFT, kPasteLabelId);
  Child(window, L"BUTTON",
        layout::WithAccessKey(Pattern(Message::CaptionOpenSection), layout::kOpenSectionAccessKey),
        WS_TABSTOP | BS_PUSHBUTTON, kOpenSectionId);
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    const layout::SectionFieldPlace& place = layout::kSectionFieldPlaces.at(k);
    Child(window, L"STATIC", layout::WithAccessKey(FieldLabel(place.field), place.accessKey), SS_LEFT,
          kFirstSectionLabelId + static_cast<int>(k));
    Child(window, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kFirstSectionFieldId + static_cast<int>(k));
  }
  Child(window, kPictureClass, "", 0, kSectionPictureId);
  Child(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kSectionReadId);
}

// Places the controls in a client area of `width` by `height` pixels: the
// points and the fields at the top, what was read at the bottom, and the
// picture taking the rest.
void Arrange(HWND window, int width, int height) {
  const UINT dpi = StateOf(window)->dpi;
  const auto s = [dpi](int pixels) { return Scaled(pixels, dpi); };
  const auto place = [&](int id, int x, int y, int w, int h) {
    ::MoveWindow(::GetDlgItem(window, id), s(x), s(y), s(w), s(h), FALSE);
  };
  place(kPasteLabelId, kMargin, kMargin + 4, 240, 20);
  place(kOpenSectionId, 256, kMargin, 140, kRowHeight);
  int x = kMargin;
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    place(kFirstSectionLabelId + static_cast<int>(k), x, 42, kFieldWidth + 10, 18);
    place(kFirstSectionFieldId + static_cast<int>(k), x, 62, kFieldWidth, 22);
    x += kFieldWidth + 10 + kMargin;
  }
  const int logicalWidth = ::MulDiv(width, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
  const int logicalHeight = ::MulDiv(height, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
  const int readTop = logicalHeight - kMargin - kReadHeight;
  const int pictureTop = 62 + kRowHeight + kMargin;
  place(kSectionPictureId, kMargin, pictureTop, logicalWidth - 2 * kMargin, readTop - kMargin - pictureTop);
  place(kSectionReadId, kMargin, readTop, logicalWidth - 2 * kMargin, kReadHeight);
  ::InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK SectionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<SectionState>(window, message, lParam);
  switch (message) {
    case WM_SIZE: Arrange(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_CLOSE:
      // Hidden, not destroyed: its fields are the next press's.
      ::ShowWindow(window, SW_HIDE);
      return 0;
    case WM_COMMAND:
      // The button's press is the controller's to decide.
      if (HIWORD(wParam) == BN_CLICKED && StateOf(window) != nullptr) {
        ::SendMessageW(StateOf(window)->main, WM_COMMAND, LOWORD(wParam), 0);
      }
      return 0;
    default: break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Register(HINSTANCE instance, HWND main) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (::GetClassInfoExW(instance, kSectionWindowClass, &type) != 0) return;
  type.cbSize = sizeof type;
  type.lpfnWndProc = SectionProc;
  type.hInstance = instance;
  type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  type.hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(main, GCLP_HICON));  // NOLINT: the class's icon
  type.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = kSectionWindowClass;
  ::RegisterClassExW(&type);
  WNDCLASSEXW picture{};
  picture.cbSize = sizeof picture;
  picture.lpfnWndProc = PictureProc;
  picture.hInstance = instance;
  picture.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  picture.lpszClassName = kPictureClass;
  ::RegisterClassExW(&picture);
}

}  // namespace

HWND OpenSectionWindow(HWND main, const std::wstring& title) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(main, GWLP_HINSTANCE));  // NOLINT
  Register(instance, main);
  auto state = std::make_unique<SectionState>();
  state->main = main;
  state->dpi = ::GetDpiForWindow(main);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, state->dpi);
  state->font = ::CreateFontIndirectW(&metrics.lfMessageFont);
  RECT rect{0, 0, Scaled(kWidth, state->dpi), Scaled(kHeight, state->dpi)};
  ::AdjustWindowRectExForDpi(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, state->dpi);
  const RECT placed = PlacedBeside(main, {rect.right - rect.left, rect.bottom - rect.top});
  SectionState* kept = state.get();
  // A window of its own, not owned by the main window, as the curves are.
  const HWND window = ::CreateWindowExW(
      WS_EX_CONTROLPARENT, kSectionWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, placed.left, placed.top,
      placed.right - placed.left, placed.bottom - placed.top, nullptr, nullptr, instance, kept);
  if (window == nullptr) return nullptr;
  state.release();  // NOLINT(bugprone-unused-return-value): the window owns it until WM_NCDESTROY
  MakeControls(window);
  RECT client{};
  ::GetClientRect(window, &client);
  Arrange(window, client.right, client.bottom);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetFocus(::GetDlgItem(window, kOpenSectionId));
  return window;
}

bool IsSectionOf(HWND sectionWindow, HWND main) {
  const SectionState* state = ::IsWindow(sectionWindow) != 0 ? StateOf(sectionWindow) : nullptr;
  return state != nullptr && state->main == main;
}

bool ShowsSectionOf(HWND sectionWindow, HWND main) {
  return IsSectionOf(sectionWindow, main) && ::IsWindowVisible(sectionWindow) != 0;
}

HWND SectionField(HWND sectionWindow, InputField field) {
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    if (layout::kSectionFieldPlaces.at(k).field == field) {
      return ::GetDlgItem(sectionWindow, kFirstSectionFieldId + static_cast<int>(k));
    }
  }
  return nullptr;
}

void SetSection(HWND sectionWindow, const plot::CrossSectionChart& chart, const std::string& words) {
  SectionState* state = StateOf(sectionWindow);
  if (state == nullptr) return;
  state->scene = plot::CrossSectionScene(chart, ChartMeasure());
  ::SetDlgItemTextW(sectionWindow, kSectionReadId, Wide(words).c_str());
  const HWND picture = ::GetDlgItem(sectionWindow, kSectionPictureId);
  // The picture's text alternative is what was read.
  ::SetWindowTextW(picture, Wide(words).c_str());
  ::InvalidateRect(picture, nullptr, FALSE);
}

bool SectionWindowMessage(MSG& message) {
  const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  std::array<wchar_t, std::size(kSectionWindowClass)> type{};
  if (root == nullptr || ::GetClassNameW(root, type.data(), static_cast<int>(type.size())) == 0 ||
      std::wstring_view(type.data()) != kSectionWindowClass) {
    return false;
  }
  // Ctrl+V outside a field pastes the points; in a field it pastes there.
  if (message.message == WM_KEYDOWN && message.wParam == 'V' && (::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    std::array<wchar_t, 8> focused{};
    ::GetClassNameW(message.hwnd, focused.data(), static_cast<int>(focused.size()));
    if (std::wstring_view(focused.data()) != L"Edit") {
      ::SendMessageW(root, WM_COMMAND, MAKEWPARAM(kPasteSectionId, BN_CLICKED), 0);
      return true;
    }
  }
  return ::IsDialogMessageW(root, &message) != 0;
}

}  // namespace rating::win32
