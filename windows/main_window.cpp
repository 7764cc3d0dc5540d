#include "windows/main_window.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <commdlg.h>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <span>
#include <vector>
#include <windowsx.h>

#include "layout/form_layout.h"
#include "messages/messages.h"
#include "output/listing.h"
#include "platform/platform.h"
#include "platform/utf8_path.h"
#include "run/rating_session.h"
#include "run/working_folder.h"
#include "windows/curves_window.h"
#include "windows/routing_window.h"

namespace rating::win32 {

namespace {

// The listing's heading lines, shown above the list's rows.
constexpr std::size_t kHeadings = kListingHeadings.size();

namespace layout = rating::layout;

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;
constexpr UINT kIconId = 1;  // in the resource script

// A list line's width: six columns of the listing.
constexpr std::size_t kListLineCharacters = 6 * kListingFieldWidth;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND Control(HWND window, int id) { return ::GetDlgItem(window, id); }
HWND Field(HWND window, InputField field) { return Control(window, kFirstFieldId + static_cast<int>(field)); }

// The window as its controller sees it: what it draws and asks.
class WindowView final : public FileSavingView, public RoutingView {
 public:
  explicit WindowView(HWND window) : window_(window) {}

  // The list's rows, as it asks for them while it draws.
  [[nodiscard]] std::span<const std::string> Rows() const { return rows_; }
  [[nodiscard]] bool CommandsEnabled() const { return commandsEnabled_; }

  // The list is told how many lines there are and asks for each as it draws
  // it (ListLineAsked). A new count resizes the scrollbar, which Wine draws
  // at once, so the count is set only when it changes; the repaint asks for
  // every visible line again either way.
  // The headings stand above the list, which holds the rows alone.
  void ShowTable(std::span<const std::string> headings, std::span<const std::string> rows) override {
    rows_ = rows;
    std::wstring text;
    for (const std::string& heading : headings) {
      text.append(text.empty() ? L"" : L"\r\n").append(Wide(heading));
    }
    ::SetWindowTextW(Control(window_, kListHeadingsId), text.c_str());
    const HWND list = Control(window_, kListId);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const auto count = static_cast<int>(rows.size());
    if (ListView_GetItemCount(list) != count) ListView_SetItemCountEx(list, count, 0);
    ::InvalidateRect(list, nullptr, TRUE);
  }

  [[nodiscard]] std::vector<int> SelectedRows() const override {
    const HWND list = Control(window_, kListId);
    std::vector<int> selected;
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
      selected.push_back(row);
    }
    return selected;
  }

  void EnableRatingCommands(bool enabled) override { commandsEnabled_ = enabled; }

  [[nodiscard]] bool CurvesOpen() const override {
    return curves_ != nullptr && ShowsCurvesOf(curves_, window_);
  }

  void OpenCurves(const plot::RatingCurves& curves, const std::string& title) override {
    if (!CurvesOpen()) {
      curves_ = OpenCurvesWindow(window_, curves, Wide(title));
      return;
    }
    SetCurves(curves_, curves, Wide(title));
    ::ShowWindow(curves_, SW_SHOWNORMAL);
    ::SetForegroundWindow(curves_);
  }

  void RedrawCurves(const plot::RatingCurves& curves, const std::string& title) override {
    SetCurves(curves_, curves, Wide(title));
  }

  void CloseCurves() override { ::DestroyWindow(curves_); }

  // At the main window's end.
  void CloseCurvesWindow() {
    if (CurvesOpen()) ::DestroyWindow(curves_);
    if (RoutingOpen()) ::DestroyWindow(routing_);
  }

  [[nodiscard]] bool RoutingOpen() const override {
    return routing_ != nullptr && ShowsRoutingOf(routing_, window_);
  }

  void OpenRouting(const std::string& title) override {
    if (!RoutingOpen()) {
      routing_ = OpenRoutingWindow(window_, Wide(title));
      return;
    }
    ::SetWindowTextW(routing_, Wide(title).c_str());
    ::ShowWindow(routing_, SW_SHOWNORMAL);
    ::SetForegroundWindow(routing_);
  }

  [[nodiscard]] RoutingTexts RoutingFields() const override { return RoutingFieldsOf(routing_); }

