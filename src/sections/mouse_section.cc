#include "report/fields.h"
#include "report/setting_line.h"
#include "report/value_parse.h"
#include "sections/mouse_tables.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

// "on" or "off" into the flag's bit alone.
ParseResult ParseFlag(const void* table, std::u16string_view value,
                      std::span<std::uint8_t> body,
                      std::span<const std::size_t> fields) {
  constexpr std::u16string_view kNames[] = {u"off", u"on"};
  std::optional<std::size_t> on = FindName(kNames, value);
  if (!on) return NotOneOf(value, kNames);
  std::uint8_t mask = static_cast<const FlagLine*>(table)->mask;
  std::uint8_t& flags = body[fields[0]];
  flags = static_cast<std::uint8_t>(*on != 0 ? flags | mask : flags & ~mask);
  return std::nullopt;
}

void WriteAttributeSearchLines(ReportContext& ctx, BlockPair blocks) {
  std::uint8_t printed = ReadByte(blocks.printed, kAttributeOffset);
  std::uint8_t original = ReadByte(blocks.original, kAttributeOffset);
  std::uint8_t shown = ReadByte(ctx.Shown(blocks), kAttributeOffset);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kAttributeSearchHeader);
  for (const FlagLine& line : kAttributeSearchLines) {
    bool differs = ((printed ^ original) & line.mask) != 0;
    if (!ctx.ShouldWrite(differs, {}, line.keyword)) continue;
    bool on = (shown & line.mask) != 0;
    ctx.Note({ParseFlag, &line}, [&] {
      return StoredNumber(shown, ctx.Shown(blocks).data() + kAttributeOffset);
    });
    BeginSetting(ctx.out, line.keyword);
    AppendLine(ctx.out, on ? u"on" : u"off");
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
