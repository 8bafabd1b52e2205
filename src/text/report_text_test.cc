#include "text/report_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "text/fields.h"
#include "text/units.h"

namespace quorlith {
namespace {

// Zero-padded fields show in the dates of report_writer_test.cc.
TEST(ReportText, Numbers) {
  // Digits are counted and written two at a time: every value a field
  // holds, and each count of digits at both its ends, as the library
  // writes them.
  std::vector<std::int64_t> values;
  for (std::int64_t v = -70000; v <= 70000; ++v) values.push_back(v);
  for (std::int64_t power = 10;; power *= 10) {
    for (std::int64_t v : {power - 1, power, power + 1}) {
      values.push_back(v);
      values.push_back(-v);
    }
    if (power > INT64_MAX / 10) break;
  }
  values.insert(values.end(), {INT64_MAX, INT64_MIN});
  for (std::int64_t v : values) {
    ReportText out;
    AppendDecimal(out, v);
    ASSERT_EQ(Utf16ToUtf8(out), std::to_string(v));
  }
}

TEST(ReportText, LineMarksAreEveryLineEndAndTheFirstEqualsOfEach) {
  // Blocks of 64 units, then a tail: marks at both ends of a block, in
  // the tail, next to each other, a second "=" on a line, and units that
  // differ from the marks only in the high byte.
  for (std::size_t size : {0u, 1u, 63u, 64u, 65u, 130u, 200u}) {
    std::u16string text(size, u'a');
    for (std::size_t at :
         {0u, 15u, 16u, 17u, 63u, 64u, 65u, 66u, 127u, 128u, 198u, 199u}) {
      if (at < size) text[at] = at % 3 == 0 ? u'\n' : u'=';
    }
    if (size > 40) text[40] = u'\u013D';  // "=" in its low byte
    if (size > 41) text[41] = u'\u0A0A';
    std::vector<std::uint32_t> expected;
    bool seen = false;
    for (std::size_t i = 0; i < size; ++i) {
      if (text[i] == u'\n') {
        expected.push_back(static_cast<std::uint32_t>(2 * i));
        seen = false;
      } else if (text[i] == u'=' && !seen) {
        expected.push_back(static_cast<std::uint32_t>(2 * i + 1));
        seen = true;
      }
    }
    std::vector<std::uint32_t> found = {7};  // what a use before left
    FindLineMarks(text, found);
    EXPECT_EQ(found, expected) << size;
  }
}

TEST(ReportText, UnitRunsCopyAsTheLibraryDoes) {
  // Runs are moved in pieces whose last overlaps the one before: every
  // length across the pieces' edges, at an odd place in the buffer, must
  // copy all its units and no other.
  std::u16string source;
  for (char16_t unit = 1; unit <= 48; ++unit) source.push_back(unit * 1031);
  for (std::size_t count = 0; count <= 40; ++count) {
    SCOPED_TRACE(count);
    std::u16string target(50, u'-');
    CopyUnits(target.data() + 3, source.data() + 1, count);
    std::u16string expected(50, u'-');
    std::copy_n(source.begin() + 1, count, expected.begin() + 3);
    EXPECT_EQ(target, expected);
  }
}

TEST(ReportText, Utf8RoundTripAndInvalidBytes) {
  // The first and last code point of each length.
  constexpr char kUtf8[] = "\x7F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
  constexpr char16_t kUtf16[] =
      u"\x7F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
  EXPECT_EQ(Utf8ToUtf16(kUtf8), kUtf16);
  EXPECT_EQ(Utf16ToUtf8(kUtf16), kUtf8);
  // Bytes that are not UTF-8 each become one replacement character.
  EXPECT_EQ(Utf8ToUtf16("a\xFF\xC3z"), u"a\uFFFD\uFFFDz");
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80\xED\xBF\xBF"),  // U+D800, U+DFFF
            std::u16string(6, u'\uFFFD'));
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), std::u16string(4, u'\uFFFD'));
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
  // A pair is its two units alone: what follows it does not count.
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600\uE000"), "\U0001F600\uE000");
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
  a.append(u"old");
  a = b;  // a copy replaces what was there
  EXPECT_EQ(a, u"again");
}

TEST(ReportText, EraseIfShort) {
  ReportText out(u"keep");
  auto mark = out.size();
  AppendLine(out, u"; Menu");
  EraseIfShort(out, mark, 8);  // exactly the threshold: erased
  EXPECT_EQ(out, u"keep");
  AppendLine(out, u"; Menu");
  EraseIfShort(out, mark, 7);  // one over: kept
  EXPECT_EQ(out, u"keep; Menu\r\n");
}

}  // namespace
}  // namespace quorlith
