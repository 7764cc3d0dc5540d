#include "plot/chart_frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/decimal_text.h"

namespace rating::plot {

namespace {

constexpr int kMinimumIntervals = 10;  // gridlines per axis, at least
constexpr int kLabelledIntervals = 8;  // above this, every other tick is labelled
constexpr Color kGridColor{0xdd, 0xdd, 0xdd};

// 10 to the power `exponent`, by multiplying and dividing alone: unlike pow
// and log10, these round alike in every C library, so a drawing's bytes are
// the same on every system.
double PowerOfTen(int exponent) {
  double power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  for (int i = 0; i > exponent; --i) power /= 10;
  return power;
}

// The largest power of ten not above `value` (> 0).
double PowerOfTenBelow(double value) {
  int exponent = 0;
  while (PowerOfTen(exponent) > value) --exponent;
  while (PowerOfTen(exponent + 1) <= value) ++exponent;
  return PowerOfTen(exponent);
}

}  // namespace

int Axis::Intervals() const { return static_cast<int>(std::lround((high - low) / step)); }

Axis NiceAxis(double low, double high) {
  // A flat series, or one flat to six figures (a steady flow routed, which
  // differs from itself in the last bits), spans a power of ten either side
  // of its value, and 0 to 1 at 0: never a range of rounding noise.
  if (SameToReadableFigures(low, high)) {
    const double value = (low + high) / 2;
    const double margin = value == 0 ? 1 : PowerOfTenBelow(std::abs(value));
    low = value == 0 ? 0 : value - margin;
    high = value + margin;
  }
  const double rough = (high - low) / kMinimumIntervals;
  const double power = PowerOfTenBelow(rough);
  double step = power;
  for (const double factor : {2.0, 2.5, 5.0, 10.0}) {
    if (power * factor <= rough) step = power * factor;
  }
  Axis axis{std::floor(low / step) * step, std::ceil(high / step) * step, step};
  if (axis.high - high < 0.02 * (axis.high - axis.low)) axis.high += step;
  return axis;
}

namespace {

// The decimals a round value needs to be written exactly: 0 for 250, 1 for
// 2.5, 3 for 0.001. A labelled tick is the axis's low end plus a whole number
// of labelled steps, so with the decimals of both no two labels read the same.
int DecimalsOf(double step) {
  constexpr int kMostDecimals = 12;
  for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
    const double scaled = step * PowerOfTen(decimals);
    if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled) return decimals;
  }
  return kMostDecimals;
}

std::string TickText(double value, int decimals, std::string_view separator) {
  const double shown = std::abs(value) < 1e-12 ? 0.0 : value;  // no "-0"
  return WithDecimalMark(FixedText(shown, decimals), separator);
}

// Every how many ticks an axis is labelled: every other one on an axis of
// many intervals.
int LabelStride(const Axis& axis) { return axis.Intervals() > kLabelledIntervals ? 2 : 1; }

// The labels of an axis's ticks, in order: every `stride`-th tick labelled,
// the others with an empty text.
std::vector<std::string> Labels(const Axis& axis, std::string_view separator, int stride) {
  std::vector<std::string> labels;
  const int decimals = std::max(DecimalsOf(stride * axis.step), DecimalsOf(std::abs(axis.low)));
  for (int k = 0; k <= axis.Intervals(); ++k) {
    labels.push_back(k % stride == 0 ? TickText(axis.Tick(k), decimals, separator) : std::string());
  }
  return labels;
}

}  // namespace

std::vector<std::string> Labels(const Axis& axis, std::string_view separator) {
  return Labels(axis, separator, LabelStride(axis));
}

namespace {

double WidestLabel(const TextMeasure& measure, const std::vector<std::string>& labels) {
  double widest = 0;
  for (const std::string& label : labels) widest = std::max(widest, measure.Advance(label, kLabelFont));
  return widest;
}

constexpr double kTickLength = 5;  // page units
constexpr double kLabelGap = 3;    // page units between a tick and its label, and a label and the axis title

// The axis up a panel: round values around every series.
Axis UpAxis(const Panel& panel) {
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (const Series& series : panel.series) {
    if (series.y.empty()) continue;
    low = std::min(low, *std::min_element(series.y.begin(), series.y.end()));
    high = std::max(high, *std::max_element(series.y.begin(), series.y.end()));
  }
  return NiceAxis(low, high);
}

Axis AcrossAxis(const Panel& panel) {
  return NiceAxis(*std::min_element(panel.x.begin(), panel.x.end()),
                  *std::max_element(panel.x.begin(), panel.x.end()));
}

}  // namespace

Point Frame::At(double x, double y) const {
  return {topLeft.x + (x - across.low) / (across.high - across.low) * width,
          topLeft.y + height - (y - up.low) / (up.high - up.low) * height};
}

double ChartBuilder::LineHeight() const { return measure_.Ascent(kLabelFont) + measure_.Descent(kLabelFont); }

