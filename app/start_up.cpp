#include "app/start_up.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "messages/messages.h"

namespace {

constexpr std::string_view kProgram = "trapezoid-rating";

// Qt's own options, which the window passes on to Qt, and whether each takes
// a value.
struct QtOption {
  std::string_view name;  // without dashes
  bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"style", true},           {"stylesheet", true},
    {"display", true},         {"geometry", true},
    {"title", true},           {"name", true},
    {"visual", true},          {"ncols", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},
};

const QtOption* FindQtOption(std::string_view argument) {
  while (argument.starts_with('-')) argument.remove_prefix(1);
  argument = argument.substr(0, argument.find('='));
  for (const QtOption& option : kQtOptions) {
    if (option.name == argument) return &option;
  }
  return nullptr;
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];  // NOLINT(cppcoreguidelines-pro-bounds-pointer-arithmetic)
    if (argument == "--help" || argument == "-h" || argument == "-?") {
      const std::string help = rating::Compose(rating::Message::HelpWindow, rating::Arg<"program">(kProgram));
      (void)std::fputs(help.c_str(), stdout);
      return 0;
    }
    if (argument == "--version" || argument == "-v") {
      (void)std::printf("%s %s\n", kProgram.data(), RATING_VERSION);
      return 0;
    }
    if (const QtOption* qt = FindQtOption(argument)) {
      if (qt->takesValue && argument.find('=') == std::string_view::npos) ++i;
      continue;
    }
    const std::string refusal =
        rating::Compose(rating::Message::WindowUnknownOption, rating::Arg<"option">(argument),
                        rating::Arg<"program">(kProgram));
    (void)std::fprintf(stderr, "%s\n", refusal.c_str());
    return 2;
  }
  return std::nullopt;
}
