#include "report/keyword_filter.h"

#include <gtest/gtest.h>

namespace quorlith {
namespace {

TEST(KeywordFilterTest, MatchesWholeKeywordsWithWildcards) {
  struct Case {
    const char16_t* list;
    const char16_t* prefix;
    const char16_t* keyword;
    bool matches;
  };
  const Case kCases[] = {
      {u"key_rate_az", u"", u"KEY_RATE_AZ", true},  // letters without case
      {u"Key_Rat", u"", u"Key_Rate", false},  // the whole keyword
      {u"Key_Rate", u"", u"Key_Rate2", false},
      {u"Key_Rate**", u"", u"Key_Rate", true},
      {u"Window#*_Comment_Line", u"Window#A_", u"Comment_Line", true},
      {u"Window#*_Comment_Line", u"Window#A_", u"Comment_Line_2", false},
      {u"Window#?_Top", u"Window#12_", u"Top", false},
      {u"Window#??_Top", u"Window#12_", u"Top", true},
      {u"*a*b*", u"", u"xxaxxbxx", true},
      {u"*a*b*", u"", u"xxbxxaxx", false},
      {u",,Screen_*,,Key_*,", u"", u"Key_Pitch", true},  // empty items skipped
      {u"", u"", u"Key_Pitch", false},
      {u"Ä", u"", u"ä", false},  // only A to Z fold
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(KeywordFilter(c.list).Matches(c.prefix, c.keyword), c.matches)
        << std::u16string(c.list).size() << " " << c.matches;
  }
  EXPECT_TRUE(KeywordFilter(u",,").empty());
}

}  // namespace
}  // namespace quorlith
