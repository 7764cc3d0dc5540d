#include "plot/rating_curves.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
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

// The decimals a round value needs to be written exactly: 0 for 250, 1 for
// 2.5, 3 for 0.001. A labelled tick is the axis's low end plus a whole number
// of labelled steps, so with the decimals of both no two labels read the same.
int DecimalsOf(double step) {
  constexpr int kMostDecimals = 12;
  for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
    const double scaled = step * std::pow(10.0, decimals);
    if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled) return decimals;
  }
  return kMostDecimals;
}

QString TickText(double value, int decimals) {
  const double shown = std::abs(value) < 1e-12 ? 0.0 : value;  // no "-0"
  return QString::number(shown, 'f', decimals);
}

// The labels of an axis's ticks, in order; every other tick goes unlabelled
// (an empty text) on an axis of many intervals.
std::vector<QString> Labels(const Axis& axis) {
  std::vector<QString> labels;
  const bool thinned = axis.Intervals() > kLabelledIntervals;
  const int decimals =
      std::max(DecimalsOf(thinned ? 2 * axis.step : axis.step), DecimalsOf(std::abs(axis.low)));
  for (int k = 0; k <= axis.Intervals(); ++k) {
    const bool labelled = !thinned || k % 2 == 0;
    labels.push_back(labelled ? TickText(axis.Tick(k), decimals) : QString());
  }
  return labels;
}

double WidestLabel(const QFontMetricsF& metrics, const std::vector<QString>& labels) {
  double widest = 0;
  for (const QString& label : labels) widest = std::max(widest, metrics.horizontalAdvance(label));
  return widest;
}

constexpr double kTickLength = 5;  // px
constexpr double kLabelGap = 3;    // px between a tick and its label, and between a label and the axis title

// The room a panel needs around its frame for its labels, px.
struct Margins {
  double left = 0;
  double right = 0;
};

Margins MarginsOf(const QFontMetricsF& metrics, const std::vector<double>& x, const std::vector<double>& y) {
  const std::vector<QString> across = Labels(NiceAxis(x));
  const double upLabels = WidestLabel(metrics, Labels(NiceAxis(y)));
  return {kTickLength + kLabelGap + upLabels + kLabelGap + metrics.height() + kLabelGap,
          metrics.horizontalAdvance(across.back()) / 2 + kLabelGap};
}

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

  const std::vector<QString> acrossLabels = Labels(across);
  for (int k = 0; k <= across.Intervals(); ++k) {
    const QPointF at = toPoint(across.Tick(k), up.low);
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(QPointF(at.x(), frame.top()), at);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(at, at + QPointF(0, kTickLength));
    const QString& text = acrossLabels.at(static_cast<std::size_t>(k));
    painter.drawText(at + QPointF(-metrics.horizontalAdvance(text) / 2, kTickLength + metrics.ascent()),
                     text);
  }
  const std::vector<QString> upLabels = Labels(up);
  for (int k = 0; k <= up.Intervals(); ++k) {
    const QPointF at = toPoint(across.low, up.Tick(k));
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(at, QPointF(frame.right(), at.y()));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(at, at - QPointF(kTickLength, 0));
    const QString& text = upLabels.at(static_cast<std::size_t>(k));
    painter.drawText(
        at + QPointF(-kTickLength - kLabelGap - metrics.horizontalAdvance(text), metrics.ascent() / 2 - 1),
        text);
  }
  painter.drawRect(frame);
  painter.drawText(QRectF(frame.left(), frame.bottom() + 22, frame.width(), 20), Qt::AlignCenter, xLabel);
  // The axis title stands clear of the widest tick label.
  const double titleCentre =
      kTickLength + kLabelGap + WidestLabel(metrics, upLabels) + kLabelGap + metrics.height() / 2;
  painter.save();
  painter.translate(frame.left() - titleCentre, frame.center().y());
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

std::vector<QString> TickLabels(const std::vector<double>& values) { return Labels(NiceAxis(values)); }

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
  // A title or subtitle too long for the page is cut short with an
  // ellipsis, never clipped at both ends.
  constexpr double kPageMargin = 10;  // px
  const double lineWidth = width - 2 * kPageMargin;
  painter.setFont(heading);
  painter.drawText(QRectF(kPageMargin, 12, lineWidth, 26), Qt::AlignCenter,
                   QFontMetricsF(heading).elidedText(curves.title, Qt::ElideRight, lineWidth));
  painter.setFont(font);
  painter.drawText(QRectF(kPageMargin, 40, lineWidth, 18), Qt::AlignCenter,
                   QFontMetricsF(font).elidedText(curves.subtitle, Qt::ElideRight, lineWidth));

  const QString elevation = QStringLiteral("Elevation (ft)");
  const QString outflow = QStringLiteral("Outflow (cfs)");
  struct Panel {
    const std::vector<double>& x;
    const std::vector<double>& y;
    QString xLabel;
    QString yLabel;
  };
  const std::array<Panel, 3> panels = {
      {{curves.flow, curves.elevation, QStringLiteral("Flow (cfs)"), elevation},
       {curves.storage, curves.elevation, QStringLiteral("Storage (acre-ft)"), elevation},
       {curves.storage, curves.flow, QStringLiteral("Storage (acre-ft)"), outflow}}};
  // Each panel has a third of the page; its frame leaves room on the left
  // for its tick labels and axis title, and on the right for half its last
  // tick label. The frames are as wide as the most crowded panel allows.
  const QFontMetricsF metrics(font);
  const double slot = lineWidth / static_cast<double>(panels.size());
  std::array<Margins, 3> margins{};
  double frameWidth = slot;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    margins.at(i) = MarginsOf(metrics, panels.at(i).x, panels.at(i).y);
    frameWidth = std::min(frameWidth, slot - margins.at(i).left - margins.at(i).right);
  }
  constexpr double kTop = 80;
  constexpr double kPanelHeight = 360;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const Panel& panel = panels.at(i);
    const double left = static_cast<double>(i) * slot + kPageMargin + margins.at(i).left;
    DrawPanel(painter, QRectF(left, kTop, frameWidth, kPanelHeight), panel.x, panel.y, panel.xLabel,
              panel.yLabel);
  }
  painter.restore();
}

}  // namespace rating
