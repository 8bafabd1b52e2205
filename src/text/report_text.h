#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "text/units.h"

namespace quorlith {

// Report text is built in memory as UTF-16; an output position is an index
// into it, counted in characters as the erase thresholds are. The console's
// views build their UTF-8 output the same way.
//
// Its own type rather than std::u16string: a report is thousands of short
// appends, and here each is one test of the room left and a copy, with no
// terminator to keep up. A worker keeps one for all its files, so after
// the first report nothing is allocated.
template <typename Unit>
class TextBuffer {
 public:
  using View = std::basic_string_view<Unit>;

  TextBuffer() = default;
  // Implicit, as a string's: a test starts a text from a literal.
  TextBuffer(View text) { append(text); }  // NOLINT
  TextBuffer(const TextBuffer& other) : TextBuffer(other.view()) {}
  TextBuffer& operator=(const TextBuffer& other) {
    if (this != &other) {
      clear();
      append(other.view());
    }
    return *this;
  }
  TextBuffer(TextBuffer&& other) noexcept
      : units_(std::move(other.units_)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  TextBuffer& operator=(TextBuffer&& other) noexcept {
    units_ = std::move(other.units_);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    return *this;
  }

  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  const Unit* data() const { return units_.get(); }
  const Unit* begin() const { return units_.get(); }
  const Unit* end() const { return units_.get() + size_; }
  Unit operator[](std::size_t i) const { return units_[i]; }
  Unit back() const { return units_[size_ - 1]; }
  View view() const { return {units_.get(), size_}; }
  operator View() const { return view(); }  // NOLINT

  void clear() { size_ = 0; }
  // Drops everything from `size` on. REQUIRES: size <= size().
  void resize(std::size_t size) { size_ = size; }
  // Room for `count` units in all, kept across clear().
  void reserve(std::size_t count) {
    if (count > capacity_) Grow(count - size_);
  }

  void push_back(Unit unit) {
    if (size_ == capacity_) Grow(1);
    units_[size_++] = unit;
  }
  void append(View text) {
    if (capacity_ - size_ < text.size()) Grow(text.size());
    Copy(units_.get() + size_, text.data(), text.size());
    size_ += text.size();
  }

  // Room for up to `count` units at the end: write them through the
  // pointer returned, then hand Commit the end of what was written.
  Unit* Extend(std::size_t count) {
    if (capacity_ - size_ < count) Grow(count);
    return units_.get() + size_;
  }
  void Commit(const Unit* end) {
    size_ = static_cast<std::size_t>(end - units_.get());
  }

  friend bool operator==(const TextBuffer& a, View b) { return a.view() == b; }

 private:
  static void Copy(Unit* to, const Unit* from, std::size_t count) {
    if constexpr (sizeof(Unit) == sizeof(char16_t)) {
      CopyUnits(to, from, count);
    } else {
      std::memcpy(to, from, count);
    }
  }

  // Makes room for `more` units past size(), at least doubling.
  void Grow(std::size_t more);

  std::unique_ptr<Unit[]> units_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

using ReportText = TextBuffer<char16_t>;
using Utf8Text = TextBuffer<char>;

inline constexpr std::u16string_view kLineEnd = u"\r\n";
inline constexpr std::u16string_view kSeparatorLine = u";";
// Between a setting's keyword and its value. Fixed texts that are appended
// often are string views made at compile time: one built from a char16_t
// literal at run time counts the literal's units first.
inline constexpr std::u16string_view kEquals = u" = ";

// Appends `text` and the CR LF that ends every report line.
inline void AppendLine(ReportText& out, std::u16string_view text) {
  out.append(text);
  out.append(kLineEnd);
}

// Starts a setting line: the keyword, a blank, "=" and a blank.
inline void BeginSetting(ReportText& out, std::u16string_view keyword) {
  out.append(keyword);
  out.append(kEquals);
}

// The two digits of each number from 0 to 99, one after the other.
inline constexpr char16_t kDigitPairs[] =
    u"00010203040506070809101112131415161718192021222324"
    u"25262728293031323334353637383940414243444546474849"
    u"50515253545556575859606162636465666768697071727374"
    u"75767778798081828384858687888990919293949596979899";

// Writes `value` at `out`, with at least `width` digits, zero-padded in
// front; returns the end of what it wrote. The digits are counted first so
// that each is written straight to its place, the last first, two at a
// time. Inline: most setting lines end in a number.
template <typename Unit>
inline Unit* WriteDecimal(Unit* out, std::int64_t value, int width) {
  if (value < 0) *out++ = '-';
  // Works on the magnitude as unsigned so that the most negative value has
  // one too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  int count = 1;
  // Counted by powers of ten, which multiply, rather than by division.
  for (std::uint64_t power = 10; count < 20 && magnitude >= power;
       power *= 10) {
    ++count;
  }
  for (int i = count; i < width; ++i) *out++ = '0';
  Unit* end = out + count;
  while (magnitude >= 100) {
    std::size_t pair = 2 * static_cast<std::size_t>(magnitude % 100);
    magnitude /= 100;
    end -= 2;
    end[0] = static_cast<Unit>(kDigitPairs[pair]);
    end[1] = static_cast<Unit>(kDigitPairs[pair + 1]);
  }
  if (magnitude >= 10) {
    std::size_t pair = 2 * static_cast<std::size_t>(magnitude);
    end[-2] = static_cast<Unit>(kDigitPairs[pair]);
    end[-1] = static_cast<Unit>(kDigitPairs[pair + 1]);
  } else {
    end[-1] = static_cast<Unit>('0' + magnitude);
  }
  return out + count;
}

// A sign and the 19 digits of the widest 64-bit number.
inline constexpr std::size_t kLongestDecimal = 20;

// Appends `value` in decimal, with a leading "-" when negative.
template <typename Unit>
inline void AppendDecimal(TextBuffer<Unit>& out, std::int64_t value) {
  out.Commit(WriteDecimal(out.Extend(kLongestDecimal), value, 1));
}
void AppendDecimal(std::u16string& out, std::int64_t value);

// Appends a non-negative `value` with at least `width` digits, zero-padded
// in front, as "%02d" does.
// The last `digits` hex digits of `value`, upper case, into a UTF-16 or
// an 8-bit text.
template <typename Text>
void AppendHex(Text& out, std::uint32_t value, int digits) {
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    using Unit = std::remove_cvref_t<decltype(out[0])>;
    out.push_back(
        static_cast<Unit>("0123456789ABCDEF"[(value >> shift) & 0xF]));
  }
}

void AppendZeroPadded(ReportText& out, std::int64_t value, int width);

// Appends ASCII text unit by unit.
void AppendAscii(ReportText& out, std::string_view ascii);

// What DecodeUtf8 returns for a byte that starts no valid sequence.
inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// Decodes the UTF-8 sequence at `pos` and moves `pos` past it; returns
// kNotUtf8 and moves one byte on when the sequence is invalid (overlong, a
// surrogate, beyond U+10FFFF or cut short). REQUIRES: pos < s.size().
char32_t DecodeUtf8(std::string_view s, std::size_t& pos);

// Appends UTF-8 text (file names) as UTF-16. A byte that is not part of a
// valid UTF-8 sequence becomes U+FFFD: Linux file names are bytes, reports
// and the log are UTF-16 text, and a report must stay valid UTF-16.
void AppendUtf8(ReportText& out, std::string_view utf8);
std::u16string Utf8ToUtf16(std::string_view utf8);

// Decodes UTF-8 that must be valid into `out`, replacing what it held;
// returns the offset of the first byte that starts no valid sequence, with
// `out` holding what came before it, or nullopt when every byte is valid.
std::optional<std::size_t> DecodeValidUtf8(std::string_view utf8,
                                           std::u16string& out);

// Converts UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The same written at `out`, which has room for three bytes a unit (a
// surrogate pair's four take its two units' room); returns the end of what
// it wrote.
char* WriteUtf8(char* out, std::u16string_view text);

// As WriteUtf8, but each lone surrogate is written as the three bytes its
// number would take, which no valid UTF-8 holds, so that texts that differ
// only there stay apart as in UTF-16. AppendKeptSurrogatesReplaced prints
// such text as WriteUtf8 would have written it.
char* WriteUtf8KeepingSurrogates(char* out, std::u16string_view text);

// Appends `text` converted to UTF-8, as Utf16ToUtf8 converts it.
inline void AppendAsUtf8(Utf8Text& out, std::u16string_view text) {
  out.Commit(WriteUtf8(out.Extend(3 * text.size()), text));
}

// Appends `bytes` from WriteUtf8KeepingSurrogates, each lone surrogate
// as U+FFFD.
void AppendKeptSurrogatesReplaced(Utf8Text& out, std::string_view bytes);

// The forms a report is written in: the report file's own bytes (UTF-16
// LE, its byte order mark first, as rendered), and UTF-8 without a mark, as
// the views write it for grep, diff and git, with CR LF line ends or with
// LF and no CR at all.
// A UTF-16 text's bytes in little-endian order: its units as they lie, on
// the machines Quorlith is built for (x86-64).
static_assert(std::endian::native == std::endian::little);
inline std::span<const std::uint8_t> Utf16LeBytes(std::u16string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()),
          text.size() * sizeof(char16_t)};
}

enum class ReportEncoding { kUtf16, kUtf8Crlf, kUtf8Lf };
std::string EncodeReport(std::u16string_view text, ReportEncoding encoding);

}  // namespace quorlith
