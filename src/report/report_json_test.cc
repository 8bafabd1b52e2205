#include "report/report_json.h"

#include <gtest/gtest.h>

namespace quorlith {
namespace {

// Every reader takes what is written: a lone surrogate shows as U+FFFD.
TEST(ReportJsonTest, EscapesKeepEveryCharacter) {
  Utf8Text out;
  AppendJsonString(out, u"a\"b\\c\t\r\n" + std::u16string(1, u'\0') +
                            u"\x7F€\U0001F600" +
                            std::u16string{0xDC00, u'x', 0xD800, u'x', 0xDBFF,
                                           0xDBFF, 0xDFFF, u'x', 0xD83D});
  EXPECT_EQ(
      out.view(),
      "\"a\\\"b\\\\c\\u0009\\u000D\\u000A\\u0000\\u007F€\xF0\x9F\x98\x80"
      "\xEF\xBF\xBDx\xEF\xBF\xBDx\xEF\xBF\xBD\xF4\x8F\xBF\xBFx\xEF\xBF\xBD\"");
}

TEST(ReportJsonTest, TimesAreIsoInUtc) {
  const std::pair<std::int64_t, const char*> kCases[] = {
      {3600, "1970-01-01T01:00:00Z"},  // on the hour
      {1246025278, "2009-06-26T14:07:58Z"},
      {951782400, "2000-02-29T00:00:00Z"},   // a leap day of a century
      {951868800, "2000-03-01T00:00:00Z"},   // years are counted from March
      {4133980800, "2101-01-01T00:00:00Z"},  // the next century of an era
      {-1, "1969-12-31T23:59:59Z"},
      {-62167219200, "0000-01-01T00:00:00Z"},
  };
  for (auto [seconds, iso] : kCases) EXPECT_EQ(IsoTime(seconds), iso);
}

}  // namespace
}  // namespace quorlith
