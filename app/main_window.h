#pragma once

#include <QWidget>

#include <array>

#include "run/rating_run.h"

class QIcon;
class QLineEdit;
class QListWidget;
class QPushButton;

// The program's icon, a trapezoidal channel section with water, 16 and 32 px.
QIcon ProgramIcon();

// The program's one window: ten labelled fields, the "Create Rating File"
// button and the results list. Controls keep their places when the window is
// resized.
class MainWindow : public QWidget, public rating::RatingForm {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  std::string FieldText(rating::InputField field) override;
  std::string DecimalSeparator() override;
  void ClearList() override;
  void AddListLine(const std::string& line) override;

  [[nodiscard]] QLineEdit* Field(rating::InputField field) const;

 private:
  // Runs the rating; a failure is shown and the window stays as it was typed.
  void CreateRatingFileClicked();
  void ShowFailure(const QString& message);

  std::array<QLineEdit*, rating::kFieldCount> fields_{};  // indexed by rating::InputField
  QListWidget* list_;
  QPushButton* createButton_;
};
