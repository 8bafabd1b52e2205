#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// Little-endian reads from a block, addressed by offset from its start.
// REQUIRES: the field lies inside `block`; the layout tables assert this at
// compile time, so a read past a block is our bug, not bad input.

inline std::uint8_t ReadByte(ByteView block, std::size_t offset) {
  return block[offset];
}

inline std::uint16_t ReadWord(ByteView block, std::size_t offset) {
  return static_cast<std::uint16_t>(block[offset] | (block[offset + 1] << 8));
}

inline std::int16_t ReadSignedWord(ByteView block, std::size_t offset) {
  return static_cast<std::int16_t>(ReadWord(block, offset));
}

// Length in units of the NUL-terminated UTF-16 text at `offset` in a field
// of `units` units; a field without a NUL counts whole.
std::size_t TextLength(ByteView block, std::size_t offset, std::size_t units);

// Appends the text of a field of `units` UTF-16 units, up to its NUL or the
// field's end.
void AppendText(ReportText& out, ByteView block, std::size_t offset,
                std::size_t units);
// The same written at `out`, which has room for `units` units; returns the
// end of what it wrote.
char16_t* WriteText(char16_t* out, ByteView block, std::size_t offset,
                    std::size_t units);
std::u16string TextOf(ByteView block, std::size_t offset, std::size_t units);

// True iff the texts of two such fields are equal up to their NULs. With
// `fold_az`, A to Z match a to z; every other unit must match exactly.
bool TextsEqual(ByteView a, ByteView b, std::size_t offset, std::size_t units,
                bool fold_az);

// Folds A to Z to a to z and leaves every other unit as it is.
constexpr std::uint16_t FoldAz(std::uint16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<std::uint16_t>(unit + 32)
                                      : unit;
}

// Whether `text` begins with `prefix`, and whether `a` equals `b`, with
// A to Z matching a to z.
bool StartsWithFolded(std::u16string_view text, std::u16string_view prefix);
bool SameFolded(std::u16string_view a, std::u16string_view b);

}  // namespace quorlith
