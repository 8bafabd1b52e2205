#pragma once

#include "codecs/codec.h"

namespace quorlith {

// A braille cell: bit i of the word's low byte is dot i + 1, written as
// the dot numbers in ascending order ("1357"); the high byte is no dot, but
// a comparison looks at the whole word.
extern const Codec kBrailleDots;

constexpr Setting BrailleDots(std::u16string_view keyword,
                              std::uint16_t offset) {
  return {keyword, &kBrailleDots, {.offset = offset}};
}

}  // namespace quorlith
