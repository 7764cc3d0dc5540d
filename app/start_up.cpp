#include "app/start_up.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "run/window_arguments.h"

namespace {

constexpr std::string_view kProgram = "trapezoid-rating";

std::vector<std::string> Arguments(int argc, char* argv[]) {
  return {argv + 1, argv + argc};  // NOLINT: argv is argc long
}

std::optional<int> Say(const std::optional<rating::WindowAnswer>& answer) {
  if (!answer) return std::nullopt;
  (void)std::fputs(answer->text.c_str(), answer->exitStatus == 0 ? stdout : stderr);
  return answer->exitStatus;
}

}  // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char* argv[]) {
  return Say(rating::AnswerHelpOrVersion(Arguments(argc, argv), kProgram, RATING_VERSION));
}

std::optional<int> RefuseOtherArguments(int argc, char* argv[]) {
  return Say(rating::RefuseArguments(Arguments(argc, argv), kProgram));
}

rating::UnitSystem StartingUnits(int argc, char* argv[]) {
  return rating::StartingUnits(Arguments(argc, argv));
}
