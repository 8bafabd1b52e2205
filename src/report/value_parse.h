#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "codecs/codec.h"
#include "report/value_names.h"

namespace quorlith {

// The inverses of the renderings: what a compile uses to read a report's
// values back into fields. A problem comes back as the text that follows
// "keyword: " in the compile's message.

// A decimal with an optional "-", nothing else; nullopt when `text` is no
// such number or has more digits than any field holds.
std::optional<std::int64_t> ParseInteger(std::u16string_view text);

// Reads a decimal in [low, high] into `value`, or says why not.
ParseResult ParseNumberIn(std::u16string_view text, std::int64_t low,
                          std::int64_t high, std::int64_t& value);

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

// Text for a message: shortened when long, so that a hostile line cannot
// make a message of megabytes, and with control characters shown as
// U+FFFD, so that a message stays one line of text.
std::u16string Printable(std::u16string_view text);

// The same in quotes.
std::u16string Quoted(std::u16string_view text);

// `text` with A to Z folded to a to z, as keywords and names compare.
std::u16string Folded(std::u16string_view text);

// `text` without the blanks and tabs around it.
std::u16string_view TrimBlanks(std::u16string_view text);

// Stores the text of a text field of `units` units: the text, then a NUL
// when there is room; the units after the NUL keep their bytes.
ParseResult StoreText(std::span<std::uint8_t> body, std::size_t offset,
                      std::size_t units, std::u16string_view text);

}  // namespace quorlith
