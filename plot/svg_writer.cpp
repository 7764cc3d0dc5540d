#include "plot/svg_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fmt/format.h>

#include "engine/decimal_text.h"
#include "engine/text_encoding.h"

namespace rating::plot {

namespace {

// DejaVu Sans advance widths in font units of a 2048-unit em, characters 32
// to 126: regular, then bold.
constexpr double kUnitsPerEm = 2048;
constexpr double kAscentUnits = 1901;
constexpr double kDescentUnits = 483;
constexpr std::array<short, 95> kRegularAdvances = {
    651,  821,  942,  1716, 1303, 1946, 1597, 563,  799,  799,  1024, 1716, 651,  739,  651,  690,
    1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 1303, 690,  690,  1716, 1716, 1716, 1087,
    2048, 1401, 1405, 1430, 1577, 1294, 1178, 1587, 1540, 604,  604,  1343, 1141, 1767, 1532, 1612,
    1235, 1612, 1423, 1300, 1251, 1499, 1401, 2025, 1403, 1251, 1403, 799,  690,  799,  1716, 1024,
    1024, 1255, 1300, 1126, 1300, 1260, 721,  1300, 1298, 569,  569,  1186, 569,  1995, 1298, 1253,
    1300, 1300, 842,  1067, 803,  1298, 1212, 1675, 1212, 1212, 1075, 1303, 690,  1303, 1716};
constexpr std::array<short, 95> kBoldAdvances = {
    713,  934,  1067, 1716, 1425, 2052, 1786, 627,  936,  936,  1071, 1716, 778,  850,  778,  748,
    1425, 1425, 1425, 1425, 1425, 1425, 1425, 1425, 1425, 1425, 819,  819,  1716, 1716, 1716, 1188,
    2048, 1585, 1561, 1503, 1700, 1399, 1399, 1681, 1714, 762,  762,  1587, 1305, 2038, 1714, 1741,
    1501, 1741, 1577, 1475, 1397, 1663, 1585, 2259, 1579, 1483, 1485, 936,  748,  936,  1716, 1024,
    1024, 1382, 1466, 1214, 1466, 1389, 891,  1466, 1458, 702,  702,  1362, 702,  2134, 1458, 1407,
    1466, 1466, 1010, 1219, 979,  1458, 1335, 1892, 1321, 1335, 1192, 1458, 748,  1458, 1716};
// Any other character is taken as a full em, the widest a Latin, Greek or
// CJK face draws it, so that a label is never laid out narrower than drawn.
constexpr double kOtherAdvance = kUnitsPerEm;

constexpr const char* kFontFamily = "DejaVu Sans, Verdana, sans-serif";

// The code points of `text`; a malformed byte counts as one character.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80U    ? 1
                               : lead >= 0xF0U ? 4
                               : lead >= 0xE0U ? 3
                               : lead >= 0xC0U ? 2
                                               : 1;
    visit(lead < 0x80U ? static_cast<char32_t>(lead) : char32_t{0xFFFD});
    i += length;
  }
}

// A coordinate or size to two decimals, without trailing zeros: "12", "3.5".
std::string Number(double value) {
  const double rounded = std::round(value * 100) / 100;
  std::string number = FixedText(rounded == 0 ? 0.0 : rounded, 2);
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number;
}

std::string Hex(Color color) {
  return fmt::format("#{:02x}{:02x}{:02x}", color.red, color.green, color.blue);
}

std::string Attribute(std::string_view name, std::string_view value) {
  return std::string(" ").append(name).append("=\"").append(value).append("\"");
}

std::string Attribute(std::string_view name, double value) { return Attribute(name, Number(value)); }

void Write(std::string& svg, const Line& line) {
  svg.append("<line")
      .append(Attribute("x1", line.from.x))
      .append(Attribute("y1", line.from.y))
      .append(Attribute("x2", line.to.x))
      .append(Attribute("y2", line.to.y))
      .append(Attribute("stroke", Hex(line.color)))
      .append(Attribute("stroke-width", line.width))
      .append("/>\n");
}

void Write(std::string& svg, const Polyline& polyline) {
  std::string points;
  for (const Point& point : polyline.points) {
    points.append(points.empty() ? "" : " ").append(Number(point.x)).append(",").append(Number(point.y));
  }
  svg.append("<polyline")
      .append(Attribute("points", points))
      .append(Attribute("fill", "none"))
      .append(Attribute("stroke", Hex(polyline.color)))
      .append(Attribute("stroke-width", polyline.width))
      .append(Attribute("stroke-linejoin", "round"))
      .append("/>\n");
}

