#include "windows/routing_window.h"

#include <array>

#include "layout/form_layout.h"
#include "run/rating_controller.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/scene_window.h"
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

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The settings' fields, in the order of layout::kRoutingFieldPlaces.
constexpr std::array<int, layout::kRoutingFieldPlaces.size()> kSettingIds = {kTimeStepId, kSubreachesId,
                                                                             kInitialOutflowId};
constexpr std::array<int, layout::kRoutingFieldPlaces.size()> kSettingWidths = {120, 90,
                                                                                150};  // pixels at 96 DPI

// The controls, in tab order.
void MakeControls(HWND window) {
  AddChild(window, L"STATIC", std::string(Pattern(Message::CaptionInflowPaste)), SS_LEFT, kInflowLabelId);
  AddChild(window, L"BUTTON",
           layout::WithAccessKey(Pattern(Message::CaptionOpenHydrograph), layout::kOpenHydrographAccessKey),
           WS_TABSTOP | BS_PUSHBUTTON, kOpenHydrographId);
  AddChild(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kInflowReadId);
  for (std::size_t k = 0; k < layout::kRoutingFieldPlaces.size(); ++k) {
    const layout::RoutingFieldPlace& place = layout::kRoutingFieldPlaces.at(k);
    AddChild(window, L"STATIC", layout::WithAccessKey(Pattern(Facts(place.setting).caption), place.accessKey),
             SS_LEFT, kFirstLabelId + static_cast<int>(k));
    AddChild(window, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kSettingIds.at(k));
    if (place.suggestionBeside) AddChild(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kSuggestionId);
  }
  AddChild(window, L"BUTTON", layout::WithAccessKey(Pattern(Message::CaptionRoute), layout::kRouteAccessKey),
           WS_TABSTOP | BS_DEFPUSHBUTTON, kRouteId);
  AddChild(window, kChartClass, "", 0, kChartId);
  AddChild(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kSummaryId);
  for (const RoutingCommandFacts& command : kRoutingCommands) {
    const HWND button =
        AddChild(window, L"BUTTON", layout::WithAccessKey(Pattern(command.caption), command.accessKey),
                 WS_TABSTOP | BS_PUSHBUTTON, RoutingCommandId(command.command));
    ::EnableWindow(button, FALSE);
  }
}

// Places the controls in a client area of `width` by `height` pixels: the
// inflow and the settings at the top, the commands at the bottom, the
// summary above them, and the chart taking the rest.
void Arrange(HWND window, int width, int height) {
  const UINT dpi = SceneStateOf(window)->dpi;
  const auto s = [dpi](int pixels) { return ScaledPixels(pixels, dpi); };
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
  KeepWindowState<SceneWindowState>(window, message, lParam);
  switch (message) {
    case WM_SIZE: Arrange(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: ForwardPress(window, wParam); return 0;
    default: break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND OpenRoutingWindow(HWND main, const std::wstring& title) {
  const HWND window =
      OpenSceneWindow(main, title, {kRoutingWindowClass, kChartClass, RoutingProc}, kWidth, kHeight);
  if (window == nullptr) return nullptr;
  MakeControls(window);
  ShowArranged(window, Arrange, kOpenHydrographId);
  return window;
}

HWND SettingField(HWND routingWindow, RoutingSetting setting) {
  for (std::size_t k = 0; k < layout::kRoutingFieldPlaces.size(); ++k) {
    if (layout::kRoutingFieldPlaces.at(k).setting == setting) {
      return ::GetDlgItem(routingWindow, kSettingIds.at(k));
    }
  }
  return nullptr;
}

bool ShowsRoutingOf(HWND routingWindow, HWND main) { return IsSceneWindowOf(routingWindow, main); }

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
  ::SetDlgItemTextW(routingWindow, kSummaryId, Wide(summary).c_str());
  // The chart's text alternative is the summary.
  SetScene(routingWindow, kChartId, plot::HydrographScene(chart, ChartMeasure()), summary);
}

void EnableRoutingCommandsOf(HWND routingWindow, bool enabled) {
  for (const RoutingCommandFacts& command : kRoutingCommands) {
    ::EnableWindow(::GetDlgItem(routingWindow, RoutingCommandId(command.command)), enabled ? TRUE : FALSE);
  }
}

bool RoutingWindowMessage(MSG& message) {
  return SceneWindowMessage(message, kRoutingWindowClass, kPasteInflowId);
}

}  // namespace rating::win32
