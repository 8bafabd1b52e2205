#include <cstddef>
#include <cstdint>

#include "report/fields.h"
#include "report/report_text.h"
#include "sections/key_names.h"
#include "sections/sections.h"

namespace quorlith {

namespace {

// One record per row of HotKeyCommandNames. The first word of a record is
// never read; the eight words after it are the stroke.
constexpr std::size_t kRecordSize = 2 + 7 * 2 + 2;  // unused, flags, key
constexpr std::size_t kControlOffset = 2;
constexpr std::size_t kAltOffset = 4;
constexpr std::size_t kShiftOffset = 6;
constexpr std::size_t kInsertOffset = 8;
constexpr std::size_t kNumpadOffset = 10;
constexpr std::size_t kWindowsOffset = 12;
constexpr std::size_t kApplicationOffset = 14;
constexpr std::size_t kKeyCodeOffset = 16;
static_assert(kKeyCodeOffset + 2 == kRecordSize);
static_assert(std::size(HotKeyCommandNames) * kRecordSize ==
              Layout(BlockId::kHotKey).size);

// The last row only names the search keyword of the comment lines; its
// record is never read.
constexpr std::size_t kRenderedRecords = std::size(HotKeyCommandNames) - 1;

constexpr std::u16string_view kHeaderLines[] = {
    u"; Menu 4 - Hot Key Settings",
    u"; To globally search for a hot key with tessaval the syntax is",
    u"; any_hot_key = key_name e.g. any_hot_key = alt-l",
};
// The comment lines take 144 characters; a single setting line is longer
// than the margin above them.
constexpr std::size_t kEraseThreshold = 150;

// Letter keys are shown and compared in lower case, so a stroke stored as
// "A" and one stored as "a" are the same hot key.
KeyStroke ReadStroke(ByteView record) {
  KeyStroke stroke;
  stroke.control = ReadWord(record, kControlOffset);
  stroke.alt = ReadWord(record, kAltOffset);
  stroke.shift = ReadWord(record, kShiftOffset);
  stroke.insert = ReadWord(record, kInsertOffset);
  stroke.numpad = ReadWord(record, kNumpadOffset);
  stroke.windows = ReadWord(record, kWindowsOffset);
  stroke.application = ReadWord(record, kApplicationOffset);
  stroke.key_code = FoldAz(ReadWord(record, kKeyCodeOffset));
  return stroke;
}

}  // namespace

void WriteHotKeySection(ReportContext& ctx) {
  ReportText& out = ctx.out;
  auto mark = out.size();
  for (std::u16string_view line : kHeaderLines) AppendLine(out, line);
  BlockPair block = ctx.Blocks(BlockId::kHotKey);
  for (std::size_t i = 0; i < kRenderedRecords; ++i) {
    std::u16string_view command = HotKeyCommandNames[i];
    if (command.empty()) continue;
    BlockPair record = block.Sub(i * kRecordSize, kRecordSize);
    KeyStroke printed = ReadStroke(record.printed);
    if (!ctx.ShouldWrite(printed != ReadStroke(record.original))) continue;
    BeginSetting(out, command);
    WriteKeyStroke(out, printed, KeyNameStyle::kHotKey);
  }
  EraseIfShort(out, mark, kEraseThreshold);
}

}  // namespace quorlith
