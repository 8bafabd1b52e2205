#include <array>
#include <cstddef>
#include <cstdint>

#include "report/fields.h"
#include "report/report_text.h"
#include "report/value_parse.h"
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

// The words of a stroke in record order.
constexpr std::size_t kStrokeOffsets[] = {
    kHotKeyControlOffset,     kHotKeyAltOffset,    kHotKeyShiftOffset,
    kHotKeyInsertOffset,      kHotKeyNumpadOffset, kHotKeyWindowsOffset,
    kHotKeyApplicationOffset, kHotKeyCodeOffset};

ParseResult ParseHotKey(const void*, std::u16string_view value,
                        std::span<std::uint8_t> body,
                        std::span<const std::size_t> fields) {
  std::optional<KeyStroke> stroke =
      ParseKeyStroke(value, KeyNameStyle::kHotKey);
  if (!stroke) return Quoted(value) + u" is not a key name";
  const std::uint16_t words[] = {
      stroke->control, stroke->alt,     stroke->shift,       stroke->insert,
      stroke->numpad,  stroke->windows, stroke->application, stroke->key_code};
  static_assert(std::size(words) == std::size(kStrokeOffsets));
  for (std::size_t i = 0; i < std::size(words); ++i) {
    StoreWord(body, fields[i], words[i]);
  }
  return std::nullopt;
}

// The stored words of a stroke, the key code as stored (not folded).
std::array<StoredValue, std::size(kStrokeOffsets)> StrokeStored(
    ByteView record) {
  std::array<StoredValue, std::size(kStrokeOffsets)> stored;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    stored[i] = StoredNumber(ReadWord(record, kStrokeOffsets[i]),
                             record.data() + kStrokeOffsets[i]);
  }
  return stored;
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
    ctx.Note({ParseHotKey, nullptr}, [&] { return StrokeStored(shown); });
    BeginSetting(out, command);
    WriteKeyStroke(out, ReadStroke(shown), KeyNameStyle::kHotKey);
  }
  EraseIfShort(out, mark, kHotKeyThreshold);
}

}  // namespace quorlith
