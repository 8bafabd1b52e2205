#include "report/report_text.h"
#include "report/setting_line.h"
#include "sections/sections.h"
#include "sections/verbosity_tables.h"

namespace quorlith {

void WriteVerbositySection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kVerbosityHeader);
  BlockPair blocks = ctx.Blocks(BlockId::kVerbosity);
  for (const SubSection& sub : kVerbositySubSections) {
    WriteSubSection(ctx, blocks, sub);
  }
  EraseIfShort(ctx.out, mark, kVerbosityThreshold);
}

}  // namespace quorlith
