#include "report/report_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "report/report_testing.h"
#include "sections/schema.h"
#include "setfile/busy_set_file_builder.h"

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
    // Each original value is the one the original's own report shows,
    // wherever that report has the line.
    std::map<std::u16string, ReportSetting> before;
    for (ReportSetting& o : DecompileSettings(a)) before[o.keyword] = o;
    for (const ReportSetting& s : settings) {
      ASSERT_FALSE(s.shown.stored.empty()) << i;
      ASSERT_EQ(s.shown.stored.size(), s.original.stored.size()) << i;
      auto o = before.find(s.keyword);
      if (o == before.end()) continue;
      EXPECT_EQ(o->second.shown.value, s.original.value) << i;
      EXPECT_EQ(o->second.shown.stored, s.original.stored) << i;
      EXPECT_EQ(o->second.section, s.section) << i;
    }
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

TEST(KeywordFilterTest, MatchesWholeKeywordsWithWildcards) {
  struct Case {
    const char16_t* list;
    const char16_t* prefix;
    const char16_t* keyword;
    bool matches;
  };
  const Case kCases[] = {
      {u"key_rate_az", u"", u"KEY_RATE_AZ", true},  // letters without case
      {u"Key_Rat", u"", u"Key_Rate", false},        // the whole keyword
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
