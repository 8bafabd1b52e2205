#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "report/fields.h"
#include "report/report_text.h"
#include "report/value_names.h"
#include "sections/cursor_key_tables.h"
#include "sections/key_names.h"
#include "sections/sections.h"

namespace quorlith {

namespace {

CursorArgument ArgumentOf(std::int16_t row) {
  for (const CursorCommandArgument& entry : kCursorCommandArguments) {
    if (entry.row == row) return entry.argument;
  }
  return CursorArgument::kNone;
}

KeyStroke ReadStroke(ByteView record) {
  KeyStroke stroke;
  stroke.control = ReadWord(record, kCursorKeyControlOffset);
  stroke.alt = ReadWord(record, kCursorKeyAltOffset);
  stroke.shift = ReadWord(record, kCursorKeyShiftOffset);
  stroke.key_code = ReadWord(record, kCursorKeyCodeOffset);
  return stroke;
}

bool CommandDiffers(BlockPair record, const CursorCommandFields& fields) {
  for (std::size_t offset : {fields.command, fields.number, fields.hot_key}) {
    if (ReadWord(record.printed, offset) != ReadWord(record.original, offset)) {
      return true;
    }
  }
  return !TextsEqual(record.printed, record.original, fields.set_file,
                     kCursorSetFileNameUnits, /*fold_az=*/false);
}

// Every field of the key line counts, whether or not a command uses it.
bool KeyLineDiffers(BlockPair record) {
  return CommandDiffers(record, kFirstCursorCommand) ||
         CommandDiffers(record, kSecondCursorCommand) ||
         ReadStroke(record.printed) != ReadStroke(record.original);
}

void AppendCommand(ReportText& out, ByteView record, std::int16_t row,
                   const CursorCommandFields& fields) {
  AppendName(out, CursorCommandNames, row);
  CursorArgument argument = ArgumentOf(row);
  if (argument == CursorArgument::kNone) return;
  out.push_back(u'_');
  switch (argument) {
    case CursorArgument::kNumber:
      AppendDecimal(out, ReadSignedWord(record, fields.number));
      break;
    case CursorArgument::kSetFile:
      AppendText(out, record, fields.set_file, kCursorSetFileNameUnits);
      break;
    case CursorArgument::kHotKey:
      AppendName(out, HotKeyCommandNames,
                 ReadSignedWord(record, fields.hot_key));
      break;
    case CursorArgument::kOfficeAttribute:
      AppendName(out, OfficeAttributeNames,
                 ReadSignedWord(record, fields.number));
      break;
    case CursorArgument::kNone:
      break;
  }
}

void AppendKeyNumber(ReportText& out, std::size_t key_number) {
  out.append(u"Key#");
  AppendZeroPadded(out, static_cast<std::int64_t>(key_number), 2);
}

// The key line's stored fields: the stroke, then each command's row,
// number, hot key and set-file name.
void NoteKeyLine(const ReportContext& ctx, ByteView record) {
  StoredValue stored[12];
  std::size_t n = 0;
  auto word = [&](std::size_t offset) {
    stored[n].number = ReadSignedWord(record, offset);
    stored[n++].field = record.data() + offset;
  };
  for (std::size_t offset : {kCursorKeyControlOffset, kCursorKeyAltOffset,
                             kCursorKeyShiftOffset, kCursorKeyCodeOffset}) {
    word(offset);
  }
  for (const CursorCommandFields& fields :
       {kFirstCursorCommand, kSecondCursorCommand}) {
    word(fields.command);
    word(fields.number);
    word(fields.hot_key);
    AppendText(stored[n].text, record, fields.set_file,
               kCursorSetFileNameUnits);
    stored[n].is_text = true;
    stored[n++].field = record.data() + fields.set_file;
  }
  ctx.Note(stored);
}

void WriteKeyLine(ReportText& out, ByteView record, std::size_t key_number) {
  AppendKeyNumber(out, key_number);
  out.append(u" = ");
  KeyStroke stroke = ReadStroke(record);
  WriteKeyStroke(out, stroke, KeyNameStyle::kCursorKey);
  if (!KeyStrokeIsUndefined(stroke, KeyNameStyle::kCursorKey)) {
    out.push_back(u' ');
    AppendCommand(out, record,
                  ReadSignedWord(record, kFirstCursorCommand.command),
                  kFirstCursorCommand);
    out.push_back(u' ');
    std::int16_t second = ReadSignedWord(record, kSecondCursorCommand.command);
    if (second != kNoSecondCommandRow) {
      AppendCommand(out, record, second, kSecondCursorCommand);
    }
  }
  out.append(kLineEnd);
}

void WriteDelayLine(ReportText& out, ByteView record, std::size_t key_number) {
  AppendKeyNumber(out, key_number);
  out.append(u"_delay = ");
  AppendDecimal(out, ReadWord(record, kCursorKeyDelayOffset));
  out.append(kLineEnd);
}

}  // namespace

void WriteCursorKeySection(ReportContext& ctx) {
  ReportText& out = ctx.out;
  auto mark = out.size();
  ctx.section_start = mark;
  for (std::u16string_view line : kCursorKeyHeaderLines) AppendLine(out, line);
  BlockPair block = ctx.Blocks(BlockId::kCursorKey);
  for (std::size_t k = 0; k < kCursorKeyCount; ++k) {
    BlockPair record =
        block.Sub(k * kCursorKeyRecordSize, kCursorKeyRecordSize);
    std::size_t key_number = k + 1;
    ByteView shown = ctx.Shown(record);
    // Only the ignore list needs the keywords spelt out.
    std::u16string keyword;
    if (ctx.options.ignore != nullptr) AppendKeyNumber(keyword, key_number);
    if (ctx.ShouldWrite(KeyLineDiffers(record), {}, keyword)) {
      if (ctx.noting()) NoteKeyLine(ctx, shown);
      WriteKeyLine(out, shown, key_number);
    }
    bool delay_differs = ReadWord(record.printed, kCursorKeyDelayOffset) !=
                         ReadWord(record.original, kCursorKeyDelayOffset);
    if (ctx.ShouldWrite(delay_differs, keyword,
                        keyword.empty() ? u"" : u"_delay")) {
      if (ctx.noting()) {
        ctx.Note(StoredNumber(ReadWord(shown, kCursorKeyDelayOffset),
                              shown.data() + kCursorKeyDelayOffset));
      }
      WriteDelayLine(out, shown, key_number);
    }
  }
  EraseIfShort(out, mark, kCursorKeyThreshold);
}

}  // namespace quorlith
