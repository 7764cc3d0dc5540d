#include "app/start_up.h"

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "messages/messages.h"

namespace {

constexpr std::string_view kProgram = "trapezoid-rating";

std::span<char*> Arguments(int argc, char* argv[]) {
  return {argv + 1, argc > 1 ? static_cast<std::size_t>(argc - 1) : 0U};  // NOLINT: argv is argc long
}

}  // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char* argv[]) {
  for (const std::string_view argument : Arguments(argc, argv)) {
    if (argument == "--help" || argument == "-h" || argument == "-?") {
      const std::string help = rating::Compose(rating::Message::HelpWindow, rating::Arg<"program">(kProgram));
      (void)std::fputs(help.c_str(), stdout);
      return 0;
    }
    if (argument == "--version" || argument == "-v") {
      (void)std::printf("%s %s\n", kProgram.data(), RATING_VERSION);
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<int> RefuseOtherArguments(int argc, char* argv[]) {
  for (const std::string_view argument : Arguments(argc, argv)) {
    const std::string refusal =
        rating::Compose(rating::Message::WindowUnknownOption, rating::Arg<"option">(argument),
                        rating::Arg<"program">(kProgram));
    (void)std::fprintf(stderr, "%s\n", refusal.c_str());
    return 2;
  }
  return std::nullopt;
}
