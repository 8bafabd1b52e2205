#include "report/keyword_filter.h"

#include <cstddef>

namespace quorlith {
namespace {

char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// Matches with one backtracking point for the last "*" seen, which is
// enough for "*" and "?" patterns and linear in practice.
bool GlobMatches(std::u16string_view pattern, std::u16string_view text) {
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t star = std::u16string_view::npos;
  std::size_t resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' ||
                FoldAscii(pattern[p]) == FoldAscii(text[t]))) {
      ++p;
      ++t;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

KeywordFilter::KeywordFilter(std::u16string_view list) {
  while (!list.empty()) {
    std::size_t comma = list.find(u',');
    std::u16string_view item = list.substr(0, comma);
    if (!item.empty()) patterns_.emplace_back(item);
    if (comma == std::u16string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
}

bool KeywordFilter::Matches(std::u16string_view prefix,
                            std::u16string_view keyword) const {
  if (patterns_.empty()) return false;
  std::u16string whole(prefix);
  whole.append(keyword);
  for (const std::u16string& pattern : patterns_) {
    if (GlobMatches(pattern, whole)) return true;
  }
  return false;
}

}  // namespace quorlith
