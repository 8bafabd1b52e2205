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

namespace {

// Copies `text` to `at`; returns the end of the copy.
char16_t* Put(char16_t* at, std::u16string_view text) {
  CopyUnits(at, text.data(), text.size());
  return at + text.size();
}

// The room a value of `line` takes at most, but for a name, which has its
// table's longest.
std::size_t ValueRoom(const SettingLine& line) {
  return line.rendering == Rendering::kText ? line.units : kLongestDecimal;
}

// Writes the value of `line` (not a name) at `at`, which has ValueRoom
// units of room; returns its end.
char16_t* WriteValue(char16_t* at, ByteView block, const SettingLine& line) {
  switch (line.rendering) {
    case Rendering::kDecimal:
      return WriteDecimal(at, ReadSignedWord(block, line.offset), 1);
    case Rendering::kUnsignedDecimal:
      return WriteDecimal(at, ReadWord(block, line.offset), 1);
    case Rendering::kByteDecimal:
      return WriteDecimal(at, ReadByte(block, line.offset), 1);
    case Rendering::kCharacter:
      *at = static_cast<char16_t>(ReadWord(block, line.offset));
      return at + 1;
    case Rendering::kText:
      return WriteText(at, block, line.offset, line.units);
    case Rendering::kBool:
      return Put(at, BoolName(ReadSignedWord(block, line.offset)));
    case Rendering::kDecimalOrNone: {
      std::int16_t value = ReadSignedWord(block, line.offset);
      return value == -1 ? Put(at, u"None"sv) : WriteDecimal(at, value, 1);
    }
    case Rendering::kOneIsOn:
      return Put(at, OffOnNames[ReadWord(block, line.offset) == 1 ? 1 : 0]);
    case Rendering::kName:
      break;  // the caller's
  }
  return at;
}

}  // namespace

void AppendValue(ReportText& out, ByteView block, const SettingLine& line) {
  if (line.rendering == Rendering::kName) {
    AppendName(out, line.names, ReadSignedWord(block, line.offset));
    return;
  }
  out.Commit(WriteValue(out.Extend(ValueRoom(line)), block, line));
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

void WriteSettingLine(ReportContext& ctx, const BlockPair& blocks,
                      const SettingLine& line, std::u16string_view prefix) {
  bool differs = ctx.comparing() && FieldDiffers(blocks, line);
  if (!ctx.ShouldWrite(differs, prefix, line.keyword)) return;
  ByteView shown = ctx.Shown(blocks);
  ctx.Note({ParseSettingLine, &line, line.names},
           [&] { return StoredOf(ctx, shown, line); });
  // The whole line through one reservation, but for a name, whose length
  // only its table knows: most lines are a keyword and a number.
  ReportText& out = ctx.out;
  char16_t* at = out.Extend(prefix.size() + line.keyword.size() +
                            kEquals.size() + ValueRoom(line) + kLineEnd.size());
  at = Put(Put(Put(at, prefix), line.keyword), kEquals);
  if (line.rendering == Rendering::kName) {
    out.Commit(at);
    AppendValue(out, shown, line);
    out.append(kLineEnd);
    return;
  }
  out.Commit(Put(WriteValue(at, shown, line), kLineEnd));
}

void WriteSettingLines(ReportContext& ctx, const BlockPair& blocks,
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
