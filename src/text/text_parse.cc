#include "text/text_parse.h"

#include <algorithm>

#include "text/fields.h"

namespace quorlith {
namespace {

constexpr std::size_t kQuotedUnits = 60;

}  // namespace

std::u16string Decimal(std::int64_t value) {
  std::u16string text;
  AppendDecimal(text, value);
  return text;
}

std::optional<std::int64_t> ParseInteger(std::u16string_view text) {
  bool negative = text.starts_with(u'-');
  if (negative) text.remove_prefix(1);
  // Eleven digits hold every field's range and cannot overflow.
  if (text.empty() || text.size() > 11) return std::nullopt;
  std::int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return negative ? -value : value;
}

ParseResult ParseNumberIn(std::u16string_view text, std::int64_t low,
                          std::int64_t high, std::int64_t& value) {
  std::optional<std::int64_t> number = ParseInteger(text);
  if (!number) return Quoted(text) + u" is not a number";
  if (*number < low || *number > high) {
    return Quoted(text) + u" is out of range: " + Decimal(low) + u" to " +
           Decimal(high);
  }
  value = *number;
  return std::nullopt;
}

std::u16string Printable(std::u16string_view text) {
  std::size_t units = std::min(text.size(), kQuotedUnits);
  // Not between the two units of a surrogate pair.
  if (units < text.size() && text[units] >= 0xDC00 && text[units] <= 0xDFFF) {
    --units;
  }
  std::u16string shown(text.substr(0, units));
  for (char16_t& c : shown) {
    if (c < 0x20 || c == 0x7F) c = 0xFFFD;
  }
  if (text.size() > kQuotedUnits) shown.append(u"...");
  return shown;
}

std::u16string Quoted(std::u16string_view text) {
  return u"\"" + Printable(text) + u"\"";
}

std::u16string Folded(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = static_cast<char16_t>(FoldAz(c));
  return folded;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  // Every setting line's keyword passes here: loops of two comparisons,
  // not the views' search for either of a set of units.
  auto blank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
  std::size_t first = 0;
  std::size_t end = text.size();
  while (first < end && blank(text[first])) ++first;
  while (end > first && blank(text[end - 1])) --end;
  return text.substr(first, end - first);
}

}  // namespace quorlith
