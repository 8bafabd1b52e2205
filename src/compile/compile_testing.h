#pragma once

#include <string>

#include "compile/compiler.h"
#include "report/report_testing.h"

namespace quorlith {

// A compile's problems, one "LINE:COLUMN: message" a line.
std::string ProblemLines(const CompileOutcome& outcome);

// What the compile says of compile/problems.t00 in `testdata`, a report
// with a line for each kind of problem, over the busy set file 1: the
// golden compile_problems.txt. `stored` compiles it as a report stored
// once for many bases rather than read for the one.
GoldenReport CompileProblemsGolden(const std::string& testdata,
                                   bool stored = false);

}  // namespace quorlith