Margins ChartBuilder::MarginsOf(const Panel& panel) const {
  const std::vector<std::string> across = Labels(AcrossAxis(panel), separator_);
  const double upLabels = WidestLabel(measure_, Labels(UpAxis(panel), separator_));
  return {kTickLength + kLabelGap + upLabels + kLabelGap + LineHeight() + kLabelGap,
          measure_.Advance(across.back(), kLabelFont) / 2 + kLabelGap};
}

void ChartBuilder::CentredText(double centreX, double top, double height, std::string text,
                               const Font& font) {
  const double baseline = top + height / 2 + (measure_.Ascent(font) - measure_.Descent(font)) / 2;
  scene_.items.emplace_back(Text{{centreX, baseline}, std::move(text), font, Anchor::Middle, false, kBlack});
}

void ChartBuilder::Headings(std::string_view title, std::string_view subtitle, double left,
                            double lineWidth) {
  CentredText(left + lineWidth / 2, 12, 26, Elided(title, lineWidth, kHeadingFont, measure_), kHeadingFont);
  CentredText(left + lineWidth / 2, 40, 18, Elided(subtitle, lineWidth, kLabelFont, measure_), kLabelFont);
}

Frame ChartBuilder::Draw(const Panel& panel, Point topLeft, double width, double height) {
  const Frame frame{AcrossAxis(panel), UpAxis(panel), topLeft, width, height};
  const Axis& across = frame.across;
  const Axis& up = frame.up;
  const double bottom = topLeft.y + height;
  const double right = topLeft.x + width;
  const double ascent = measure_.Ascent(kLabelFont);

  const std::vector<std::string> acrossLabels = SpacedLabels(across, width);
  for (int k = 0; k <= across.Intervals(); ++k) {
    const Point at = frame.At(across.Tick(k), up.low);
    scene_.items.emplace_back(Line{{at.x, topLeft.y}, at, kGridColor, 1});
    scene_.items.emplace_back(Line{at, {at.x, at.y + kTickLength}, kBlack, 1});
    Label({at.x, at.y + kTickLength + ascent}, acrossLabels.at(static_cast<std::size_t>(k)), Anchor::Middle);
  }
  const std::vector<std::string> upLabels = Labels(up, separator_);
  for (int k = 0; k <= up.Intervals(); ++k) {
    const Point at = frame.At(across.low, up.Tick(k));
    scene_.items.emplace_back(Line{at, {right, at.y}, kGridColor, 1});
    scene_.items.emplace_back(Line{at, {at.x - kTickLength, at.y}, kBlack, 1});
    Label({at.x - kTickLength - kLabelGap, at.y + ascent / 2 - 1}, upLabels.at(static_cast<std::size_t>(k)),
          Anchor::End);
  }
  Rect box;
  box.topLeft = topLeft;
  box.width = width;
  box.height = height;
  box.stroke = kBlack;
  scene_.items.emplace_back(box);
  CentredText(topLeft.x + width / 2, bottom + 22, 20, panel.xLabel, kLabelFont);
  // The axis title stands clear of the widest tick label, reading upwards.
  const double titleCentre =
      kTickLength + kLabelGap + WidestLabel(measure_, upLabels) + kLabelGap + LineHeight() / 2;
  const double titleX = topLeft.x - titleCentre + (ascent - measure_.Descent(kLabelFont)) / 2;
  scene_.items.emplace_back(
      Text{{titleX, topLeft.y + height / 2}, panel.yLabel, kLabelFont, Anchor::Middle, true, kBlack});

  for (const Series& series : panel.series) {
    Polyline curve{{}, series.color, series.width};
    for (std::size_t i = 0; i < panel.x.size(); ++i) {
      curve.points.push_back(frame.At(panel.x[i], series.y[i]));
    }
    scene_.items.emplace_back(curve);
    if (!series.dots) continue;
    for (const Point& point : curve.points) scene_.items.emplace_back(Dot{point, 2.5, series.color});
  }
  return frame;
}

void ChartBuilder::Label(Point at, const std::string& text, Anchor anchor) {
  if (!text.empty()) scene_.items.emplace_back(Text{at, text, kLabelFont, anchor, false, kBlack});
}

// The labels across a frame `width` wide, every other one dropped again
// until none runs into the next: wide numbers, such as the flows of a big
// river, keep fewer labels.
std::vector<std::string> ChartBuilder::SpacedLabels(const Axis& axis, double width) const {
  const double tickSpacing = width / axis.Intervals();
  int stride = LabelStride(axis);
  std::vector<std::string> labels = Labels(axis, separator_, stride);
  while (stride < axis.Intervals() && stride * tickSpacing < WidestLabel(measure_, labels) + kLabelGap) {
    stride *= 2;
    labels = Labels(axis, separator_, stride);
  }
  return labels;
}

Scene BlankPage(double width, double height, std::string title, std::string description) {
  Scene scene;
  scene.width = width;
  scene.height = height;
  scene.title = std::move(title);
  scene.description = std::move(description);
  Rect paper;
  paper.width = width;
  paper.height = height;
  paper.stroked = false;
  paper.filled = true;
  paper.fill = kWhite;
  scene.items.emplace_back(paper);
  return scene;
}

}  // namespace rating::plot
