#include "windows/form_metrics.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <string>

#include "layout/form_layout.h"
#include "output/listing.h"
#include "windows/main_window.h"
#include "windows/window_view.h"

namespace rating::win32 {

namespace {

namespace layout = rating::layout;

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;

// The listing's heading lines, shown above the list's rows.
constexpr std::size_t kHeadings = kListingHeadings.size();

// A list line's width: six columns of the listing.
constexpr std::size_t kListLineCharacters = 6 * kListingFieldWidth;

// The system's dialog font, and a fixed-pitch font for the list so that its
// nine-character columns line up, both for `dpi`.
void MakeFonts(FormMetrics& form) {
  if (form.dialogFont != nullptr) ::DeleteObject(form.dialogFont);
  if (form.listFont != nullptr) ::DeleteObject(form.listFont);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, form.dpi);
  form.dialogFont = ::CreateFontIndirectW(&metrics.lfMessageFont);
  constexpr int kListHundredthsOfPoints = static_cast<int>(layout::kListFontPoints * 100);
  LOGFONTW list{};
  list.lfHeight = -::MulDiv(kListHundredthsOfPoints * form.listFontPercent / 100, static_cast<int>(form.dpi),
                            kPointsPerInch * 100);
  list.lfWeight = FW_NORMAL;
  list.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  ::wcscpy_s(list.lfFaceName, L"Courier New");
  form.listFont = ::CreateFontIndirectW(&list);
}

// Places every control from the layout table at the window's DPI, with the
// fonts made for it.
void PlaceControls(HWND window, FormMetrics& form) {
  const auto place = [&](int id, const layout::Rect& twips, HFONT font) {
    const HWND control = Control(window, id);
    ::SetWindowPos(control, nullptr, Scaled(twips.left, form.dpi), Scaled(twips.top, form.dpi),
                   Scaled(twips.width, form.dpi), Scaled(twips.height, form.dpi),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);  // NOLINT: the message's type
  };
  // A caption wider in the system's font than the form allowed widens its
  // label; the list keeps its right edge and gives way to the widest one.
  const HDC screen = ::GetDC(window);
  const HGDIOBJ previous = ::SelectObject(screen, form.dialogFont);
  int labelsRight = 0;  // twips
  place(kButtonId, layout::kButton, form.dialogFont);
  place(kStatusLineId, layout::kStatusLine, form.dialogFont);
  place(kBrowseId, layout::kBrowseButton, form.dialogFont);
  std::array<layout::FieldPlace, layout::kFieldPlaces.size() + 3> places{};
  places.at(0) = layout::kShapePlace;
  places.at(1) = layout::kDiameterPlace;
  places.at(2) = layout::kUnitsPlace;
  std::copy(layout::kFieldPlaces.begin(), layout::kFieldPlaces.end(), places.begin() + 3);
  for (const layout::FieldPlace& field : places) {
    // Wide enough for the label in either system's units.
    layout::Rect label = layout::LabelRect(field);
    for (const UnitFacts& units : kUnitSystems) {
      const std::wstring caption = Wide(FieldLabel(field.field, units.system));
      SIZE extent{};
      ::GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &extent);
      label.width = std::max(label.width, ::MulDiv(extent.cx, kTwipsPerInch, static_cast<int>(form.dpi)));
    }
    // The Units choice stands under the list, not beside it.
    if (field.field != InputField::Units) labelsRight = std::max(labelsRight, label.left + label.width);
    place(kFirstLabelId + static_cast<int>(field.field), label, form.dialogFont);
    place(kFirstFieldId + static_cast<int>(field.field), layout::FieldRect(field), form.dialogFont);
  }
  // A drop-down list's height is that of its list when it drops: room for
  // every shape.
  layout::Rect shapeList = layout::FieldRect(layout::kShapePlace);
  shapeList.height *= static_cast<int>(kSectionShapes.size()) + 2;
  place(kFirstFieldId + static_cast<int>(InputField::Shape), shapeList, form.dialogFont);
  layout::Rect unitsList = layout::FieldRect(layout::kUnitsPlace);
  unitsList.height *= static_cast<int>(kUnitSystems.size()) + 2;
  place(kFirstFieldId + static_cast<int>(InputField::Units), unitsList, form.dialogFont);
  // The list is wide enough for a whole line in its fixed-pitch font, the
  // vertical scrollbar and its borders, at this DPI; the form widens for it.
  ::SelectObject(screen, form.listFont);
  const std::wstring line(kListLineCharacters, L'0');
  SIZE lineExtent{};
  ::GetTextExtentPoint32W(screen, line.c_str(), static_cast<int>(line.size()), &lineExtent);
  ::SelectObject(screen, previous);
  ::ReleaseDC(window, screen);
  const int edge = ::GetSystemMetricsForDpi(SM_CXEDGE, form.dpi);
  const int column = lineExtent.cx + 4 * edge;  // the list view's margins either side of a line
  const layout::Rect listTwips = layout::ListClearOf(labelsRight);
  const int listLeft = Scaled(listTwips.left, form.dpi);
  // At its own font size the list keeps at least the form's width; made
  // smaller to fit the screen, it takes only what its lines need.
  const bool ownSize = form.listFontPercent == 100;
  const int needed = column + ::GetSystemMetricsForDpi(SM_CXVSCROLL, form.dpi) + 2 * edge;
  const int listWidth = ownSize ? std::max(Scaled(listTwips.width, form.dpi), needed) : needed;
  // The headings take the top of the list's place, two lines of its font;
  // the rows scroll below them.
  const int listTop = Scaled(listTwips.top, form.dpi);
  const int headingsHeight = static_cast<int>(kHeadings) * lineExtent.cy + edge;
  const int textIndent = 3 * edge;  // the list's border and its items' margin, so that the columns line up
  const HWND headings = Control(window, kListHeadingsId);
  ::SetWindowPos(headings, nullptr, listLeft + textIndent, listTop, listWidth - textIndent, headingsHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(headings, WM_SETFONT, reinterpret_cast<WPARAM>(form.listFont), TRUE);  // NOLINT
  const HWND list = Control(window, kListId);
  ::SetWindowPos(list, nullptr, listLeft, listTop + headingsHeight, listWidth,
                 Scaled(listTwips.height, form.dpi) - headingsHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(form.listFont),
                 TRUE);  // NOLINT: the message's type
  ListView_SetColumnWidth(list, 0, column);
  form.listPlace = {listLeft, listTop + headingsHeight, listLeft + listWidth,
                    listTop + Scaled(listTwips.height, form.dpi)};
  const int listRight = listLeft + listWidth + Scaled(layout::kRightMargin, form.dpi);
  form.client = {ownSize ? std::max(Scaled(layout::kClientWidth, form.dpi), listRight) : listRight,
                 Scaled(layout::kClientHeightWithStatus, form.dpi)};
  const layout::Rect status = layout::kStatusLine;
  form.statusPlace = {Scaled(status.left, form.dpi), Scaled(status.top, form.dpi),
                      Scaled(status.left + status.width, form.dpi),
                      Scaled(status.top + status.height, form.dpi)};
}

}  // namespace

