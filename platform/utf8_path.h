#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Names are UTF-8 wherever the program runs: these two carry a name to a
// path and back, never through a Windows ANSI code page.
namespace rating {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return {std::u8string(utf8.begin(), utf8.end())};
}

inline std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
}

}  // namespace rating
