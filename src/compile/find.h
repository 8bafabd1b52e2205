#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "setfile/set_file.h"

namespace quorlith {

// The search forms of the reports' comment lines, run over a set file:
// "any_hot_key = key_name" finds the hot keys bound to the key,
// "cursor_key = key_name" the cursor keys, a window form
// ("window#*s_command = value" and the others the compile takes) the
// windows whose characteristic has the value, and "keyword = value" the
// setting itself when it has the value. Values and key names match
// without regard to case, as the compile reads them.
struct FindResult {
  std::vector<std::u16string> lines;  // as the report writes them
  std::u16string problem;             // what is wrong with the query
};

FindResult FindSettings(std::u16string_view query, const SetFileImage& image);

}  // namespace quorlith
