#include "plot/rating_curves.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "output/reach_description.h"

namespace rating {

namespace {

constexpr int kMinimumIntervals = 10;  // gridlines per axis, at least
constexpr int kLabelledIntervals = 8;  // above this, every other tick is labelled
const QColor kCurveColor(0x1f, 0x5f, 0xa8);
const QColor kGridColor(0xdd, 0xdd, 0xdd);

// An axis from a round value to a round value in round steps: 0, 250, 500, ...
struct Axis {
  double low = 0;
  double high = 1;
  double step = 1;
  [[nodiscard]] int Intervals() const { return static_cast<int>(std::lround((high - low) / step)); }
  [[nodiscard]] double Tick(int k) const { return low + k * step; }
};

// The largest step of 1, 2, 2.5 or 5 times a power of ten that divides the
// range into at least kMinimumIntervals, widened so that the largest value
// lies inside the frame, not on it.
Axis NiceAxis(const std::vector<double>& values) {
  const double low = *std::min_element(values.begin(), values.end());
  double high = *std::max_element(values.begin(), values.end());
  if (!(high > low)) high = low + 1;
  const double rough = (high - low) / kMinimumIntervals;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (const double factor : {2.0, 2.5, 5.0, 10.0}) {
    if (power * factor <= rough) step = power * factor;
  }
  Axis axis{std::floor(low / step) * step, std::ceil(high / step) * step, step};
  if (axis.high - high < 0.02 * (axis.high - axis.low)) axis.high += step;
  return axis;
}

QString TickText(double value) { return QString::number(std::abs(value) < 1e-9 ? 0.0 : value, 'g', 6); }

// One panel: `y` (up) against `x` (across), inside `frame`.
void DrawPanel(QPainter& painter, const QRectF& frame, const std::vector<double>& x,
               const std::vector<double>& y, const QString& xLabel, const QString& yLabel) {
  const Axis across = NiceAxis(x);
  const Axis up = NiceAxis(y);
  const auto toPoint = [&](double xv, double yv) {
    return QPointF(frame.left() + (xv - across.low) / (across.high - across.low) * frame.width(),
                   frame.bottom() - (yv - up.low) / (up.high - up.low) * frame.height());
  };
  const QFontMetricsF metrics(painter.font());

  for (int k = 0; k <= across.Intervals(); ++k) {
    const QPointF at = toPoint(across.Tick(k), up.low);
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(QPointF(at.x(), frame.top()), at);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(at, at + QPointF(0, 5));
    if (across.Intervals() > kLabelledIntervals && k % 2 != 0) continue;
    const QString text = TickText(across.Tick(k));
    painter.drawText(at + QPointF(-metrics.horizontalAdvance(text) / 2, 5 + metrics.ascent()), text);
  }
  for (int k = 0; k <= up.Intervals(); ++k) {
    const QPointF at = toPoint(across.low, up.Tick(k));
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(at, QPointF(frame.right(), at.y()));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(at, at - QPointF(5, 0));
    if (up.Intervals() > kLabelledIntervals && k % 2 != 0) continue;
    const QString text = TickText(up.Tick(k));
    painter.drawText(at + QPointF(-8 - metrics.horizontalAdvance(text), metrics.ascent() / 2 - 1), text);
  }
  painter.drawRect(frame);
  painter.drawText(QRectF(frame.left(), frame.bottom() + 22, frame.width(), 20), Qt::AlignCenter, xLabel);
  painter.save();
  painter.translate(frame.left() - 58, frame.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-frame.height() / 2, -10, frame.height(), 20), Qt::AlignCenter, yLabel);
  painter.restore();

  QPainterPath curve;
  curve.moveTo(toPoint(x.front(), y.front()));
  for (std::size_t i = 1; i < x.size(); ++i) curve.lineTo(toPoint(x[i], y[i]));
  painter.setPen(QPen(kCurveColor, 2));
  painter.drawPath(curve);
  painter.setBrush(kCurveColor);
  for (std::size_t i = 0; i < x.size(); ++i) painter.drawEllipse(toPoint(x[i], y[i]), 2.5, 2.5);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
}

}  // namespace

RatingCurves CurvesOf(const RatingResult& result, const std::string& title,
                      std::string_view decimalSeparator) {
  RatingCurves curves;
  curves.title = QString::fromStdString(title);
  curves.subtitle = QString::fromStdString(ReachDescription(result.channel, decimalSeparator));
  for (const RatingFileRow& row : result.fileRows) {
    curves.elevation.push_back(row.elevation);
    curves.flow.push_back(row.flow);
    curves.storage.push_back(row.storage);
  }
  return curves;
}

void DrawRatingCurves(QPainter& painter, const QRectF& page, const RatingCurves& curves) {
  if (curves.elevation.empty()) return;
  painter.save();
  painter.translate(page.topLeft());
  painter.scale(page.width() / kRatingCurvesPage.width(), page.height() / kRatingCurvesPage.height());
  const double width = kRatingCurvesPage.width();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(0, 0, width, kRatingCurvesPage.height()), Qt::white);

  QFont font = painter.font();
  font.setPixelSize(12);
  QFont heading = font;
  heading.setPixelSize(18);
  heading.setBold(true);
  painter.setPen(QPen(Qt::black, 1));
  painter.setFont(heading);
  painter.drawText(QRectF(0, 12, width, 26), Qt::AlignCenter, curves.title);
  painter.setFont(font);
  painter.drawText(QRectF(0, 40, width, 18), Qt::AlignCenter, curves.subtitle);

  const QString elevation = QStringLiteral("Elevation (ft)");
  const QString flow = QStringLiteral("Flow (cfs)");
  const QString storage = QStringLiteral("Storage (acre-ft)");
  constexpr double kTop = 80;
  constexpr double kPanelWidth = 300;
  constexpr double kPanelHeight = 360;
  DrawPanel(painter, QRectF(90, kTop, kPanelWidth, kPanelHeight), curves.flow, curves.elevation, flow,
            elevation);
  DrawPanel(painter, QRectF(490, kTop, kPanelWidth, kPanelHeight), curves.storage, curves.elevation, storage,
            elevation);
  DrawPanel(painter, QRectF(890, kTop, kPanelWidth, kPanelHeight), curves.storage, curves.flow, storage,
            QStringLiteral("Outflow (cfs)"));
  painter.restore();
}

}  // namespace rating