void Write(std::string& svg, const Rect& rect) {
  svg.append("<rect")
      .append(Attribute("x", rect.topLeft.x))
      .append(Attribute("y", rect.topLeft.y))
      .append(Attribute("width", rect.width))
      .append(Attribute("height", rect.height))
      .append(Attribute("fill", rect.filled ? Hex(rect.fill) : "none"));
  if (rect.stroked) {
    svg.append(Attribute("stroke", Hex(rect.stroke))).append(Attribute("stroke-width", rect.strokeWidth));
  }
  svg.append("/>\n");
}

void Write(std::string& svg, const Dot& dot) {
  svg.append("<circle")
      .append(Attribute("cx", dot.centre.x))
      .append(Attribute("cy", dot.centre.y))
      .append(Attribute("r", dot.radius))
      .append(Attribute("fill", Hex(dot.color)))
      .append("/>\n");
}

void Write(std::string& svg, const Text& text) {
  constexpr std::array<std::string_view, 3> kAnchors = {"start", "middle", "end"};
  svg.append("<text")
      .append(Attribute("x", text.anchorAt.x))
      .append(Attribute("y", text.anchorAt.y))
      .append(Attribute("font-size", text.font.size));
  if (text.font.bold) svg.append(Attribute("font-weight", "bold"));
  if (text.anchor != Anchor::Start) {
    svg.append(Attribute("text-anchor", kAnchors.at(static_cast<std::size_t>(text.anchor))));
  }
  if (text.rotated) {
    svg.append(Attribute("transform",
                         "rotate(-90 " + Number(text.anchorAt.x) + " " + Number(text.anchorAt.y) + ")"));
  }
  if (text.color != kBlack) svg.append(Attribute("fill", Hex(text.color)));
  svg.append(">").append(MarkupEscaped(text.text)).append("</text>\n");
}

double Scaled(double units, const Font& font) { return units / kUnitsPerEm * font.size; }

}  // namespace

std::string MarkupEscaped(std::string_view text) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
  std::string escaped;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80U) {
      // A well-formed character that XML allows passes as it is; a malformed
      // byte or a lone surrogate, or U+FFFE or U+FFFF, becomes U+FFFD.
      const auto [length, character] = Utf8Character(text.substr(i));
      const bool allowed = length > 0 && character != 0xFFFEU && character != 0xFFFFU;
      escaped.append(allowed ? text.substr(i, length) : kReplacement);
      i += std::max<std::size_t>(length, 1);
      continue;
    }
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\t': escaped += "&#9;"; break;
      default:
        // XML 1.0 allows no other control character, even escaped.
        escaped += static_cast<unsigned char>(c) >= 0x20U ? c : ' ';
    }
    ++i;
  }
  return escaped;
}

double SvgTextMeasure::Advance(std::string_view text, const Font& font) const {
  const std::array<short, 95>& advances = font.bold ? kBoldAdvances : kRegularAdvances;
  double units = 0;
  ForEachCharacter(text,
                   [&](char32_t c) { units += c >= 32 && c < 127 ? advances.at(c - 32) : kOtherAdvance; });
  return Scaled(units, font);
}

double SvgTextMeasure::Ascent(const Font& font) const { return Scaled(kAscentUnits, font); }

double SvgTextMeasure::Descent(const Font& font) const { return Scaled(kDescentUnits, font); }

std::string SvgDocument(const Scene& scene) {
  std::string svg = R"(<?xml version="1.0" encoding="UTF-8"?>)";
  svg += '\n';
  svg.append(R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1")")
      .append(Attribute("width", scene.width))
      .append(Attribute("height", scene.height))
      .append(Attribute("viewBox", "0 0 " + Number(scene.width) + " " + Number(scene.height)))
      .append(Attribute("font-family", kFontFamily))
      .append(">\n");
  svg.append("<title>").append(MarkupEscaped(scene.title)).append("</title>\n");
  svg.append("<desc>").append(MarkupEscaped(scene.description)).append("</desc>\n");
  for (const Item& item : scene.items) {
    std::visit([&svg](const auto& shape) { Write(svg, shape); }, item);
  }
  svg.append("</svg>\n");
  return svg;
}

}  // namespace rating::plot
