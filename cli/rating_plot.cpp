#include "cli/rating_plot.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <vector>

#include "engine/failure.h"

namespace rating::cli {

namespace {

constexpr int kWidth = 960;  // px
constexpr int kHeight = 540;
constexpr int kTicks = 5;  // about this many intervals on an axis

// An axis range widened to round tick values: 0, 500, 1000, ...
struct Axis {
  double low = 0;
  double high = 1;
  double step = 1;
  [[nodiscard]] int Intervals() const { return static_cast<int>(std::lround((high - low) / step)); }
  [[nodiscard]] double Tick(int k) const { return low + k * step; }
};

Axis NiceAxis(double low, double high) {
  if (!(high > low)) high = low + 1;
  const double rough = (high - low) / kTicks;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power * 10;
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (power * factor >= rough) {
      step = power * factor;
      break;
    }
  }
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

QString TickText(double value) { return QString::number(std::abs(value) < 1e-9 ? 0.0 : value, 'g', 6); }

// One panel: elevation (up) against `x` (across), inside `frame`.
void DrawPanel(QPainter& painter, const QRectF& frame, const std::vector<double>& x,
               const std::vector<double>& y, const QString& xLabel) {
  const Axis across = NiceAxis(*std::min_element(x.begin(), x.end()), *std::max_element(x.begin(), x.end()));
  const Axis up = NiceAxis(*std::min_element(y.begin(), y.end()), *std::max_element(y.begin(), y.end()));
  const auto toPoint = [&](double xv, double yv) {
    return QPointF(frame.left() + (xv - across.low) / (across.high - across.low) * frame.width(),
                   frame.bottom() - (yv - up.low) / (up.high - up.low) * frame.height());
  };

  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(frame);
  const QFontMetricsF metrics(painter.font());
  for (int k = 0; k <= across.Intervals(); ++k) {
    const double v = across.Tick(k);
    const QPointF at = toPoint(v, up.low);
    painter.drawLine(at, at + QPointF(0, 5));
    const QString text = TickText(v);
    painter.drawText(at + QPointF(-metrics.horizontalAdvance(text) / 2, 5 + metrics.ascent()), text);
  }
  for (int k = 0; k <= up.Intervals(); ++k) {
    const double v = up.Tick(k);
    const QPointF at = toPoint(across.low, v);
    painter.drawLine(at, at - QPointF(5, 0));
    const QString text = TickText(v);
    painter.drawText(at + QPointF(-8 - metrics.horizontalAdvance(text), metrics.ascent() / 2 - 1), text);
  }
  painter.drawText(QRectF(frame.left(), frame.bottom() + 22, frame.width(), 20), Qt::AlignCenter, xLabel);
  painter.save();
  painter.translate(frame.left() - 58, frame.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-frame.height() / 2, -10, frame.height(), 20), Qt::AlignCenter,
                   QStringLiteral("Elevation (ft)"));
  painter.restore();

  QPainterPath curve;
  curve.moveTo(toPoint(x.front(), y.front()));
  for (std::size_t i = 1; i < x.size(); ++i) curve.lineTo(toPoint(x[i], y[i]));
  painter.setPen(QPen(QColor(0x1f, 0x5f, 0xa8), 2));
  painter.drawPath(curve);
  painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
  for (std::size_t i = 0; i < x.size(); ++i) painter.drawEllipse(toPoint(x[i], y[i]), 2.5, 2.5);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
}

}  // namespace

void WriteRatingPlot(const std::vector<RatingFileRow>& rows, const std::string& title,
                     const std::string& parameterLine, const std::string& path,
                     std::vector<SafeFile>* pending) {
  std::vector<double> elevation;
  std::vector<double> flow;
  std::vector<double> storage;
  for (const RatingFileRow& row : rows) {
    elevation.push_back(row.elevation);
    flow.push_back(row.flow);
    storage.push_back(row.storage);
  }

  // Created first, so that a plot that cannot be written is reported before
  // it is drawn.
  std::optional<SafeFile> file;
  try {
    file.emplace(path);
  } catch (const std::system_error& error) {
    throw FileFailure(FailureKind::PlotFile, path, error.code());
  }

  QByteArray drawing;
  QBuffer buffer(&drawing);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(kWidth, kHeight));
  svg.setViewBox(QRect(0, 0, kWidth, kHeight));
  svg.setTitle(QString::fromStdString(title));
  svg.setDescription(QString::fromStdString(parameterLine));

  QPainter painter(&svg);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);

  QFont heading = font;
  heading.setPixelSize(18);
  heading.setBold(true);
  painter.setFont(heading);
  painter.drawText(QRectF(0, 12, kWidth, 26), Qt::AlignCenter, QString::fromStdString(title));
  painter.setFont(font);
  painter.drawText(QRectF(0, 40, kWidth, 18), Qt::AlignCenter, QString::fromStdString(parameterLine));

  DrawPanel(painter, QRectF(90, 80, 360, 380), flow, elevation, QStringLiteral("Flow (cfs)"));
  DrawPanel(painter, QRectF(570, 80, 360, 380), storage, elevation, QStringLiteral("Storage (acre-ft)"));
  painter.end();

  try {
    file->Write(std::string_view(drawing.constData(), static_cast<std::size_t>(drawing.size())));
    if (pending != nullptr) {
      file->Finish();
      pending->push_back(std::move(*file));
    } else {
      file->Commit();
    }
  } catch (const std::system_error& error) {
    throw FileFailure(FailureKind::PlotFile, path, error.code());
  }
}

}  // namespace rating::cli
