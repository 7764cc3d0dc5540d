#pragma once

#include <string>
#include <windows.h>

#include "engine/input_field.h"
#include "plot/cross_section_chart.h"

// The Section window on Windows, of a surveyed section: its ground points
// pasted with Ctrl+V or opened, its banks and overbanks' n, the points read
// and their picture. Each main window has at most one, beside it, not owned
// by it; closing it hides it, and its fields stay for the next press. Its
// button and Ctrl+V go to the main window as WM_COMMAND, whose controller
// decides what they do.
namespace rating::win32 {

inline constexpr wchar_t kSectionWindowClass[] = L"TrapezoidRatingSection";

// Child control identifiers, which the main window's WM_COMMAND also reads.
inline constexpr int kOpenSectionId = 610;
inline constexpr int kPasteSectionId = 611;  // Ctrl+V outside a field: the clipboard's table is the section
inline constexpr int kSectionReadId = 612;
inline constexpr int kSectionPictureId = 613;
inline constexpr int kFirstSectionFieldId = 620;  // + the field's place in layout::kSectionFieldPlaces

// Opens a Section window for `main`, beside it, under `title`. Returns null
// where Windows refuses.
HWND OpenSectionWindow(HWND main, const std::wstring& title);

// Whether `sectionWindow` is a Section window of `main`, and whether it is shown.
bool IsSectionOf(HWND sectionWindow, HWND main);
bool ShowsSectionOf(HWND sectionWindow, HWND main);

// One of the window's fields, as typed, or null where `field` is not one.
HWND SectionField(HWND sectionWindow, InputField field);

// The points to show, and what the window says of them; or none, with
// `words` saying why.
void SetSection(HWND sectionWindow, const plot::CrossSectionChart& chart, const std::string& words);

// The message loop's part: Tab and Alt within an open Section window, and
// Ctrl+V outside its fields. True when `message` was handled.
bool SectionWindowMessage(MSG& message);

}  // namespace rating::win32
