#pragma once

#include <windows.h>

// The main window's form at the window's DPI: its fonts, where its controls
// stand, and how it grows with the window.
namespace rating::win32 {

struct FormMetrics {
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  HFONT dialogFont = nullptr;
  HFONT listFont = nullptr;
  SIZE client{};              // pixels: the form, widened where the list needs it; the least the window is
  int listFontPercent = 100;  // of the list's own size; less where the window would not fit the screen
  RECT listPlace{};           // pixels, at the form's size; the list grows with the window
  RECT statusPlace{};         // pixels, at the form's size; the status line moves down and widens

  FormMetrics() = default;
  FormMetrics(const FormMetrics&) = delete;
  FormMetrics& operator=(const FormMetrics&) = delete;
  FormMetrics(FormMetrics&&) = delete;
  FormMetrics& operator=(FormMetrics&&) = delete;
  ~FormMetrics();  // deletes the fonts
};

// `twips` at `dpi`, in pixels.
int Scaled(int twips, UINT dpi);

// The window's outer size for its client area at `dpi`.
SIZE OuterSize(SIZE client, UINT dpi, DWORD style);

// The form's own client area at `dpi`, before the list widens it.
SIZE FormClient(UINT dpi);

// Makes the fonts for `form.dpi` and places the controls. Where the window
// would be wider than the screen's work area, as at 192 DPI on a 1280-pixel
// screen, the list's font is made smaller until the window fits and the list
// shows its lines whole.
void Layout(HWND window, FormMetrics& form);

// The list and the status line take what the window gained over the form's
// size; the fields keep their places.
void Grow(HWND window, const FormMetrics& form, int width, int height);

}  // namespace rating::win32
