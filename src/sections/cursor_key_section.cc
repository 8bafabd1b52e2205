#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "report/fields.h"
#include "report/report_text.h"
#include "report/setting_line.h"
#include "report/value_names.h"
#include "report/value_parse.h"
#include "sections/cursor_key_tables.h"
#include "sections/key_names.h"
#include "sections/sections.h"

namespace quorlith {

using namespace std::string_view_literals;

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
  out.append(u"Key#"sv);
  AppendZeroPadded(out, static_cast<std::int64_t>(key_number), 2);
}

// A command as a key line writes it: its name (or, for a row outside the
// table, the number), then "_" and its argument if it takes one. `fields`
// are the command's row, number, hot key and set-file name.
struct CommandText {
  std::u16string_view text;
  std::span<const std::size_t> fields;
};

bool IsNameEnd(std::u16string_view rest) {
  return rest.empty() || rest[0] == u'_' || rest[0] == u' ';
}

// Parses the command at the start of `text` into `body`; `text` moves past
// it. A set-file name runs to `end` (the caller tries each place where the
// next command could start).
ParseResult ParseCommand(std::u16string_view& text,
                         std::span<std::uint8_t> body,
                         std::span<const std::size_t> fields,
                         std::size_t set_file_end) {
  std::int16_t row = -1;
  std::size_t length = 0;
  for (std::size_t r = 0; r < std::size(CursorCommandNames); ++r) {
    std::u16string_view name = CursorCommandNames[r];
    if (name.size() > length && StartsWithFolded(text, name) &&
        IsNameEnd(text.substr(name.size()))) {
      row = static_cast<std::int16_t>(r);
      length = name.size();
    }
  }
  if (length == 0) {
    std::size_t end = std::min(text.find(u' '), text.size());
    std::optional<std::int64_t> number = ParseInteger(text.substr(0, end));
    if (!number || *number < -32768 || *number > 32767) {
      std::u16string_view word = text.substr(0, end);
      return NotOneOf(word, CursorCommandNames);
    }
    row = static_cast<std::int16_t>(*number);
    length = end;
  }
  StoreWord(body, fields[0], static_cast<std::uint16_t>(row));
  text.remove_prefix(length);
  CursorArgument argument = ArgumentOf(row);
  if (argument == CursorArgument::kNone) return std::nullopt;
  if (!text.starts_with(u'_')) {
    return Quoted(CursorCommandNames[static_cast<std::size_t>(row)]) +
           u" needs its argument after \"_\"";
  }
  text.remove_prefix(1);
  std::size_t used = length + 1;
  std::size_t end =
      argument == CursorArgument::kSetFile
          ? std::min(set_file_end > used ? set_file_end - used : 0, text.size())
          : std::min(text.find(u' '), text.size());
  std::u16string_view value = text.substr(0, end);
  text.remove_prefix(end);
  std::int16_t stored = 0;
  ParseResult problem;
  switch (argument) {
    case CursorArgument::kNumber: {
      std::int64_t number = 0;
      problem = ParseNumberIn(value, -32768, 32767, number);
      stored = static_cast<std::int16_t>(number);
      break;
    }
    case CursorArgument::kHotKey:
      problem = ParseNamed(HotKeyCommandNames, value, stored);
      break;
    case CursorArgument::kOfficeAttribute:
      problem = ParseNamed(OfficeAttributeNames, value, stored);
      break;
    case CursorArgument::kSetFile:
      return StoreText(body, fields[3], kCursorSetFileNameUnits, value);
    case CursorArgument::kNone:
      break;
  }
  if (problem) return problem;
  StoreWord(body, argument == CursorArgument::kHotKey ? fields[2] : fields[1],
            static_cast<std::uint16_t>(stored));
  return std::nullopt;
}

// The second command and what follows it: nothing, or the end of the line.
ParseResult ParseSecondCommand(std::u16string_view text,
                               std::span<std::uint8_t> body,
                               std::span<const std::size_t> fields) {
  if (text.empty()) {
    StoreWord(body, fields[0], kNoSecondCommandRow);
    return std::nullopt;
  }
  ParseResult problem = ParseCommand(text, body, fields, text.size());
  if (!problem && !text.empty()) {
    return Quoted(text) + u" follows the second command";
  }
  return problem;
}

