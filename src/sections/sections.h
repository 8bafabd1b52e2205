#pragma once

#include "report/report_context.h"

namespace quorlith {

// The section writers, in report order. Each writes its header, its setting
// lines and its own erase tests at the end of `ctx.out`; the report writer
// adds the ";" line and the section's last erase test after the first ten.

void WriteScreenSection(ReportContext& ctx);      // Menu 1
void WriteKeyboardSection(ReportContext& ctx);    // Menu 2
void WriteMouseSection(ReportContext& ctx);       // Menu 3
void WriteHotKeySection(ReportContext& ctx);      // Menu 4
void WriteCursorKeySection(ReportContext& ctx);   // Menu 5
void WriteGeneralSection(ReportContext& ctx);     // Menu 6
void WriteBrailleSection(ReportContext& ctx);     // Menu 7
void WriteVerbositySection(ReportContext& ctx);   // Menu 8
void WriteGlobalSection(ReportContext& ctx);      // Menu 9
void WriteDictionarySection(ReportContext& ctx);  // Menu 10
void WriteWindowSections(ReportContext& ctx);     // window characteristics

}  // namespace quorlith
