#pragma once

#include <ostream>

#include "runs/file_system.h"

namespace quorlith {

// Exit statuses of the console program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRunError = 1;  // the run logged an error message
inline constexpr int kExitUsage = 2;

// Runs the console program on its command line: parses it, runs the
// decompile or comparison it names against `fs`, prints each log message
// as it is logged (progress to `out`, errors to `err`) and returns the
// exit status.
int RunConsole(int argc, const char* const* argv, std::ostream& out,
               std::ostream& err, FileSystem& fs);

}  // namespace quorlith
