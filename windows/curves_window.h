#pragma once

#include <string>
#include <windows.h>

#include "plot/gdiplus/scene_painter.h"
#include "plot/rating_curves.h"

// The rating curves of a run in a resizable window of their own, drawn with
// GDI+ from the scene the SVG plots are made of. Each main window has at
// most one, beside it; it does not block the main window, nor stay above it.
namespace rating::win32 {

inline constexpr wchar_t kCurvesWindowClass[] = L"TrapezoidRatingCurves";

// Opens a curves window for `main`, beside it, showing `curves` under
// `title`. Its context menu's commands go to `main` as WM_COMMAND. Returns
// null where Windows refuses.
HWND OpenCurvesWindow(HWND main, const plot::RatingCurves& curves, const std::wstring& title);

// The faces every chart window measures and draws its scene in.
const plot::GdiplusTextMeasure& ChartMeasure();

// Where a window of `wanted` size (pixels) opens beside `main`: on the side
// of its work area where it shows largest, never beyond the work area.
RECT PlacedBeside(HWND main, SIZE wanted);

// Whether `curvesWindow` is an open curves window of `main`.
bool ShowsCurvesOf(HWND curvesWindow, HWND main);

// Shows other curves, under another title, in an open curves window.
void SetCurves(HWND curvesWindow, const plot::RatingCurves& curves, const std::wstring& title);

}  // namespace rating::win32
