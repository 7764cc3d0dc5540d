#include "engine/decimal_text.h"

// {fmt} writes and fast_float reads, both exactly; the C++ library's own
// floating-point to_chars and from_chars are missing from some of the
// libraries the program is built with.
#include <algorithm>
#include <cmath>
#include <fast_float/fast_float.h>
#include <fmt/format.h>

namespace rating {

namespace {

template <typename Number>
std::optional<Number> ReadDecimal(std::string_view text) {
  const bool startsAsNumber =
      !text.empty() && (text.front() == '.' || (text.front() >= '0' && text.front() <= '9'));
  if (!startsAsNumber) return std::nullopt;  // no sign, no "inf" or "nan"
  Number value = 0;
  const auto [end, error] = fast_float::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string ScientificText(double value, int fractionDigits) {
  return fmt::format("{:.{}e}", value, fractionDigits);
}

std::string FixedText(double value, int fractionDigits) {
  return fmt::format("{:.{}f}", value, fractionDigits);
}

namespace {

constexpr int kReadableFigures = 6;
constexpr double kReadableSpan = 1e-6;  // what the last of six figures is of the first

}  // namespace

std::string ReadableNumber(double value, std::string_view decimalMark) {
  return WithDecimalMark(fmt::format("{:.{}g}", value == 0 ? 0.0 : value, kReadableFigures), decimalMark);
}

std::string ReadablePart(double value, double scale, std::string_view decimalMark) {
  if (scale != 0 && std::isfinite(scale)) {
    const double unit = std::pow(10.0, std::floor(std::log10(std::abs(scale))) - (kReadableFigures - 1));
    if (std::abs(value) < unit / 2) value = 0;
  }
  return ReadableNumber(value, decimalMark);
}

bool SameToReadableFigures(double low, double high) {
  return !(high - low > kReadableSpan * std::max(std::abs(low), std::abs(high)));
}

std::string WithDecimalMark(std::string text, std::string_view decimalMark) {
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    text.replace(point, 1, decimalMark);
  }
  return text;
}

std::optional<double> DecimalToDouble(std::string_view text) { return ReadDecimal<double>(text); }

std::optional<float> DecimalToFloat(std::string_view text) { return ReadDecimal<float>(text); }

}  // namespace rating
