#pragma once

#include <string_view>

namespace rating {

// `text` without the blanks and tabs around it, as a field or a table's
// cell is read and quoted.
constexpr std::string_view TrimmedText(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Whether `text`, trimmed, is `word` in any letter case: "  SI" names "si".
constexpr bool NamesWord(std::string_view text, std::string_view word) {
  const std::string_view trimmed = TrimmedText(text);
  if (trimmed.size() != word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    const char c = trimmed[k];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != word[k]) return false;
  }
  return true;
}

}  // namespace rating
