#include "messages/messages.h"

#include <algorithm>

namespace rating {

namespace {

// Placeholders that hold the name of a file or folder.
bool HoldsName(std::string_view placeholder) {
  return placeholder == "path" || placeholder == "folder" || placeholder == "target" ||
         placeholder == "current";
}

}  // namespace

std::string ShownName(std::string_view name) {
  std::string shown;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) {
      constexpr std::string_view kHex = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[(static_cast<unsigned char>(c) >> 4U) & 0xFU];
      shown += kHex[static_cast<unsigned char>(c) & 0xFU];
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string Fill(Message message, std::span<const MessageArgument> arguments, UnitSystem units) {
  const std::string_view pattern = Pattern(message, units);
  std::string text;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t open = pattern.find('{', at);
    const std::size_t close = pattern.find('}', open);
    if (open == std::string_view::npos || close == std::string_view::npos) break;
    text.append(pattern.substr(at, open - at));
    const std::string_view placeholder = pattern.substr(open + 1, close - open - 1);
    for (const MessageArgument& argument : arguments) {
      if (argument.name != placeholder) continue;
      text.append(HoldsName(placeholder) ? ShownName(argument.value) : std::string(argument.value));
      break;
    }
    at = close + 1;
  }
  text.append(pattern.substr(std::min(at, pattern.size())));
  return text;
}

}  // namespace rating
