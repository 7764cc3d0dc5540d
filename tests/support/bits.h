#pragma once

// The bits of a number as another type of the same size, as std::bit_cast
// gives them where the C++ library has it.
#include <cstring>

namespace rating::testing_support {

template <typename To, typename From>
To BitsAs(From from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace rating::testing_support
