#pragma once

#include <algorithm>
#include <commctrl.h>
#include <commdlg.h>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>
#include <windows.h>

#include "messages/messages.h"
#include "platform/utf8_path.h"
#include "run/rating_view.h"
#include "windows/curves_window.h"
#include "windows/main_window.h"
#include "windows/routing_window.h"
#include "windows/scene_window.h"
#include "windows/section_window.h"

// The main window's view: what its controller tells it to draw, and what it
// asks the user, in the window's controls and the system's dialogs.
namespace rating::win32 {

// A control's text, and the window's controls by their identifiers.
inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}
inline HWND Control(HWND window, int id) { return ::GetDlgItem(window, id); }
inline HWND Field(HWND window, InputField field) {
  return Control(window, kFirstFieldId + static_cast<int>(field));
}

// The window as its controller sees it: what it draws and asks.
class WindowView final : public FileSavingView, public RoutingView, public SectionView {
 public:
  // The window it draws on, once the system has made it.
  void Attach(HWND window) { window_ = window; }

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
    if (IsSectionOf(section_, window_)) ::DestroyWindow(section_);
  }

  // The Section choice, or a text field: the form's, or the Section
  // window's once it exists.
  [[nodiscard]] HWND FieldControl(InputField field) const {
    const HWND section = IsSectionOf(section_, window_) ? SectionField(section_, field) : nullptr;
    return section != nullptr ? section : Field(window_, field);
  }

  void EnableField(InputField field, bool enabled) override {
    if (const HWND control = Field(window_, field)) ::EnableWindow(control, enabled ? TRUE : FALSE);
  }

  void ShowFieldLabel(InputField field, const std::string& label) override {
    Relabel(FieldControl(field), label);
  }
  void ShowSettingLabel(RoutingSetting setting, const std::string& label) override {
    if (RoutingOpen()) Relabel(SettingField(routing_, setting), label);
  }

  [[nodiscard]] bool SectionOpen() const override { return ShowsSectionOf(section_, window_); }

  void OpenSection(const std::string& title) override {
    if (!IsSectionOf(section_, window_)) {
      section_ = OpenSectionWindow(window_, Wide(title));
      return;
    }
    ::SetWindowTextW(section_, Wide(title).c_str());
    ::ShowWindow(section_, SW_SHOWNORMAL);
    ::SetForegroundWindow(section_);
  }

  void ShowSection(const plot::CrossSectionChart& chart, const std::string& summary) override {
    SetSection(section_, chart, summary);
  }

  void ShowSectionProblem(const std::string& message) override { SetSection(section_, {}, message); }

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
      const HWND text = FieldControl(*field);
      // A field of the Section window brings it back where it was closed.
      if (::GetAncestor(text, GA_ROOT) != window_) ::ShowWindow(::GetAncestor(text, GA_ROOT), SW_SHOWNORMAL);
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

  HWND window_ = nullptr;
  std::span<const std::string> rows_;  // the session's, valid until the next ShowTable
  bool commandsEnabled_ = false;
  HWND curves_ = nullptr;   // the rating curves window, while open
  HWND routing_ = nullptr;  // the routing window, while open
  HWND section_ = nullptr;  // the Section window, once opened; closing it hides it
};

}  // namespace rating::win32