  void ShowRoutingFields(const RoutingTexts& texts, const std::string& suggestion) override {
    SetRoutingFields(routing_, texts, suggestion);
  }

  void ShowInflow(const std::string& description) override {
    ::SetDlgItemTextW(routing_, kInflowReadId, Wide(description).c_str());
  }

  void ShowRouted(const plot::HydrographChart& chart, const std::string& summary) override {
    SetRouted(routing_, chart, summary);
  }

  void ShowRoutingProblem(const std::string& message) override { SetRouted(routing_, {}, message); }

  void EnableRoutingCommands(bool enabled) override { EnableRoutingCommandsOf(routing_, enabled); }

  // The system's own open dialog.
  [[nodiscard]] std::optional<std::string> AskOpenName(const SaveQuestion& question) override {
    const std::wstring title = Wide(question.title);
    std::wstring filter = Wide(question.fileType);
    filter.append(1, L'\0').append(Wide(question.pattern)).append(1, L'\0');
    filter.append(Wide(question.allFiles)).append(1, L'\0').append(L"*.*").append(1, L'\0');
    constexpr std::size_t kLongestName = 32768;  // characters, the system's own limit
    std::wstring name(kLongestName, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = routing_ != nullptr ? routing_ : window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (::GetOpenFileNameW(&dialog) == 0) return std::nullopt;
    name.resize(std::wcslen(name.c_str()));
    return Utf8(name);
  }

  // The clipboard's text, UTF-8; empty where it holds none.
  [[nodiscard]] std::string ClipboardText() const {
    std::string text;
    if (::OpenClipboard(window_) == 0) return text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* wide = static_cast<const wchar_t*>(::GlobalLock(data))) {
        text = Utf8(wide);
        ::GlobalUnlock(data);
      }
    }
    ::CloseClipboard();
    return text;
  }

  void ShowFailure(const std::string& message, std::optional<InputField> field) override {
    Box(message, MB_ICONERROR);
    if (field) {
      const HWND text = Field(window_, *field);
      ::SetFocus(text);
      ::SendMessageW(text, EM_SETSEL, 0, -1);
    }
  }

  void ShowSaveFailure(const std::string& message) override { Box(message, MB_ICONERROR); }
  void ShowNote(const std::string& note) override { Box(note, MB_ICONINFORMATION); }

  void ShowRatingFileName(const std::string& name) override {
    ::SetWindowTextW(::GetDlgItem(window_, kFirstFieldId + static_cast<int>(InputField::Filename)),
                     Wide(name).c_str());
  }

  void ShowStatus(const std::string& status) override {
    ::SetWindowTextW(::GetDlgItem(window_, kStatusLineId), Wide(status).c_str());
  }

  void PutOnClipboard(const std::string& text) override {
    if (::OpenClipboard(window_) == 0) return;
    const std::wstring table = Wide(text);
    const std::size_t bytes = (table.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      std::memcpy(::GlobalLock(memory), table.c_str(), bytes);
      ::GlobalUnlock(memory);
      ::EmptyClipboard();
      if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) ::GlobalFree(memory);
    }
    ::CloseClipboard();
  }

  // The system's own save dialog, asking before it replaces a file.
  [[nodiscard]] std::optional<std::string> AskSaveName(const SaveQuestion& question) override {
    const std::wstring title = Wide(question.title);
    const std::wstring pattern = Wide(question.pattern);
    const std::wstring extension = pattern.substr(2);  // "*.csv": "csv"
    std::wstring filter = Wide(question.fileType);
    filter += L'\0';
    filter += pattern;
    filter += L'\0';
    filter += Wide(question.allFiles);
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    constexpr std::size_t kLongestName = 32768;  // characters, the system's own limit
    // The dialog shows nothing for a suggestion longer than MAX_PATH: it is
    // then offered the name alone, in its folder where that is short enough.
    const std::filesystem::path suggested = PathFromUtf8(question.suggested);
    std::wstring name = suggested.wstring();
    std::wstring folder;
    if (name.size() >= MAX_PATH) {
      name = suggested.filename().wstring();
      if (suggested.parent_path().wstring().size() < MAX_PATH) folder = suggested.parent_path().wstring();
    }
    name.resize(std::max(name.size() + 1, kLongestName), L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (::GetSaveFileNameW(&dialog) == 0) return std::nullopt;
    name.resize(std::wcslen(name.c_str()));
    return Utf8(name);
  }

 private:
  void Box(const std::string& text, UINT icon) const {
    ::MessageBoxW(window_, Wrapped(Wide(text)).c_str(), Wide(Pattern(Message::CaptionWindow)).c_str(),
                  MB_OK | icon);
  }

  HWND window_;
  std::span<const std::string> rows_;  // the session's, valid until the next ShowTable
  bool commandsEnabled_ = false;
  HWND curves_ = nullptr;   // the rating curves window, while open
  HWND routing_ = nullptr;  // the routing window, while open
};

