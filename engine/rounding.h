#pragma once

namespace rating {

// `value` rounded to three significant figures:
//
//   |value| >= 999.5          to the nearest ten, halves upward (toward +inf)
//   99.95  <= |value| < 999.5 0 decimals
//   9.95   <= |value| < 99.95 1 decimal
//   0.995  <= |value| < 9.95  2 decimals
//   0.0995 <= |value| < 0.995 3 decimals
//   |value| < 0.0995          4 decimals
//
// The decimal rows round halves away from zero, and judge a half on the
// value's shortest decimal form of seven significant digits (the form the
// rating file shows), so 2.675 rounds to 2.68 although the nearest single is
// slightly below 2.675. The result does not depend on the locale.
//
// Throws RatingFailure (Overflow or InvalidArgument) for a value that is not
// finite or whose tens rounding leaves the single range.
float RoundToThreeFigures(float value);

}  // namespace rating
