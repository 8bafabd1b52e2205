#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "codecs/codec.h"
#include "report/report_testing.h"
#include "sections/schema.h"

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

// No field lies further than this from the start of its record (a
// dictionary name at the end of its block).
constexpr std::size_t kLongestRecord = 2610;

std::u16string Rendered(const Setting& s, ByteView record) {
  ReportText text;
  s.codec->render(text, record, s.field);
  return std::u16string(text.view());
}

// Every format, with each field the schema gives it, over random records:
// what it renders parses back, into bits that render the same; a parse
// changes no bit its format does not own, and a value parsed once is
// parsed to the same bits again; a record never differs from itself, and
// two values that render differently differ; every stored field lies in
// the record.
TEST(Codecs, RenderParseCompareAndOwnOverRandomRecords) {
  std::mt19937 random(36);
  for (int round = 0; round < RandomFiles(20); ++round) {
    std::vector<std::uint8_t> body = RandomBody(random);
    std::vector<std::uint8_t> other = RandomBody(random);
    for (const SchemaSetting& entry : AllSettings()) {
      const Setting& s = *entry.setting;
      SCOPED_TRACE(Utf16ToUtf8(entry.keyword));
      // A record and what lies after it, as far as any field reaches.
      auto window = [&](const std::vector<std::uint8_t>& from) {
        auto first =
            from.begin() + static_cast<std::ptrdiff_t>(entry.record_offset);
        return std::vector<std::uint8_t>(
            first,
            first + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                        kLongestRecord, kBodySize - entry.record_offset)));
      };
      const std::vector<std::uint8_t> record = window(body);
      std::u16string text = Rendered(s, record);
      std::vector<std::uint8_t> parsed = record;
      ASSERT_EQ(s.codec->parse(text, parsed, s.field), std::nullopt)
          << Utf16ToUtf8(text);
      ASSERT_EQ(Rendered(s, parsed), text);

      std::vector<OwnedBits> owned;
      s.codec->owned(parsed, s.field, owned);
      ASSERT_FALSE(owned.empty());
      std::vector<std::uint8_t> outside = record;
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

      const std::vector<std::uint8_t> another = window(other);
      if (!s.field.fold_az && Rendered(s, another) != text) {
        EXPECT_TRUE(s.codec->differs(record, another, s.field));
      }

      std::vector<StoredValue> stored;
      s.codec->stored(record, s.field, true, stored);
      ASSERT_FALSE(stored.empty());
      for (const StoredValue& item : stored) {
        EXPECT_GE(item.field, record.data());
        EXPECT_LT(item.field, record.data() + record.size());
      }
    }
  }
}

}  // namespace
}  // namespace quorlith
