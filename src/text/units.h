#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorlith {

// Where each line of `text` ends (its LF) and where its first "=" is, in
// order, put into `found` (whose old contents go): a position times two
// for an LF, plus one for an "=". So a line of nothing but "=" costs no
// more room than any other. REQUIRES: text.size() < 2^31.
//
// Reading a report, a loop that looks for the next line end stops at
// every line, and the processor rarely guesses when: 64 units at a time
// are tested here, and only the loop over what they hold stops.
inline void FindLineMarks(std::u16string_view text,
                          std::vector<std::uint32_t>& found) {
  found.clear();
  bool equals_seen = false;  // on the line being read
  auto note = [&](std::size_t at, bool is_equals) {
    if (is_equals) {
      if (equals_seen) return;
      equals_seen = true;
    } else {
      equals_seen = false;
    }
    found.push_back(static_cast<std::uint32_t>(2 * at + is_equals));
  };
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i line_end = _mm_set1_epi16(u'\n');
  const __m128i equals = _mm_set1_epi16(u'=');
  // One bit a unit for 16 units: two compares of 8, packed to bytes.
  auto mask = [](__m128i low, __m128i high, __m128i wanted) {
    return static_cast<std::uint64_t>(
        static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(
            _mm_cmpeq_epi16(low, wanted), _mm_cmpeq_epi16(high, wanted)))));
  };
  for (; text.size() - i >= 64; i += 64) {
    std::uint64_t ends = 0;
    std::uint64_t equal_signs = 0;
    for (unsigned k = 0; k < 4; ++k) {
      const char16_t* at = text.data() + i + 16 * k;
      __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 8));
      ends |= mask(low, high, line_end) << (16 * k);
      equal_signs |= mask(low, high, equals) << (16 * k);
    }
    for (std::uint64_t either = ends | equal_signs; either != 0;
         either &= either - 1) {
      auto bit = static_cast<unsigned>(std::countr_zero(either));
      note(i + bit, ((equal_signs >> bit) & 1) != 0);
    }
  }
#endif
  for (; i < text.size(); ++i) {
    if (text[i] == u'\n' || text[i] == u'=') note(i, text[i] == u'=');
  }
}

// A report is built in runs of a few dozen units (keywords, names,
// values), and for those a call to the library's memmove, with its
// dispatch on the size, costs more than the work. Runs of 4 to 32
// units are moved here in pieces of 8 or 16 bytes, the last piece
// overlapping the one before rather than finishing unit by unit; the
// others go to the library.
//
// Each load runs only for runs at least as long as it; where a copy of a
// shorter literal is inlined, g++ 12 warns about the longer ones on
// branches it has not yet found dead.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif

namespace units_detail {

template <std::size_t kBytes>
struct Piece {
  unsigned char bytes[kBytes];
};

template <std::size_t kBytes>
inline Piece<kBytes> Load(const char16_t* from) {
  Piece<kBytes> piece;
  std::memcpy(piece.bytes, from, kBytes);  // one unaligned load
  return piece;
}

template <std::size_t kBytes>
inline void Store(char16_t* to, const Piece<kBytes>& piece) {
  std::memcpy(to, piece.bytes, kBytes);
}

}  // namespace units_detail

// Copies `count` units from `from` to `to`; the two must not overlap.
inline void CopyUnits(char16_t* to, const char16_t* from, std::size_t count) {
  using units_detail::Load;
  using units_detail::Store;
  if (count >= 8 && count <= 32) {
    // Every load before its store: both pieces of a pair are read first.
    auto head = Load<16>(from);
    auto tail = Load<16>(from + count - 8);
    if (count > 16) {
      auto second = Load<16>(from + 8);
      auto before_tail = Load<16>(from + count - 16);
      Store(to + 8, second);
      Store(to + count - 16, before_tail);
    }
    Store(to, head);
    Store(to + count - 8, tail);
  } else if (count >= 4 && count < 8) {
    auto head = Load<8>(from);
    auto tail = Load<8>(from + count - 4);
    Store(to, head);
    Store(to + count - 4, tail);
  } else if (count < 4) {
    for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
  } else {
    std::memcpy(to, from, count * sizeof(char16_t));
  }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Whether `a` and `b` hold the same units. The library compares UTF-16
// unit by unit; memcmp compares them many at a time.
inline bool SameUnits(std::u16string_view a, std::u16string_view b) {
  // An empty view may have no data, which memcmp must not be given.
  return a.size() == b.size() &&
         (a.empty() ||
          std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

}  // namespace quorlith
