#pragma once

#include <QDialog>

#include "plot/rating_curves.h"
#include "plot/scene.h"

// A window of its own with the rating curves of one run, the scene the SVG
// plots are made of, measured with the window's font. It does not block the
// main window.
class RatingCurvesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RatingCurvesDialog(QWidget* parent);

  // Shows the curves of another run, under `title`.
  void SetCurves(const rating::plot::RatingCurves& curves, const QString& title);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  rating::plot::Scene scene_;
};
