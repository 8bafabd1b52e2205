#include "report/fields.h"
#include "report/setting_line.h"
#include "sections/mouse_tables.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

void WriteAttributeSearchLines(ReportContext& ctx, BlockPair blocks) {
  std::uint8_t printed = ReadByte(blocks.printed, kAttributeOffset);
  std::uint8_t original = ReadByte(blocks.original, kAttributeOffset);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kAttributeSearchHeader);
  for (const FlagLine& line : kAttributeSearchLines) {
    if (!ctx.ShouldWrite(((printed ^ original) & line.mask) != 0)) continue;
    BeginSetting(ctx.out, line.keyword);
    AppendLine(ctx.out, (printed & line.mask) != 0 ? u"on" : u"off");
  }
  EraseIfShort(ctx.out, mark, kAttributeSearchThreshold);
}

}  // namespace

void WriteMouseSection(ReportContext& ctx) {
  BlockPair blocks = ctx.Blocks(BlockId::kMouse);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kMouseHeader);
  WriteSettingLines(ctx, blocks, kMouseLines);
  WriteAttributeSearchLines(ctx, blocks);
  EraseIfShort(ctx.out, mark, kMouseThreshold);
}

}  // namespace quorlith
