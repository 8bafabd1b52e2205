#pragma once

#include <string>
#include <vector>

#include "runs/file_system.h"
#include "runs/progress_log.h"

namespace quorlith {

// Settings changed from the command line, without a report: each line is
// a report's setting line ("Key_Rate = 70", "window#*h_Interrupt = Yes"),
// compiled over each set file the names match.
struct SetRequest {
  std::vector<std::string> lines;  // UTF-8, as given
  std::vector<std::string> names;  // set files, wildcards allowed
  // Empty: each file is changed in place. Otherwise the set file to
  // write, or a folder (ending with a separator) for one file per input,
  // named as the input.
  std::string output;
};

// Compiles the lines over every file first and writes only when all of
// them compiled: a line the compile refuses, or a file that cannot be
// read, writes none. Each file is then written as the compile writes its
// output (a new file renamed into place), in place only where a setting
// changed. Problems are logged as errors in the compile's words, progress
// one line per file. Returns the number of files written.
int RunSet(FileSystem& fs, LogBuffer& log, const SetRequest& request);

}  // namespace quorlith
