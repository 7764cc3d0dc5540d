#pragma once

#include <string_view>

#include "engine/input_field.h"

namespace rating {

// Strict conversion of a field's whole text to a single-precision number.
//
// Accepted: blanks and tabs around the number, an optional "+" or "-", digits
// with at most one decimal separator (the user's, `decimalSeparator`), at
// least one digit, and an optional exponent "e" or "E" with optional sign and
// at least one digit ("1.5E3"). Not accepted: group separators ("1,000" or
// "1.000"), the other decimal separator, blanks inside the number, currency
// signs, hexadecimal, "inf" and "nan".
//
// Throws RatingFailure naming `field`: TypeMismatch for an empty or
// non-numeric text, Overflow for a magnitude beyond the single-precision
// range. A magnitude too small for single precision becomes 0 (signed).
float ConvertStrict(std::string_view text, std::string_view decimalSeparator, InputField field);

// The same conversion in double precision, for the sections computed in it:
// the nearest double to the text, refused where the single would overflow,
// since the table stores every value as a single.
double ConvertStrictDouble(std::string_view text, std::string_view decimalSeparator, InputField field,
                           UnitSystem units = UnitSystem::UsCustomary);

}  // namespace rating
