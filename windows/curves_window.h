#pragma once

#include <string>
#include <windows.h>

#include "plot/rating_curves.h"

// The rating curves of a run in a resizable window of their own, drawn with
// GDI+ from the scene the SVG plots are made of. Each main window owns at
// most one; it does not block the main window.
namespace rating::win32 {

inline constexpr wchar_t kCurvesWindowClass[] = L"TrapezoidRatingCurves";

// Opens a curves window owned by `owner`, showing `curves` under `title`.
// Its context menu's commands go to `owner` as WM_COMMAND. Returns null
// where Windows refuses.
HWND OpenCurvesWindow(HWND owner, const plot::RatingCurves& curves, const std::wstring& title);

// Shows other curves, under another title, in an open curves window.
void SetCurves(HWND curvesWindow, const plot::RatingCurves& curves, const std::wstring& title);

}  // namespace rating::win32
