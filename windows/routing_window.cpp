#include "windows/routing_window.h"

#include <array>
#include <memory>

#include "layout/form_layout.h"
#include "plot/gdiplus/scene_painter.h"
#include "run/rating_controller.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/window_state.h"

namespace rating::win32 {

namespace {

constexpr wchar_t kChartClass[] = L"TrapezoidRatingHydrograph";
constexpr int kWidth = 900;     // pixels at 96 DPI
constexpr int kHeight = 660;    // pixels at 96 DPI
constexpr int kMargin = 8;      // pixels at 96 DPI
constexpr int kRowHeight = 24;  // pixels at 96 DPI
constexpr int kSummaryHeight = 72;
constexpr int kFirstLabelId = 530;  // + the setting
constexpr int kInflowLabelId = 540;

struct RoutingState {
  HWND main = nullptr;  // the window whose controller routes
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  HFONT font = nullptr;
  plot::Scene scene;  // the chart's
  RoutingState() = default;
  RoutingState(const RoutingState&) = delete;
  RoutingState& operator=(const RoutingState&) = delete;
  RoutingState(RoutingState&&) = delete;
  RoutingState& operator=(RoutingState&&) = delete;
  ~RoutingState() {
    if (font != nullptr) ::DeleteObject(font);
  }
};

RoutingState* StateOf(HWND window) { return StateOfWindow<RoutingState>(window); }

int Scaled(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The chart: the scene drawn into a bitmap, then copied, so that it never flickers.
LRESULT CALLBACK ChartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT) return ::DefWindowProcW(chart, message, wParam, lParam);
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(chart, &paint);
  RECT client{};
  ::GetClientRect(chart, &client);
  const RoutingState* state = StateOf(::GetParent(chart));
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
  ::EndPaint(chart, &paint);
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

// The settings' fields, in the order of layout::kRoutingFieldPlaces.
constexpr std::array<int, layout::kRoutingFieldPlaces.size()> kSettingIds = {kTimeStepId, kSubreachesId,
                                                                             kInitialOutflowId};
constexpr std::array<int, layout::kRoutingFieldPlaces.size()> kSettingWidths = {120, 90,
                                                                                150};  // pixels at 96 DPI

// The controls, in tab order.
void MakeControls(HWND window) {
  Child(window, L"STATIC", std::string(Pattern(Message::CaptionInflowPaste)), SS_LEFT, kInflowLabelId);
  Child(window, L"BUTTON",
        layout::WithAccessKey(Pattern(Message::CaptionOpenHydrograph), layout::kOpenHydrographAccessKey),
        WS_TABSTOP | BS_PUSHBUTTON, kOpenHydrographId);
  Child(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kInflowReadId);
  for (std::size_t k = 0; k < layout::kRoutingFieldPlaces.size(); ++k) {
    const layout::RoutingFieldPlace& place = layout::kRoutingFieldPlaces.at(k);
    Child(window, L"STATIC", layout::WithAccessKey(Pattern(Facts(place.setting).caption), place.accessKey),
          SS_LEFT, kFirstLabelId + static_cast<int>(k));
    Child(window, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kSettingIds.at(k));
    if (place.suggestionBeside) Child(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kSuggestionId);
  }
  Child(window, L"BUTTON", layout::WithAccessKey(Pattern(Message::CaptionRoute), layout::kRouteAccessKey),
        WS_TABSTOP | BS_DEFPUSHBUTTON, kRouteId);
  Child(window, kChartClass, "", 0, kChartId);
  Child(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kSummaryId);
  for (const RoutingCommandFacts& command : kRoutingCommands) {
    const HWND button =
        Child(window, L"BUTTON", layout::WithAccessKey(Pattern(command.caption), command.accessKey),
              WS_TABSTOP | BS_PUSHBUTTON, RoutingCommandId(command.command));
    ::EnableWindow(button, FALSE);
  }
}

// Places the controls in a client area of `width` by `height` pixels: the
// inflow and the settings at the top, the commands at the bottom, the
// summary above them, and the chart taking the rest.
void Arrange(HWND window, int width, int height) {
  const UINT dpi = StateOf(window)->dpi;
  const auto s = [dpi](int pixels) { return Scaled(pixels, dpi); };
  const auto place = [&](int id, int x, int y, int w, int h) {
    ::MoveWindow(::GetDlgItem(window, id), s(x), s(y), s(w), s(h), FALSE);
  };
  place(kInflowLabelId, kMargin, kMargin + 4, 200, 20);
  place(kOpenHydrographId, 212, kMargin, 150, kRowHeight);
  place(kInflowReadId, 372, kMargin + 4, 400, 20);
  int x = kMargin;
  for (std::size_t k = 0; k < layout::kRoutingFieldPlaces.size(); ++k) {
    const int w = kSettingWidths.at(k);
    place(kFirstLabelId + static_cast<int>(k), x, 42, w, 18);
    place(kSettingIds.at(k), x, 62, w, 22);
    x += w + kMargin;
    if (layout::kRoutingFieldPlaces.at(k).suggestionBeside) {
      place(kSuggestionId, x, 66, 100, 18);
      x += 100 + kMargin;
    }
  }
  place(kRouteId, x, 61, 90, kRowHeight);
  const int logicalWidth = ::MulDiv(width, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
  const int logicalHeight = ::MulDiv(height, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
  const int buttonsTop = logicalHeight - kMargin - kRowHeight;
  const int summaryTop = buttonsTop - kMargin - kSummaryHeight;
  const int chartTop = 62 + kRowHeight + kMargin;
  place(kChartId, kMargin, chartTop, logicalWidth - 2 * kMargin, summaryTop - kMargin - chartTop);
  place(kSummaryId, kMargin, summaryTop, logicalWidth - 2 * kMargin, kSummaryHeight);
  constexpr std::array<int, 3> kButtonWidths = {230, 210, 180};
  x = kMargin;
  for (const RoutingCommandFacts& command : kRoutingCommands) {
    const int w = kButtonWidths.at(static_cast<std::size_t>(command.command));
    place(RoutingCommandId(command.command), x, buttonsTop, w, kRowHeight);
    x += w + kMargin;
  }
  ::InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK RoutingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<RoutingState>(window, message, lParam);
  switch (message) {
    case WM_SIZE: Arrange(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND:
      // The buttons' presses are the controller's to decide.
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
  if (::GetClassInfoExW(instance, kRoutingWindowClass, &type) != 0) return;
  type.cbSize = sizeof type;
  type.lpfnWndProc = RoutingProc;
  type.hInstance = instance;
  type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  type.hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(main, GCLP_HICON));  // NOLINT: the class's icon
  type.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = kRoutingWindowClass;
  ::RegisterClassExW(&type);
  WNDCLASSEXW chart{};
  chart.cbSize = sizeof chart;
  chart.lpfnWndProc = ChartProc;
  chart.hInstance = instance;
  chart.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  chart.lpszClassName = kChartClass;
  ::RegisterClassExW(&chart);
}

}  // namespace

HWND OpenRoutingWindow(HWND main, const std::wstring& title) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(main, GWLP_HINSTANCE));  // NOLINT
  Register(instance, main);
  auto state = std::make_unique<RoutingState>();
  state->main = main;
  state->dpi = ::GetDpiForWindow(main);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, state->dpi);
  state->font = ::CreateFontIndirectW(&metrics.lfMessageFont);
  RECT rect{0, 0, Scaled(kWidth, state->dpi), Scaled(kHeight, state->dpi)};
  ::AdjustWindowRectExForDpi(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, state->dpi);
  const RECT placed = PlacedBeside(main, {rect.right - rect.left, rect.bottom - rect.top});
  RoutingState* kept = state.get();
  // A window of its own, not owned by the main window, as the curves are.
  const HWND window = ::CreateWindowExW(
      WS_EX_CONTROLPARENT, kRoutingWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, placed.left, placed.top,
      placed.right - placed.left, placed.bottom - placed.top, nullptr, nullptr, instance, kept);
  if (window == nullptr) return nullptr;
  state.release();  // NOLINT(bugprone-unused-return-value): the window owns it until WM_NCDESTROY
  MakeControls(window);
  RECT client{};
  ::GetClientRect(window, &client);
  Arrange(window, client.right, client.bottom);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::SetFocus(::GetDlgItem(window, kOpenHydrographId));
  return window;
}

bool ShowsRoutingOf(HWND routingWindow, HWND main) {
  const RoutingState* state = ::IsWindow(routingWindow) != 0 ? StateOf(routingWindow) : nullptr;
  return state != nullptr && state->main == main;
}

RoutingTexts RoutingFieldsOf(HWND routingWindow) {
  return {Utf8(TextOf(::GetDlgItem(routingWindow, kTimeStepId))),
          Utf8(TextOf(::GetDlgItem(routingWindow, kSubreachesId))),
          Utf8(TextOf(::GetDlgItem(routingWindow, kInitialOutflowId)))};
}

void SetRoutingFields(HWND routingWindow, const RoutingTexts& texts, const std::string& suggestion) {
  // A field keeps its caret where its text stays the same.
  const auto set = [&](int id, const std::string& text) {
    const std::wstring wide = Wide(text);
    if (TextOf(::GetDlgItem(routingWindow, id)) != wide) ::SetDlgItemTextW(routingWindow, id, wide.c_str());
  };
  set(kTimeStepId, texts.timeStep);
  set(kSubreachesId, texts.subreaches);
  set(kInitialOutflowId, texts.initialOutflow);
  set(kSuggestionId, suggestion);
}

void SetRouted(HWND routingWindow, const plot::HydrographChart& chart, const std::string& summary) {
  RoutingState* state = StateOf(routingWindow);
  if (state == nullptr) return;
  state->scene = plot::HydrographScene(chart, ChartMeasure());
  ::SetDlgItemTextW(routingWindow, kSummaryId, Wide(summary).c_str());
  const HWND chartWindow = ::GetDlgItem(routingWindow, kChartId);
  // The chart's text alternative is the summary.
  ::SetWindowTextW(chartWindow, Wide(summary).c_str());
  ::InvalidateRect(chartWindow, nullptr, FALSE);
}

void EnableRoutingCommandsOf(HWND routingWindow, bool enabled) {
  for (const RoutingCommandFacts& command : kRoutingCommands) {
    ::EnableWindow(::GetDlgItem(routingWindow, RoutingCommandId(command.command)), enabled ? TRUE : FALSE);
  }
}

bool RoutingWindowMessage(MSG& message) {
  const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  std::array<wchar_t, std::size(kRoutingWindowClass)> type{};
  if (root == nullptr || ::GetClassNameW(root, type.data(), static_cast<int>(type.size())) == 0 ||
      std::wstring_view(type.data()) != kRoutingWindowClass) {
    return false;
  }
  // Ctrl+V outside a field pastes the inflow; in a field it pastes there.
  if (message.message == WM_KEYDOWN && message.wParam == 'V' && (::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    std::array<wchar_t, 8> focused{};
    ::GetClassNameW(message.hwnd, focused.data(), static_cast<int>(focused.size()));
    if (std::wstring_view(focused.data()) != L"Edit") {
      ::SendMessageW(root, WM_COMMAND, MAKEWPARAM(kPasteInflowId, BN_CLICKED), 0);
      return true;
    }
  }
  return ::IsDialogMessageW(root, &message) != 0;
}

}  // namespace rating::win32
