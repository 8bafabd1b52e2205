#pragma once

#include "codecs/codec.h"

namespace quorlith {

// Numbers in decimal, as "%d" writes them: a signed 16-bit word, one read
// as 0 to 65535, a byte, and a signed word that reads "None" for -1 (a
// chain read that names no window). Blanks around a number are an
// editor's, not the value's.
extern const Codec kDecimal;
extern const Codec kUnsignedDecimal;
extern const Codec kByteDecimal;
extern const Codec kDecimalOrNone;

constexpr Setting Decimal(std::u16string_view keyword, std::uint16_t offset) {
  return {keyword, &kDecimal, {.offset = offset}};
}
constexpr Setting UnsignedDecimal(std::u16string_view keyword,
                                  std::uint16_t offset) {
  return {keyword, &kUnsignedDecimal, {.offset = offset}};
}
constexpr Setting ByteDecimal(std::u16string_view keyword,
                              std::uint16_t offset) {
  return {keyword, &kByteDecimal, {.offset = offset}};
}
constexpr Setting DecimalOrNone(std::u16string_view keyword,
                                std::uint16_t offset) {
  return {keyword, &kDecimalOrNone, {.offset = offset}};
}

}  // namespace quorlith
