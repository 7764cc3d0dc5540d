#include "plot/scene.h"

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

}  // namespace rating::plot
