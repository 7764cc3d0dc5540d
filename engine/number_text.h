#pragma once

#include <string>
#include <string_view>

namespace rating {

// The magnitude of a single as seven significant decimal digits, correctly
// rounded from its exact binary value: |value| = d.dddddd x 10^exponent.
struct SevenDigitForm {
  std::string digits;  // exactly seven digits, the first not 0 unless value is 0
  int exponent = 0;    // power of ten of the first digit
};
SevenDigitForm ToSevenDigits(float value);

// The plain text of a single-precision number: a minus sign for a negative
// value and nothing before a non-negative one, the value rounded to seven
// significant digits with trailing zeros dropped, `decimalSeparator` between
// the integer and fraction digits, and a zero before the separator below one
// ("0.2"). Magnitudes from 0.0001 up to 9999999 are written out in full;
// others take the exponent form "1.234568E+07" or "1E-05". Negative zero is
// written "0". No blanks around it. Independent of the C and C++ locales.
std::string PlainNumberText(float value, std::string_view decimalSeparator);

// The decimal mark the program reads and writes for a user whose regional
// settings give `userSeparator`: "," for a comma, and "." for anything else,
// since the routing models that read the files know no other mark (an
// Arabic U+066B, a blank, or a longer separator a user set).
std::string DecimalMarkFor(std::string_view userSeparator);

}  // namespace rating
