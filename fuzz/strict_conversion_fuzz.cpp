// Strict conversion of arbitrary field texts: it either yields a finite
// single or throws a RatingFailure of the conversion kinds, never anything else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/failure.h"
#include "engine/text_to_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the user's decimal separator, the rest is the text.
  constexpr std::string_view kSeparators[] = {".", ",", "\xD9\xAB"};  // the last is U+066B
  const std::string_view separator = kSeparators[data[0] % 3];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const float value = rating::ConvertStrict(text, separator, rating::InputField::BottomWidth);
    if (!std::isfinite(value)) std::abort();
    if (text.find_first_of("0123456789") == std::string_view::npos) std::abort();
  } catch (const rating::RatingFailure& failure) {
    if (failure.Kind() != rating::FailureKind::TypeMismatch &&
        failure.Kind() != rating::FailureKind::Overflow) {
      std::abort();
    }
    if (failure.Field() != rating::InputField::BottomWidth) std::abort();
  }
  return 0;
}
