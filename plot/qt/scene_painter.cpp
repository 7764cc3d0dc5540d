#include "plot/qt/scene_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

namespace rating::plot {

namespace {

QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQt(Color color) { return {color.red, color.green, color.blue}; }

QPointF ToQt(Point point) { return {point.x, point.y}; }

// Draws one item; the painter holds the scene's scale.
class ItemPainter {
 public:
  ItemPainter(QPainter& painter, const QtTextMeasure& measure) : painter_(painter), measure_(measure) {}

  void operator()(const Line& line) {
    painter_.setPen(QPen(ToQt(line.color), line.width));
    painter_.drawLine(ToQt(line.from), ToQt(line.to));
  }
  void operator()(const Polyline& polyline) {
    QPolygonF points;
    for (const Point& point : polyline.points) points << ToQt(point);
    QPen pen(ToQt(polyline.color), polyline.width);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolyline(points);
  }
  void operator()(const Rect& rect) {
    painter_.setPen(rect.stroked ? QPen(ToQt(rect.stroke), rect.strokeWidth) : QPen(Qt::NoPen));
    painter_.setBrush(rect.filled ? QBrush(ToQt(rect.fill)) : QBrush(Qt::NoBrush));
    painter_.drawRect(QRectF(ToQt(rect.topLeft), QSizeF(rect.width, rect.height)));
  }
  void operator()(const Dot& dot) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQt(dot.color));
    painter_.drawEllipse(ToQt(dot.centre), dot.radius, dot.radius);
  }
  void operator()(const Text& text) {
    const QString shown = ToQt(text.text);
    const double shift = AnchorShift(text, measure_);
    painter_.save();
    painter_.setFont(measure_.QtFont(text.font));
    painter_.setPen(ToQt(text.color));
    painter_.translate(ToQt(text.anchorAt));
    if (text.rotated) painter_.rotate(-90);
    painter_.drawText(QPointF(-shift, 0), shown);
    painter_.restore();
  }

 private:
  QPainter& painter_;
  const QtTextMeasure& measure_;
};

}  // namespace

QFont QtTextMeasure::QtFont(const Font& font) const {
  QFont qt = base_;
  qt.setPixelSize(static_cast<int>(font.size));
  qt.setBold(font.bold);
  return qt;
}

double QtTextMeasure::Advance(std::string_view text, const Font& font) const {
  return QFontMetricsF(QtFont(font)).horizontalAdvance(ToQt(text));
}

double QtTextMeasure::Ascent(const Font& font) const { return QFontMetricsF(QtFont(font)).ascent(); }

double QtTextMeasure::Descent(const Font& font) const { return QFontMetricsF(QtFont(font)).descent(); }

void PaintScene(QPainter& painter, const QRectF& area, const Scene& scene, const QtTextMeasure& measure) {
  if (scene.width <= 0 || scene.height <= 0) return;
  const SceneFit fit = FitScene(scene, area.width(), area.height());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(area.left() + fit.left, area.top() + fit.top);
  painter.scale(fit.scale, fit.scale);
  ItemPainter draw(painter, measure);
  for (const Item& item : scene.items) std::visit(draw, item);
  painter.restore();
}

}  // namespace rating::plot
