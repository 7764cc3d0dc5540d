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

std::optional<WindowAnswer> RefuseArguments(const std::vector<std::string>& arguments,
                                            std::string_view program) {
  if (arguments.empty()) return std::nullopt;
  return WindowAnswer{
      2, Compose(Message::WindowUnknownOption, Arg<"option">(arguments.front()), Arg<"program">(program)) +
             "\n"};
}

}  // namespace rating