// The inverse of WriteKeyLine: "stroke command_1 [command_2]", or
// "Undefined", whose commands the line does not show and keeps.
ParseResult ParseKeyLine(const void*, std::u16string_view value,
                         std::span<std::uint8_t> body,
                         std::span<const std::size_t> fields) {
  std::size_t space = std::min(value.find(u' '), value.size());
  std::u16string_view stroke_text = value.substr(0, space);
  std::optional<KeyStroke> stroke =
      ParseKeyStroke(stroke_text, KeyNameStyle::kCursorKey);
  if (!stroke) return Quoted(stroke_text) + u" is not a key name";
  StoreWord(body, fields[0], stroke->control);
  StoreWord(body, fields[1], stroke->alt);
  StoreWord(body, fields[2], stroke->shift);
  StoreWord(body, fields[3], stroke->key_code);
  std::u16string_view rest = value.substr(std::min(space + 1, value.size()));
  if (KeyStrokeIsUndefined(*stroke, KeyNameStyle::kCursorKey)) {
    if (rest.find_first_not_of(u' ') != std::u16string_view::npos) {
      return u"an undefined key runs no commands: " + Quoted(rest);
    }
    return std::nullopt;
  }
  std::span<const std::size_t> first = fields.subspan(4, 4);
  std::span<const std::size_t> second = fields.subspan(8, 4);
  // A set-file name may hold blanks: each blank up to the longest name is
  // tried as the place where the second command starts, and the first
  // that parses wins. Other commands end at the first blank.
  ParseResult problem;
  std::size_t last = std::min(rest.size(), 2 * kCursorSetFileNameUnits);
  for (std::size_t end = 0; end <= rest.size(); ++end) {
    if (end < rest.size() && rest[end] != u' ') continue;
    std::u16string_view text = rest;
    problem = ParseCommand(text, body, first, end);
    if (problem) return problem;
    bool set_file =
        ArgumentOf(ReadSignedWord(body, first[0])) == CursorArgument::kSetFile;
    if (!text.empty() && !text.starts_with(u' ')) {
      problem = Quoted(text) + u" follows the first command";
    } else {
      std::u16string_view after = text.empty() ? text : text.substr(1);
      problem = ParseSecondCommand(after, body, second);
      if (!problem) return std::nullopt;
    }
    if (!set_file || end >= last) break;
  }
  return problem;
}

// The key line's stored fields: the stroke, then each command's row,
// number, hot key and set-file name.
std::array<StoredValue, 12> KeyLineStored(const ReportContext& ctx,
                                          ByteView record) {
  std::array<StoredValue, 12> stored;
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
    if (ctx.noting_texts()) {
      stored[n].text = TextOf(record, fields.set_file, kCursorSetFileNameUnits);
    }
    stored[n].is_text = true;
    stored[n++].field = record.data() + fields.set_file;
  }
  return stored;
}

constexpr SettingLine kDelayLine = {u"_delay", kCursorKeyDelayOffset,
                                    Rendering::kUnsignedDecimal};

void WriteKeyLine(ReportText& out, ByteView record, std::size_t key_number) {
  AppendKeyNumber(out, key_number);
  out.append(kEquals);
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
  out.append(u"_delay = "sv);
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
    ReportText keyword;
    if (ctx.options.ignore != nullptr) AppendKeyNumber(keyword, key_number);
    // A decompile compares nothing: the set-file texts are long to walk.
    bool key_differs = ctx.comparing() && KeyLineDiffers(record);
    if (ctx.ShouldWrite(key_differs, {}, keyword)) {
      ctx.Note({ParseKeyLine, nullptr, CursorCommandNames},
               [&] { return KeyLineStored(ctx, shown); });
      WriteKeyLine(out, shown, key_number);
    }
    bool delay_differs = ReadWord(record.printed, kCursorKeyDelayOffset) !=
                         ReadWord(record.original, kCursorKeyDelayOffset);
    if (ctx.ShouldWrite(delay_differs, keyword,
                        keyword.empty() ? u"" : u"_delay")) {
      ctx.Note({ParseSettingLine, &kDelayLine}, [&] {
        return StoredNumber(ReadWord(shown, kCursorKeyDelayOffset),
                            shown.data() + kCursorKeyDelayOffset);
      });
      WriteDelayLine(out, shown, key_number);
    }
  }
  EraseIfShort(out, mark, kCursorKeyThreshold);
}

}  // namespace quorlith
