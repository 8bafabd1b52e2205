#pragma once

#include "codecs/codec.h"

namespace quorlith {

// A NUL-terminated UTF-16 text in a field of `units` units, written up to
// its NUL (a full field has none). Blanks are the text's own. A text
// shorter than its field stores its NUL; the units after it keep theirs.
extern const Codec kText;

// `fold_az`: comparisons take A to Z for a to z (file names, filters).
constexpr Setting Text(std::u16string_view keyword, std::uint16_t offset,
                       std::uint16_t units, bool fold_az = false) {
  return {
      keyword, &kText, {.offset = offset, .units = units, .fold_az = fold_az}};
}

// Stores the text of a text field of `units` units: the text, then a NUL
// when there is room; the units after the NUL keep their bytes.
ParseResult StoreText(std::span<std::uint8_t> record, std::size_t offset,
                      std::size_t units, std::u16string_view text);

}  // namespace quorlith
