#pragma once

#include "codecs/codec.h"

namespace quorlith {

// One bit of a byte of flags, written "on" or "off"; each flag is compared
// on its bit alone and stores it alone.
extern const Codec kFlag;

constexpr Setting Flag(std::u16string_view keyword, std::uint16_t offset,
                       std::uint8_t mask) {
  return {keyword, &kFlag, {.offset = offset, .mask = mask}};
}

}  // namespace quorlith
