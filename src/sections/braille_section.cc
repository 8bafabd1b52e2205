#include "report/fields.h"
#include "report/setting_line.h"
#include "sections/braille_dots.h"
#include "sections/braille_tables.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr int kDotCount = 8;

void WriteGraphicSymbolLine(ReportContext& ctx, BlockPair blocks) {
  const SettingLine& line = kGraphicSymbolLine;
  bool differs = ctx.comparing() && FieldDiffers(blocks, line);
  if (!ctx.ShouldWrite(differs, {}, line.keyword)) return;
  ByteView shown = ctx.Shown(blocks);
  if (ctx.noting()) ctx.Note(StoredOf(shown, line));
  BeginSetting(ctx.out, line.keyword);
  AppendLine(ctx.out, FormatBrailleDots(ReadWord(shown, line.offset)));
}

}  // namespace

std::u16string FormatBrailleDots(std::uint16_t bits) {
  std::u16string dots;
  for (int i = 0; i < kDotCount; ++i) {
    if ((bits >> i) & 1) dots.push_back(static_cast<char16_t>(u'1' + i));
  }
  return dots;
}

void WriteBrailleSection(ReportContext& ctx) {
  BlockPair blocks = ctx.Blocks(BlockId::kBraille);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kBrailleHeader);
  WriteSettingLines(ctx, blocks, kBrailleLines);
  WriteGraphicSymbolLine(ctx, blocks);
  EraseIfShort(ctx.out, mark, kBrailleThreshold);
}

}  // namespace quorlith
