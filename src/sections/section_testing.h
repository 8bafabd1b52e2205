#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {

// Helpers shared by the section tests.

inline constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

// A stored word and the line it must give.
struct WordLine {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

// The comparison body of an all-zero file against one that holds `value`
// at `offset` of `block`.
inline std::string OneWordBody(BlockId block, std::uint16_t offset,
                               std::uint16_t value) {
  SetFileBuilder changed;
  changed.SetWord(block, offset, value);
  return ComparisonBody(SetFileBuilder().Image(), changed.Image());
}

}  // namespace quorlith
