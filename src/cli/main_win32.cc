#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/win32_console.h"
#include "runs/win32_file_system.h"
#include "runs/win32_wide.h"
#include "runs/windows_command_line.h"

// The program splits its own command line and expands its own patterns;
// the start-up code's expansion of wildcards in argv would only cost time.
extern "C" {
int _dowildcard = 0;
}

// The arguments are split from the raw UTF-16 command line, where a quoted
// folder that ends in "\" stays a folder, and go on as UTF-8, so any name
// reaches the run unchanged, whatever the console's code page.
int wmain(int, wchar_t**) {
  std::vector<std::string> args =
      quorlith::SplitWindowsCommandLine(quorlith::Narrow(GetCommandLineW()));
  std::vector<const char*> pointers;
  for (const std::string& arg : args) pointers.push_back(arg.c_str());

  quorlith::Win32ConsoleBuffer out_buffer(GetStdHandle(STD_OUTPUT_HANDLE));
  quorlith::Win32ConsoleBuffer err_buffer(GetStdHandle(STD_ERROR_HANDLE));
  std::ostream out(&out_buffer);
  std::ostream err(&err_buffer);
  quorlith::Win32FileSystem fs;
  int status = quorlith::RunConsole(static_cast<int>(pointers.size()),
                                    pointers.data(), out, err, fs);
  out.flush();
  err.flush();
  // A double click in Explorer starts the program without arguments in a
  // console of its own, which would close before the usage could be read.
  if (args.size() == 1 && quorlith::AloneOnConsole()) {
    err << "\nPress any key to close this window.\n";
    err.flush();
    quorlith::WaitForKey(GetStdHandle(STD_INPUT_HANDLE));
  }
  return status;
}
