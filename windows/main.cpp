#include <windows.h>

#include "windows/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int show) {
  const HWND window = rating::win32::CreateMainWindow(instance, show);
  if (window == nullptr) return 1;
  rating::win32::MakeProgramFolderCurrent(window);
  return rating::win32::RunMessageLoop(window);
}
