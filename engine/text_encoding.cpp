#include "engine/text_encoding.h"

#include <algorithm>
#include <array>

namespace rating {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80U) {
    text += static_cast<char>(c);
  } else if (c < 0x800U) {
    text += static_cast<char>(0xC0U | (c >> 6U));
    text += static_cast<char>(0x80U | (c & 0x3FU));
  } else if (c < 0x10000U) {
    text += static_cast<char>(0xE0U | (c >> 12U));
    text += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
    text += static_cast<char>(0x80U | (c & 0x3FU));
  } else {
    text += static_cast<char>(0xF0U | (c >> 18U));
    text += static_cast<char>(0x80U | ((c >> 12U) & 0x3FU));
    text += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
    text += static_cast<char>(0x80U | (c & 0x3FU));
  }
}

// The line of `text` that byte `at` stands on, counted from 1.
int LineAt(std::string_view text, std::size_t at) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

TableText FromUtf16(std::string_view bytes, bool bigEndian) {
  TableText table;
  const auto unitAt = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8U) | second : (second << 8U) | first;
  };
  const auto bad = [&table] {
    table.badLine = 1 + static_cast<int>(std::count(table.utf8.begin(), table.utf8.end(), '\n'));
    table.utf8.clear();
    return table;
  };
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    if (i + 1 == bytes.size()) return bad();  // half a code unit
    char32_t c = unitAt(i);
    if (c >= 0xDC00U && c <= 0xDFFFU) return bad();  // a trail surrogate alone
    if (c >= 0xD800U && c <= 0xDBFFU) {
      if (i + 3 >= bytes.size()) return bad();
      const char32_t trail = unitAt(i + 2);
      if (trail < 0xDC00U || trail > 0xDFFFU) return bad();
      c = 0x10000U + ((c - 0xD800U) << 10U) + (trail - 0xDC00U);
      i += 2;
    }
    AppendUtf8(table.utf8, c);
  }
  return table;
}

}  // namespace

std::pair<std::size_t, char32_t> Utf8Character(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80U) return {1, lead};
  const std::size_t length = lead >= 0xF8U   ? 0
                             : lead >= 0xF0U ? 4
                             : lead >= 0xE0U ? 3
                             : lead >= 0xC0U ? 2
                                             : 0;
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};  // by length
  if (length == 0 || text.size() < length) return {0, 0};
  char32_t character = lead & (0x7FU >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & 0xC0U) != 0x80U) return {0, 0};
    character = (character << 6U) | (next & 0x3FU);
  }
  const bool surrogate = character >= 0xD800U && character <= 0xDFFFU;
  if (character < kSmallest.at(length) || surrogate || character > 0x10FFFFU) return {0, 0};
  return {length, character};
}

TableText DecodeTableText(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark)) {
    return FromUtf16(bytes.substr(2), bytes.starts_with(kUtf16BigMark));
  }
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8Character(bytes.substr(i)).first;
    if (length == 0) return {{}, LineAt(bytes, i)};
    i += length;
  }
  return {std::string(bytes), 0};
}

}  // namespace rating
