#pragma once

#include <cstdint>
#include <string>

namespace quorlith {

// Lists the raised dots of a braille cell as the digits "1" to "8" in
// ascending order: bit i of `bits` stands for dot i + 1. Bits 8 to 15 have
// no dot; a cell with no dot gives an empty string.
std::u16string FormatBrailleDots(std::uint16_t bits);

}  // namespace quorlith
