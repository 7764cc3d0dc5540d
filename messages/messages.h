#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "messages/message_list.h"

namespace rating {

// Every text the program shows a user when something is wrong or worth
// saying, from the window and the command line alike, listed once in
// message_list.h. Code names a message and fills in its placeholders, and
// never spells a sentence itself.
enum class Message {
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): one expansion of the one list
#define RATING_MESSAGE_NAME(name, pattern) name,
  RATING_MESSAGES(RATING_MESSAGE_NAME)
#undef RATING_MESSAGE_NAME
};

struct MessageFacts {
  Message message;
  std::string_view name;     // the message's name in the reviewed catalogue
  std::string_view pattern;  // the text, with {placeholders}
};

// The facts of every message, in the order of Message.
inline constexpr std::array kMessages = std::to_array<MessageFacts>({
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): the other expansion
#define RATING_MESSAGE_FACTS(name, pattern) {Message::name, #name, pattern},
    RATING_MESSAGES(RATING_MESSAGE_FACTS)
#undef RATING_MESSAGE_FACTS
});

// The pattern of `message` as it stands, for messages without placeholders.
constexpr std::string_view Pattern(Message message) {
  return kMessages.at(static_cast<std::size_t>(message)).pattern;
}

// The facts of every message, in the order of Message.
inline std::span<const MessageFacts> AllMessages() { return kMessages; }

// The systems of units a reach is entered and rated in, and its messages
// name.
enum class UnitSystem {
  UsCustomary,  // ft, mi, cfs, acre-ft: the program as it always was
  Si,           // m, km, m3/s, 1000 m3
};

// The messages that name units, as they read in SI.
inline constexpr std::array kSiMessages = std::to_array<MessageFacts>({
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): the SI list's one expansion
#define RATING_SI_MESSAGE_FACTS(name, pattern) {Message::name, #name, pattern},
    RATING_SI_MESSAGES(RATING_SI_MESSAGE_FACTS)
#undef RATING_SI_MESSAGE_FACTS
});

// The SI patterns, for review beside the others.
inline std::span<const MessageFacts> AllSiMessages() { return kSiMessages; }

// The pattern of `message` as it reads in `units`: its SI twin where it
// names units, otherwise the one pattern.
constexpr std::string_view Pattern(Message message, UnitSystem units) {
  if (units == UnitSystem::Si) {
    for (const MessageFacts& facts : kSiMessages) {
      if (facts.message == message) return facts.pattern;
    }
  }
  return Pattern(message);
}

// A value for the placeholder `{name}`. Placeholders that hold a file's name
// ({path}, {folder}, {target}) show control characters as \xNN, so that a
// name with a tab or an escape cannot rearrange a message box or terminal.
struct MessageArgument {
  std::string_view name;
  std::string_view value;
};

// The name of a placeholder, as a template argument: "kind" in Arg<"kind">.
template <std::size_t N>
struct PlaceholderName {
  // NOLINTNEXTLINE(google-explicit-constructor,cppcoreguidelines-avoid-c-arrays): a literal's own type
  consteval PlaceholderName(const char (&text)[N]) { std::copy_n(text, N, chars.begin()); }
  [[nodiscard]] constexpr std::string_view View() const { return {chars.data(), N - 1}; }
  std::array<char, N> chars{};
};

// A value for the placeholder {Name}: Arg<"path">(name).
template <PlaceholderName Name>
struct Arg {
  // NOLINTNEXTLINE(google-explicit-constructor): written as the value it names
  constexpr Arg(std::string_view text) : value(text) {}
  std::string_view value;
};

namespace message_check {

// Whether `pattern`'s braces pair up, with a name between each pair, and
// every name is among `names`; where `everyNameUsed`, also whether each of
// `names` appears in it.
consteval bool PlaceholdersFit(std::string_view pattern, std::initializer_list<std::string_view> names,
                               bool everyNameUsed) {
  std::size_t used = 0;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    if (pattern[at] == '}') return false;
    if (pattern[at] != '{') continue;
    const std::size_t close = pattern.find_first_of("{}", at + 1);
    if (close == std::string_view::npos || pattern[close] != '}' || close == at + 1) return false;
    const std::string_view placeholder = pattern.substr(at + 1, close - at - 1);
    const auto* const known = std::find(names.begin(), names.end(), placeholder);
    if (known == names.end()) return false;
    used |= std::size_t{1} << static_cast<std::size_t>(known - names.begin());
    at = close;
  }
  return !everyNameUsed || used + 1 == std::size_t{1} << names.size();
}

