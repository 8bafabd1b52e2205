#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlith {

// The window forms of the reports' comment lines, which name many window
// records at once: "window#*s_" every standard window, "window#*h_" every
// hyperactive one, "window#xx-xx_" a range of numbers and "window#x-x_" a
// range of letters, each followed by the characteristic.
struct WindowForm {
  std::vector<std::size_t> rows;  // of the keywords, one a window
  std::u16string problem;         // why it names none, keyword first
};

// The settings `keyword` names; nullopt when it is no window form (a
// single window's keyword included).
std::optional<WindowForm> ParseWindowForm(std::u16string_view keyword);

}  // namespace quorlith
