#include "report/setting_line.h"

#include "report/fields.h"
#include "report/value_parse.h"

namespace quorlith {

using namespace std::string_view_literals;

bool FieldDiffers(BlockPair blocks, const SettingLine& line) {
  switch (line.rendering) {
    case Rendering::kByteDecimal:
      return ReadByte(blocks.printed, line.offset) !=
             ReadByte(blocks.original, line.offset);
    case Rendering::kText:
      return !TextsEqual(blocks.printed, blocks.original, line.offset,
                         line.units, line.compare == CompareRule::kTextFoldAz);
    default:
      return ReadWord(blocks.printed, line.offset) !=
             ReadWord(blocks.original, line.offset);
  }
}

void AppendValue(ReportText& out, ByteView block, const SettingLine& line) {
  switch (line.rendering) {
    case Rendering::kDecimal:
      AppendDecimal(out, ReadSignedWord(block, line.offset));
      break;
    case Rendering::kUnsignedDecimal:
      AppendDecimal(out, ReadWord(block, line.offset));
      break;
    case Rendering::kByteDecimal:
      AppendDecimal(out, ReadByte(block, line.offset));
      break;
    case Rendering::kCharacter:
      out.push_back(static_cast<char16_t>(ReadWord(block, line.offset)));
      break;
    case Rendering::kName:
      AppendName(out, line.names, ReadSignedWord(block, line.offset));
      break;
    case Rendering::kText:
      AppendText(out, block, line.offset, line.units);
      break;
    case Rendering::kBool:
      out.append(BoolName(ReadSignedWord(block, line.offset)));
      break;
    case Rendering::kDecimalOrNone: {
      std::int16_t value = ReadSignedWord(block, line.offset);
      if (value == -1) {
        out.append(u"None"sv);
      } else {
        AppendDecimal(out, value);
      }
      break;
    }
    case Rendering::kOneIsOn:
      out.append(OffOnNames[ReadWord(block, line.offset) == 1 ? 1 : 0]);
      break;
  }
}

StoredValue StoredOf(ByteView block, const SettingLine& line) {
  StoredValue stored;
  stored.field = block.data() + line.offset;
  switch (line.rendering) {
    case Rendering::kUnsignedDecimal:
    case Rendering::kCharacter:
    case Rendering::kOneIsOn:
      stored.number = ReadWord(block, line.offset);
      break;
    case Rendering::kByteDecimal:
      stored.number = ReadByte(block, line.offset);
      break;
    case Rendering::kText:
      stored.text = TextOf(block, line.offset, line.units);
      stored.is_text = true;
      break;
    default:
      stored.number = ReadSignedWord(block, line.offset);
      break;
  }
  return stored;
}

StoredValue StoredOf(const ReportContext& ctx, ByteView block,
                     const SettingLine& line) {
  if (line.rendering != Rendering::kText || ctx.noting_texts()) {
    return StoredOf(block, line);
  }
  StoredValue stored;
  stored.field = block.data() + line.offset;
  stored.is_text = true;
  return stored;
}

void WriteSettingLine(ReportContext& ctx, BlockPair blocks,
                      const SettingLine& line, std::u16string_view prefix) {
  bool differs = ctx.comparing() && FieldDiffers(blocks, line);
  if (!ctx.ShouldWrite(differs, prefix, line.keyword)) return;
  ByteView shown = ctx.Shown(blocks);
  ctx.Note({ParseSettingLine, &line},
           [&] { return StoredOf(ctx, shown, line); });
  ctx.out.append(prefix);
  BeginSetting(ctx.out, line.keyword);
  AppendValue(ctx.out, shown, line);
  ctx.out.append(kLineEnd);
}

void WriteSettingLines(ReportContext& ctx, BlockPair blocks,
                       std::span<const SettingLine> lines,
                       std::u16string_view prefix) {
  for (const SettingLine& line : lines) {
    WriteSettingLine(ctx, blocks, line, prefix);
  }
}

void WriteSubSection(ReportContext& ctx, BlockPair blocks,
                     const SubSection& sub) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, sub.header);
  WriteSettingLines(ctx, blocks, sub.lines);
  if (sub.separator) AppendLine(ctx.out, kSeparatorLine);
  EraseIfShort(ctx.out, mark, sub.threshold);
}

}  // namespace quorlith
