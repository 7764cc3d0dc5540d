#pragma once

#include <string>
#include <string_view>

#include "plot/scene.h"

namespace rating::plot {

// The face an SVG document names, with the advances of DejaVu Sans, so that
// a document lays out the same on every machine whatever fonts it has.
class SvgTextMeasure final : public TextMeasure {
 public:
  [[nodiscard]] double Advance(std::string_view text, const Font& font) const override;
  [[nodiscard]] double Ascent(const Font& font) const override;
  [[nodiscard]] double Descent(const Font& font) const override;
};

// `scene` as a standalone SVG 1.1 document in UTF-8: its title and
// description first, then one element per item, coordinates to two
// decimals, every text escaped. The same scene gives the same bytes on
// every system.
std::string SvgDocument(const Scene& scene);

// Text as XML character data or an attribute value, and so as HTML: the
// markup characters escaped, and the control characters XML 1.0 forbids,
// even escaped, as blanks.
std::string MarkupEscaped(std::string_view text);

}  // namespace rating::plot
