#include "report/report_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "report/report_testing.h"
#include "sections/schema.h"
#include "setfile/busy_set_file_builder.h"
#include "text/fields.h"

namespace quorlith {
namespace {

// The "keyword = value" lines of a report, in order.
std::vector<std::string> SettingLines(const ReportText& text) {
  std::vector<std::string> lines;
  std::istringstream report(Readable(text));
  for (std::string line; std::getline(report, line);) {
    if (!line.starts_with(";") && line.find(" = ") != std::string::npos) {
      lines.push_back(line);
    }
  }
  return lines;
}

std::vector<std::string> Joined(const std::vector<ReportSetting>& settings) {
  std::vector<std::string> lines;
  for (const ReportSetting& s : settings) {
    lines.push_back(Readable(s.keyword + u" = " + s.shown.value));
  }
  return lines;
}

TEST(ReportSettingsTest, AreTheReportsSettingLinesOverRandomFiles) {
  std::mt19937 random(16);
  ReportText text;
  for (int i = 0; i < 40; ++i) {
    SetFileImage a = RandomSetFile(random).Image();
    SetFileImage b = RandomSetFile(random).Image();
    RenderDecompileReport({}, a, text);
    EXPECT_EQ(Joined(DecompileSettings(a)), SettingLines(text)) << i;
    RenderComparisonReport({}, {}, a, b, text);
    std::vector<ReportSetting> settings = ComparisonSettings(a, b);
    EXPECT_EQ(Joined(settings), SettingLines(text)) << i;
    for (const ReportSetting& s : settings) {
      ASSERT_FALSE(s.shown.stored.empty()) << i;
      ASSERT_EQ(s.shown.stored.size(), s.original.stored.size()) << i;
    }
    // Each original value is the one the original's own report shows,
    // wherever that report has the line.
    std::map<std::u16string, ReportSetting> before;
    for (ReportSetting& o : DecompileSettings(a)) before[o.keyword] = o;
    for (const ReportSetting& s : settings) {
      auto o = before.find(s.keyword);
      if (o == before.end()) continue;
      EXPECT_EQ(o->second.shown.value, s.original.value) << i;
      EXPECT_EQ(o->second.shown.stored, s.original.stored) << i;
      EXPECT_EQ(o->second.section, s.section) << i;
    }
  }
}

// Every stored number is the bytes of the field it names, and every text
// the field's text; a sink sees where each field lies.
class FieldChecker final : public SettingSink {
 public:
  explicit FieldChecker(const SetFileImage& image) : image_(image) {}
  void Setting(const NotedSetting& noted) override {
    ByteView record = original_ ? noted.original : noted.record;
    std::vector<StoredValue> stored;
    noted.setting.codec->stored(record, noted.setting.field, true, stored);
    ASSERT_FALSE(stored.empty());
    // The row names the line's setting, prefix and all.
    EXPECT_EQ(
        AllSettings()[noted.row].keyword,
        std::u16string(noted.prefix) + std::u16string(noted.setting.keyword));
    const std::uint8_t* first = image_.Block(BlockId::kScreen).data();
    EXPECT_EQ(record.data(), first + noted.record_offset);
    for (const StoredValue& item : stored) {
      ASSERT_NE(item.field, nullptr);
      std::size_t at = static_cast<std::size_t>(item.field - first);
      ASSERT_LT(at + 1, kBodySize);
      ByteView body(first, kBodySize);
      if (item.is_text) {
        EXPECT_EQ(TextOf(body, at, item.text.size()), item.text);
        ++texts_;
      } else {
        // Bytes and words alike: the low byte is the field's first, and a
        // number beyond a byte is the whole word, signed or not.
        EXPECT_EQ(item.number & 0xFF, body[at]);
        if (item.number < 0 || item.number > 0xFF) {
          EXPECT_EQ(static_cast<std::uint16_t>(item.number),
                    ReadWord(body, at));
        }
        ++numbers_;
      }
    }
  }
  bool original_ = false;  // check the record compared with
  int texts_ = 0;
  int numbers_ = 0;

 private:
  const SetFileImage& image_;
};

TEST(ReportSettingsTest, StoredValuesAreTheFieldsBytes) {
  for (std::uint32_t seed : {0u, 5u, 9u}) {
    SetFileImage image = BusySetFile(seed).Image();
    SetFileImage empty;
    FieldChecker checker(image);
    ReportText text;
    RenderDecompileReport({}, image, text, {.sink = &checker});
    // A comparison names the original's fields as the record compared.
    checker.original_ = true;
    RenderComparisonReport({}, {}, image, empty, text, {.sink = &checker});
    EXPECT_GT(checker.texts_, 100);
    EXPECT_GT(checker.numbers_, 3000);
  }
}

TEST(ReportSettingsTest, IgnoredKeywordsAreLeftOutAndTheirSectionsErase) {
  SetFileImage a = BusySetFile(1).Image();
  SetFileImage b = BusySetFile(2).Image();
  KeywordFilter all_but_key_rate(u"*");
  EXPECT_TRUE(ComparisonSettings(a, b, &all_but_key_rate).empty());
  ReportText text;
  RenderComparisonReport({}, {}, a, b, text, {.ignore = &all_but_key_rate});
  EXPECT_NE(text.view().find(u";There are no differences"),
            std::u16string_view::npos);

  // What the filter leaves is what the report shows.
  KeywordFilter windows(u"Window#*,Key#??_delay");
  RenderComparisonReport({}, {}, a, b, text, {.ignore = &windows});
  EXPECT_EQ(Joined(ComparisonSettings(a, b, &windows)), SettingLines(text));
  EXPECT_EQ(text.view().find(u"; Standard Windows"), std::u16string_view::npos);
  EXPECT_EQ(text.view().find(u"\r\nWindow#"), std::u16string_view::npos);
  EXPECT_EQ(text.view().find(u"_delay = "), std::u16string_view::npos);
  EXPECT_NE(text.view().find(u"\r\nKey#01 = "), std::u16string_view::npos);
}

}  // namespace
}  // namespace quorlith
