#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rating {

// Conversions between binary floating point and decimal text: correctly
// rounded, independent of the C and C++ locales, and the same on every
// system the program is built for, so that every build writes the same
// bytes.

// "d.dddde+XX": `fractionDigits` digits after the point and an exponent of
// at least two digits; a minus sign before a negative value.
std::string ScientificText(double value, int fractionDigits);

// "ddd.dd": `fractionDigits` digits after the point; a minus sign before a
// negative value, negative zero included.
std::string FixedText(double value, int fractionDigits);

// A number for a person to read, in a message, a summary or a chart's
// label: six significant figures, trailing zeros dropped ("2429.85",
// "1e-05"), and `decimalMark` for its decimal point. Negative zero is "0".
std::string ReadableNumber(double value, std::string_view decimalMark);

// `value`, a part of `scale`, as a person reads it: 0 where it lies below the
// last of the figures ReadableNumber shows of `scale`, as the arithmetic's
// noise does. A mass balance of -5.7e-14 acre-ft out of 1983 acre-ft reads
// 0; one of 0.5 acre-ft reads 0.5.
std::string ReadablePart(double value, double scale, std::string_view decimalMark);

// Whether `low` and `high` are one value to the figures ReadableNumber shows
// of the larger: a steady flow routed differs from itself in its last bits.
bool SameToReadableFigures(double low, double high);

// `text`, a number written with "." decimals, with `decimalMark` in place of
// its point: how every text a person reads takes the user's separator, while
// files keep ".".
std::string WithDecimalMark(std::string text, std::string_view decimalMark);

// The nearest double, or single, to a decimal number such as "12.5e-3":
// digits with at most one point and an optional exponent, no sign, no
// blanks. A magnitude beyond the type's range becomes an infinity or zero.
// Nothing when `text` is not wholly such a number.
std::optional<double> DecimalToDouble(std::string_view text);
std::optional<float> DecimalToFloat(std::string_view text);

}  // namespace rating
