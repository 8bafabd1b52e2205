#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "codecs/codec.h"
#include "report/report_testing.h"
#include "sections/schema.h"
#include "text/fields.h"

namespace quorlith {
namespace {

// A body of random bytes, half of them ones that matter most: zeros, small
// numbers, blanks, line ends, the halves of surrogates.
std::vector<std::uint8_t> RandomBody(std::mt19937& random) {
  constexpr std::uint8_t kTelling[] = {0,    0,    0,    1,    2,    3,   0x20,
                                       0x0A, 0x0D, 0xD8, 0xDC, 0xFF, 0x41};
  std::vector<std::uint8_t> body(kBodySize);
  for (std::uint8_t& byte : body) {
    byte = random() % 2 ? static_cast<std::uint8_t>(random())
                        : kTelling[random() % std::size(kTelling)];
  }
  return body;
}

std::u16string Rendered(const Setting& s, ByteView record) {
  ReportText text;
  s.codec->render(text, record, s.field);
  return std::u16string(text.view());
}

// Every format, with each field the schema gives it, over random records:
// what it renders parses back, into bits that render the same; a parse
// changes no bit its format does not own, and a value parsed once is
// parsed to the same bits again; a record never differs from itself, and
// two values that render differently differ; every stored value is the
// bytes of its field, which lies in the record.
TEST(Codecs, RenderParseCompareAndOwnOverRandomRecords) {
  std::mt19937 random(36);
  for (int round = 0; round < RandomFiles(20); ++round) {
    std::vector<std::uint8_t> body = RandomBody(random);
    std::vector<std::uint8_t> other = RandomBody(random);
    for (const SchemaSetting& entry : AllSettings()) {
      const Setting& s = *entry.setting;
      SCOPED_TRACE(Utf16ToUtf8(entry.keyword));
      // A record and what lies after it, as far as any field reaches (a
      // dictionary name at the end of its block).
      auto window = [&](const std::vector<std::uint8_t>& from) {
        return ByteView(from).subspan(
            entry.record_offset,
            std::min<std::size_t>(2610, kBodySize - entry.record_offset));
      };
      const ByteView record = window(body);
      std::u16string text = Rendered(s, record);
      std::vector<std::uint8_t> parsed(record.begin(), record.end());
      ASSERT_EQ(s.codec->parse(text, parsed, s.field), std::nullopt)
          << Utf16ToUtf8(text);
      ASSERT_EQ(Rendered(s, parsed), text);

      std::vector<OwnedBits> owned;
      s.codec->owned(parsed, s.field, owned);
      ASSERT_FALSE(owned.empty());
      std::vector<std::uint8_t> outside(record.begin(), record.end());
      for (const OwnedBits& bits : owned) {
        outside[bits.offset] =
            static_cast<std::uint8_t>((outside[bits.offset] & ~bits.mask) |
                                      (parsed[bits.offset] & bits.mask));
      }
      ASSERT_TRUE(outside == parsed) << "a bit it does not own changed";

      std::vector<std::uint8_t> again = parsed;
      ASSERT_EQ(s.codec->parse(text, again, s.field), std::nullopt);
      ASSERT_TRUE(again == parsed) << "a second parse stored other bits";
      EXPECT_FALSE(s.codec->differs(parsed, again, s.field));

      if (!s.field.fold_az && Rendered(s, window(other)) != text) {
        EXPECT_TRUE(s.codec->differs(record, window(other), s.field));
      }

      std::vector<StoredValue> stored;
      s.codec->stored(record, s.field, true, stored);
      ASSERT_FALSE(stored.empty());
      for (const StoredValue& item : stored) {
        ASSERT_GE(item.field, record.data());
        ASSERT_LT(item.field, record.data() + record.size());
        // A number's low byte is the field's first; one beyond a byte is
        // the whole word, signed or not.
        auto at = static_cast<std::size_t>(item.field - record.data());
        if (item.is_text) {
          EXPECT_EQ(TextOf(record, at, item.text.size()), item.text);
        } else {
          EXPECT_EQ(item.number & 0xFF, record[at]);
          if (item.number < 0 || item.number > 0xFF) {
            EXPECT_EQ(static_cast<std::uint16_t>(item.number),
                      ReadWord(record, at));
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace quorlith
