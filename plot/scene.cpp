#include "plot/scene.h"

#include <algorithm>
#include <vector>

namespace rating::plot {

namespace {

constexpr std::string_view kEllipsis = "…";

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

}  // namespace

std::string Elided(std::string_view text, double width, const Font& font, const TextMeasure& measure) {
  if (measure.Advance(text, font) <= width) return std::string(text);
  // Where each whole character ends: the text may be cut at any of them.
  std::vector<std::size_t> ends;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (!IsContinuationByte(text[i])) ends.push_back(i);
  }
  const auto shortened = [&](std::size_t count) {
    return std::string(text.substr(0, count == 0 ? 0 : ends[count - 1])) + std::string(kEllipsis);
  };
  // The most characters that fit with the ellipsis, found by halving: a
  // title of ten thousand characters is measured some fifteen times.
  std::size_t fits = 0;                // characters known to fit
  std::size_t over = ends.size() + 1;  // characters known not to fit
  while (over - fits > 1) {
    const std::size_t count = fits + (over - fits) / 2;
    (measure.Advance(shortened(count), font) <= width ? fits : over) = count;
  }
  return shortened(fits);
}

double AnchorShift(const Text& text, const TextMeasure& measure) {
  switch (text.anchor) {
    case Anchor::Start: return 0;
    case Anchor::Middle: return measure.Advance(text.text, text.font) / 2;
    case Anchor::End: return measure.Advance(text.text, text.font);
  }
  return 0;
}

SceneFit FitScene(const Scene& scene, double width, double height) {
  const double scale = std::min(width / scene.width, height / scene.height);
  return {scale, (width - scene.width * scale) / 2, (height - scene.height * scale) / 2};
}

}  // namespace rating::plot
