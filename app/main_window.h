#pragma once

#include <QPointer>
#include <QWidget>

#include <array>

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
// resized. The list's rows can be selected and copied as a table, and its
// context menu shows the rating curves of the rows it lists.
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
  rating::RatingSession session_;
  QPointer<RatingCurvesDialog> curvesWindow_;  // while open
};
