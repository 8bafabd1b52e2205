#include <cstddef>
#include <cstdint>

#include "report/fields.h"
#include "report/report_text.h"
#include "sections/hot_key_tables.h"
#include "sections/key_names.h"
#include "sections/sections.h"

namespace quorlith {

namespace {

// Letter keys are shown and compared in lower case, so a stroke stored as
// "A" and one stored as "a" are the same hot key.
KeyStroke ReadStroke(ByteView record) {
  KeyStroke stroke;
  stroke.control = ReadWord(record, kHotKeyControlOffset);
  stroke.alt = ReadWord(record, kHotKeyAltOffset);
  stroke.shift = ReadWord(record, kHotKeyShiftOffset);
  stroke.insert = ReadWord(record, kHotKeyInsertOffset);
  stroke.numpad = ReadWord(record, kHotKeyNumpadOffset);
  stroke.windows = ReadWord(record, kHotKeyWindowsOffset);
  stroke.application = ReadWord(record, kHotKeyApplicationOffset);
  stroke.key_code = FoldAz(ReadWord(record, kHotKeyCodeOffset));
  return stroke;
}

}  // namespace

void WriteHotKeySection(ReportContext& ctx) {
  ReportText& out = ctx.out;
  auto mark = out.size();
  for (std::u16string_view line : kHotKeyHeaderLines) AppendLine(out, line);
  BlockPair block = ctx.Blocks(BlockId::kHotKey);
  for (std::size_t i = 0; i < kRenderedHotKeyRecords; ++i) {
    std::u16string_view command = HotKeyCommandNames[i];
    if (command.empty()) continue;
    BlockPair record = block.Sub(i * kHotKeyRecordSize, kHotKeyRecordSize);
    KeyStroke printed = ReadStroke(record.printed);
    if (!ctx.ShouldWrite(printed != ReadStroke(record.original))) continue;
    BeginSetting(out, command);
    WriteKeyStroke(out, printed, KeyNameStyle::kHotKey);
  }
  EraseIfShort(out, mark, kHotKeyThreshold);
}

}  // namespace quorlith
