#pragma once

#include <string>
#include <windows.h>

#include "run/platform.h"
#include "run/rating_session.h"

// The program's one window on Windows: the same ten labelled fields, the
// "Create Rating File" button and the results list as the Linux window, from
// the same layout table, rendering the same rating run.
namespace rating::win32 {

// Child control identifiers, for the window's own handlers and for tests
// that drive the window through its controls.
inline constexpr int kButtonId = IDOK;  // Return in a field presses it, as in a dialog
inline constexpr int kListId = 100;
inline constexpr int kListNameId = 101;    // the hidden caption that names the list for screen readers
inline constexpr int kFirstFieldId = 200;  // + InputField
inline constexpr int kFirstLabelId = 300;  // + InputField
inline constexpr int kCopyTableId = 400;   // the list's context menu, and Ctrl+C
inline constexpr int kFirstSaveId = 401;   // + Export: the Save commands of the list's menu
inline constexpr int kShowCurvesId = 404;  // the list's menu: the rating curves window

inline constexpr wchar_t kWindowClass[] = L"TrapezoidRatingWindow";

// Registers the window class and creates the window, shown. Returns null
// when Windows refuses.
HWND CreateMainWindow(HINSTANCE instance, int show);

// Runs the message loop until the window closes; Tab, Return and Space work
// as in a dialog. Returns the exit status.
int RunMessageLoop(HWND window);

// Adds the Save commands to a menu, grayed unless `enabled`.
void AppendSaveCommands(HMENU menu, bool enabled);

// Asks for the name of a file to save an export in, offering `suggested`:
// the system's save dialog unless a test puts another chooser in its place.
// An empty name cancels.
using SaveNameChooser = std::wstring (*)(HWND owner, Export what, const std::wstring& suggested);
void SetSaveNameChooser(SaveNameChooser chooser);

// Makes the working folder current, so that a relative rating file name
// such as the default "MyRating.RAT" is written beside a program kept in a
// folder of its own, or in the Documents folder of an installed one; where
// that fails, says so over `window`.
void MakeProgramFolderCurrent(HWND window);

// The text of a window or control, and a line of the list, also across
// threads.
std::wstring WindowText(HWND window);
std::string ListLine(HWND list, int index);
int ListLineCount(HWND list);
void SelectListLine(HWND list, int index);

// A message as a message box shows it: a run of more than 60 characters
// without a blank, such as a long file name, is broken after a folder
// separator, or within, so that the reason after it stays on screen.
std::wstring Wrapped(std::wstring_view text);

using platform::Utf8;
using platform::Wide;

}  // namespace rating::win32
