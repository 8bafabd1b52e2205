#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "codecs/codec.h"
#include "text/report_text.h"
#include "text/text_parse.h"

namespace quorlith {

// Tables keep the names the report format gives them; every table of the
// program is an array like these two and converts to a ValueNameTable.
inline constexpr std::u16string_view OffOnNames[] = {u"Off", u"On"};
inline constexpr std::u16string_view OffAutoOnNames[] = {u"Off", u"Auto",
                                                         u"On"};

// Appends the name of `value`. A value outside the table's rows has no name
// in the report format; it is written as the stored number in signed
// decimal, so the line still tells the user what the file holds and the
// compiler rejects it rather than guessing.
void AppendName(ReportText& out, ValueNameTable table, std::int32_t value);

// The row of `name` in `table`, letters compared without regard to case;
// empty rows name nothing.
std::optional<std::size_t> FindName(ValueNameTable table,
                                    std::u16string_view name);

// Reads a value of a named setting: one of the table's names or, as the
// report writes a stored value outside the table, a signed decimal.
ParseResult ParseNamed(ValueNameTable table, std::u16string_view text,
                       std::int16_t& value);

// `"text" is not one of its values: A, B, C`. A table of more names than
// a message reads well says how many, and where to see them (see
// KeywordProblem).
std::u16string NotOneOf(std::u16string_view text, ValueNameTable table);

// The message of a setting's problem: "keyword: problem", the command
// that lists a long table's names filled in with the keyword, which the
// parser that refused the value does not know.
std::u16string KeywordProblem(std::u16string_view keyword,
                              std::u16string_view problem);

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
