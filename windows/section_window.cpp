#include "windows/section_window.h"

#include <array>

#include "layout/form_layout.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/scene_window.h"
#include "windows/window_state.h"

namespace rating::win32 {

namespace {

constexpr wchar_t kPictureClass[] = L"TrapezoidRatingSectionPicture";
constexpr int kWidth = 680;     // pixels at 96 DPI
constexpr int kHeight = 500;    // pixels at 96 DPI
constexpr int kMargin = 8;      // pixels at 96 DPI
constexpr int kRowHeight = 24;  // pixels at 96 DPI
constexpr int kFieldWidth = 150;
constexpr int kReadHeight = 40;
constexpr int kPasteLabelId = 630;
constexpr int kFirstSectionLabelId = 640;  // + the field's place

// The controls, in tab order: "Open Section…", then each field after its
// label, so that a screen reader names the field by it.
void MakeControls(HWND window) {
  AddChild(window, L"STATIC", std::string(Pattern(Message::CaptionSectionPaste)), SS_LEFT, kPasteLabelId);
  AddChild(window, L"BUTTON",
           layout::WithAccessKey(Pattern(Message::CaptionOpenSection), layout::kOpenSectionAccessKey),
           WS_TABSTOP | BS_PUSHBUTTON, kOpenSectionId);
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    const layout::SectionFieldPlace& place = layout::kSectionFieldPlaces.at(k);
    AddChild(window, L"STATIC", layout::WithAccessKey(FieldLabel(place.field), place.accessKey), SS_LEFT,
             kFirstSectionLabelId + static_cast<int>(k));
    AddChild(window, L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kFirstSectionFieldId + static_cast<int>(k));
  }
  AddChild(window, kPictureClass, "", 0, kSectionPictureId);
  AddChild(window, L"STATIC", "", SS_LEFT | SS_NOPREFIX, kSectionReadId);
}

// Places the controls in a client area of `width` by `height` pixels: the
// points and the fields at the top, what was read at the bottom, and the
// picture taking the rest.
void Arrange(HWND window, int width, int height) {
  const UINT dpi = SceneStateOf(window)->dpi;
  const auto s = [dpi](int pixels) { return ScaledPixels(pixels, dpi); };
  const auto place = [&](int id, int x, int y, int w, int h) {
    ::MoveWindow(::GetDlgItem(window, id), s(x), s(y), s(w), s(h), FALSE);
  };
  place(kPasteLabelId, kMargin, kMargin + 4, 240, 20);
  place(kOpenSectionId, 256, kMargin, 140, kRowHeight);
  int x = kMargin;
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    place(kFirstSectionLabelId + static_cast<int>(k), x, 42, kFieldWidth + 10, 18);
    place(kFirstSectionFieldId + static_cast<int>(k), x, 62, kFieldWidth, 22);
    x += kFieldWidth + 10 + kMargin;
  }
  const int logicalWidth = ::MulDiv(width, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
  const int logicalHeight = ::MulDiv(height, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi));
  const int readTop = logicalHeight - kMargin - kReadHeight;
  const int pictureTop = 62 + kRowHeight + kMargin;
  place(kSectionPictureId, kMargin, pictureTop, logicalWidth - 2 * kMargin, readTop - kMargin - pictureTop);
  place(kSectionReadId, kMargin, readTop, logicalWidth - 2 * kMargin, kReadHeight);
  ::InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK SectionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<SceneWindowState>(window, message, lParam);
  switch (message) {
    case WM_SIZE: Arrange(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_CLOSE:
      // Hidden, not destroyed: its fields are the next press's.
      ::ShowWindow(window, SW_HIDE);
      return 0;
    case WM_COMMAND: ForwardPress(window, wParam); return 0;
    default: break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND OpenSectionWindow(HWND main, const std::wstring& title) {
  const HWND window =
      OpenSceneWindow(main, title, {kSectionWindowClass, kPictureClass, SectionProc}, kWidth, kHeight);
  if (window == nullptr) return nullptr;
  MakeControls(window);
  ShowArranged(window, Arrange, kOpenSectionId);
  return window;
}

bool IsSectionOf(HWND sectionWindow, HWND main) { return IsSceneWindowOf(sectionWindow, main); }

bool ShowsSectionOf(HWND sectionWindow, HWND main) {
  return IsSectionOf(sectionWindow, main) && ::IsWindowVisible(sectionWindow) != 0;
}

HWND SectionField(HWND sectionWindow, InputField field) {
  for (std::size_t k = 0; k < layout::kSectionFieldPlaces.size(); ++k) {
    if (layout::kSectionFieldPlaces.at(k).field == field) {
      return ::GetDlgItem(sectionWindow, kFirstSectionFieldId + static_cast<int>(k));
    }
  }
  return nullptr;
}

void SetSection(HWND sectionWindow, const plot::CrossSectionChart& chart, const std::string& words) {
  ::SetDlgItemTextW(sectionWindow, kSectionReadId, Wide(words).c_str());
  // The picture's text alternative is what was read.
  SetScene(sectionWindow, kSectionPictureId, plot::CrossSectionScene(chart, ChartMeasure()), words);
}

bool SectionWindowMessage(MSG& message) {
  return SceneWindowMessage(message, kSectionWindowClass, kPasteSectionId);
}

}  // namespace rating::win32