// What the window holds besides its controls.
struct WindowState {
  explicit WindowState(HWND window)
      : view(window), controller(view, view, platform::UserDecimalSeparator()) {}

  WindowView view;
  RatingController controller;
  UINT dpi = USER_DEFAULT_SCREEN_DPI;
  HFONT dialogFont = nullptr;
  HFONT listFont = nullptr;
  SIZE client{};              // pixels: the form, widened where the list needs it; the least the window is
  int listFontPercent = 100;  // of the list's own size; less where the window would not fit the screen
  RECT listPlace{};           // pixels, at the form's size; the list grows with the window
  RECT statusPlace{};         // pixels, at the form's size; the status line moves down and widens
};

WindowState& State(HWND window) {
  return *reinterpret_cast<WindowState*>(
      ::GetWindowLongPtrW(window, GWLP_USERDATA));  // NOLINT: the window's own data
}

int Scaled(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

// The system's dialog font, and a fixed-pitch font for the list so that its
// nine-character columns line up, both for `dpi`.
void MakeFonts(WindowState& state) {
  if (state.dialogFont != nullptr) ::DeleteObject(state.dialogFont);
  if (state.listFont != nullptr) ::DeleteObject(state.listFont);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, state.dpi);
  state.dialogFont = ::CreateFontIndirectW(&metrics.lfMessageFont);
  constexpr int kListHundredthsOfPoints = static_cast<int>(layout::kListFontPoints * 100);
  LOGFONTW list{};
  list.lfHeight = -::MulDiv(kListHundredthsOfPoints * state.listFontPercent / 100,
                            static_cast<int>(state.dpi), kPointsPerInch * 100);
  list.lfWeight = FW_NORMAL;
  list.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  ::wcscpy_s(list.lfFaceName, L"Courier New");
  state.listFont = ::CreateFontIndirectW(&list);
}

