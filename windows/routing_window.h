#pragma once

#include <string>
#include <windows.h>

#include "plot/hydrograph_chart.h"
#include "run/rating_controller.h"
#include "run/rating_view.h"

// The routing window on Windows: the inflow, the settings, the chart, the
// summary and the routing's commands. Each main window has at most one,
// beside it, not owned by it. Its buttons and Ctrl+V go to the main window
// as WM_COMMAND, whose controller decides what they do.
namespace rating::win32 {

inline constexpr wchar_t kRoutingWindowClass[] = L"TrapezoidRatingRouting";

// Child control identifiers, which the main window's WM_COMMAND also reads.
inline constexpr int kFirstRoutingCommandId = 500;  // + RoutingCommand
inline constexpr int kOpenHydrographId = 510;
inline constexpr int kRouteId = 511;
inline constexpr int kPasteInflowId = 512;  // Ctrl+V outside a field: the clipboard's table is the inflow
inline constexpr int kTimeStepId = 520;
inline constexpr int kSubreachesId = 521;
inline constexpr int kInitialOutflowId = 522;
inline constexpr int kInflowReadId = 523;
inline constexpr int kSuggestionId = 524;
inline constexpr int kSummaryId = 525;
inline constexpr int kChartId = 526;

constexpr int RoutingCommandId(RoutingCommand command) {
  return kFirstRoutingCommandId + static_cast<int>(command);
}

// Opens a routing window for `main`, beside it, under `title`. Returns null
// where Windows refuses.
HWND OpenRoutingWindow(HWND main, const std::wstring& title);

// The field of one setting in `routingWindow`.
HWND SettingField(HWND routingWindow, RoutingSetting setting);

// Whether `routingWindow` is an open routing window of `main`.
bool ShowsRoutingOf(HWND routingWindow, HWND main);

// The settings as typed, and new ones.
RoutingTexts RoutingFieldsOf(HWND routingWindow);
void SetRoutingFields(HWND routingWindow, const RoutingTexts& texts, const std::string& suggestion);
// A routing to show, or none: `chart` empty, with `summary` saying why.
void SetRouted(HWND routingWindow, const plot::HydrographChart& chart, const std::string& summary);
// Whether the routing's commands can be chosen.
void EnableRoutingCommandsOf(HWND routingWindow, bool enabled);

// The message loop's part: Tab, Alt and Return within an open routing
// window, and Ctrl+V outside its fields. True when `message` was handled.
bool RoutingWindowMessage(MSG& message);

}  // namespace rating::win32
