#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// A search of set files, read once: "keyword = value" finds the setting
// when it holds that value, a window form ("window#*s_command = value" and
// the others the compile takes) the windows whose characteristic holds it,
// "any_hot_key = key_name" the hot keys bound to the key and
// "cursor_key = key_name" the cursor keys. Keyword and value are read as
// the compile reads them, so a query the compile would refuse is refused
// here with its words; a setting holds the value when a comparison would
// find no difference between them (stored words and bits, A to Z folded
// only where comparisons fold them).
// The rows of the settings `keyword` names, in report order: a setting's
// keyword (its letters A to Z in either case) or a window form; none, with
// `problem` saying why in the compile's words, when it names none.
std::vector<std::size_t> RowsNamed(std::u16string_view keyword,
                                   std::u16string& problem);

class FindQuery {
 public:
  explicit FindQuery(std::u16string_view query);

  // What is wrong with the query, or empty.
  const std::u16string& problem() const { return problem_; }

  // The lines of `image`'s report that the query finds, as the report
  // writes them. `text` is rendered into: a worker keeps one for all its
  // files.
  std::vector<std::u16string> Find(const SetFileImage& image,
                                   ReportText& text) const;

 private:
  enum class Form { kSettings, kHotKey, kCursorKey };

  Form form_ = Form::kSettings;
  std::u16string problem_;
  std::vector<std::size_t> rows_;  // the settings a query names
  std::u16string value_;           // as the compile reads it
  std::u16string key_;             // the search forms' key, folded
};

}  // namespace quorlith
