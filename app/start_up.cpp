#include "app/start_up.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "run/window_arguments.h"

namespace {

constexpr std::string_view kProgram = "trapezoid-rating";

std::optional<int> Answer(int argc, char* argv[], bool refuseOthers) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);  // NOLINT: argv is argc long
  const std::optional<rating::WindowAnswer> answer =
      rating::AnswerWindowArguments(arguments, kProgram, RATING_VERSION, refuseOthers);
  if (!answer) return std::nullopt;
  (void)std::fputs(answer->text.c_str(), answer->exitStatus == 0 ? stdout : stderr);
  return answer->exitStatus;
}

}  // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char* argv[]) { return Answer(argc, argv, false); }

std::optional<int> RefuseOtherArguments(int argc, char* argv[]) { return Answer(argc, argv, true); }
