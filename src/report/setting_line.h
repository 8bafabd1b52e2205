#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "report/report_context.h"
#include "report/value_names.h"

namespace quorlith {

// How a field is written after "keyword = ".
enum class Rendering : std::uint8_t {
  kDecimal,          // signed 16-bit word, "%d"
  kUnsignedDecimal,  // 16-bit word read as 0 to 65535
  kByteDecimal,      // unsigned byte, 0 to 255
  kCharacter,        // 16-bit word written as one UTF-16 unit
  kName,             // signed 16-bit word indexing `names`
  kText,             // NUL-terminated UTF-16 text of `units` units
  kBool,             // BoolName of the signed 16-bit word
  kDecimalOrNone,    // signed 16-bit word, "None" for -1 (no window chosen)
  kOneIsOn,          // "On" for a word of exactly 1, "Off" for any other
};

// What a comparison looks at to decide whether a line differs.
enum class CompareRule : std::uint8_t {
  kStored,      // the stored word, byte or text (texts exactly, up to NUL)
  kTextFoldAz,  // texts up to NUL with A to Z folded to lower case
};

// One setting line described as data: tables of these, in output order,
// make up most sections.
struct SettingLine {
  std::u16string_view keyword;  // exactly as reports spell it
  std::uint16_t offset;         // from the start of the block or record
  Rendering rendering;
  ValueNameTable names = {};  // kName only
  std::uint16_t units = 0;    // kText only: the field's length in units
  CompareRule compare = CompareRule::kStored;
};

// Bytes a line's field occupies, for compile-time bounds checks.
constexpr std::size_t FieldSize(const SettingLine& line) {
  switch (line.rendering) {
    case Rendering::kByteDecimal:
      return 1;
    case Rendering::kText:
      return 2u * line.units;
    default:
      return 2;
  }
}

// True iff every field of `lines` lies inside a block of `block_size` bytes.
constexpr bool FitsIn(std::span<const SettingLine> lines,
                      std::size_t block_size) {
  for (const SettingLine& line : lines) {
    if (line.offset + FieldSize(line) > block_size) return false;
    if (line.rendering == Rendering::kName && line.names.empty()) return false;
    if (line.rendering == Rendering::kText && line.units == 0) return false;
  }
  return true;
}

// True iff the field of `line` differs between the two images of `blocks`.
bool FieldDiffers(BlockPair blocks, const SettingLine& line);

// Appends the rendered value of `line`'s field from `block`.
void AppendValue(ReportText& out, ByteView block, const SettingLine& line);

// The stored field behind `line` in `block`.
StoredValue StoredOf(ByteView block, const SettingLine& line);

// The same for the sink of `ctx`: a text only if the sink needs texts.
StoredValue StoredOf(const ReportContext& ctx, ByteView block,
                     const SettingLine& line);

// Writes "keyword = value" from the printed image when the comparison
// filter lets the line through. `prefix` goes before the keyword, for
// records whose lines are numbered ("Window#12_").
void WriteSettingLine(ReportContext& ctx, const BlockPair& blocks,
                      const SettingLine& line, std::u16string_view prefix = {});

// Writes every line of `lines` in order, each filtered on its own field.
void WriteSettingLines(ReportContext& ctx, const BlockPair& blocks,
                       std::span<const SettingLine> lines,
                       std::u16string_view prefix = {});

// A commented group of setting lines that erases itself when none of its
// lines is written: the header, the lines, the ";" separator where it has
// one, then the erase test against the position before the header.
struct SubSection {
  std::u16string_view header;
  std::span<const SettingLine> lines;
  std::size_t threshold;
  bool separator = true;
};

void WriteSubSection(ReportContext& ctx, BlockPair blocks,
                     const SubSection& sub);

}  // namespace quorlith
