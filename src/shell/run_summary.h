#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runs/run.h"

namespace quorlith {

// How a run ended, in the words both desktop programs put before its log:
// the outcome first, so that a screen reader says it first.

enum class RunKind { kDecompile, kCompare, kCompile };

struct RunOutcome {
  RunKind kind = RunKind::kDecompile;
  RunMode mode = RunMode::kDecompile;
  // Where a decompile with an output name (mode 3) put its reports.
  std::string output_folder;
  RunTally tally;
  int written = 0;  // a compile: the set files it wrote
  std::size_t errors = 0;
  std::size_t lines_left_out = 0;
};

// `number` with a comma between groups of three digits: "1,500".
std::u16string GroupedNumber(std::int64_t number);

// How far a run has come: "1,200 of 3,000".
std::u16string ProgressText(std::size_t done, std::size_t total);

// "Decompiled 1,500 files, 1 error. Reports next to the set files.", and
// how many lines the log left out, if any.
std::u16string SummaryText(const RunOutcome& outcome);

}  // namespace quorlith
