#include "plot/rating_curves.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/decimal_text.h"
#include "messages/messages.h"

namespace rating::plot {

namespace {

constexpr int kMinimumIntervals = 10;  // gridlines per axis, at least
constexpr int kLabelledIntervals = 8;  // above this, every other tick is labelled
constexpr Color kCurveColor{0x1f, 0x5f, 0xa8};
constexpr Color kGridColor{0xdd, 0xdd, 0xdd};
constexpr Font kLabelFont{12, false};
constexpr Font kHeadingFont{18, true};

// An axis from a round value to a round value in round steps: 0, 250, 500, ...
struct Axis {
  double low = 0;
  double high = 1;
  double step = 1;
  [[nodiscard]] int Intervals() const { return static_cast<int>(std::lround((high - low) / step)); }
  [[nodiscard]] double Tick(int k) const { return low + k * step; }
};

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

// The largest step of 1, 2, 2.5 or 5 times a power of ten that divides the
// range into at least kMinimumIntervals, widened so that the largest value
// lies inside the frame, not on it.
Axis NiceAxis(const std::vector<double>& values) {
  const double low = *std::min_element(values.begin(), values.end());
  double high = *std::max_element(values.begin(), values.end());
  if (!(high > low)) high = low + 1;
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
  std::string label = FixedText(shown, decimals);
  if (const std::size_t point = label.find('.'); point != std::string::npos) {
    label.replace(point, 1, separator);
  }
  return label;
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

std::vector<std::string> Labels(const Axis& axis, std::string_view separator) {
  return Labels(axis, separator, LabelStride(axis));
}

double WidestLabel(const TextMeasure& measure, const std::vector<std::string>& labels) {
  double widest = 0;
  for (const std::string& label : labels) widest = std::max(widest, measure.Advance(label, kLabelFont));
  return widest;
}

constexpr double kTickLength = 5;  // page units
constexpr double kLabelGap = 3;    // page units between a tick and its label, and a label and the axis title

// One panel's data and words.
struct Panel {
  const std::vector<double>& x;  // across
  const std::vector<double>& y;  // up
  std::string xLabel;
  std::string yLabel;
};

// The room a panel needs around its frame for its labels, page units.
struct Margins {
  double left = 0;
  double right = 0;
};

class SceneBuilder {
 public:
  SceneBuilder(Scene& scene, const TextMeasure& measure, std::string_view separator)
      : scene_(scene), measure_(measure), separator_(separator) {}

  [[nodiscard]] double LineHeight() const {
    return measure_.Ascent(kLabelFont) + measure_.Descent(kLabelFont);
  }

  [[nodiscard]] Margins MarginsOf(const Panel& panel) const {
    const std::vector<std::string> across = Labels(NiceAxis(panel.x), separator_);
    const double upLabels = WidestLabel(measure_, Labels(NiceAxis(panel.y), separator_));
    return {kTickLength + kLabelGap + upLabels + kLabelGap + LineHeight() + kLabelGap,
            measure_.Advance(across.back(), kLabelFont) / 2 + kLabelGap};
  }

  // A text centred in the band from `top`, `height` high.
  void CentredText(double centreX, double top, double height, std::string text, const Font& font,
                   bool rotated = false) {
    const double baseline = top + height / 2 + (measure_.Ascent(font) - measure_.Descent(font)) / 2;
    scene_.items.emplace_back(
        Text{{centreX, baseline}, std::move(text), font, Anchor::Middle, rotated, kBlack});
  }

  void Headings(const RatingCurves& curves, double left, double lineWidth) {
    CentredText(left + lineWidth / 2, 12, 26, Elided(curves.title, lineWidth, kHeadingFont, measure_),
                kHeadingFont);
    CentredText(left + lineWidth / 2, 40, 18, Elided(curves.subtitle, lineWidth, kLabelFont, measure_),
                kLabelFont);
  }

  // One panel: `panel.y` (up) against `panel.x` (across), inside the frame
  // from `topLeft`.
  void Draw(const Panel& panel, Point topLeft, double width, double height) {
    const Axis across = NiceAxis(panel.x);
    const Axis up = NiceAxis(panel.y);
    const double bottom = topLeft.y + height;
    const double right = topLeft.x + width;
    const auto toPoint = [&](double xv, double yv) {
      return Point{topLeft.x + (xv - across.low) / (across.high - across.low) * width,
                   bottom - (yv - up.low) / (up.high - up.low) * height};
    };
    const double ascent = measure_.Ascent(kLabelFont);

    const std::vector<std::string> acrossLabels = SpacedLabels(across, width);
    for (int k = 0; k <= across.Intervals(); ++k) {
      const Point at = toPoint(across.Tick(k), up.low);
      scene_.items.emplace_back(Line{{at.x, topLeft.y}, at, kGridColor, 1});
      scene_.items.emplace_back(Line{at, {at.x, at.y + kTickLength}, kBlack, 1});
      Label({at.x, at.y + kTickLength + ascent}, acrossLabels.at(static_cast<std::size_t>(k)),
            Anchor::Middle);
    }
    const std::vector<std::string> upLabels = Labels(up, separator_);
    for (int k = 0; k <= up.Intervals(); ++k) {
      const Point at = toPoint(across.low, up.Tick(k));
      scene_.items.emplace_back(Line{at, {right, at.y}, kGridColor, 1});
      scene_.items.emplace_back(Line{at, {at.x - kTickLength, at.y}, kBlack, 1});
      Label({at.x - kTickLength - kLabelGap, at.y + ascent / 2 - 1}, upLabels.at(static_cast<std::size_t>(k)),
            Anchor::End);
    }
    Rect frame;
    frame.topLeft = topLeft;
    frame.width = width;
    frame.height = height;
    frame.stroke = kBlack;
    scene_.items.emplace_back(frame);
    CentredText(topLeft.x + width / 2, bottom + 22, 20, panel.xLabel, kLabelFont);
    // The axis title stands clear of the widest tick label, reading upwards.
    const double titleCentre =
        kTickLength + kLabelGap + WidestLabel(measure_, upLabels) + kLabelGap + LineHeight() / 2;
    const double titleX = topLeft.x - titleCentre + (ascent - measure_.Descent(kLabelFont)) / 2;
    scene_.items.emplace_back(
        Text{{titleX, topLeft.y + height / 2}, panel.yLabel, kLabelFont, Anchor::Middle, true, kBlack});

    Polyline curve{{}, kCurveColor, 2};
    for (std::size_t i = 0; i < panel.x.size(); ++i) curve.points.push_back(toPoint(panel.x[i], panel.y[i]));
    scene_.items.emplace_back(curve);
    for (const Point& point : curve.points) scene_.items.emplace_back(Dot{point, 2.5, kCurveColor});
  }

 private:
  // A tick's label; an unlabelled tick has none.
  void Label(Point at, const std::string& text, Anchor anchor) {
    if (!text.empty()) {
      scene_.items.emplace_back(Text{at, text, kLabelFont, anchor, false, kBlack});
    }
  }

  // The labels across a frame `width` wide, every other one dropped again
  // until none runs into the next: wide numbers, such as the flows of a big
  // river, keep fewer labels.
  [[nodiscard]] std::vector<std::string> SpacedLabels(const Axis& axis, double width) const {
    const double tickSpacing = width / axis.Intervals();
    int stride = LabelStride(axis);
    std::vector<std::string> labels = Labels(axis, separator_, stride);
    while (stride < axis.Intervals() && stride * tickSpacing < WidestLabel(measure_, labels) + kLabelGap) {
      stride *= 2;
      labels = Labels(axis, separator_, stride);
    }
    return labels;
  }

  Scene& scene_;
  const TextMeasure& measure_;
  std::string_view separator_;
};

}  // namespace

std::vector<std::string> TickLabels(const std::vector<double>& values, std::string_view decimalSeparator) {
  return Labels(NiceAxis(values), decimalSeparator);
}

namespace {

enum class Arrangement { SideBySide, Stacked };

Scene CurvesScene(const RatingCurves& curves, const TextMeasure& measure, Arrangement arrangement) {
  const bool stacked = arrangement == Arrangement::Stacked;
  Scene scene;
  scene.width = stacked ? kStackedCurvesPageWidth : kRatingCurvesPageWidth;
  scene.height = stacked ? kStackedCurvesPageHeight : kRatingCurvesPageHeight;
  scene.title = curves.title;
  scene.description = curves.subtitle;
  Rect paper;
  paper.width = scene.width;
  paper.height = scene.height;
  paper.stroked = false;
  paper.filled = true;
  paper.fill = kWhite;
  scene.items.emplace_back(paper);
  if (curves.elevation.empty()) return scene;

  SceneBuilder builder(scene, measure, curves.decimalSeparator);
  constexpr double kPageMargin = 10;
  const double lineWidth = scene.width - 2 * kPageMargin;
  builder.Headings(curves, kPageMargin, lineWidth);

  const std::string elevation(Pattern(Message::CaptionElevationAxis));
  const std::string storage(Pattern(Message::CaptionStorageAxis));
  const std::array<Panel, 3> panels = {
      {{curves.flow, curves.elevation, std::string(Pattern(Message::CaptionFlowAxis)), elevation},
       {curves.storage, curves.elevation, storage, elevation},
       {curves.storage, curves.flow, storage, std::string(Pattern(Message::CaptionOutflowAxis))}}};
  // Each panel has a third of the page's width, or all of it stacked; its
  // frame leaves room on the left for its tick labels and axis title, and
  // on the right for half its last tick label. The frames are as wide as
  // the most crowded panel allows.
  const double slot = stacked ? lineWidth : lineWidth / static_cast<double>(panels.size());
  std::array<Margins, 3> margins{};
  double frameWidth = slot;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    margins.at(i) = builder.MarginsOf(panels.at(i));
    frameWidth = std::min(frameWidth, slot - margins.at(i).left - margins.at(i).right);
  }
  constexpr double kTop = 80;
  constexpr double kPanelHeight = 360;
  constexpr double kPanelPitch = 440;  // stacked: a panel and its axis labels below it
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const auto place = static_cast<double>(i);
    const double left = (stacked ? 0 : place * slot) + kPageMargin + margins.at(i).left;
    const double top = kTop + (stacked ? place * kPanelPitch : 0);
    builder.Draw(panels.at(i), {left, top}, frameWidth, kPanelHeight);
  }
  return scene;
}

}  // namespace

Scene RatingCurvesScene(const RatingCurves& curves, const TextMeasure& measure) {
  return CurvesScene(curves, measure, Arrangement::SideBySide);
}

Scene StackedRatingCurvesScene(const RatingCurves& curves, const TextMeasure& measure) {
  return CurvesScene(curves, measure, Arrangement::Stacked);
}

}  // namespace rating::plot
