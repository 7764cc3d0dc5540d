#include "plot/scene.h"

#include <algorithm>

namespace rating::plot {

namespace {

constexpr std::string_view kEllipsis = "…";

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U; }

}  // namespace

std::string Elided(std::string_view text, double width, const Font& font, const TextMeasure& measure) {
  if (measure.Advance(text, font) <= width) return std::string(text);
  std::string_view kept = text;
  while (!kept.empty()) {
    // Drop the last whole character.
    std::size_t end = kept.size() - 1;
    while (end > 0 && IsContinuationByte(kept[end])) --end;
    kept = kept.substr(0, end);
    std::string shortened = std::string(kept) + std::string(kEllipsis);
    if (measure.Advance(shortened, font) <= width) return shortened;
  }
  return std::string(kEllipsis);
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
