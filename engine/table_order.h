#pragma once

#include <array>
#include <cstddef>

namespace rating {

// Whether a table of facts lists its rows in the order of the enumeration
// that `key` holds, so that a row is found by indexing with its enumerator.
template <typename Row, std::size_t N, typename Key>
constexpr bool InKeyOrder(const std::array<Row, N>& table, Key Row::*key) {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(table.at(i).*key) != i) return false;
  }
  return true;
}

}  // namespace rating