FormMetrics::~FormMetrics() {
  if (dialogFont != nullptr) ::DeleteObject(dialogFont);
  if (listFont != nullptr) ::DeleteObject(listFont);
}

int Scaled(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

// The window's outer size for its client area at `dpi`.
SIZE OuterSize(SIZE client, UINT dpi, DWORD style) {
  RECT rect{0, 0, client.cx, client.cy};
  ::AdjustWindowRectExForDpi(&rect, style, FALSE, 0, dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The list and the status line take what the window gained over the form's
// size; the fields keep their places.
void Grow(HWND window, const FormMetrics& form, int width, int height) {
  if (form.client.cx == 0) return;  // before the form is laid out
  const int wider = std::max(0, width - static_cast<int>(form.client.cx));
  const int taller = std::max(0, height - static_cast<int>(form.client.cy));
  const RECT& list = form.listPlace;
  ::SetWindowPos(Control(window, kListId), nullptr, list.left, list.top, list.right - list.left + wider,
                 list.bottom - list.top + taller, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT& status = form.statusPlace;
  ::SetWindowPos(Control(window, kStatusLineId), nullptr, status.left, status.top + taller,
                 status.right - status.left + wider, status.bottom - status.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Makes the fonts and places the controls. Where the window would be wider
// than the screen's work area, as at 192 DPI on a
// 1280-pixel screen, the list's font is made smaller until the window fits
// and the list shows its lines whole.
void Layout(HWND window, FormMetrics& form) {
  form.listFontPercent = 100;
  MakeFonts(form);
  PlaceControls(window, form);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) == 0) return;
  const int available = monitor.rcWork.right - monitor.rcWork.left;
  const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
  constexpr int kSmallestPercent = 60;
  constexpr int kStep = 5;
  while (OuterSize(form.client, form.dpi, style).cx > available && form.listFontPercent > kSmallestPercent) {
    form.listFontPercent -= kStep;
    MakeFonts(form);
    PlaceControls(window, form);
  }
}

// The form's own client area at `dpi`, before the list widens it.
SIZE FormClient(UINT dpi) {
  return {Scaled(layout::kClientWidth, dpi), Scaled(layout::kClientHeightWithStatus, dpi)};
}

}  // namespace rating::win32
