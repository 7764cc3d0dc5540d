#pragma once

#include <QFont>
#include <QRectF>

#include "plot/scene.h"

class QPainter;

namespace rating::plot {

// Text widths from a Qt font: `base` at each size and weight of the scene.
class QtTextMeasure final : public TextMeasure {
 public:
  explicit QtTextMeasure(const QFont& base) : base_(base) {}
  [[nodiscard]] double Advance(std::string_view text, const Font& font) const override;
  [[nodiscard]] double Ascent(const Font& font) const override;
  [[nodiscard]] double Descent(const Font& font) const override;
  // `base` at the size and weight of `font`.
  [[nodiscard]] QFont QtFont(const Font& font) const;

 private:
  QFont base_;
};

// Draws `scene` anti-aliased in `area`, scaled to keep its proportions and
// centred there, with the fonts of `measure`.
void PaintScene(QPainter& painter, const QRectF& area, const Scene& scene, const QtTextMeasure& measure);

}  // namespace rating::plot
