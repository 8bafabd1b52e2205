#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlith {

// Keyword patterns, as `--ignore` takes them: "*" stands for any run of
// characters and "?" for one, letters match without regard to case (the
// compiler reads keywords so), and a pattern must match the whole keyword,
// record prefix included ("Window#*_Comment_Line").
class KeywordFilter {
 public:
  KeywordFilter() = default;
  // `list` holds patterns separated by commas; empty ones are skipped.
  explicit KeywordFilter(std::u16string_view list);

  bool empty() const { return patterns_.empty(); }
  // True iff `prefix` followed by `keyword` matches one of the patterns.
  bool Matches(std::u16string_view prefix, std::u16string_view keyword) const;

 private:
  std::vector<std::u16string> patterns_;
};

}  // namespace quorlith
