#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorlith {

// The position of the first `unit` in `text` at or after `from`, or the
// size of `text` when there is none.
//
// Finding line ends and the "=" of every line is a good part of reading a
// report, and neither the views' find (a unit at a time) nor std::find (a
// unit at a time, unrolled) is near the memory's speed: with SSE2, which
// every x86-64 processor has, eight units are compared at once.
inline std::size_t FindUnit(std::u16string_view text, char16_t unit,
                            std::size_t from = 0) {
  const char16_t* begin = text.data() + std::min(from, text.size());
  const char16_t* end = text.data() + text.size();
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
  for (; end - begin >= 8; begin += 8) {
    __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
    auto found = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi16(units, wanted)));
    if (found != 0) {
      return static_cast<std::size_t>(begin - text.data()) +
             static_cast<std::size_t>(std::countr_zero(found)) / 2;
    }
  }
#endif
  return static_cast<std::size_t>(std::find(begin, end, unit) - text.data());
}

// The position of the first `a` or `b` in `text` at or after `from`, or
// the size of `text` when there is neither: a line's "=" and its end in
// one pass.
inline std::size_t FindEither(std::u16string_view text, char16_t a,
                              char16_t b, std::size_t from = 0) {
  const char16_t* begin = text.data() + std::min(from, text.size());
  const char16_t* end = text.data() + text.size();
#if defined(__SSE2__)
  const __m128i wanted_a = _mm_set1_epi16(static_cast<short>(a));
  const __m128i wanted_b = _mm_set1_epi16(static_cast<short>(b));
  for (; end - begin >= 8; begin += 8) {
    __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
    auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
        _mm_cmpeq_epi16(units, wanted_a), _mm_cmpeq_epi16(units, wanted_b))));
    if (found != 0) {
      return static_cast<std::size_t>(begin - text.data()) +
             static_cast<std::size_t>(std::countr_zero(found)) / 2;
    }
  }
#endif
  return static_cast<std::size_t>(
      std::find_if(begin, end,
                   [a, b](char16_t unit) { return unit == a || unit == b; }) -
      text.data());
}

// A report is built and read in runs of a few dozen units (keywords,
// names, values), and for those a call to the library's memmove or memcmp,
// with its dispatch on the size, costs more than the work. Runs of 4 to 32
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

template <std::size_t kBytes>
inline bool Same(const char16_t* a, const char16_t* b) {
  return std::memcmp(a, b, kBytes) == 0;  // a fixed size: inlined
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

// Whether the `count` units at `a` and at `b` are the same.
inline bool SameUnits(const char16_t* a, const char16_t* b, std::size_t count) {
  using units_detail::Same;
  if (count >= 8 && count <= 32) {
    if (!Same<16>(a, b) || !Same<16>(a + count - 8, b + count - 8)) {
      return false;
    }
    return count <= 16 ||
           (Same<16>(a + 8, b + 8) && Same<16>(a + count - 16, b + count - 16));
  }
  if (count >= 4 && count < 8) {
    return Same<8>(a, b) && Same<8>(a + count - 4, b + count - 4);
  }
  if (count < 4) {
    for (std::size_t i = 0; i < count; ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  return std::memcmp(a, b, count * sizeof(char16_t)) == 0;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace quorlith
