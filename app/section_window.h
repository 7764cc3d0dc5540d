#pragma once

#include <QDialog>
#include <QWidget>

#include <array>
#include <string>

#include "engine/input_field.h"
#include "layout/form_layout.h"
#include "plot/cross_section_chart.h"
#include "plot/scene.h"
#include "run/rating_controller.h"

class QLabel;
class QLineEdit;

// The surveyed section, drawn from the scene the SVG picture is made of and
// measured with the widget's font.
class CrossSectionView : public QWidget {
  Q_OBJECT

 public:
  explicit CrossSectionView(QWidget* parent);
  // Draws `chart`; a chart without points leaves the widget blank.
  void SetChart(const rating::plot::CrossSectionChart& chart);
  // What it draws, for tests.
  [[nodiscard]] const rating::plot::Scene& Drawn() const { return scene_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  rating::plot::Scene scene_;
};

// The one Section window of a surveyed section: its ground points pasted
// with Ctrl+V or opened, its banks and overbanks' n, the points read and
// their picture. It draws what the controller decides and passes every
// paste and open to it. Closing it hides it: its fields stay for the next
// press.
class SectionWindow : public QDialog {
  Q_OBJECT

 public:
  SectionWindow(QWidget* parent, rating::RatingController& controller);

  [[nodiscard]] QLineEdit* Field(rating::InputField field) const;
  void ShowSection(const rating::plot::CrossSectionChart& chart, const std::string& summary);
  void ShowProblem(const std::string& message);

 private:
  rating::RatingController& controller_;
  std::array<QLineEdit*, rating::layout::kSectionFieldPlaces.size()> fields_{};  // in their places' order
  QLabel* read_;  // the points read, or why there are none
  CrossSectionView* picture_;
};
