#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorlith {

// Report text is built in memory as UTF-16; an output position is an index
// into it, counted in characters as the erase thresholds are.
using ReportText = std::u16string;

inline constexpr std::u16string_view kLineEnd = u"\r\n";
inline constexpr std::u16string_view kSeparatorLine = u";";

// Appends `text` and the CR LF that ends every report line.
inline void AppendLine(ReportText& out, std::u16string_view text) {
  out.append(text);
  out.append(kLineEnd);
}

// Starts a setting line: the keyword, a blank, "=" and a blank.
inline void BeginSetting(ReportText& out, std::u16string_view keyword) {
  out.append(keyword);
  out.append(u" = ");
}

// Appends `value` in decimal, with a leading "-" when negative.
void AppendDecimal(ReportText& out, std::int64_t value);

// Appends a non-negative `value` with at least `width` digits, zero-padded
// in front, as "%02d" does.
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

// Converts UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Rolls `out` back to `mark` when no more than `threshold` characters were
// written since: a section whose setting lines were all filtered out leaves
// only its fixed comment lines, and those must go too.
inline void EraseIfShort(ReportText& out, std::size_t mark,
                         std::size_t threshold) {
  if (out.size() - mark <= threshold) out.resize(mark);
}

}  // namespace quorlith
