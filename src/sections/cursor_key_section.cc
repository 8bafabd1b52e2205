#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "report/fields.h"
#include "report/report_text.h"
#include "report/value_names.h"
#include "sections/key_names.h"
#include "sections/sections.h"

namespace quorlith {

namespace {

// A set-file name holds up to 260 characters and its NUL.
constexpr std::size_t kSetFileNameUnits = 261;

// Where one of a record's two commands keeps its row and its arguments.
struct CommandFields {
  std::size_t command;   // row of CursorCommandNames
  std::size_t number;    // window number or office attribute
  std::size_t hot_key;   // row of HotKeyCommandNames
  std::size_t set_file;  // NUL-terminated UTF-16 name
};

constexpr CommandFields kFirstCommand = {0, 4, 6, 8};
constexpr CommandFields kSecondCommand = {2, 530, 532, 534};
static_assert(kFirstCommand.set_file + 2 * kSetFileNameUnits ==
              kSecondCommand.number);

constexpr std::size_t kControlOffset = 1056;
constexpr std::size_t kAltOffset = 1058;
constexpr std::size_t kShiftOffset = 1060;
constexpr std::size_t kKeyCodeOffset = 1062;
constexpr std::size_t kDelayOffset = 1064;
static_assert(kSecondCommand.set_file + 2 * kSetFileNameUnits ==
              kControlOffset);

constexpr std::size_t kRecordSize = kDelayOffset + 2;
constexpr std::size_t kRecordCount = 46;
static_assert(kRecordCount * kRecordSize == Layout(BlockId::kCursorKey).size);

// The argument a command row takes, written after "_" right behind its
// name. Rows not listed take none.
enum class Argument { kNone, kNumber, kSetFile, kHotKey, kOfficeAttribute };

struct CommandArgument {
  std::int16_t row;
  Argument argument;
};

constexpr CommandArgument kCommandArguments[] = {
    {22, Argument::kNumber},           // Speak_Window
    {23, Argument::kNumber},           // Activate_Window
    {24, Argument::kNumber},           // Mouse_to_Window
    {26, Argument::kSetFile},          // Load_Set
    {28, Argument::kHotKey},           // Execute_Hot_Key
    {30, Argument::kOfficeAttribute},  // Office_Attribute_Status
};
static_assert(CursorCommandNames[22] == u"Speak_Window");
static_assert(CursorCommandNames[26] == u"Load_Set");
static_assert(CursorCommandNames[28] == u"Execute_Hot_Key");
static_assert(CursorCommandNames[30] == u"Office_Attribute_Status");

// Row 0 of the second command means the key runs one command only.
constexpr std::int16_t kNoCommandRow = 0;

constexpr std::u16string_view kHeaderLines[] = {
    u"; Menu 5 - Cursor Key Settings",
    u"; to globally update a cursoring key the syntax is",
    u"; cursor_key = key_name command_1 [command_2]",
};
// The comment lines take 131 characters; a delay line alone is longer than
// the margin above them.
constexpr std::size_t kEraseThreshold = 135;

Argument ArgumentOf(std::int16_t row) {
  for (const CommandArgument& entry : kCommandArguments) {
    if (entry.row == row) return entry.argument;
  }
  return Argument::kNone;
}

KeyStroke ReadStroke(ByteView record) {
  KeyStroke stroke;
  stroke.control = ReadWord(record, kControlOffset);
  stroke.alt = ReadWord(record, kAltOffset);
  stroke.shift = ReadWord(record, kShiftOffset);
  stroke.key_code = ReadWord(record, kKeyCodeOffset);
  return stroke;
}

bool CommandDiffers(BlockPair record, const CommandFields& fields) {
  for (std::size_t offset : {fields.command, fields.number, fields.hot_key}) {
    if (ReadWord(record.printed, offset) != ReadWord(record.original, offset)) {
      return true;
    }
  }
  return !TextsEqual(record.printed, record.original, fields.set_file,
                     kSetFileNameUnits, /*fold_az=*/false);
}

// Every field of the key line counts, whether or not a command uses it.
bool KeyLineDiffers(BlockPair record) {
  return CommandDiffers(record, kFirstCommand) ||
         CommandDiffers(record, kSecondCommand) ||
         ReadStroke(record.printed) != ReadStroke(record.original);
}

void AppendCommand(ReportText& out, ByteView record, std::int16_t row,
                   const CommandFields& fields) {
  AppendName(out, CursorCommandNames, row);
  Argument argument = ArgumentOf(row);
  if (argument == Argument::kNone) return;
  out.push_back(u'_');
  switch (argument) {
    case Argument::kNumber:
      AppendDecimal(out, ReadSignedWord(record, fields.number));
      break;
    case Argument::kSetFile:
      AppendText(out, record, fields.set_file, kSetFileNameUnits);
      break;
    case Argument::kHotKey:
      AppendName(out, HotKeyCommandNames,
                 ReadSignedWord(record, fields.hot_key));
      break;
    case Argument::kOfficeAttribute:
      AppendName(out, OfficeAttributeNames,
                 ReadSignedWord(record, fields.number));
      break;
    case Argument::kNone:
      break;
  }
}

void AppendKeyNumber(ReportText& out, std::size_t key_number) {
  out.append(u"Key#");
  AppendZeroPadded(out, static_cast<std::int64_t>(key_number), 2);
}

void WriteKeyLine(ReportText& out, ByteView record, std::size_t key_number) {
  AppendKeyNumber(out, key_number);
  out.append(u" = ");
  KeyStroke stroke = ReadStroke(record);
  WriteKeyStroke(out, stroke, KeyNameStyle::kCursorKey);
  if (!KeyStrokeIsUndefined(stroke, KeyNameStyle::kCursorKey)) {
    out.push_back(u' ');
    AppendCommand(out, record, ReadSignedWord(record, kFirstCommand.command),
                  kFirstCommand);
    out.push_back(u' ');
    std::int16_t second = ReadSignedWord(record, kSecondCommand.command);
    if (second != kNoCommandRow) {
      AppendCommand(out, record, second, kSecondCommand);
    }
  }
  out.append(kLineEnd);
}

void WriteDelayLine(ReportText& out, ByteView record, std::size_t key_number) {
  AppendKeyNumber(out, key_number);
  out.append(u"_delay = ");
  AppendDecimal(out, ReadWord(record, kDelayOffset));
  out.append(kLineEnd);
}

}  // namespace

void WriteCursorKeySection(ReportContext& ctx) {
  ReportText& out = ctx.out;
  auto mark = out.size();
  for (std::u16string_view line : kHeaderLines) AppendLine(out, line);
  BlockPair block = ctx.Blocks(BlockId::kCursorKey);
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    BlockPair record = block.Sub(k * kRecordSize, kRecordSize);
    std::size_t key_number = k + 1;
    if (ctx.ShouldWrite(KeyLineDiffers(record))) {
      WriteKeyLine(out, record.printed, key_number);
    }
    bool delay_differs = ReadWord(record.printed, kDelayOffset) !=
                         ReadWord(record.original, kDelayOffset);
    if (ctx.ShouldWrite(delay_differs)) {
      WriteDelayLine(out, record.printed, key_number);
    }
  }
  EraseIfShort(out, mark, kEraseThreshold);
}

}  // namespace quorlith
