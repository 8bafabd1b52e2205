#pragma once

#include "codecs/codec.h"

namespace quorlith {

// A 16-bit word written as the one UTF-16 unit it holds, whatever it is:
// a control character, a NUL, half of a surrogate pair. Blanks are the
// value's own.
extern const Codec kCharacter;

constexpr Setting Character(std::u16string_view keyword, std::uint16_t offset) {
  return {keyword, &kCharacter, {.offset = offset}};
}

}  // namespace quorlith
