#include "report/value_parse.h"

#include <algorithm>

#include "report/fields.h"

namespace quorlith {
namespace {

constexpr std::size_t kQuotedUnits = 60;
// Lists longer than this are not read out in a message.
constexpr std::size_t kLongestListed = 10;
constexpr std::u16string_view kValuesListed = u"; quorlith --values ";

std::u16string Decimal(std::int64_t value) {
  std::u16string text;
  AppendDecimal(text, value);
  return text;
}

}  // namespace

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

std::optional<std::size_t> FindName(ValueNameTable table,
                                    std::u16string_view name) {
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (!table[row].empty() && SameFolded(table[row], name)) return row;
  }
  return std::nullopt;
}

std::u16string NotOneOf(std::u16string_view text, ValueNameTable table) {
  std::size_t names = static_cast<std::size_t>(
      std::count_if(table.begin(), table.end(),
                    [](std::u16string_view name) { return !name.empty(); }));
  if (names > kLongestListed) {
    return Quoted(text) + u" is not one of its " +
           Decimal(static_cast<std::int64_t>(names)) + u" values" +
           std::u16string(kValuesListed);
  }
  std::u16string message = Quoted(text) + u" is not one of its values: ";
  bool first = true;
  for (std::u16string_view name : table) {
    if (name.empty()) continue;
    if (!first) message.append(u", ");
    message.append(name);
    first = false;
  }
  return message;
}

std::u16string KeywordProblem(std::u16string_view keyword,
                              std::u16string_view problem) {
  std::u16string message(keyword);
  message.append(u": ");
  message.append(problem);
  if (problem.ends_with(kValuesListed)) {
    message.append(keyword);
    message.append(u" lists them");
  }
  return message;
}

ParseResult ParseNamed(ValueNameTable table, std::u16string_view text,
                       std::int16_t& value) {
  // A row without a name is written as nothing: the first such row reads
  // back the same.
  if (text.empty()) {
    auto empty = std::find(table.begin(), table.end(), std::u16string_view());
    if (empty != table.end()) {
      value = static_cast<std::int16_t>(empty - table.begin());
      return std::nullopt;
    }
  }
  if (std::optional<std::size_t> row = FindName(table, text)) {
    value = static_cast<std::int16_t>(*row);
    return std::nullopt;
  }
  std::optional<std::int64_t> number = ParseInteger(text);
  if (number && *number >= -32768 && *number <= 32767) {
    value = static_cast<std::int16_t>(*number);
    return std::nullopt;
  }
  return NotOneOf(text, table);
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

ParseResult StoreText(std::span<std::uint8_t> body, std::size_t offset,
                      std::size_t units, std::u16string_view text) {
  if (text.size() > units) {
    return Quoted(text) + u" is longer than its field: " +
           Decimal(static_cast<std::int64_t>(text.size())) + u" units, " +
           Decimal(static_cast<std::int64_t>(units)) + u" at most";
  }
  if (text.find(u'\0') != std::u16string_view::npos) {
    return u"a text cannot hold the character U+0000";
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    StoreWord(body, offset + 2 * i, text[i]);
  }
  if (text.size() < units) StoreWord(body, offset + 2 * text.size(), 0);
  return std::nullopt;
}

}  // namespace quorlith
