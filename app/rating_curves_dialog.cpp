#include "app/rating_curves_dialog.h"

#include <QPainter>

RatingCurvesDialog::RatingCurvesDialog(rating::RatingCurves curves, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RatingCurves"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  resize(rating::kRatingCurvesPage);
  SetCurves(std::move(curves));
}

void RatingCurvesDialog::SetCurves(rating::RatingCurves curves) {
  curves_ = std::move(curves);
  setWindowTitle(QStringLiteral("Rating Curves – ") + curves_.title);
  update();
}

void RatingCurvesDialog::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  // The page keeps its proportions, centred, so that text is not stretched.
  QSizeF page(rating::kRatingCurvesPage);
  page.scale(size(), Qt::KeepAspectRatio);
  const QRectF area(QPointF((width() - page.width()) / 2, (height() - page.height()) / 2), page);
  rating::DrawRatingCurves(painter, area, curves_);
}
