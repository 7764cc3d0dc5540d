#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rating::plot {

// A drawing in page units, made once and drawn by any renderer: an SVG file,
// a toolkit's window, a Windows window or a browser page.

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{0xff, 0xff, 0xff};

struct Point {
  double x = 0;  // page units, rightwards
  double y = 0;  // page units, downwards
  bool operator==(const Point&) const = default;
};

// The one face a drawing uses, in two sizes and weights.
struct Font {
  double size = 12;  // page units, the em square
  bool bold = false;
  bool operator==(const Font&) const = default;
};

// How a text stands on its anchor point, which lies on its baseline.
enum class Anchor { Start, Middle, End };

// A straight stroke.
struct Line {
  Point from;
  Point to;
  Color color;
  double width = 1;  // page units
};

// Connected strokes through every point, unfilled.
struct Polyline {
  std::vector<Point> points;
  Color color;
  double width = 1;  // page units
};

// A rectangle, stroked or filled or both.
struct Rect {
  Point topLeft;
  double width = 0;   // page units
  double height = 0;  // page units
  bool stroked = true;
  Color stroke;
  bool filled = false;
  Color fill;
  double strokeWidth = 1;  // page units
};

// A filled dot.
struct Dot {
  Point centre;
  double radius = 1;  // page units
  Color color;
};

// One line of text with its anchor point on its baseline.
struct Text {
  Point anchorAt;
  std::string text;  // UTF-8
  Font font;
  Anchor anchor = Anchor::Start;
  bool rotated = false;  // reads upwards, turned a quarter anticlockwise about its anchor
  Color color;
};

using Item = std::variant<Line, Polyline, Rect, Dot, Text>;

struct Scene {
  double width = 0;         // page units
  double height = 0;        // page units
  std::string title;        // UTF-8, the document's title
  std::string description;  // UTF-8, what it shows in words
  std::vector<Item> items;  // drawn in order, each over those before it
};

// The widths of texts in the drawing's face, which decide where labels go.
// A window measures with its own font; a file that must lay out the same on
// every machine uses fixed advances.
class TextMeasure {
 public:
  TextMeasure() = default;
  TextMeasure(const TextMeasure&) = default;
  TextMeasure& operator=(const TextMeasure&) = default;
  TextMeasure(TextMeasure&&) = default;
  TextMeasure& operator=(TextMeasure&&) = default;
  virtual ~TextMeasure() = default;

  // The advance of `text` (UTF-8), page units.
  [[nodiscard]] virtual double Advance(std::string_view text, const Font& font) const = 0;
  // Above and below the baseline, page units.
  [[nodiscard]] virtual double Ascent(const Font& font) const = 0;
  [[nodiscard]] virtual double Descent(const Font& font) const = 0;
};

// How far a text starts before its anchor, along its own direction: none
// for a text anchored at its start, half its advance for a centred one, all
// of it for one anchored at its end (page units).
double AnchorShift(const Text& text, const TextMeasure& measure);

// How a scene fits an area of `width` by `height` with its proportions kept,
// centred: the scale, and where the scene's top left corner falls.
struct SceneFit {
  double scale = 1;  // area units per page unit
  double left = 0;   // area units
  double top = 0;    // area units
};
SceneFit FitScene(const Scene& scene, double width, double height);

// The longest start of `text` that fits `width` with "…" after it, or
// `text` itself where it fits; never cuts a character in two.
std::string Elided(std::string_view text, double width, const Font& font, const TextMeasure& measure);

}  // namespace rating::plot
