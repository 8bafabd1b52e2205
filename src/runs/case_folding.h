#pragma once

#include <cstddef>
#include <string_view>

namespace quorlith {

// The simple Unicode case folding of `c`: the one character that names
// differing only in case share, for every letter that has a case (Ä and ä,
// Σ and σ and ς), as Windows compares file names. Characters without a
// folding are returned unchanged.
char32_t FoldCase(char32_t c);

// The character of the file name `name` at byte `pos`, folded, and moves
// `pos` past it. Linux names are bytes: a byte that starts no valid UTF-8
// sequence is a character of its own, 0xDC00 plus its value (a lone
// surrogate, which no valid sequence decodes to), so such names still
// match and sort byte for byte. REQUIRES: pos < name.size().
char32_t NextFoldedCharacter(std::string_view name, std::size_t& pos);

}  // namespace quorlith