// The window's outer size for its client area at `dpi`.
SIZE OuterSize(SIZE client, UINT dpi, DWORD style) {
  RECT rect{0, 0, client.cx, client.cy};
  ::AdjustWindowRectExForDpi(&rect, style, FALSE, 0, dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Places every control from the layout table at the window's DPI, with the
// fonts made for it.
void PlaceControls(HWND window) {
  WindowState& state = State(window);
  const auto place = [&](int id, const layout::Rect& twips, HFONT font) {
    const HWND control = Control(window, id);
    ::SetWindowPos(control, nullptr, Scaled(twips.left, state.dpi), Scaled(twips.top, state.dpi),
                   Scaled(twips.width, state.dpi), Scaled(twips.height, state.dpi),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);  // NOLINT: the message's type
  };
  // A caption wider in the system's font than the form allowed widens its
  // label; the list keeps its right edge and gives way to the widest one.
  const HDC screen = ::GetDC(window);
  const HGDIOBJ previous = ::SelectObject(screen, state.dialogFont);
  int labelsRight = 0;  // twips
  place(kButtonId, layout::kButton, state.dialogFont);
  place(kStatusLineId, layout::kStatusLine, state.dialogFont);
  place(kBrowseId, layout::kBrowseButton, state.dialogFont);
  for (const layout::FieldPlace& field : layout::kFieldPlaces) {
    const std::wstring caption = Wide(FieldLabel(field.field));
    SIZE extent{};
    ::GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &extent);
    layout::Rect label = layout::LabelRect(field);
    label.width = std::max(label.width, ::MulDiv(extent.cx, kTwipsPerInch, static_cast<int>(state.dpi)));
    labelsRight = std::max(labelsRight, label.left + label.width);
    place(kFirstLabelId + static_cast<int>(field.field), label, state.dialogFont);
    place(kFirstFieldId + static_cast<int>(field.field), layout::FieldRect(field), state.dialogFont);
  }
  // The list is wide enough for a whole line in its fixed-pitch font, the
  // vertical scrollbar and its borders, at this DPI; the form widens for it.
  ::SelectObject(screen, state.listFont);
  const std::wstring line(kListLineCharacters, L'0');
  SIZE lineExtent{};
  ::GetTextExtentPoint32W(screen, line.c_str(), static_cast<int>(line.size()), &lineExtent);
  ::SelectObject(screen, previous);
  ::ReleaseDC(window, screen);
  const int edge = ::GetSystemMetricsForDpi(SM_CXEDGE, state.dpi);
  const int column = lineExtent.cx + 4 * edge;  // the list view's margins either side of a line
  const layout::Rect listTwips = layout::ListClearOf(labelsRight);
  const int listLeft = Scaled(listTwips.left, state.dpi);
  // At its own font size the list keeps at least the form's width; made
  // smaller to fit the screen, it takes only what its lines need.
  const bool ownSize = state.listFontPercent == 100;
  const int needed = column + ::GetSystemMetricsForDpi(SM_CXVSCROLL, state.dpi) + 2 * edge;
  const int listWidth = ownSize ? std::max(Scaled(listTwips.width, state.dpi), needed) : needed;
  // The headings take the top of the list's place, two lines of its font;
  // the rows scroll below them.
  const int listTop = Scaled(listTwips.top, state.dpi);
  const int headingsHeight = static_cast<int>(kHeadings) * lineExtent.cy + edge;
  const int textIndent = 3 * edge;  // the list's border and its items' margin, so that the columns line up
  const HWND headings = Control(window, kListHeadingsId);
  ::SetWindowPos(headings, nullptr, listLeft + textIndent, listTop, listWidth - textIndent, headingsHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(headings, WM_SETFONT, reinterpret_cast<WPARAM>(state.listFont), TRUE);  // NOLINT
  const HWND list = Control(window, kListId);
  ::SetWindowPos(list, nullptr, listLeft, listTop + headingsHeight, listWidth,
                 Scaled(listTwips.height, state.dpi) - headingsHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(state.listFont),
                 TRUE);  // NOLINT: the message's type
  ListView_SetColumnWidth(list, 0, column);
  state.listPlace = {listLeft, listTop + headingsHeight, listLeft + listWidth,
                     listTop + Scaled(listTwips.height, state.dpi)};
  const int listRight = listLeft + listWidth + Scaled(layout::kRightMargin, state.dpi);
  state.client = {ownSize ? std::max(Scaled(layout::kClientWidth, state.dpi), listRight) : listRight,
                  Scaled(layout::kClientHeightWithStatus, state.dpi)};
  const layout::Rect status = layout::kStatusLine;
  state.statusPlace = {Scaled(status.left, state.dpi), Scaled(status.top, state.dpi),
                       Scaled(status.left + status.width, state.dpi),
                       Scaled(status.top + status.height, state.dpi)};
}

// The list and the status line take what the window gained over the form's
// size; the fields keep their places.
void Grow(HWND window, int width, int height) {
  const auto* known =
      reinterpret_cast<const WindowState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));  // NOLINT
  if (known == nullptr) return;                                                          // before WM_CREATE
  const WindowState& state = *known;
  const int wider = std::max(0, width - static_cast<int>(state.client.cx));
  const int taller = std::max(0, height - static_cast<int>(state.client.cy));
  const RECT& list = state.listPlace;
  ::SetWindowPos(Control(window, kListId), nullptr, list.left, list.top, list.right - list.left + wider,
                 list.bottom - list.top + taller, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT& status = state.statusPlace;
  ::SetWindowPos(Control(window, kStatusLineId), nullptr, status.left, status.top + taller,
                 status.right - status.left + wider, status.bottom - status.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Makes the fonts and places the controls. Where the window would be wider
// than the screen's work area, as at 192 DPI on a
// 1280-pixel screen, the list's font is made smaller until the window fits
// and the list shows its lines whole.
void Layout(HWND window) {
  WindowState& state = State(window);
  state.listFontPercent = 100;
  MakeFonts(state);
  PlaceControls(window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) == 0) return;
  const int available = monitor.rcWork.right - monitor.rcWork.left;
  const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
  constexpr int kSmallestPercent = 60;
  constexpr int kStep = 5;
  while (OuterSize(state.client, state.dpi, style).cx > available &&
         state.listFontPercent > kSmallestPercent) {
    state.listFontPercent -= kStep;
    MakeFonts(state);
    PlaceControls(window);
  }
}

// Answers the list's question for the text of one line.
void ListLineAsked(HWND window, NMLVDISPINFOW& asked) {
  if ((asked.item.mask & LVIF_TEXT) == 0 || asked.item.pszText == nullptr || asked.item.cchTextMax <= 0) {
    return;
  }
  const std::span<const std::string> rows = State(window).view.Rows();
  const auto index = static_cast<std::size_t>(asked.item.iItem);
  const std::wstring text = index < rows.size() ? Wide(rows[index]) : std::wstring();
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(asked.item.cchTextMax - 1));
  std::wmemcpy(asked.item.pszText, text.c_str(), length);
  asked.item.pszText[length] =
      L'\0';  // NOLINT(cppcoreguidelines-pro-bounds-pointer-arithmetic): within cchTextMax
}

void CreateRatingFileClicked(HWND window) {
  FieldTexts texts;
  for (const FieldFacts& facts : kFields) {
    TextOf(texts, facts.field) = Utf8(WindowText(Field(window, facts.field)));
  }
  State(window).controller.Press(texts);
}

// Ctrl+A selects every row and Ctrl+C copies the table, in the list.
LRESULT CALLBACK ListKeys(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                          DWORD_PTR /*data*/) {
  if (message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
    if (wParam == 'A') {
      ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
      return 0;
    }
    if (wParam == 'C') {
      State(::GetParent(list)).controller.Choose(RatingCommand::CopyTable);
      return 0;
    }
  }
  return ::DefSubclassProc(list, message, wParam, lParam);
}

void ShowListMenu(HWND window, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (point.x == -1 && point.y == -1) {  // Shift+F10 or the menu key: at the focused row
    const HWND list = Control(window, kListId);
    RECT rect{};
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (focused >= 0 && ListView_GetItemRect(list, focused, &rect, LVIR_LABEL) != 0) {
      point = {rect.left, rect.bottom};  // under the row
    } else {
      ::GetClientRect(list, &rect);
      point = {rect.left, rect.top};  // in the list's corner, not below it
    }
    ::ClientToScreen(list, &point);
  }
  const HMENU menu = ::CreatePopupMenu();
  const UINT enabled = State(window).view.CommandsEnabled() ? 0U : MF_GRAYED;
  for (const CommandFacts& command : kRatingCommands) {
    std::wstring caption = Wide(layout::WithAccessKey(Pattern(command.caption), command.accessKey));
    if (command.command == RatingCommand::CopyTable) caption += L"\tCtrl+C";
    ::AppendMenuW(menu, MF_STRING | enabled, CommandId(command.command), caption.c_str());
  }
  ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
  ::DestroyMenu(menu);
}

HWND AddControl(HWND window, const wchar_t* type, const std::wstring& text, DWORD style, DWORD extended,
                int id) {
  return ::CreateWindowExW(extended, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),  // NOLINT: a child's id
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE)),
                           nullptr);  // NOLINT
}

