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

// The stored words of a stroke in record order, the key code as stored
// (not folded).
void NoteStroke(const ReportContext& ctx, ByteView record) {
  constexpr std::size_t kOffsets[] = {
      kHotKeyControlOffset,     kHotKeyAltOffset,    kHotKeyShiftOffset,
      kHotKeyInsertOffset,      kHotKeyNumpadOffset, kHotKeyWindowsOffset,
      kHotKeyApplicationOffset, kHotKeyCodeOffset};
  StoredValue stored[std::size(kOffsets)];
  for (std::size_t i = 0; i < std::size(kOffsets); ++i) {
    stored[i].number = ReadWord(record, kOffsets[i]);
    stored[i].field = record.data() + kOffsets[i];
  }
  ctx.Note(stored);
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
    bool differs = ReadStroke(record.printed) != ReadStroke(record.original);
    if (!ctx.ShouldWrite(differs, {}, command)) continue;
    ByteView shown = ctx.Shown(record);
    if (ctx.noting()) NoteStroke(ctx, shown);
    BeginSetting(out, command);
    WriteKeyStroke(out, ReadStroke(shown), KeyNameStyle::kHotKey);
  }
  EraseIfShort(out, mark, kHotKeyThreshold);
}

}  // namespace quorlith
