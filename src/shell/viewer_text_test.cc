#include "shell/viewer_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "text/report_text.h"

namespace quorlith {
namespace {

TEST(ViewerText, ReportStartsAtTheFirstSettingAndStepsThroughSections) {
  std::ifstream file(std::string(QUORLITH_TESTDATA_DIR) + "/decompile.txt");
  std::string golden((std::istreambuf_iterator<char>(file)), {});
  std::u16string report = Utf8ToUtf16(golden);
  // As the file holds it: CR LF line ends.
  for (std::size_t at = 0; (at = report.find(u'\n', at)) != report.npos;
       at += 2) {
    report.insert(at, 1, u'\r');
  }
  ViewerText view = ReportViewerText(u"BUSY.t00 - Report", report);
  std::vector<std::u16string_view> lines = view.Lines();
  EXPECT_EQ(view.text.find(u'\r'), std::u16string::npos);
  EXPECT_EQ(lines[view.first_line], u"Screen_Voice = Off");
  ASSERT_EQ(view.sections.size(), 28u);
  EXPECT_EQ(lines[view.sections.front()], u"; Menu 1 - Screen");
  EXPECT_EQ(lines[view.sections.back()],
            u"; Hyperactive Window Characteristics");
  // Forward from a section goes to the next; back from inside one to its
  // own title; nothing past either end.
  std::size_t second = view.sections[1];
  EXPECT_EQ(NextSection(view, view.sections[0], true), second);
  EXPECT_EQ(NextSection(view, second + 1, false), second);
  EXPECT_EQ(NextSection(view, second, false), view.sections[0]);
  EXPECT_EQ(NextSection(view, view.sections[0], false), std::nullopt);
  EXPECT_EQ(NextSection(view, lines.size(), true), std::nullopt);
  // A tone of 0 shows, and does not end the text.
  EXPECT_EQ(ReportViewerText(u"t", std::u16string(u"Tone = \0 \r\n", 11)).text,
            u"Tone = \u2400 \n");
}

TEST(ViewerText, ChangesCountFirstThenEachSection) {
  std::vector<ReportSetting> settings(3);
  settings[0] = {u"Menu 1 - Screen", u"Screen_Rate", {u"5", {}}, {u"0", {}}};
  settings[1] = {u"Menu 2 - Keyboard", u"Key_Rate", {u"70", {}}, {u"60", {}}};
  settings[2] = {u"Menu 2 - Keyboard", u"Key_Pitch", {u"1", {}}, {u"0", {}}};
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
  struct Row {
    std::u16string_view needle;
    std::size_t from;
    bool forward;
    std::optional<std::size_t> found;
  };
  const Row rows[] = {
      {u"KEY_RATE", 0, true, 0},    {u"KEY_RATE", 1, true, 14},
      {u"key_rate", 14, false, 0},  {u"key_rate", 0, false, std::nullopt},
      {u"äö", 0, true, 23},         {u"60\n", 0, true, 11},
      {u"", 0, true, std::nullopt}, {u"x", 0, true, std::nullopt},
      {u"\n", 25, true, 25},        {u"\n", 26, true, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf16ToUtf8(row.needle));
    EXPECT_EQ(FindInText(kText, row.needle, row.from, row.forward), row.found);
  }
  EXPECT_EQ(LineOfOffset(kText, 14), 1u);
  EXPECT_EQ(OffsetOfLine(kText, 1), 14u);
  EXPECT_EQ(OffsetOfLine(kText, 5), kText.size());
}

}  // namespace
}  // namespace quorlith