// The controls in tab order: the button, the list, then each field after
// its label, so that a screen reader names the field by it.
void CreateControls(HWND window) {
  const HWND button =
      AddControl(window, WC_BUTTONW,
                 Wide(layout::WithAccessKey(Pattern(Message::CaptionButton), layout::kButtonAccessKey)),
                 WS_TABSTOP | BS_DEFPUSHBUTTON, 0, kButtonId);
  AddControl(window, WC_STATICW, L"", SS_NOPREFIX, 0, kListHeadingsId);
  AddControl(window, WC_STATICW, Wide(Pattern(Message::CaptionListName)), 0, 0, kListNameId);
  // A virtual list view of one column and no header: it asks the session for
  // the lines it draws, so that a table of 1000 rows shows at once.
  const HWND list =
      AddControl(window, WC_LISTVIEWW, L"",
                 WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                 WS_EX_CLIENTEDGE, kListId);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  ListView_InsertColumn(list, 0, &column);
  ::SetWindowSubclass(list, ListKeys, 0, 0);
  const RatingSession& session = State(window).controller.Session();
  for (const FieldFacts& facts : kFields) {
    const int index = static_cast<int>(facts.field);
    // Alt with the label's underlined letter goes to its field, which follows it.
    const char key = layout::kFieldPlaces.at(static_cast<std::size_t>(index)).accessKey;
    AddControl(window, WC_STATICW, Wide(layout::WithAccessKey(FieldLabel(facts.field), key)), 0, 0,
               kFirstLabelId + index);
    AddControl(window, WC_EDITW, Wide(session.DefaultText(facts.field)), WS_TABSTOP | ES_AUTOHSCROLL,
               WS_EX_CLIENTEDGE, kFirstFieldId + index);
  }
  AddControl(window, WC_BUTTONW,
             Wide(layout::WithAccessKey(Pattern(Message::CaptionBrowse), layout::kBrowseAccessKey)),
             WS_TABSTOP, 0, kBrowseId);
  // Last in the tab order, and no stop: a long path loses its middle, not its name.
  AddControl(window, WC_STATICW, L"", SS_PATHELLIPSIS | SS_NOPREFIX, 0, kStatusLineId);
  ::SetFocus(button);
}

