#include <windows.h>

#include "run/platform.h"
#include "windows/main_window.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, PWSTR /*lpCmdLine*/, int nShowCmd) {
  rating::platform::MarkRunning();
  const HWND window = rating::win32::CreateMainWindow(hInstance, nShowCmd);
  if (window == nullptr) return 1;
  rating::win32::MakeProgramFolderCurrent(window);
  return rating::win32::RunMessageLoop(window);
}
