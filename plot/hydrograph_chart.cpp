#include "plot/hydrograph_chart.h"

#include <algorithm>
#include <string_view>

#include "engine/decimal_text.h"
#include "messages/messages.h"
#include "plot/chart_frame.h"

namespace rating::plot {

namespace {

constexpr Color kInflowColor{0x80, 0x80, 0x80};
constexpr double kPageMargin = 10;   // page units
constexpr double kTop = 80;          // page units, below the headings
constexpr double kBelowFrame = 60;   // page units, for the time labels and axis title
constexpr double kKeyLine = 24;      // page units, the stroke beside a key's word
constexpr double kPeakRadius = 4.5;  // page units

}  // namespace

Scene HydrographScene(const HydrographChart& chart, const TextMeasure& measure) {
  Scene scene = BlankPage(kHydrographPageWidth, kHydrographPageHeight, chart.title, chart.subtitle);
  if (chart.time.empty()) return scene;

  ChartBuilder builder(scene, measure, chart.decimalSeparator);
  const double lineWidth = scene.width - 2 * kPageMargin;
  builder.Headings(chart.title, chart.subtitle, kPageMargin, lineWidth);
  const Panel panel{chart.time,
                    {{chart.inflow, kInflowColor, 2, false}, {chart.outflow, kCurveColor, 2, false}},
                    std::string(Pattern(Message::CaptionTimeAxis)),
                    std::string(Pattern(Message::CaptionFlowAxis, chart.units))};
  const Margins margins = builder.MarginsOf(panel);
  const double frameWidth = lineWidth - margins.left - margins.right;
  const Frame frame =
      builder.Draw(panel, {kPageMargin + margins.left, kTop}, frameWidth, scene.height - kTop - kBelowFrame);

  // The key, in the frame's top right corner.
  const double ascent = measure.Ascent(kLabelFont);
  const double right = frame.topLeft.x + frame.width - kPageMargin;
  double baseline = frame.topLeft.y + kPageMargin + ascent;
  for (const auto& [word, color] :
       {std::pair{Message::CaptionInflow, kInflowColor}, std::pair{Message::CaptionOutflow, kCurveColor}}) {
    const std::string text(Pattern(word));
    const double start = right - measure.Advance(text, kLabelFont);
    const double middle = baseline - ascent / 3;
    scene.items.emplace_back(Line{{start - 6 - kKeyLine, middle}, {start - 6, middle}, color, 2});
    scene.items.emplace_back(Text{{start, baseline}, text, kLabelFont, Anchor::Start, false, kBlack});
    baseline += builder.LineHeight() + 4;
  }

  // Each peak: a dot, and its flow and time beside it, the inflow's to the
  // left of its dot and the outflow's, which comes later, to the right; a
  // label that would leave the frame turns back, and the outflow's goes
  // below its dot where it would still meet the inflow's.
  struct Placed {
    double left = 0;    // page units
    double right = 0;   // page units
    double top = 0;     // page units
    double bottom = 0;  // page units
  };
  const double descent = measure.Descent(kLabelFont);
  const auto markPeak = [&](std::size_t at, const std::vector<double>& flow, Color color, bool left,
                            const Placed* clearOf) {
    const Point dot = frame.At(chart.time.at(at), flow.at(at));
    scene.items.emplace_back(Dot{dot, kPeakRadius, color});
    std::string label = ComposeIn(chart.units, Message::ChartPeak,
                                  Arg<"flow">(ReadableNumber(flow.at(at), chart.decimalSeparator)),
                                  Arg<"time">(ReadableNumber(chart.time.at(at), chart.decimalSeparator)));
    const double width = measure.Advance(label, kLabelFont);
    if (left && dot.x - 8 - width < frame.topLeft.x) left = false;
    if (!left && dot.x + 8 + width > frame.topLeft.x + frame.width) left = true;
    const double x = dot.x + (left ? -8 : 8);
    // Above the dot, unless that crosses the frame's top: then below it.
    double baseline = dot.y - 8;
    if (baseline - ascent < frame.topLeft.y) baseline = dot.y + 8 + ascent;
    Placed placed{left ? x - width : x, left ? x : x + width, baseline - ascent, baseline + descent};
    if (clearOf != nullptr && placed.left < clearOf->right && clearOf->left < placed.right &&
        placed.top < clearOf->bottom && clearOf->top < placed.bottom) {
      baseline = std::max(dot.y + 8 + ascent, clearOf->bottom + ascent + 2);
      placed.top = baseline - ascent;
      placed.bottom = baseline + descent;
    }
    scene.items.emplace_back(
        Text{{x, baseline}, std::move(label), kLabelFont, left ? Anchor::End : Anchor::Start, false, color});
    return placed;
  };
  const Placed inflowLabel = markPeak(chart.inflowPeak, chart.inflow, kInflowColor, true, nullptr);
  markPeak(chart.outflowPeak, chart.outflow, kCurveColor, false, &inflowLabel);
  return scene;
}

}  // namespace rating::plot
