#include "report/setting_line.h"
#include "sections/screen_keyboard_tables.h"
#include "sections/sections.h"

namespace quorlith {

void WriteScreenSection(ReportContext& ctx) {
  BlockPair blocks = ctx.Blocks(BlockId::kScreen);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kScreenHeader);
  WriteSettingLines(ctx, blocks, kScreenVoiceLines);
  WriteSubSection(ctx, blocks, kScreenPunctuation);
  WriteSettingLines(ctx, blocks, kScreenReadingLines);
  WriteSubSection(ctx, blocks, kScreenLineFilter);
  WriteSettingLines(ctx, blocks, kScreenFilterLines);
  EraseIfShort(ctx.out, mark, kScreenThreshold);
}

void WriteKeyboardSection(ReportContext& ctx) {
  BlockPair blocks = ctx.Blocks(BlockId::kKeyboard);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kKeyboardHeader);
  WriteSettingLines(ctx, blocks, kKeyVoiceLines);
  WriteSubSection(ctx, blocks, kKeyPunctuation);
  WriteSubSection(ctx, blocks, kSpecialKeys);
  WriteSettingLines(ctx, blocks, kKeyCapitalsLines);
  EraseIfShort(ctx.out, mark, kKeyboardThreshold);
}

}  // namespace quorlith
