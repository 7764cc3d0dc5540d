#pragma once

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "app/rating_list.h"
#include "engine/input_field.h"
#include "run/rating_controller.h"
#include "run/rating_view.h"

class QAction;
class QIcon;
class QLineEdit;
class QListWidget;
class QPushButton;
class RatingCurvesDialog;
class QComboBox;
class RoutingWindow;
class SectionWindow;

// The program's icon, a trapezoidal channel section with water, 16 and 32 px.
QIcon ProgramIcon();

// The program's one window: the Section choice, the labelled fields, the
// "Create Rating File" button and the results list. Controls keep their places when the window is
// resized. The list's rows can be selected and copied as a table; its context
// menu saves the exports of the rows it lists and shows their rating curves.
// It draws what its controller decides.
class MainWindow : public QWidget,
                   private rating::FileSavingView,
                   private rating::RoutingView,
                   private rating::SectionView {
  Q_OBJECT

 public:
  // The window starts in `units`: US customary unless the program is
  // started with --units si.
  explicit MainWindow(rating::UnitSystem units = rating::UnitSystem::UsCustomary, QWidget* parent = nullptr);

  // A text field: the form's, or the Section window's while it exists.
  [[nodiscard]] QLineEdit* Field(rating::InputField field) const;
  [[nodiscard]] QComboBox* ShapeChoice() const { return shape_; }
  [[nodiscard]] QComboBox* UnitsChoice() const { return units_; }
  // Every field's text as typed, the shape chosen as its word.
  [[nodiscard]] rating::FieldTexts FieldTexts() const;

  // Asks for the name of a file to save: the system's save dialog unless a
  // test puts another chooser in its place. An empty name cancels.
  using SaveNameChooser = std::function<QString(QWidget* parent, const QString& caption,
                                                const QString& suggested, const QString& filter)>;
  void SetSaveNameChooser(SaveNameChooser chooser) { chooseSaveName_ = std::move(chooser); }
  // Asks for the name of a file to open, likewise.
  void SetOpenNameChooser(SaveNameChooser chooser) { chooseOpenName_ = std::move(chooser); }

  // The routing window while it is open; tests press its buttons.
  [[nodiscard]] RoutingWindow* Routing() const;
  // The Section window once it has opened; closing it hides it.
  [[nodiscard]] SectionWindow* Section() const;
  [[nodiscard]] const rating::RatingController& Controller() const { return controller_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The view's part.
  void ShowTable(std::span<const std::string> headings, std::span<const std::string> rows) override;
  [[nodiscard]] std::vector<int> SelectedRows() const override;
  void EnableRatingCommands(bool enabled) override;
  [[nodiscard]] bool CurvesOpen() const override;
  void OpenCurves(const rating::plot::RatingCurves& curves, const std::string& title) override;
  void RedrawCurves(const rating::plot::RatingCurves& curves, const std::string& title) override;
  void CloseCurves() override;
  void ShowFailure(const std::string& message, std::optional<rating::InputField> field) override;
  void ShowNote(const std::string& note) override;
  void PutOnClipboard(const std::string& text) override;
  [[nodiscard]] std::optional<std::string> AskSaveName(const rating::SaveQuestion& question) override;
  void ShowSaveFailure(const std::string& message) override;
  void ShowStatus(const std::string& status) override;
  void ShowRatingFileName(const std::string& name) override;
  [[nodiscard]] std::optional<std::string> AskOpenName(const rating::SaveQuestion& question) override;
  [[nodiscard]] bool RoutingOpen() const override;
  void OpenRouting(const std::string& title) override;
  [[nodiscard]] rating::RoutingTexts RoutingFields() const override;
  void ShowRoutingFields(const rating::RoutingTexts& texts, const std::string& suggestion) override;
  void ShowInflow(const std::string& description) override;
  void ShowRouted(const rating::plot::HydrographChart& chart, const std::string& summary) override;
  void ShowRoutingProblem(const std::string& message) override;
  void EnableRoutingCommands(bool enabled) override;
  void EnableField(rating::InputField field, bool enabled) override;
  void ShowFieldLabel(rating::InputField field, const std::string& label) override;
  void ShowSettingLabel(rating::RoutingSetting setting, const std::string& label) override;
  [[nodiscard]] bool SectionOpen() const override;
  void OpenSection(const std::string& title) override;
  void ShowSection(const rating::plot::CrossSectionChart& chart, const std::string& summary) override;
  void ShowSectionProblem(const std::string& message) override;

  // A message box over the window, named for scripts and tests.
  void ShowBox(QMessageBox::Icon icon, const std::string& text, const QString& name);

  std::array<QLineEdit*, rating::kFieldCount> fields_{};  // indexed by rating::InputField; the form's
  RatingList* list_;
  QPushButton* createButton_;
  QPushButton* browseButton_;  // asks where to write the rating file
  QLabel* statusLine_;         // where the last press wrote the file
  QComboBox* shape_;           // the Section choice, in the order of kSectionShapes
  QComboBox* units_;           // the Units choice, in the order of kUnitSystems
  QSize designedSize_;         // the window as laid out, the least it may be
  QRect designedList_;         // the list's place at that size; it grows with the window
  QRect designedStatus_;       // the status line's; it moves down and widens
  std::array<QAction*, rating::kRatingCommands.size()> commands_{};  // indexed by rating::RatingCommand
  rating::RatingController controller_;
  SaveNameChooser chooseSaveName_;
  SaveNameChooser chooseOpenName_;
  QPointer<RatingCurvesDialog> curvesWindow_;  // while open
  QPointer<RoutingWindow> routingWindow_;      // while open
  QPointer<SectionWindow> sectionWindow_;      // once opened
};