// The form's own client area at `dpi`, before the list widens it.
SIZE FormClient(UINT dpi) {
  return {Scaled(layout::kClientWidth, dpi), Scaled(layout::kClientHeightWithStatus, dpi)};
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      // The window holds the state until WM_NCDESTROY, beyond the analyser's sight.
      // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
      auto* state = new WindowState(window);
      state->dpi = ::GetDpiForWindow(window);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));  // NOLINT
      CreateControls(window);
      Layout(window);
      return 0;
      // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)
    }
    case WM_DPICHANGED: {
      WindowState& state = State(window);
      state.dpi = HIWORD(wParam);
      Layout(window);
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);  // NOLINT: the message's type
      const SIZE outer =
          OuterSize(state.client, state.dpi, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)));
      ::SetWindowPos(window, nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) CreateRatingFileClicked(window);
      if (LOWORD(wParam) == kBrowseId && HIWORD(wParam) == BN_CLICKED) {
        State(window).controller.BrowseRatingFile(Utf8(WindowText(Field(window, InputField::Filename))));
      }
      for (const CommandFacts& command : kRatingCommands) {
        if (LOWORD(wParam) == CommandId(command.command)) State(window).controller.Choose(command.command);
      }
      // The routing window's buttons and Ctrl+V.
      for (const RoutingCommandFacts& command : kRoutingCommands) {
        if (LOWORD(wParam) == RoutingCommandId(command.command)) {
          State(window).controller.Choose(command.command);
        }
      }
      if (LOWORD(wParam) == kRouteId) State(window).controller.Route();
      if (LOWORD(wParam) == kOpenHydrographId) State(window).controller.OpenHydrograph();
      if (LOWORD(wParam) == kPasteInflowId) {
        State(window).controller.SetInflow(State(window).view.ClipboardText());
      }
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Grow(window, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      // Never smaller than the form, at the window's DPI.
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);  // NOLINT: the message's type
      const auto* state =
          reinterpret_cast<const WindowState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));  // NOLINT
      if (state != nullptr && state->client.cx > 0) {
        const SIZE least =
            OuterSize(state->client, state->dpi, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)));
        limits->ptMinTrackSize = {least.cx, least.cy};
      }
      return 0;
    }
    case WM_NOTIFY: {
      auto* notice = reinterpret_cast<NMHDR*>(lParam);  // NOLINT: the message's type
      if (notice->idFrom == static_cast<UINT_PTR>(kListId) && notice->code == LVN_GETDISPINFOW) {
        ListLineAsked(window, *reinterpret_cast<NMLVDISPINFOW*>(lParam));  // NOLINT: the notice's type
      }
      return 0;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Control(window, kListId)) ShowListMenu(window, lParam);  // NOLINT
      return 0;
    case WM_NEXTDLGCTL: {
      // What a dialog does for a label's access key: IsDialogMessage asks
      // the window to focus the control after the label, or the next or
      // previous one. A window that is not a dialog must do it itself.
      const HWND target = LOWORD(lParam) != 0
                              ? reinterpret_cast<HWND>(wParam)  // NOLINT: the message's type
                              : ::GetNextDlgTabItem(window, ::GetFocus(), wParam != 0 ? TRUE : FALSE);
      if (target != nullptr) {
        ::SetFocus(target);
        ::SendMessageW(target, EM_SETSEL, 0, -1);  // a field's text selected, as Tab selects it
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      // Labels on the window's own background, as the form drew them.
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);              // NOLINT: the message's type
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));  // NOLINT
    case WM_DESTROY:
      // The curves window is not owned, so it is closed with the main window here.
      State(window).view.CloseCurvesWindow();
      ::PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      WindowState* state = &State(window);
      ::DeleteObject(state->dialogFont);
      ::DeleteObject(state->listFont);
      delete state;
      return 0;
    }
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

