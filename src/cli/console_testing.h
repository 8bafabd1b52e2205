#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/console.h"
#include "runs/fake_file_system.h"

namespace quorlith {

// What one command line did: its exit status and both streams.
struct ConsoleOutcome {
  int status;
  std::string out;
  std::string err;
};

// Runs "quorlith ARGS..." over `fs`.
inline ConsoleOutcome RunConsoleWith(FakeFileSystem& fs,
                                     std::vector<const char*> args) {
  args.insert(args.begin(), "quorlith");
  std::ostringstream out, err;
  int status =
      RunConsole(static_cast<int>(args.size()), args.data(), out, err, fs);
  return {status, out.str(), err.str()};
}

}  // namespace quorlith
