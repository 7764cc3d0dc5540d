#pragma once

#include <QDialog>

#include "plot/rating_curves.h"

// A window of its own with the rating curves of one run, drawn as the
// command line's SVG plots are. It does not block the main window.
class RatingCurvesDialog : public QDialog {
  Q_OBJECT

 public:
  RatingCurvesDialog(rating::RatingCurves curves, QWidget* parent);

  // Shows the curves of another run.
  void SetCurves(rating::RatingCurves curves);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  rating::RatingCurves curves_;
};