std::wstring Wrapped(std::wstring_view text) {
  constexpr std::size_t kLongestRun = 60;  // characters a message box line holds at the least
  std::wstring wrapped;
  std::size_t run = 0;        // characters since the last blank or line end
  std::size_t lastBreak = 0;  // in `wrapped`, just after the last folder separator of the run
  for (const wchar_t c : text) {
    if (c == L' ' || c == L'\n') {
      run = 0;
      lastBreak = 0;
      wrapped += c;
      continue;
    }
    if (run == kLongestRun) {
      // Break after the run's last separator, or here where it has none.
      const std::size_t at = lastBreak != 0 ? lastBreak : wrapped.size();
      wrapped.insert(at, 1, L'\n');
      run = wrapped.size() - at - 1;
      lastBreak = 0;
    }
    wrapped += c;
    ++run;
    if (c == L'\\' || c == L'/') lastBreak = wrapped.size();
  }
  return wrapped;
}

HWND CreateMainWindow(HINSTANCE instance, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = WindowProc;
  type.hInstance = instance;
  type.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
  type.hIconSm =
      static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                      ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  type.lpszClassName = kWindowClass;
  ::RegisterClassExW(&type);

  // The form keeps its controls' places; a window made larger gives the list more room.
  constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
  const SIZE size = OuterSize(FormClient(::GetDpiForSystem()), ::GetDpiForSystem(), kStyle);
  const HWND window =
      ::CreateWindowExW(0, kWindowClass, Wide(Pattern(Message::CaptionWindow)).c_str(), kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  // The monitor may differ from the system's DPI, and the list may have
  // widened the form: fit the window to its client area.
  const SIZE fitted = OuterSize(State(window).client, ::GetDpiForWindow(window), kStyle);
  ::SetWindowPos(window, nullptr, 0, 0, fitted.cx, fitted.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  ::SetFocus(Control(window, kButtonId));
  return window;
}

int RunMessageLoop(HWND window) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (RoutingWindowMessage(message) || ::IsDialogMessageW(window, &message) != 0) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void AppendCurvesCommands(HMENU menu) {
  for (const CommandFacts& command : kRatingCommands) {
    if (!command.inCurvesWindow) continue;
    ::AppendMenuW(menu, MF_STRING, CommandId(command.command),
                  Wide(layout::WithAccessKey(Pattern(command.caption), command.accessKey)).c_str());
  }
}

void MakeProgramFolderCurrent(HWND window) {
  if (const std::optional<std::string> warning = MakeWorkingFolderCurrent()) {
    ::MessageBoxW(window, Wrapped(Wide(*warning)).c_str(), Wide(Pattern(Message::CaptionWindow)).c_str(),
                  MB_OK | MB_ICONWARNING);
  }
}

}  // namespace rating::win32
