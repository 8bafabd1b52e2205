#include "text/report_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace quorlith {
namespace {

// Digits are counted and written two at a time: every value a field holds,
// and each count of digits at both its ends, as the library writes them;
// dates pad to two digits as "%02d" does.
TEST(ReportText, NumbersAsTheLibraryWritesThem) {
  std::vector<std::int64_t> values = {INT64_MAX, INT64_MIN};
  for (std::int64_t v = -70000; v <= 70000; ++v) values.push_back(v);
  for (std::int64_t power = 10; power <= INT64_MAX / 10; power *= 10) {
    values.insert(values.end(), {power - 1, power, power + 1, -power});
  }
  for (std::int64_t v : values) {
    ReportText out;
    AppendDecimal(out, v);
    ASSERT_EQ(Utf16ToUtf8(out), std::to_string(v));
    if (v < 0) continue;
    char padded[24];
    std::snprintf(padded, sizeof padded, "%02lld", static_cast<long long>(v));
    ReportText dated;
    AppendZeroPadded(dated, v, 2);
    ASSERT_EQ(Utf16ToUtf8(dated), padded);
  }
}

TEST(ReportText, Utf8BothWaysAndInvalidBytes) {
  // The first and last code point of each length.
  constexpr char kUtf8[] = "\x7F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
  constexpr char16_t kUtf16[] =
      u"\x7F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
  EXPECT_EQ(Utf8ToUtf16(kUtf8), kUtf16);
  EXPECT_EQ(Utf16ToUtf8(kUtf16), kUtf8);
  // Each byte that is not UTF-8 becomes one replacement character.
  EXPECT_EQ(Utf8ToUtf16("a\xFF\xC3z\xED\xA0\x80\xC0\xAF\xF4\x90\x80\x80"),
            u"a\uFFFD\uFFFDz" + std::u16string(9, u'\uFFFD'));
  // A pair is its two units alone: what follows it does not count.
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600\uE000"), "\U0001F600\uE000");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

// The runs move a worker's buffer into its result and back: what a move
// leaves behind reads as empty and takes text again.
TEST(ReportText, AMoveLeavesAnEmptyText) {
  ReportText a(u"text");
  ReportText b(std::move(a));
  EXPECT_EQ(a.view(), u"");  // NOLINT(bugprone-use-after-move)
  a.append(u"again");
  b = std::move(a);
  EXPECT_EQ(a.view(), u"");  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(b, u"again");
}

}  // namespace
}  // namespace quorlith
