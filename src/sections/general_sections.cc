#include "report/fields.h"
#include "report/setting_line.h"
#include "sections/general_tables.h"
#include "sections/sections.h"

namespace quorlith {

void WriteGeneralSection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kGeneralHeader);
  WriteSettingLines(ctx, ctx.Blocks(BlockId::kGeneral), kGeneralLines);
  EraseIfShort(ctx.out, mark, kGeneralThreshold);
}

void WriteGlobalSection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kGlobalHeader);
  WriteSettingLines(ctx, ctx.Blocks(BlockId::kGeneral), kGlobalLines);
  EraseIfShort(ctx.out, mark, kGlobalThreshold);
}

void WriteDictionarySection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kDictionaryHeader);
  WriteSettingLines(ctx, ctx.Blocks(BlockId::kDictionary), kDictionaryLines);
  // A decompile keeps this section even when it has no line to show.
  if (ctx.comparing()) EraseIfShort(ctx.out, mark, kDictionaryThreshold);
}

}  // namespace quorlith
