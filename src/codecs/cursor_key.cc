#include "codecs/cursor_key.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>

#include "codecs/names.h"
#include "codecs/text.h"
#include "text/fields.h"

namespace quorlith {
namespace {

// Where one of a record's two commands keeps its row and its arguments.
struct CursorCommandFields {
  std::size_t command;   // row of CursorCommandNames
  std::size_t number;    // window number or office attribute
  std::size_t hot_key;   // row of HotKeyCommandNames
  std::size_t set_file;  // NUL-terminated UTF-16 name
};

constexpr CursorCommandFields kFirstCursorCommand = {0, 4, 6, 8};
constexpr CursorCommandFields kSecondCursorCommand = {2, 530, 532, 534};
static_assert(kFirstCursorCommand.set_file + 2 * kCursorSetFileNameUnits ==
              kSecondCursorCommand.number);

// The stroke's words: control, alt, shift, the key code.
constexpr std::size_t kStrokeOffsets[] = {
    kCursorKeyStrokeOffset, kCursorKeyStrokeOffset + 2,
    kCursorKeyStrokeOffset + 4, kCursorKeyStrokeOffset + 6};
static_assert(kSecondCursorCommand.set_file + 2 * kCursorSetFileNameUnits ==
              kCursorKeyStrokeOffset);
static_assert(kCursorKeyStrokeOffset + 8 == kCursorKeyDelayOffset);
static_assert(kCursorKeyCount * kCursorKeyRecordSize ==
              Layout(BlockId::kCursorKey).size);

// The argument a command row takes, written after "_" right behind its
// name. Rows not listed take none.
enum class CursorArgument {
  kNone,
  kNumber,
  kSetFile,
  kHotKey,
  kOfficeAttribute
};

struct CursorCommandArgument {
  std::int16_t row;
  CursorArgument argument;
};

constexpr CursorCommandArgument kCursorCommandArguments[] = {
    {22, CursorArgument::kNumber},           // Speak_Window
    {23, CursorArgument::kNumber},           // Activate_Window
    {24, CursorArgument::kNumber},           // Mouse_to_Window
    {26, CursorArgument::kSetFile},          // Load_Set
    {28, CursorArgument::kHotKey},           // Execute_Hot_Key
    {30, CursorArgument::kOfficeAttribute},  // Office_Attribute_Status
};
static_assert(CursorCommandNames[22] == u"Speak_Window");
static_assert(CursorCommandNames[26] == u"Load_Set");
static_assert(CursorCommandNames[28] == u"Execute_Hot_Key");
static_assert(CursorCommandNames[30] == u"Office_Attribute_Status");

// Row 0 of the second command means the key runs one command only.
constexpr std::int16_t kNoSecondCommandRow = 0;

CursorArgument ArgumentOf(std::int16_t row) {
  for (const CursorCommandArgument& entry : kCursorCommandArguments) {
    if (entry.row == row) return entry.argument;
  }
  return CursorArgument::kNone;
}

bool CommandDiffers(ByteView a, ByteView b, const CursorCommandFields& fields) {
  for (std::size_t offset : {fields.command, fields.number, fields.hot_key}) {
    if (WordDiffers(a, b, offset)) return true;
  }
  return !TextsEqual(a, b, fields.set_file, kCursorSetFileNameUnits,
                     /*fold_az=*/false);
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

bool IsNameEnd(std::u16string_view rest) {
  return rest.empty() || rest[0] == u'_' || rest[0] == u' ';
}

// Parses the command at the start of `text` into `record`; `text` moves
// past it. A set-file name runs to `end` (the caller tries each place
// where the next command could start).
ParseResult ParseCommand(std::u16string_view& text,
                         std::span<std::uint8_t> record,
                         const CursorCommandFields& fields,
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
  StoreWord(record, fields.command, static_cast<std::uint16_t>(row));
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
      return StoreText(record, fields.set_file, kCursorSetFileNameUnits, value);
    case CursorArgument::kNone:
      break;
  }
  if (problem) return problem;
  StoreWord(
      record,
      argument == CursorArgument::kHotKey ? fields.hot_key : fields.number,
      static_cast<std::uint16_t>(stored));
  return std::nullopt;
}

// The second command and what follows it: nothing, or the end of the line.
ParseResult ParseSecondCommand(std::u16string_view text,
                               std::span<std::uint8_t> record) {
  const CursorCommandFields& fields = kSecondCursorCommand;
  if (text.empty()) {
    StoreWord(record, fields.command, kNoSecondCommandRow);
    return std::nullopt;
  }
  ParseResult problem = ParseCommand(text, record, fields, text.size());
  if (!problem && !text.empty()) {
    return Quoted(text) + u" follows the second command";
  }
  return problem;
}

void Render(ReportText& out, ByteView record, const Field&) {
  KeyStroke stroke = ReadCursorKeyStroke(record);
  WriteKeyStroke(out, stroke, KeyNameStyle::kCursorKey);
  if (KeyStrokeIsUndefined(stroke, KeyNameStyle::kCursorKey)) return;
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

// "stroke command_1 [command_2]", or "Undefined", whose commands the line
// does not show and keeps.
ParseResult Parse(std::u16string_view value, std::span<std::uint8_t> record,
                  const Field&) {
  std::size_t space = std::min(value.find(u' '), value.size());
  std::u16string_view stroke_text = value.substr(0, space);
  std::optional<KeyStroke> stroke =
      ParseKeyStroke(stroke_text, KeyNameStyle::kCursorKey);
  if (!stroke) return Quoted(stroke_text) + u" is not a key name";
  const std::uint16_t words[] = {stroke->control, stroke->alt, stroke->shift,
                                 stroke->key_code};
  for (std::size_t i = 0; i < std::size(words); ++i) {
    StoreWord(record, kStrokeOffsets[i], words[i]);
  }
  std::u16string_view rest = value.substr(std::min(space + 1, value.size()));
  if (KeyStrokeIsUndefined(*stroke, KeyNameStyle::kCursorKey)) {
    if (rest.find_first_not_of(u' ') != std::u16string_view::npos) {
      return u"an undefined key runs no commands: " + Quoted(rest);
    }
    return std::nullopt;
  }
  // A set-file name may hold blanks: each blank up to the longest name is
  // tried as the place where the second command starts, and the first
  // that parses wins. Other commands end at the first blank.
  ParseResult problem;
  std::size_t last = std::min(rest.size(), 2 * kCursorSetFileNameUnits);
  for (std::size_t end = 0; end <= rest.size(); ++end) {
    if (end < rest.size() && rest[end] != u' ') continue;
    std::u16string_view text = rest;
    problem = ParseCommand(text, record, kFirstCursorCommand, end);
    if (problem) return problem;
    bool set_file =
        ArgumentOf(ReadSignedWord(record, kFirstCursorCommand.command)) ==
        CursorArgument::kSetFile;
    if (!text.empty() && !text.starts_with(u' ')) {
      problem = Quoted(text) + u" follows the first command";
    } else {
      std::u16string_view after = text.empty() ? text : text.substr(1);
      problem = ParseSecondCommand(after, record);
      if (!problem) return std::nullopt;
    }
    if (!set_file || end >= last) break;
  }
  return problem;
}

// Every field of the key line counts, whether or not a command uses it.
bool Differs(ByteView a, ByteView b, const Field&) {
  return CommandDiffers(a, b, kFirstCursorCommand) ||
         CommandDiffers(a, b, kSecondCursorCommand) ||
         ReadCursorKeyStroke(a) != ReadCursorKeyStroke(b);
}

// The stroke, and for a defined key each command's row and the argument
// it takes.
void Owned(ByteView record, const Field&, std::vector<OwnedBits>& bits) {
  OwnWords(kCursorKeyStrokeOffset, 8, bits);
  if (KeyStrokeIsUndefined(ReadCursorKeyStroke(record),
                           KeyNameStyle::kCursorKey)) {
    return;
  }
  for (const CursorCommandFields& fields :
       {kFirstCursorCommand, kSecondCursorCommand}) {
    std::int16_t row = ReadSignedWord(record, fields.command);
    OwnWords(fields.command, 2, bits);
    switch (ArgumentOf(row)) {
      case CursorArgument::kNumber:
      case CursorArgument::kOfficeAttribute:
        OwnWords(fields.number, 2, bits);
        break;
      case CursorArgument::kHotKey:
        OwnWords(fields.hot_key, 2, bits);
        break;
      case CursorArgument::kSetFile:
        OwnWords(fields.set_file,
                 2 * std::min(TextLength(record, fields.set_file,
                                         kCursorSetFileNameUnits) +
                                  1,
                              kCursorSetFileNameUnits),
                 bits);
        break;
      case CursorArgument::kNone:
        break;
    }
  }
}

// The stroke, then each command's row, number, hot key and set-file name.
void Stored(ByteView record, const Field&, bool texts,
            std::vector<StoredValue>& out) {
  for (std::size_t offset : kStrokeOffsets) {
    StoreNumberOf(record, offset, ReadSignedWord(record, offset), out);
  }
  for (const CursorCommandFields& fields :
       {kFirstCursorCommand, kSecondCursorCommand}) {
    for (std::size_t offset : {fields.command, fields.number, fields.hot_key}) {
      StoreNumberOf(record, offset, ReadSignedWord(record, offset), out);
    }
    StoredValue& name = out.emplace_back();
    name.is_text = true;
    name.field = record.data() + fields.set_file;
    if (texts) {
      name.text = TextOf(record, fields.set_file, kCursorSetFileNameUnits);
    }
  }
}

ValueHint Hint(const Field&) { return {.names = CursorCommandNames}; }

}  // namespace

KeyStroke ReadCursorKeyStroke(ByteView record) {
  KeyStroke stroke;
  stroke.control = ReadWord(record, kStrokeOffsets[0]);
  stroke.alt = ReadWord(record, kStrokeOffsets[1]);
  stroke.shift = ReadWord(record, kStrokeOffsets[2]);
  stroke.key_code = ReadWord(record, kStrokeOffsets[3]);
  return stroke;
}

const Codec kCursorKey = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