// Whether `a` and `b` hold the same placeholders in the same order.
constexpr bool SamePlaceholders(std::string_view a, std::string_view b) {
  std::size_t at = 0;
  std::size_t bt = 0;
  while (true) {
    at = a.find('{', at);
    bt = b.find('{', bt);
    if (at == std::string_view::npos || bt == std::string_view::npos) return at == bt;
    const std::size_t aEnd = a.find('}', at);
    const std::size_t bEnd = b.find('}', bt);
    if (a.substr(at, aEnd - at) != b.substr(bt, bEnd - bt)) return false;
    at = aEnd;
    bt = bEnd;
  }
}

// Whether every SI pattern holds its US customary pattern's placeholders, so
// that a message checked against the one fits the other.
consteval bool SiPatternsFit() {
  return std::all_of(kSiMessages.begin(), kSiMessages.end(), [](const MessageFacts& facts) {
    return SamePlaceholders(facts.pattern, Pattern(facts.message));
  });
}
static_assert(SiPatternsFit(), "an SI message must hold the placeholders of its US customary pattern");

// Never defined: a message whose placeholders do not fit the values given
// reaches it while being compiled, and the build stops there.
void PlaceholdersDoNotFitTheValuesGiven();

}  // namespace message_check

// A message whose placeholders are exactly `Names`, with balanced braces,
// checked when the program is compiled, as {fmt} checks a format string.
template <PlaceholderName... Names>
struct CheckedMessage {
  // NOLINTNEXTLINE(google-explicit-constructor): written as the message it checks
  consteval CheckedMessage(Message checked) : message(checked) {
    if (!message_check::PlaceholdersFit(Pattern(checked), {Names.View()...}, true)) {
      message_check::PlaceholdersDoNotFitTheValuesGiven();
    }
  }
  Message message;
};

// A message whose placeholders are all among `Names`, though it need not use
// every one: for a caller that fills in one set of values for several.
template <PlaceholderName... Names>
struct MessageWithin {
  // NOLINTNEXTLINE(google-explicit-constructor): written as the message it checks
  consteval MessageWithin(Message checked) : message(checked) {
    if (!message_check::PlaceholdersFit(Pattern(checked), {Names.View()...}, false)) {
      message_check::PlaceholdersDoNotFitTheValuesGiven();
    }
  }
  Message message;
};

// The pattern of `message` with `arguments` filled in. Checked when
// compiled, it cannot fail while the program runs.
std::string Fill(Message message, std::span<const MessageArgument> arguments,
                 UnitSystem units = UnitSystem::UsCustomary);

// The pattern of `message` with every placeholder filled in:
// Compose(Message::FileProblem, Arg<"kind">(kind), Arg<"path">(name), ...).
template <PlaceholderName... Names>
std::string Compose(std::type_identity_t<CheckedMessage<Names...>> message, Arg<Names>... arguments) {
  const std::array<MessageArgument, sizeof...(Names)> named{
      MessageArgument{Names.View(), arguments.value}...};
  return Fill(message.message, named);
}

template <PlaceholderName... Names>
std::string Compose(MessageWithin<Names...> message, Arg<Names>... arguments) {
  const std::array<MessageArgument, sizeof...(Names)> named{
      MessageArgument{Names.View(), arguments.value}...};
  return Fill(message.message, named);
}

// The same, as it reads in `units`: ComposeIn(units, Message::ChartPeak, ...).
template <PlaceholderName... Names>
std::string ComposeIn(UnitSystem units, std::type_identity_t<CheckedMessage<Names...>> message,
                      Arg<Names>... arguments) {
  const std::array<MessageArgument, sizeof...(Names)> named{
      MessageArgument{Names.View(), arguments.value}...};
  return Fill(message.message, named, units);
}

template <PlaceholderName... Names>
std::string ComposeIn(UnitSystem units, MessageWithin<Names...> message, Arg<Names>... arguments) {
  const std::array<MessageArgument, sizeof...(Names)> named{
      MessageArgument{Names.View(), arguments.value}...};
  return Fill(message.message, named, units);
}

// A file's name as messages show it: control characters as \xNN.
std::string ShownName(std::string_view name);

}  // namespace rating
