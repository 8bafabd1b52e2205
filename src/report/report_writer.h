#pragma once

#include <string>

#include "report/report_context.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// A last-write time as the report header prints it: local time in the
// MS-DOS fields, with their 2-second resolution and years 1980 to 2107.
struct DosDateTime {
  int month = 0;
  int day = 0;
  int year = 1980;
  int hours = 0;
  int minutes = 0;
  int seconds = 0;

  bool operator==(const DosDateTime&) const = default;
};

// A file as the report header names it: its full path (directory and the
// name the search returned) and its last-write time.
struct ReportSource {
  std::string path;
  DosDateTime modified;
};

inline constexpr char16_t kByteOrderMark = 0xFEFF;

// Renders a whole decompile report of `printed`, byte order mark to footer.
// Renders into `out`, replacing what it held, so a caller can reuse one
// buffer for every report of a run.
void RenderDecompileReport(const ReportSource& input, SetFileView printed,
                           ReportText& out, const ReportOptions& options = {});

// Renders a whole comparison report that shows the settings of `printed`
// (the new file) that differ from `original`.
void RenderComparisonReport(const ReportSource& original_source,
                            const ReportSource& new_source,
                            SetFileView original, SetFileView printed,
                            ReportText& out, const ReportOptions& options = {});

}  // namespace quorlith
