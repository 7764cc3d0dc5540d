// Lenient reading of the leading number of arbitrary texts: never a NaN, and
// 0 for a text without digits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/text_to_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = rating::ReadLeadingNumber(text, ".");
  if (std::isnan(value)) std::abort();
  if (text.find_first_of("0123456789") == std::string_view::npos && value != 0) std::abort();
  return 0;
}
