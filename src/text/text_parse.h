#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorlith {

// What a person typed, read: numbers, and texts shown back in messages.

// nullopt when the text was read; else what is wrong with it, as a
// message says it after the keyword ("\"x\" is not a number").
using ParseResult = std::optional<std::u16string>;

// A decimal with an optional "-", nothing else; nullopt when `text` is no
// such number or has more digits than any field holds.
std::optional<std::int64_t> ParseInteger(std::u16string_view text);

// Reads a decimal in [low, high] into `value`, or says why not.
ParseResult ParseNumberIn(std::u16string_view text, std::int64_t low,
                          std::int64_t high, std::int64_t& value);

// `value` in decimal.
std::u16string Decimal(std::int64_t value);

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

}  // namespace quorlith
