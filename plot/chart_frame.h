#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plot/scene.h"

// What every chart of the program shares: round axes, tick labels, framed
// panels with gridlines, and the headings above them.
namespace rating::plot {

inline constexpr Color kCurveColor{0x1f, 0x5f, 0xa8};
inline constexpr Font kLabelFont{12, false};
inline constexpr Font kHeadingFont{18, true};

// An axis from a round value to a round value in round steps: 0, 250, 500, ...
struct Axis {
  double low = 0;
  double high = 1;
  double step = 1;
  [[nodiscard]] int Intervals() const;
  [[nodiscard]] double Tick(int k) const { return low + k * step; }
};

// The axis that spans `low` to `high`: the largest step of 1, 2, 2.5 or 5
// times a power of ten that divides the range into at least ten intervals,
// widened so that the largest value lies inside the frame, not on it. A
// range flat to six figures spans a power of ten either side of its value.
Axis NiceAxis(double low, double high);

// The labels of an axis's ticks, in order, with `separator` as the decimal
// mark: every other tick of a crowded axis has an empty label.
std::vector<std::string> Labels(const Axis& axis, std::string_view separator);

// One curve of a panel, drawn through its points in order.
struct Series {
  std::span<const double> y;  // up, one per value across
  Color color;
  double width = 2;   // page units
  bool dots = false;  // a dot at every point
};

// One panel's data and words.
struct Panel {
  std::span<const double> x;  // across
  std::vector<Series> series;
  std::string xLabel;
  std::string yLabel;
};

// The room a panel needs around its frame for its labels, page units.
struct Margins {
  double left = 0;
  double right = 0;
};

// Where a panel was drawn, to put marks on it.
struct Frame {
  Axis across;
  Axis up;
  Point topLeft;
  double width = 0;   // page units
  double height = 0;  // page units
  [[nodiscard]] Point At(double x, double y) const;
};

// Adds the items of a chart to a scene, laid out by a measure's widths.
class ChartBuilder {
 public:
  ChartBuilder(Scene& scene, const TextMeasure& measure, std::string_view separator)
      : scene_(scene), measure_(measure), separator_(separator) {}

  [[nodiscard]] double LineHeight() const;
  [[nodiscard]] Margins MarginsOf(const Panel& panel) const;
  // A text centred in the band from `top`, `height` high.
  void CentredText(double centreX, double top, double height, std::string text, const Font& font);
  // The title and the subtitle, cut short to `lineWidth` where they must be.
  void Headings(std::string_view title, std::string_view subtitle, double left, double lineWidth);
  // One panel inside the frame from `topLeft`: its gridlines, ticks, labels
  // and axis titles, then its curves.
  Frame Draw(const Panel& panel, Point topLeft, double width, double height);

 private:
  void Label(Point at, const std::string& text, Anchor anchor);
  [[nodiscard]] std::vector<std::string> SpacedLabels(const Axis& axis, double width) const;

  Scene& scene_;
  const TextMeasure& measure_;
  std::string_view separator_;
};

// A white page of `width` by `height` under `title`, with `description`.
Scene BlankPage(double width, double height, std::string title, std::string description);

}  // namespace rating::plot
