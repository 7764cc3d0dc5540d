#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace rating {

// The character that UTF-8 `text` starts with: its length in bytes and its
// code point, or a length of 0 where the bytes are malformed, overlong, a
// surrogate or beyond U+10FFFF. `text` is not empty.
std::pair<std::size_t, char32_t> Utf8Character(std::string_view text);

// A table file's text as UTF-8, as spreadsheets save it: UTF-8 with or
// without a byte order mark, or UTF-16 (either byte order) with one; the
// mark is dropped. `badLine` is the first line that is neither, 0 when
// every line is good, and `utf8` is then empty.
struct TableText {
  std::string utf8;
  int badLine = 0;
};
TableText DecodeTableText(std::string_view bytes);

}  // namespace rating
