#include <string>
#include <vector>
#include <windows.h>

#include "messages/messages.h"
#include "platform/platform.h"
#include "run/window_arguments.h"
#include "windows/main_window.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/, int nShowCmd) {
  // --help, --version and anything unknown are answered in a message box, as
  // a program without a console can, before any window opens.
  const std::vector<std::string> words = rating::platform::CommandLineArguments(0, nullptr);
  const std::vector<std::string> arguments(words.begin() + (words.empty() ? 0 : 1), words.end());
  constexpr std::string_view kProgram = "trapezoid-rating";
  std::optional<rating::WindowAnswer> answer =
      rating::AnswerHelpOrVersion(arguments, kProgram, RATING_VERSION);
  if (!answer) answer = rating::RefuseArguments(arguments, kProgram);
  if (answer) {
    const std::wstring caption = rating::platform::Wide(rating::Pattern(rating::Message::CaptionWindow));
    ::MessageBoxW(nullptr, rating::platform::Wide(answer->text).c_str(), caption.c_str(),
                  answer->exitStatus == 0 ? MB_ICONINFORMATION : MB_ICONERROR);
    return answer->exitStatus;
  }
  rating::platform::MarkRunning();
  const HWND window = rating::win32::CreateMainWindow(hInstance, nShowCmd, rating::StartingUnits(arguments));
  if (window == nullptr) return 1;
  rating::win32::MakeProgramFolderCurrent(window);
  return rating::win32::RunMessageLoop(window);
}
