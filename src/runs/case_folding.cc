#include "runs/case_folding.h"

#include <algorithm>

#include "runs/case_folding_table.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// FoldCase searches the ranges by their first character.
constexpr bool SortedAndApart() {
  for (std::size_t i = 1; i < kFoldRanges.size(); ++i) {
    if (kFoldRanges[i].first <= kFoldRanges[i - 1].last) return false;
  }
  return true;
}
static_assert(SortedAndApart());

}  // namespace

// A generated table rather than a library: ICU's u_foldCase would do the
// same, but it would bring its data library (some 30 MB) into the static
// Windows build for 202 ranges.
char32_t FoldCase(char32_t c) {
  auto range = std::upper_bound(
      kFoldRanges.begin(), kFoldRanges.end(), c,
      [](char32_t value, const FoldRange& r) { return value < r.first; });
  if (range == kFoldRanges.begin()) return c;
  --range;
  if (c > range->last || (c - range->first) % range->stride != 0) return c;
  return static_cast<char32_t>(static_cast<std::int64_t>(c) + range->delta);
}

char32_t NextFoldedCharacter(std::string_view name, std::size_t& pos) {
  // ASCII first: a run folds every name it finds, sorts and checks, and
  // most names are ASCII through and through.
  auto byte = static_cast<unsigned char>(name[pos]);
  if (byte < 0x80) {
    ++pos;
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
  }
  char32_t c = DecodeUtf8(name, pos);
  if (c == kNotUtf8) return 0xDC00 + static_cast<unsigned char>(name[pos - 1]);
  return FoldCase(c);
}

}  // namespace quorlith
