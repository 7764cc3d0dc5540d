#pragma once

// Views that draw nothing and write down what the controller asks of them,
// one line a call, for tests of the controller's decisions.
#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/input_field.h"
#include "engine/section_shape.h"
#include "run/rating_view.h"

namespace rating::testing_support {

// A message as the log shows it: its words before the first ':' or '"',
// which name what happened without the folder it happened in.
inline std::string Gist(const std::string& message) {
  std::string gist = message.substr(0, message.find_first_of(":\""));
  while (!gist.empty() && gist.back() == ' ') gist.pop_back();
  return gist;
}

template <typename View>
class RecordingView : public View, public RoutingView, public SectionView {
 public:
  std::vector<std::string> log;                         // one line per call, in order
  std::vector<int> selected;                            // the rows the user has selected
  bool curvesOpen = false;                              // the user may close the window
  std::vector<std::string> shownHeadings;               // what the list shows above its rows
  std::vector<std::string> shownRows;                   // what the list shows
  std::optional<InputField> focused;                    // the field a failure put the cursor in
  bool routingOpen = false;                             // the user may close the window
  RoutingTexts routing;                                 // the routing window's settings as typed
  std::string summary;                                  // what the routing window's summary says
  std::optional<plot::HydrographChart> chart;           // what the routing window draws
  bool routingCommands = false;                         // whether its commands can be chosen
  FieldSet enabled = (FieldSet{1} << kFieldCount) - 1;  // the fields that can be typed in
  bool sectionOpen = false;                             // the user may close the window
  std::optional<plot::CrossSectionChart> section;       // what the Section window draws
  std::string sectionWords;                             // what it says of the points, or why there are none
  std::array<std::string, kFieldCount> labels;          // the labels the controller put on the fields
  std::array<std::string, kRoutingSettingCount> settingLabels;  // and on the routing window's settings

  // The list's lines, headings and rows, are counted as one in the log.
  void ShowTable(std::span<const std::string> headings, std::span<const std::string> rows) override {
    shownHeadings.assign(headings.begin(), headings.end());
    shownRows.assign(rows.begin(), rows.end());
    log.push_back("lines " + std::to_string(headings.size() + rows.size()));
  }
  [[nodiscard]] std::vector<int> SelectedRows() const override { return selected; }
  void EnableRatingCommands(bool enabled) override {
    log.push_back(enabled ? "commands on" : "commands off");
  }
  [[nodiscard]] bool CurvesOpen() const override { return curvesOpen; }
  void OpenCurves(const plot::RatingCurves& /*curves*/, const std::string& title) override {
    curvesOpen = true;
    log.push_back("open curves " + title);
  }
  void RedrawCurves(const plot::RatingCurves& /*curves*/, const std::string& title) override {
    log.push_back("redraw curves " + title);
  }
  void CloseCurves() override {
    curvesOpen = false;
    log.push_back("close curves");
  }
  // Kept, not logged: a shape chosen enables the same fields every time.
  void EnableField(InputField field, bool on) override {
    enabled = on ? enabled | FieldsOf({field}) : enabled & ~FieldsOf({field});
  }
  // Kept, not logged: the units chosen label every field alike.
  void ShowFieldLabel(InputField field, const std::string& label) override {
    labels.at(static_cast<std::size_t>(field)) = label;
  }
  void ShowFailure(const std::string& message, std::optional<InputField> field) override {
    focused = field;
    log.push_back("failure " + Gist(message) + (field ? " in " + std::string(FieldLabel(*field)) : ""));
  }
  void ShowNote(const std::string& note) override { log.push_back("note " + Gist(note)); }
  void PutOnClipboard(const std::string& text) override {
    log.push_back("clipboard " + std::to_string(std::count(text.begin(), text.end(), '\n')) + " lines");
  }
  [[nodiscard]] bool RoutingOpen() const override { return routingOpen; }
  void OpenRouting(const std::string& title) override {
    routingOpen = true;
    log.push_back("open routing " + title);
  }
  [[nodiscard]] RoutingTexts RoutingFields() const override { return routing; }
  void ShowRoutingFields(const RoutingTexts& texts, const std::string& suggestion) override {
    routing = texts;
    log.push_back("settings " + texts.timeStep + " N " + texts.subreaches + " (" + suggestion + ")");
  }
  void ShowInflow(const std::string& description) override { log.push_back("inflow " + description); }
  void ShowRouted(const plot::HydrographChart& routed, const std::string& text) override {
    chart = routed;
    summary = text;
    log.push_back("routed " + text.substr(0, text.find('\n')));
  }
  void ShowRoutingProblem(const std::string& message) override {
    chart.reset();
    summary = message;
    log.push_back("no routing: " + message);
  }
  // Kept, not logged: every routing shown or refused says it.
  void EnableRoutingCommands(bool on) override { routingCommands = on; }
  void ShowSettingLabel(RoutingSetting setting, const std::string& label) override {
    settingLabels.at(static_cast<std::size_t>(setting)) = label;
  }
  [[nodiscard]] bool SectionOpen() const override { return sectionOpen; }
  void OpenSection(const std::string& title) override {
    sectionOpen = true;
    log.push_back("open section " + title);
  }
  void ShowSection(const plot::CrossSectionChart& chart, const std::string& summary) override {
    section = chart;
    sectionWords = summary;
    log.push_back("section " + summary + (chart.water ? ", water shown" : ""));
  }
  void ShowSectionProblem(const std::string& message) override {
    section.reset();
    sectionWords = message;
    log.push_back("no section: " + Gist(message));
  }
};

// A desktop window's view: answers the save dialog with `saveName`.
class RecordingSavingView : public RecordingView<FileSavingView> {
 public:
  std::optional<std::string> saveName;  // nothing: the user cancels
  std::optional<std::string> openName;  // nothing: the user cancels
  std::optional<SaveQuestion> asked;
  std::string status;  // what the status line says

  [[nodiscard]] std::optional<std::string> AskSaveName(const SaveQuestion& question) override {
    asked = question;
    log.push_back("ask " + question.title + ", " + question.fileType + ", " + question.pattern);
    return saveName;
  }
  [[nodiscard]] std::optional<std::string> AskOpenName(const SaveQuestion& question) override {
    log.push_back("ask open " + question.title + ", " + question.pattern);
    return openName;
  }
  void ShowSaveFailure(const std::string& message) override {
    log.push_back("save failure " + Gist(message));
  }
  void ShowRatingFileName(const std::string& name) override { log.push_back("file name " + name); }
  void ShowStatus(const std::string& shown) override {
    status = shown;
    log.push_back(shown.empty() ? "status cleared" : "status " + Gist(shown));
  }
};

// A page's view: keeps what it is handed.
class RecordingHandingOverView : public RecordingView<HandingOverView> {
 public:
  std::vector<Download> handed;

  void HandOver(const Download& file) override {
    handed.push_back(file);
    log.push_back("hand over " + file.name);
  }
};

}  // namespace rating::testing_support
