#include "plot/cross_section_chart.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "messages/messages.h"
#include "plot/chart_frame.h"

namespace rating::plot {

namespace {

constexpr Color kGroundColor{0x6b, 0x4f, 0x2a};
constexpr Color kWaterColor{0x9c, 0xc8, 0xec};
constexpr Color kSurfaceColor{0x1f, 0x5f, 0xa8};
constexpr Color kBankColor{0x80, 0x80, 0x80};
constexpr double kWaterColumn = 4;      // page units, the widest column of water drawn
constexpr double kColumnOverlap = 0.5;  // page units
constexpr double kBankGap = 4;          // page units between a bank's line and its name
constexpr double kPageMargin = 10;      // page units
constexpr double kTop = 80;             // page units, below the headings
constexpr double kBelowFrame = 60;      // page units, for the station labels and axis title

// The elevation of the ground line at `station`, on the segment that holds it.
double GroundAt(const CrossSectionChart& chart, double station) {
  const auto after = std::upper_bound(chart.station.begin(), chart.station.end(), station);
  if (after == chart.station.begin()) return chart.elevation.front();
  if (after == chart.station.end()) return chart.elevation.back();
  const auto k = static_cast<std::size_t>(after - chart.station.begin());
  const double x0 = chart.station.at(k - 1);
  const double x1 = chart.station.at(k);
  const double y0 = chart.elevation.at(k - 1);
  return y0 + (chart.elevation.at(k) - y0) * (station - x0) / (x1 - x0);
}

}  // namespace

Scene CrossSectionScene(const CrossSectionChart& chart, const TextMeasure& measure) {
  Scene scene = BlankPage(kCrossSectionPageWidth, kCrossSectionPageHeight, chart.title, chart.subtitle);
  if (chart.station.empty()) return scene;

  ChartBuilder builder(scene, measure, chart.decimalSeparator);
  const double lineWidth = scene.width - 2 * kPageMargin;
  builder.Headings(chart.title, chart.subtitle, kPageMargin, lineWidth);
  // The ground is drawn over the water, below: first the frame alone.
  const Panel frameOnly{chart.station,
                        {{chart.elevation, kWhite, 0, false}},
                        std::string(Pattern(Message::CaptionStationAxis, chart.units)),
                        std::string(Pattern(Message::CaptionElevationAxis, chart.units))};
  const Margins margins = builder.MarginsOf(frameOnly);
  const Point topLeft{kPageMargin + margins.left, kTop};
  const double frameWidth = lineWidth - margins.left - margins.right;
  const double frameHeight = scene.height - kTop - kBelowFrame;
  const Frame frame = builder.Draw(frameOnly, topLeft, frameWidth, frameHeight);
  scene.items.pop_back();  // the white curve that only set the axes

  // The water: under the surface wherever the ground lies below it, in
  // columns a few page units wide that stop at the ground's higher side,
  // and the surface's line over them.
  if (chart.water) {
    const double surface = *chart.water;
    for (std::size_t k = 1; k < chart.station.size(); ++k) {
      const double x0 = chart.station[k - 1];
      const double x1 = chart.station[k];
      const double y0 = chart.elevation[k - 1];
      const double y1 = chart.elevation[k];
      if ((y0 >= surface && y1 >= surface) || x1 == x0) continue;
      // The wet part of the segment, cut where it meets the surface.
      const double from = y0 < surface ? x0 : x0 + (x1 - x0) * (surface - y0) / (y1 - y0);
      const double to = y1 < surface ? x1 : x0 + (x1 - x0) * (surface - y0) / (y1 - y0);
      const double across = frame.At(to, surface).x - frame.At(from, surface).x;  // page units
      const int columns = std::max(1, static_cast<int>(std::ceil(across / kWaterColumn)));
      for (int c = 0; c < columns; ++c) {
        const double left = from + (to - from) * c / columns;
        const double right = from + (to - from) * (c + 1) / columns;
        const Point top = frame.At(left, surface);
        Rect water;
        water.topLeft = top;
        // Each column overlaps the next a little, so that no seam shows
        // between them where a renderer smooths their edges.
        water.width = frame.At(right, surface).x - top.x + (c + 1 < columns ? kColumnOverlap : 0);
        water.height = frame.At(left, std::max(GroundAt(chart, left), GroundAt(chart, right))).y - top.y;
        water.stroked = false;
        water.filled = true;
        water.fill = kWaterColor;
        scene.items.emplace_back(water);
      }
      scene.items.emplace_back(Line{frame.At(from, surface), frame.At(to, surface), kSurfaceColor, 1.5});
    }
  }
  Polyline ground{{}, kGroundColor, 2};
  for (std::size_t k = 0; k < chart.station.size(); ++k) {
    ground.points.push_back(frame.At(chart.station[k], chart.elevation[k]));
  }
  scene.items.emplace_back(std::move(ground));

  // Each bank: a line from the ground to the frame's top, named there.
  const double ascent = measure.Ascent(kLabelFont);
  const std::array<std::pair<std::optional<double>, Message>, 2> banks = {
      {{chart.leftBank, Message::CaptionLeftBank}, {chart.rightBank, Message::CaptionRightBank}}};
  for (const auto& [bank, caption] : banks) {
    if (!bank) continue;
    const Point foot = frame.At(*bank, GroundAt(chart, *bank));
    scene.items.emplace_back(Line{foot, {foot.x, frame.topLeft.y}, kBankColor, 1.5});
    // The left bank's name stands left of its line, the right bank's right
    // of it, unless that would leave the frame: then on the other side.
    std::string name(Pattern(caption));
    const double width = measure.Advance(name, kLabelFont);
    bool left = caption == Message::CaptionLeftBank;
    if (left && foot.x - kBankGap - width < frame.topLeft.x) left = false;
    if (!left && foot.x + kBankGap + width > frame.topLeft.x + frame.width) left = true;
    scene.items.emplace_back(Text{{foot.x + (left ? -kBankGap : kBankGap), frame.topLeft.y + ascent + 4},
                                  std::move(name),
                                  kLabelFont,
                                  left ? Anchor::End : Anchor::Start,
                                  false,
                                  kBankColor});
  }
  return scene;
}

}  // namespace rating::plot
