#include "shell/viewer_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "text/report_text.h"

namespace quorlith {
namespace {

// A report's sections are the menus' and the window characteristics'
// titles, not a window record's own; a tone of 0 shows, and does not end
// the text; CR and the byte order mark go.
TEST(ViewerText, ReportSectionsAndWhatItShows) {
  std::ifstream file(std::string(QUORLITH_TESTDATA_DIR) + "/decompile.txt");
  std::string golden((std::istreambuf_iterator<char>(file)), {});
  ViewerText view = ReportViewerText(u"t", Utf8ToUtf16(golden));
  std::vector<std::u16string_view> lines = view.Lines();
  EXPECT_EQ(lines[0], u"; Human readable SET file for Orvalen version 7.0");
  ASSERT_EQ(view.sections.size(), 28u);
  EXPECT_EQ(lines[view.sections.front()], u"; Menu 1 - Screen");
  EXPECT_EQ(lines[view.sections.back()],
            u"; Hyperactive Window Characteristics");
  EXPECT_EQ(ReportViewerText(u"t", std::u16string(u"Tone = \0 \r\n", 11)).text,
            u"Tone = \u2400 \n");
}

TEST(ViewerText, ChangesCountFirstThenEachSection) {
  const ReportSetting settings[] = {
      {u"Menu 1 - Screen", u"Screen_Rate", {u"5", {}}, {u"0", {}}},
      {u"Menu 2 - Keyboard", u"Key_Rate", {u"70", {}}, {u"60", {}}},
      {u"Menu 2 - Keyboard", u"Key_Pitch", {u"1", {}}, {u"0", {}}},
  };
  ViewerText view = ChangesViewerText(u"t", settings);
  EXPECT_EQ(view.text,
            u"3 settings differ in all.\n"
            u"1 setting differs in Menu 1 - Screen.\n"
            u"Menu 1 - Screen › Screen_Rate: 0 → 5\n"
            u"2 settings differ in Menu 2 - Keyboard.\n"
            u"Menu 2 - Keyboard › Key_Rate: 60 → 70\n"
            u"Menu 2 - Keyboard › Key_Pitch: 0 → 1\n");
  EXPECT_EQ(view.sections, (std::vector<std::size_t>{1, 3}));
  EXPECT_EQ(view.first_line, 2u);
  EXPECT_EQ(ChangesViewerText(u"t", {}).text, u"No differences.\n");
}

TEST(ViewerText, FindIgnoresCaseAndStopsAtTheEnds) {
  constexpr std::u16string_view kText = u"Key_Rate = 60\nkey_rate ÄÖ\n";
  const std::tuple<std::u16string_view, std::size_t, bool,
                   std::optional<std::size_t>>
      rows[] = {
          {u"KEY_RATE", 0, true, 0},    {u"KEY_RATE", 1, true, 14},
          {u"key_rate", 14, false, 0},  {u"key_rate", 0, false, std::nullopt},
          {u"äö", 0, true, 23},         {u"60\n", 0, true, 11},
          {u"", 0, true, std::nullopt}, {u"x", 0, true, std::nullopt},
          {u"\n", 25, true, 25},        {u"\n", 26, true, std::nullopt},
      };
  for (const auto& [needle, from, forward, found] : rows) {
    EXPECT_EQ(FindInText(kText, needle, from, forward), found)
        << Utf16ToUtf8(needle) << from;
  }
}

}  // namespace
}  // namespace quorlith
