#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "engine/input_field.h"
#include "run/rating_session.h"

class QAction;
class QIcon;
class QLineEdit;
class QListWidget;
class QPushButton;
class RatingCurvesDialog;

// The program's icon, a trapezoidal channel section with water, 16 and 32 px.
QIcon ProgramIcon();

// The program's one window: ten labelled fields, the "Create Rating File"
// button and the results list. Controls keep their places when the window is
// resized. The list's rows can be selected and copied as a table; its context
// menu saves the exports of the rows it lists and shows their rating curves.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  [[nodiscard]] QLineEdit* Field(rating::InputField field) const;
  // The ten texts as typed.
  [[nodiscard]] rating::FieldTexts FieldTexts() const;

  // Puts the selected rows of the list, or all of them when none is
  // selected, on the clipboard as tab-separated text with a header row.
  void CopyTable();
  // Shows the rating curves of the rows the list shows, in one window that
  // follows every run.
  void ShowRatingCurves();
  // Asks where to save an export, suggesting a name beside the rating file,
  // and saves it there; a failure or the paired data's note is shown.
  void SaveExport(rating::Export what);

  // Asks for the name of a file to save: the system's save dialog unless a
  // test puts another chooser in its place. An empty name cancels.
  using SaveNameChooser = std::function<QString(QWidget* parent, const QString& caption,
                                                const QString& suggested, const QString& filter)>;
  void SetSaveNameChooser(SaveNameChooser chooser) { chooseSaveName_ = std::move(chooser); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Rates the fields, writes the file and shows the outcome; a failure is
  // shown and the fields stay as typed.
  void CreateRatingFileClicked();
  void ShowFailure(const rating::PressFailure& failure);
  // Shows the session's rating in the list and the curves window.
  void ShowRating();

  std::array<QLineEdit*, rating::kFieldCount> fields_{};  // indexed by rating::InputField
  QListWidget* list_;
  QPushButton* createButton_;
  QAction* copyAction_;
  QAction* showCurvesAction_;
  std::array<QAction*, 3> saveActions_{};  // indexed by rating::Export
  rating::RatingSession session_;
  SaveNameChooser chooseSaveName_;
  QPointer<RatingCurvesDialog> curvesWindow_;  // while open
};
