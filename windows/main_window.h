#pragma once

#include <string>
#include <windows.h>

#include "platform/platform.h"
#include "run/rating_controller.h"

// The program's one window on Windows: the same Section choice and labelled fields, the
// "Create Rating File" button and the results list as the Linux window, from
// the same layout table, drawing what the same controller decides.
namespace rating::win32 {

// Child control identifiers, for the window's own handlers and for tests
// that drive the window through its controls.
inline constexpr int kButtonId = IDOK;  // Return in a field presses it, as in a dialog
inline constexpr int kListId = 100;
inline constexpr int kStatusLineId = 102;    // where the last press wrote the file
inline constexpr int kBrowseId = 104;        // "Browse…", beside the button
inline constexpr int kListHeadingsId = 103;  // the listing's two headings, above the list's rows
inline constexpr int kListNameId = 101;      // the hidden caption that names the list for screen readers
inline constexpr int kFirstFieldId = 200;    // + InputField
inline constexpr int kFirstLabelId = 300;    // + InputField
inline constexpr int kFirstCommandId = 400;  // + RatingCommand: the list's menu, and Ctrl+C

// The menu identifier of a command on the rating.
constexpr int CommandId(RatingCommand command) { return kFirstCommandId + static_cast<int>(command); }

inline constexpr wchar_t kWindowClass[] = L"TrapezoidRatingWindow";

// Registers the window class and creates the window, shown, in `units`.
// Returns null when Windows refuses.
HWND CreateMainWindow(HINSTANCE instance, int show, UnitSystem units = UnitSystem::UsCustomary);

// Runs the message loop until the window closes; Tab, Return and Space work
// as in a dialog. Returns the exit status.
int RunMessageLoop(HWND window);

// Adds the curves window's commands to a menu: the Save commands and
// Route a Flood….
void AppendCurvesCommands(HMENU menu);

// Makes the working folder current, so that a relative rating file name
// such as the default "MyRating.RAT" is written beside a program kept in a
// folder of its own, or in the Documents folder of an installed one; where
// that fails, says so over `window`.
void MakeProgramFolderCurrent(HWND window);

// A message as a message box shows it: a run of more than 60 characters
// without a blank, such as a long file name, is broken after a folder
// separator, or within, so that the reason after it stays on screen.
std::wstring Wrapped(std::wstring_view text);

using platform::Utf8;
using platform::Wide;

}  // namespace rating::win32
