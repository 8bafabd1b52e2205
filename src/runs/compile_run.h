#pragma once

#include <string>
#include <string_view>

#include "runs/file_system.h"
#include "runs/progress_log.h"

namespace quorlith {

struct CompileProblem;

// A problem of a report as the runs log it: "REPORT:LINE:COLUMN: message",
// or "message in REPORT" for one of the whole report.
std::u16string LocatedProblem(std::u16string_view report,
                              const CompileProblem& problem);

// A compile of one report over one or more base set files.
struct CompileRequest {
  std::string report;  // the report's path
  // A pattern of base set files; empty: the file the report's header names
  // ("Created from").
  std::string base;
  // The set file to write, or a folder (ending with a separator) for one
  // file per base, named as the base.
  std::string output;
  int jobs = 1;  // bases compiled at once
};

// Compiles the report over each base and writes each output through a
// temporary file in the output's folder, renamed into place only when the
// compile found no problem. Never writes a base, the report or another
// base's file. Problems are logged one per line as
// "REPORT:LINE:COLUMN: message", each an error; the catalogue's messages
// report files that cannot be found or read. Returns the number of files
// written.
int RunCompile(FileSystem& fs, LogBuffer& log, const CompileRequest& request);

}  // namespace quorlith
