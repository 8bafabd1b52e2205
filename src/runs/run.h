#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "runs/file_system.h"
#include "runs/progress_log.h"

namespace quorlith {

// How a run treats its two names. Do not renumber: a command line's mode
// is its argument count, program name included.
enum class RunMode {
  kDecompile = 2,    // reports next to the inputs
  kDecompileTo = 3,  // reports named from an output name
  kCompare = 4,      // the input is the original, the output the new files
};

// What a run counts for its caller beyond the log, as it goes: a desktop
// program shows progress and a summary from it.
struct RunTally {
  std::size_t files = 0;  // the entries the pattern matched
  std::size_t done = 0;   // of those, the ones finished so far
  int counted = 0;        // the files decompiled or compared
  // A comparison: the setting lines of all its reports.
  std::int64_t settings_differ = 0;
};

// What a run needs from its caller. `pump` runs after every file, lets the
// user interface catch up and returns true when the run must stop (its
// window was closed); the run then ends without its count line. With
// `jobs` above 1 files are read and reports written on that many threads;
// the log and every report stay exactly those of a serial run. `fs` must
// then be safe to call from several threads.
struct RunContext {
  FileSystem& fs;
  LogBuffer& log;
  std::function<bool()> pump;
  int jobs = 1;
  RunTally tally = {};
};

// Decompiles every set file that matches `input` (mode 2 or 3), or hands a
// comparison (mode 4) to RunCompare with `input` as the original and
// `output` as the pattern of new files. Every outcome goes to the log.
void RunDecompile(RunContext& ctx, RunMode mode, std::string_view input,
                  std::string_view output);

// Compares `original` with every set file that matches `new_pattern`.
void RunCompare(RunContext& ctx, std::string_view original,
                std::string_view new_pattern);

}  // namespace quorlith
