#include "windows/main_window.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <commdlg.h>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <memory>
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
#include "windows/form_metrics.h"
#include "windows/routing_window.h"
#include "windows/section_window.h"
#include "windows/window_state.h"
#include "windows/window_view.h"

namespace rating::win32 {

namespace {

namespace layout = rating::layout;

constexpr UINT kIconId = 1;  // in the resource script

// What the window holds besides its controls, from WM_NCCREATE to
// WM_NCDESTROY (window_state.h).
struct WindowState {
  WindowState() : controller(view, view, view, platform::UserDecimalSeparator()) {}

  WindowView view;
  RatingController controller;
  FormMetrics form;
};

WindowState& State(HWND window) { return *StateOfWindow<WindowState>(window); }

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
  FieldTexts texts = State(window).controller.Session().DefaultTexts();
  for (const FieldFacts& facts : kFields) {
    if (facts.kind == FieldKind::Choice) continue;
    if (const HWND field = State(window).view.FieldControl(facts.field)) {
      TextOf(texts, facts.field) = Utf8(WindowText(field));
    }
  }
  const LRESULT shape = ::SendMessageW(Field(window, InputField::Shape), CB_GETCURSEL, 0, 0);
  TextOf(texts, InputField::Shape) = kSectionShapes.at(shape >= 0 ? static_cast<std::size_t>(shape) : 0).word;
  const LRESULT units = ::SendMessageW(Field(window, InputField::Units), CB_GETCURSEL, 0, 0);
  TextOf(texts, InputField::Units) = kUnitSystems.at(units >= 0 ? static_cast<std::size_t>(units) : 0).word;
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

// A drop-down list of `captions` at `place`, after its label, the first chosen.
template <typename Facts, std::size_t N>
void AddChoice(HWND window, const layout::FieldPlace& place, const std::array<Facts, N>& choices) {
  AddControl(window, WC_STATICW, Wide(layout::WithAccessKey(FieldLabel(place.field), place.accessKey)), 0, 0,
             kFirstLabelId + static_cast<int>(place.field));
  const HWND list = AddControl(window, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0,
                               kFirstFieldId + static_cast<int>(place.field));
  for (const Facts& facts : choices) {
    ::SendMessageW(list, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(Wide(Pattern(facts.label)).c_str()));  // NOLINT
  }
  ::SendMessageW(list, CB_SETCURSEL, 0, 0);
}

// The item chosen in a drop-down list of `choices`, or nothing.
template <typename Facts, std::size_t N>
const Facts* Chosen(HWND window, InputField field, const std::array<Facts, N>& choices) {
  const LRESULT chosen = ::SendMessageW(Field(window, field), CB_GETCURSEL, 0, 0);
  return chosen >= 0 && static_cast<std::size_t>(chosen) < N ? &choices.at(static_cast<std::size_t>(chosen))
                                                             : nullptr;
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
  // The Section choice first, then a circle's diameter beside it, disabled
  // for the trapezoid chosen at the start.
  AddChoice(window, layout::kShapePlace, kSectionShapes);
  const layout::FieldPlace& diameter = layout::kDiameterPlace;
  AddControl(window, WC_STATICW, Wide(layout::WithAccessKey(FieldLabel(diameter.field), diameter.accessKey)),
             0, 0, kFirstLabelId + static_cast<int>(diameter.field));
  ::EnableWindow(
      AddControl(window, WC_EDITW, Wide(session.DefaultText(diameter.field)), WS_TABSTOP | ES_AUTOHSCROLL,
                 WS_EX_CLIENTEDGE, kFirstFieldId + static_cast<int>(diameter.field)),
      FALSE);
  // Then the Units choice, under the list.
  AddChoice(window, layout::kUnitsPlace, kUnitSystems);
  for (const layout::FieldPlace& place : layout::kFieldPlaces) {
    const int index = static_cast<int>(place.field);
    // Alt with the label's underlined letter goes to its field, which follows it.
    AddControl(window, WC_STATICW, Wide(layout::WithAccessKey(FieldLabel(place.field), place.accessKey)), 0,
               0, kFirstLabelId + index);
    AddControl(window, WC_EDITW, Wide(session.DefaultText(place.field)), WS_TABSTOP | ES_AUTOHSCROLL,
               WS_EX_CLIENTEDGE, kFirstFieldId + index);
  }
  AddControl(window, WC_BUTTONW,
             Wide(layout::WithAccessKey(Pattern(Message::CaptionBrowse), layout::kBrowseAccessKey)),
             WS_TABSTOP, 0, kBrowseId);
  // Last in the tab order, and no stop: a long path loses its middle, not its name.
  AddControl(window, WC_STATICW, L"", SS_PATHELLIPSIS | SS_NOPREFIX, 0, kStatusLineId);
  ::SetFocus(button);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepWindowState<WindowState>(window, message, lParam);
  switch (message) {
    case WM_CREATE: {
      WindowState& state = State(window);
      state.view.Attach(window);
      state.form.dpi = ::GetDpiForWindow(window);
      CreateControls(window);
      Layout(window, state.form);
      return 0;
    }
    case WM_DPICHANGED: {
      FormMetrics& state = State(window).form;
      state.dpi = HIWORD(wParam);
      Layout(window, state);
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);  // NOLINT: the message's type
      const SIZE outer =
          OuterSize(state.client, state.dpi, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)));
      ::SetWindowPos(window, nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) CreateRatingFileClicked(window);
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        if (LOWORD(wParam) == kFirstFieldId + static_cast<int>(InputField::Shape)) {
          if (const ShapeFacts* shape = Chosen(window, InputField::Shape, kSectionShapes)) {
            State(window).controller.ChooseShape(shape->shape);
          }
        }
        if (LOWORD(wParam) == kFirstFieldId + static_cast<int>(InputField::Units)) {
          if (const UnitFacts* units = Chosen(window, InputField::Units, kUnitSystems)) {
            State(window).controller.ChooseUnits(units->system);
          }
        }
      }
      // The Section window's button and Ctrl+V.
      if (LOWORD(wParam) == kOpenSectionId) State(window).controller.OpenSection();
      if (LOWORD(wParam) == kPasteSectionId) {
        State(window).controller.SetSection(State(window).view.ClipboardText());
      }
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
      if (wParam != SIZE_MINIMIZED) Grow(window, State(window).form, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      // Never smaller than the form, at the window's DPI.
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);           // NOLINT: the message's type
      const WindowState* state = StateOfWindow<WindowState>(window);  // none before WM_NCCREATE
      if (state != nullptr && state->form.client.cx > 0) {
        const SIZE least = OuterSize(state->form.client, state->form.dpi,
                                     static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)));
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

HWND CreateMainWindow(HINSTANCE instance, int show, UnitSystem units) {
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
  auto state = std::make_unique<WindowState>();
  WindowState* kept = state.get();
  const HWND window =
      ::CreateWindowExW(0, kWindowClass, Wide(Pattern(Message::CaptionWindow)).c_str(), kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, kept);
  if (window == nullptr) return nullptr;
  state.release();  // NOLINT(bugprone-unused-return-value): the window owns it until WM_NCDESTROY
  // The monitor may differ from the system's DPI, and the list may have
  // widened the form: fit the window to its client area.
  const SIZE fitted = OuterSize(State(window).form.client, ::GetDpiForWindow(window), kStyle);
  ::SetWindowPos(window, nullptr, 0, 0, fitted.cx, fitted.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(Field(window, InputField::Units), CB_SETCURSEL, static_cast<WPARAM>(units), 0);
  kept->controller.ChooseUnits(units);
  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  ::SetFocus(Control(window, kButtonId));
  return window;
}

int RunMessageLoop(HWND window) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (RoutingWindowMessage(message) || SectionWindowMessage(message) ||
        ::IsDialogMessageW(window, &message) != 0) {
      continue;
    }
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
