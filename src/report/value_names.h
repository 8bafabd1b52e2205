#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "report/report_text.h"

namespace quorlith {

// The names of a setting's stored values, indexed by the value read as a
// signed 16-bit word.
using ValueNameTable = std::span<const std::u16string_view>;

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

// "True" for any non-zero value, "False" for zero.
constexpr std::u16string_view BoolName(std::int32_t value) {
  return value != 0 ? u"True" : u"False";
}

}  // namespace quorlith
