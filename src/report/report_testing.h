#pragma once

#include <string>
#include <string_view>

#include "report/report_context.h"
#include "report/report_text.h"
#include "setfile/set_file.h"

namespace quorlith {

// Helpers for tests of section writers and whole reports.

// UTF-8 of report text with each CR LF turned into "\n", so goldens read
// as plain multi-line strings. A CR or LF that is not part of a CR LF pair
// shows as "<CR>" or "<LF>" and makes any golden comparison fail.
std::string Readable(std::u16string_view text);

using SectionWriterFn = void (*)(ReportContext&);

// The text one section writer adds to an empty report: in a decompile of
// `printed`, or in a comparison of `printed` against `original`.
std::string DecompileSectionText(SectionWriterFn writer,
                                 const SetFileImage& printed);
std::string CompareSectionText(SectionWriterFn writer,
                               const SetFileImage& original,
                               const SetFileImage& printed);

// Whole reports, header included (the path is "/sets/NEW.000" and the
// original "/sets/ORIG.000", both dated 01/01/1980 at 00:00.00).
std::string DecompileReportText(const SetFileImage& printed);
std::string ComparisonReportText(const SetFileImage& original,
                                 const SetFileImage& printed);

// The body of a comparison report: what lies between the header's ";" line
// and the footer, readable. Empty-report comparisons give
// ";There are no differences between the two set files.\n".
std::string ComparisonBody(const SetFileImage& original,
                           const SetFileImage& printed);

}  // namespace quorlith
