#pragma once

#include <QWidget>

#include <array>

#include "plot/rating_curves.h"
#include "run/rating_run.h"

class QAction;
class QIcon;
class QLineEdit;
class QListWidget;
class QPushButton;

// The program's icon, a trapezoidal channel section with water, 16 and 32 px.
QIcon ProgramIcon();

// The program's one window: ten labelled fields, the "Create Rating File"
// button and the results list. Controls keep their places when the window is
// resized. The list's rows can be selected and copied as a table, and its
// context menu shows the rating curves of the last successful run.
class MainWindow : public QWidget, public rating::RatingForm {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  std::string FieldText(rating::InputField field) override;
  std::string DecimalSeparator() override;
  void ClearList() override;
  void AddListLine(const std::string& line) override;

  [[nodiscard]] QLineEdit* Field(rating::InputField field) const;

  // Puts the selected rows of the list, or all of them when none is
  // selected, on the clipboard as tab-separated text with a header row.
  void CopyTable();
  // Opens a window with the rating curves of the last successful run.
  void ShowRatingCurves();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs the rating; a failure is shown and the window stays as it was typed.
  void CreateRatingFileClicked();
  void ShowFailure(const QString& message);

  std::array<QLineEdit*, rating::kFieldCount> fields_{};  // indexed by rating::InputField
  QListWidget* list_;
  QPushButton* createButton_;
  QAction* copyAction_;
  QAction* showCurvesAction_;
  rating::RatingCurves lastCurves_;  // of the last successful run
};
