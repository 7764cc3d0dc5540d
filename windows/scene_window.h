#pragma once

#include <string>
#include <windows.h>

#include "plot/scene.h"

// What the routing and Section windows share: a window of its own beside
// the main window, not owned by it, whose child controls send their presses
// to the main window, and which draws a scene in a child of its own class.
namespace rating::win32 {

// The state such a window keeps from WM_NCCREATE to WM_NCDESTROY
// (window_state.h).
struct SceneWindowState {
  HWND main = nullptr;  // the window whose controller decides what its presses do
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  HFONT font = nullptr;  // the system's message font at `dpi`
  plot::Scene scene;     // what its picture draws
  SceneWindowState() = default;
  SceneWindowState(const SceneWindowState&) = delete;
  SceneWindowState& operator=(const SceneWindowState&) = delete;
  SceneWindowState(SceneWindowState&&) = delete;
  SceneWindowState& operator=(SceneWindowState&&) = delete;
  ~SceneWindowState();  // deletes the font
};

// The window's state; null before WM_NCCREATE and after WM_NCDESTROY.
SceneWindowState* SceneStateOf(HWND window);

// `pixels` at 96 DPI, at `dpi`.
int ScaledPixels(int pixels, UINT dpi);

// The classes of one kind of window: `windowClass` with the procedure
// `procedure`, and `pictureClass`, a child that draws the window's scene.
struct SceneWindowClasses {
  const wchar_t* windowClass;
  const wchar_t* pictureClass;
  WNDPROC procedure;
};

// Opens a window of `classes` for `main`, beside it, `width` by `height`
// pixels at 96 DPI, under `title`, not yet shown; null where Windows
// refuses. The window's procedure begins with KeepWindowState<SceneWindowState>.
HWND OpenSceneWindow(HWND main, const std::wstring& title, const SceneWindowClasses& classes, int width,
                     int height);

// Arranges a new window's controls in its client area with `arrange`,
// shows it, and puts the focus in its control `focusId`.
void ShowArranged(HWND window, void (*arrange)(HWND window, int width, int height), int focusId);

// A button's press in the window, told to the main window as WM_COMMAND,
// whose controller decides what it does.
void ForwardPress(HWND window, WPARAM wParam);

// A child control of `window` in its font: an "EDIT" has a sunken edge.
HWND AddChild(HWND window, const wchar_t* type, const std::string& text, DWORD style, int id);

// Puts `caption` on the label of `field`, the control made just before it,
// with the label's access key kept; nothing for an empty caption.
void Relabel(HWND field, const std::string& caption);

// Whether `window` is a window of `main` that OpenSceneWindow opened.
bool IsSceneWindowOf(HWND window, HWND main);

// Draws `scene` in the window's picture `pictureId`, whose text alternative
// becomes `words`.
void SetScene(HWND window, int pictureId, plot::Scene scene, const std::string& words);

// The message loop's part for the open windows of `windowClass`: Tab, Alt
// and Return within them, and Ctrl+V outside their fields, which sends
// `pasteId` to the window as a press. True when `message` was handled.
bool SceneWindowMessage(MSG& message, const wchar_t* windowClass, int pasteId);

}  // namespace rating::win32
