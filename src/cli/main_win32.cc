#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/win32_console.h"
#include "runs/win32_file_system.h"
#include "runs/win32_wide.h"

// The mingw-w64 start-up code would expand wildcards in the arguments, so
// "C:\Sets\*.000" would arrive as one argument per file and change the run
// mode; the program expands its patterns itself.
extern "C" {
int _dowildcard = 0;
}

// The arguments arrive as UTF-16 and go on as UTF-8, so any name reaches
// the run unchanged, whatever the console's code page.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) args.push_back(quorlith::Narrow(argv[i]));
  std::vector<const char*> pointers;
  for (const std::string& arg : args) pointers.push_back(arg.c_str());

  quorlith::Win32ConsoleBuffer out_buffer(GetStdHandle(STD_OUTPUT_HANDLE));
  quorlith::Win32ConsoleBuffer err_buffer(GetStdHandle(STD_ERROR_HANDLE));
  std::ostream out(&out_buffer);
  std::ostream err(&err_buffer);
  quorlith::Win32FileSystem fs;
  int status = quorlith::RunConsole(argc, pointers.data(), out, err, fs);
  out.flush();
  err.flush();
  return status;
}
