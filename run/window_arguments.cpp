#include "run/window_arguments.h"

#include "messages/messages.h"

namespace rating {

std::optional<WindowAnswer> AnswerHelpOrVersion(const std::vector<std::string>& arguments,
                                                std::string_view program, std::string_view version) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h" || argument == "-?") {
      return WindowAnswer{0, Compose(Message::HelpWindow, Arg<"program">(program))};
    }
    if (argument == "--version" || argument == "-v") {
      return WindowAnswer{0, std::string(program).append(" ").append(version).append("\n")};
    }
  }
  return std::nullopt;
}

namespace {

constexpr std::string_view kUnitsOption = "--units";

// The value of --units at `at`, and the argument after the option's, or
// nothing where the argument there is not --units.
struct UnitsArgument {
  std::string_view value;
  std::size_t next;
};
std::optional<UnitsArgument> UnitsAt(const std::vector<std::string>& arguments, std::size_t at) {
  const std::string_view argument = arguments[at];
  if (argument == kUnitsOption) {
    if (at + 1 == arguments.size()) return UnitsArgument{{}, at + 1};
    return UnitsArgument{arguments[at + 1], at + 2};
  }
  if (argument.starts_with(kUnitsOption) && argument.size() > kUnitsOption.size() &&
      argument[kUnitsOption.size()] == '=') {
    return UnitsArgument{argument.substr(kUnitsOption.size() + 1), at + 1};
  }
  return std::nullopt;
}

std::optional<UnitSystem> UnitsNamed(std::string_view value) {
  for (const UnitFacts& facts : kUnitSystems) {
    if (value == facts.word) return facts.system;
  }
  return std::nullopt;
}

}  // namespace

std::optional<WindowAnswer> RefuseArguments(const std::vector<std::string>& arguments,
                                            std::string_view program) {
  std::size_t at = 0;
  while (at < arguments.size()) {
    const std::optional<UnitsArgument> units = UnitsAt(arguments, at);
    if (!units) {
      return WindowAnswer{
          2, Compose(Message::WindowUnknownOption, Arg<"option">(arguments[at]), Arg<"program">(program)) +
                 "\n"};
    }
    if (!UnitsNamed(units->value)) {
      return WindowAnswer{
          2, Compose(Message::WindowBadUnits, Arg<"value">(units->value), Arg<"program">(program)) + "\n"};
    }
    at = units->next;
  }
  return std::nullopt;
}

UnitSystem StartingUnits(const std::vector<std::string>& arguments) {
  UnitSystem units = UnitSystem::UsCustomary;
  std::size_t at = 0;
  while (at < arguments.size()) {
    const std::optional<UnitsArgument> given = UnitsAt(arguments, at);
    if (!given) return units;
    units = UnitsNamed(given->value).value_or(units);
    at = given->next;
  }
  return units;
}

}  // namespace rating
