#pragma once

#include <string>

#include "report/dos_time.h"
#include "report/report_context.h"
#include "report/report_text.h"
#include "setfile/set_file.h"

namespace quorlith {

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
