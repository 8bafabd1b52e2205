#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "report/report_context.h"
#include "text/report_text.h"

namespace quorlith {

// A UTF-8 text for each row of AllSettings(), all in one buffer: what the
// console's views print for a setting again and again (its name, the
// original's value in a comparison), formatted once rather than for every
// file.
class RowTexts {
 public:
  std::size_t size() const { return ends_.size() - 1; }
  std::string_view operator[](std::size_t row) const {
    return text_.view().substr(ends_[row], ends_[row + 1] - ends_[row]);
  }

  // What is appended here until EndRow() is the next row's text.
  Utf8Text& text() { return text_; }
  void EndRow() { ends_.push_back(static_cast<std::uint32_t>(text_.size())); }

 private:
  Utf8Text text_;
  std::vector<std::uint32_t> ends_ = {0};
};

// "Menu 2 - Keyboard › Key_Rate": a setting as the list of changes names
// it, its section's title without "; ". No two rows share one.
const RowTexts& ChangeLabels();

// Each section's title without "; ", as the views name it.
std::u16string_view SectionName(std::size_t section);

// Formats a text for every row from a report of `image` that writes
// them all: `format` gets each line and its value as rendered. The values
// a file shows, formatted once for all the files compared with it.
RowTexts FormatRows(SetFileView image,
                    const std::function<void(const NotedSetting& noted,
                                             std::u16string_view value,
                                             Utf8Text& out)>& format);

}  // namespace quorlith
