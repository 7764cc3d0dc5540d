#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/input_field.h"
#include "engine/routing_setting.h"
#include "plot/cross_section_chart.h"
#include "plot/hydrograph_chart.h"
#include "plot/rating_curves.h"
#include "run/rating_session.h"

namespace rating {

// What the controller asks of a save dialog: its title, the file type it
// offers with its pattern, and the name it suggests.
struct SaveQuestion {
  std::string title;      // "Save Table as CSV": the command without its "…"
  std::string fileType;   // "CSV files (*.csv)"
  std::string pattern;    // "*.csv"
  std::string allFiles;   // "All files (*)"
  std::string suggested;  // beside the rating file, absolute, UTF-8
};

// What a front end's main window can do, and all that the controller asks
// of it: a toolkit's window or a page draws, and the controller decides what
// and when. A view never computes, formats or decides.
class RatingView {
 public:
  RatingView() = default;
  RatingView(const RatingView&) = delete;
  RatingView& operator=(const RatingView&) = delete;
  RatingView(RatingView&&) = delete;
  RatingView& operator=(RatingView&&) = delete;
  virtual ~RatingView() = default;

  // The results list shows `rows` under the column `headings`, no row
  // selected. Both stay valid until the next call, for a list that asks
  // for its rows as it draws.
  virtual void ShowTable(std::span<const std::string> headings, std::span<const std::string> rows) = 0;
  // The rows the user has selected, as indices into the rows shown.
  [[nodiscard]] virtual std::vector<int> SelectedRows() const = 0;
  // Whether the commands on the rating (kRatingCommands) can be chosen.
  virtual void EnableRatingCommands(bool enabled) = 0;

  // Whether the rating curves window is open; the user may close it.
  [[nodiscard]] virtual bool CurvesOpen() const = 0;
  // Opens the curves window, or brings the open one to the front, showing
  // `curves` under `title`.
  virtual void OpenCurves(const plot::RatingCurves& curves, const std::string& title) = 0;
  // Shows other curves in the open curves window, where it stays.
  virtual void RedrawCurves(const plot::RatingCurves& curves, const std::string& title) = 0;
  virtual void CloseCurves() = 0;

  // Whether a field of the form can be typed in: a section's shape leaves
  // the fields it does not use disabled, where they keep their places.
  virtual void EnableField(InputField field, bool enabled) = 0;
  // Puts `label` on a field, wherever it stands: the units chosen name the
  // units of every label ("Bottom Width (m)").
  virtual void ShowFieldLabel(InputField field, const std::string& label) = 0;

  // Shows a failure; the field it names, if any, gets the focus with its
  // text selected.
  virtual void ShowFailure(const std::string& message, std::optional<InputField> field) = 0;
  // Shows what the user should know of a save or a copy that went well.
  virtual void ShowNote(const std::string& note) = 0;
  virtual void PutOnClipboard(const std::string& text) = 0;
};

// The one routing window's calls: opened beside the main window or brought
// to the front; the user may close it.
class RoutingView {
 public:
  RoutingView() = default;
  RoutingView(const RoutingView&) = delete;
  RoutingView& operator=(const RoutingView&) = delete;
  RoutingView(RoutingView&&) = delete;
  RoutingView& operator=(RoutingView&&) = delete;
  virtual ~RoutingView() = default;

  [[nodiscard]] virtual bool RoutingOpen() const = 0;
  virtual void OpenRouting(const std::string& title) = 0;
  // The routing window's settings as the user typed them.
  [[nodiscard]] virtual RoutingTexts RoutingFields() const = 0;
  // Puts `texts` into the settings, and `suggestion` beside the subreaches.
  virtual void ShowRoutingFields(const RoutingTexts& texts, const std::string& suggestion) = 0;
  // How many ordinates the inflow holds and the time they span.
  virtual void ShowInflow(const std::string& description) = 0;
  // A routing done: its chart, and its summary, which is the chart's text
  // alternative too.
  virtual void ShowRouted(const plot::HydrographChart& chart, const std::string& summary) = 0;
  // No routing to show: the chart and the summary go, and `message` says why.
  virtual void ShowRoutingProblem(const std::string& message) = 0;
  // Whether the commands on a routing (kRoutingCommands) can be chosen.
  virtual void EnableRoutingCommands(bool enabled) = 0;
  // Puts `label` on a setting's field: "Initial outflow (m3/s)" in SI.
  virtual void ShowSettingLabel(RoutingSetting setting, const std::string& label) = 0;
};

// The one Section window's calls, for a surveyed section: its ground points
// pasted or opened, its banks and overbanks' n, and its picture. Opened
// beside the main window or brought to the front; the user may close it.
class SectionView {
 public:
  SectionView() = default;
  SectionView(const SectionView&) = delete;
  SectionView& operator=(const SectionView&) = delete;
  SectionView(SectionView&&) = delete;
  SectionView& operator=(SectionView&&) = delete;
  virtual ~SectionView() = default;

  [[nodiscard]] virtual bool SectionOpen() const = 0;
  virtual void OpenSection(const std::string& title) = 0;
  // The ground points read: their picture, and their count and the span of
  // their stations in words.
  virtual void ShowSection(const plot::CrossSectionChart& chart, const std::string& summary) = 0;
  // No section to show: the picture goes, and `message` says why, naming
  // the row that failed.
  virtual void ShowSectionProblem(const std::string& message) = 0;
};

// A view whose program writes the files itself, into the names the user
// gives it: a desktop window.
class FileSavingView : public RatingView {
 public:
  // Asks where to save; nothing when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> AskSaveName(const SaveQuestion& question) = 0;
  // Asks which file to open; nothing when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> AskOpenName(const SaveQuestion& question) = 0;
  // Shows why a save failed; the previous file, if any, is kept.
  virtual void ShowSaveFailure(const std::string& message) = 0;
  // Shows where the last press wrote the rating file, and what the user
  // should know of its fields, in a status line that stays until the next
  // press.
  virtual void ShowStatus(const std::string& status) = 0;
  // Puts the name the user chose into Output Rating Filename.
  virtual void ShowRatingFileName(const std::string& name) = 0;
};

// A view that hands each file to the user itself, as a browser downloads it.
class HandingOverView : public RatingView {
 public:
  virtual void HandOver(const Download& file) = 0;
};

}  // namespace rating
