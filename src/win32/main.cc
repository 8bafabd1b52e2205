#include <windows.h>

#include "runs/win32_file_system.h"
#include "win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  quorlith::Win32FileSystem fs;
  // The whole command line, program name included, split by the program.
  return quorlith::win32::ShellMain(instance, show, GetCommandLineW(), fs);
}
