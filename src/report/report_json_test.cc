#include "report/report_json.h"

#include <gtest/gtest.h>

namespace quorlith {
namespace {

// Every reader takes what is written: a lone surrogate shows as U+FFFD.
TEST(ReportJsonTest, EscapesKeepEveryCharacter) {
  struct Case {
    std::u16string text;
    const char* json;
  };
  const Case kCases[] = {
      {u"Key_Rate", R"("Key_Rate")"},
      {u"a\"b\\c", R"("a\"b\\c")"},
      {u"tab\there\r\n", R"("tab\u0009here\u000D\u000A")"},
      {std::u16string(1, u'\0') + u"\x7F", R"("\u0000\u007F")"},
      {u"Grüße €", "\"Grüße €\""},
      {u"\U0001F600", "\"\xF0\x9F\x98\x80\""},              // a pair
      {std::u16string{0xD800}, "\"\xEF\xBF\xBD\""},         // lone high
      {std::u16string{0xDC00, u'x'}, "\"\xEF\xBF\xBDx\""},  // lone low
      {std::u16string{0xDBFF, 0xDBFF, 0xDFFF},
       "\"\xEF\xBF\xBD\xF4\x8F\xBF\xBF\""},
      {std::u16string{u'x', 0xD83D}, "\"x\xEF\xBF\xBD\""},  // cut at the end
  };
  for (const Case& c : kCases) {
    Utf8Text out;
    AppendJsonString(out, c.text);
    EXPECT_EQ(out.view(), c.json);
  }
}

TEST(ReportJsonTest, TimesAreIsoInUtc) {
  struct Case {
    std::int64_t seconds;
    const char* iso;
  };
  const Case kCases[] = {
      {0, "1970-01-01T00:00:00Z"},
      {3600, "1970-01-01T01:00:00Z"},
      {1246025278, "2009-06-26T14:07:58Z"},
      {951782400, "2000-02-29T00:00:00Z"},  // a leap day of a century
      {951868800, "2000-03-01T00:00:00Z"},  // years are counted from March
      {4102444799, "2099-12-31T23:59:59Z"},
      {4133980800, "2101-01-01T00:00:00Z"},  // the next century of an era
      {-1, "1969-12-31T23:59:59Z"},
      {-62135596800, "0001-01-01T00:00:00Z"},
      {-62167219200, "0000-01-01T00:00:00Z"},
  };
  for (const Case& c : kCases) EXPECT_EQ(IsoTime(c.seconds), c.iso);
}

}  // namespace
}  // namespace quorlith
