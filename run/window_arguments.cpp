#include "run/window_arguments.h"

#include "messages/messages.h"

namespace rating {

std::optional<WindowAnswer> AnswerWindowArguments(const std::vector<std::string>& arguments,
                                                  std::string_view program, std::string_view version,
                                                  bool refuseOthers) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h" || argument == "-?") {
      return WindowAnswer{0, Compose(Message::HelpWindow, Arg<"program">(program))};
    }
    if (argument == "--version" || argument == "-v") {
      return WindowAnswer{0, std::string(program).append(" ").append(version).append("\n")};
    }
  }
  if (!refuseOthers || arguments.empty()) return std::nullopt;
  return WindowAnswer{
      2, Compose(Message::WindowUnknownOption, Arg<"option">(arguments.front()), Arg<"program">(program)) +
             "\n"};
}

}  // namespace rating
