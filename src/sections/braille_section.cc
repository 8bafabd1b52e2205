#include "report/fields.h"
#include "report/setting_line.h"
#include "report/value_parse.h"
#include "sections/braille_dots.h"
#include "sections/braille_tables.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr int kDotCount = 8;

// The inverse of FormatBrailleDots: each digit 1 to 8 at most once, in any
// order. The word's upper byte is no dot and keeps its bits.
ParseResult ParseBrailleDots(const void*, std::u16string_view value,
                             std::span<std::uint8_t> body,
                             std::span<const std::size_t> fields) {
  std::uint16_t dots = 0;
  for (char16_t c : value) {
    int dot = c - u'1';
    if (dot < 0 || dot >= kDotCount || ((dots >> dot) & 1) != 0) {
      return Quoted(value) +
             u" is not a set of braille dots: the digits 1 to 8, each once";
    }
    dots = static_cast<std::uint16_t>(dots | (1u << dot));
  }
  body[fields[0]] = static_cast<std::uint8_t>(dots);
  return std::nullopt;
}

void WriteGraphicSymbolLine(ReportContext& ctx, BlockPair blocks) {
  const SettingLine& line = kGraphicSymbolLine;
  bool differs = ctx.comparing() && FieldDiffers(blocks, line);
  if (!ctx.ShouldWrite(differs, {}, line.keyword)) return;
  ByteView shown = ctx.Shown(blocks);
  ctx.Note({ParseBrailleDots, &line}, [&] { return StoredOf(shown, line); });
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
