#include "app/rating_curves_dialog.h"

#include <QPainter>

#include "plot/qt/scene_painter.h"

RatingCurvesDialog::RatingCurvesDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RatingCurves"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  resize(static_cast<int>(rating::plot::kRatingCurvesPageWidth),
         static_cast<int>(rating::plot::kRatingCurvesPageHeight));
}

void RatingCurvesDialog::SetCurves(const rating::plot::RatingCurves& curves, const QString& title) {
  scene_ = rating::plot::RatingCurvesScene(curves, rating::plot::QtTextMeasure(font()));
  setWindowTitle(title);
  update();
}

void RatingCurvesDialog::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  rating::plot::PaintScene(painter, rect(), scene_, rating::plot::QtTextMeasure(font()));
}
