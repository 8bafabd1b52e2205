#pragma once

#include "codecs/codec.h"

namespace quorlith {

// A word that selects one of a table's names, read as a signed row; a row
// outside the table is written as its number, which reads back the same.
extern const Codec kName;
// Truth values: "True" for any word but 0, and "On" for a word of exactly
// 1 ("Off" for every other).
extern const Codec kTruth;
extern const Codec kOneIsOn;

constexpr Setting Named(std::u16string_view keyword, std::uint16_t offset,
                        ValueNameTable names) {
  return {keyword, &kName, {.offset = offset, .names = names}};
}
constexpr Setting Truth(std::u16string_view keyword, std::uint16_t offset) {
  return {keyword, &kTruth, {.offset = offset}};
}
constexpr Setting OneIsOn(std::u16string_view keyword, std::uint16_t offset) {
  return {keyword, &kOneIsOn, {.offset = offset}};
}

}  // namespace quorlith
