#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/flag.h"
#include "report/section_testing.h"
#include "sections/braille_tables.h"
#include "sections/cursor_key_tables.h"
#include "sections/general_tables.h"
#include "sections/hot_key_tables.h"
#include "sections/mouse_tables.h"
#include "sections/screen_keyboard_tables.h"
#include "sections/verbosity_tables.h"
#include "sections/window_tables.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

// The settings of `part` in report order, its parts' included.
void SettingsOf(const Part& part, std::vector<const Setting*>& out) {
  for (const Setting& s : part.settings) out.push_back(&s);
  for (const Item& item : part.items) {
    for (const Setting& s : item.settings) out.push_back(&s);
    if (item.part != nullptr) SettingsOf(*item.part, out);
  }
}

// The text of the section whose title line is `title` in a report, up to
// the next section's title.
std::string SectionOf(const std::string& report, const std::string& title) {
  std::size_t start = report.find("\n" + title + "\n") + 1;
  std::size_t end = report.find(";***END OF FILE***\n", start);
  for (std::u16string_view other : SectionTitles()) {
    std::size_t next = report.find("\n" + Utf16ToUtf8(other) + "\n", start);
    if (next != std::string::npos) end = std::min(end, next + 1);
  }
  return report.substr(start, end - start);
}

// Each field of a small section, flipped alone in the original, writes its
// line of the section's decompile (which decompile.txt holds) and nothing
// else, under the section's title and its sub-section's header, which its
// ";" line closes; every bit of a block that no line shows writes nothing.
// Bits of a flag's mask flip one at a time, of other fields bits 0 and 15.
TEST(SectionComparisons, EachFieldWritesOnlyItsGoldenLine) {
  const Part* kSections[] = {&kScreenSection,  &kKeyboardSection,
                             &kMouseSection,   &kGeneralSection,
                             &kGlobalSection,  &kDictionarySection,
                             &kBrailleSection, &kVerbositySection};
  struct Flip {
    BlockId block;
    std::size_t at;
    std::uint16_t bits;
    std::string body;
  };
  std::vector<Flip> flips;
  std::map<BlockId, std::map<std::size_t, std::uint16_t>> shown;
  for (const Part* section : kSections) {
    std::string title = Utf16ToUtf8(section->title);
    std::string golden = SectionOf(ReadGolden("decompile.txt"), title);
    ASSERT_TRUE(golden.ends_with("\n;\n")) << title;
    std::istringstream lines(golden.substr(0, golden.size() - 2));
    std::string line, sub;
    std::getline(lines, line);
    std::vector<std::string> expected;
    std::vector<std::size_t> open;  // lines of the open sub-section
    while (std::getline(lines, line)) {
      if (line == ";") {
        for (std::size_t k : open) expected[k] += ";\n";
        open.clear();
        sub.clear();
      } else if (line.starts_with("; ")) {
        open.clear();
        sub = line + "\n";
      } else {
        if (!sub.empty()) open.push_back(expected.size());
        expected.push_back(title + "\n" + sub + line + "\n");
      }
    }
    std::vector<const Setting*> settings;
    SettingsOf(*section, settings);
    ASSERT_EQ(settings.size(), expected.size()) << title;
    for (std::size_t i = 0; i < settings.size(); ++i) {
      const Field& field = settings[i]->field;
      bool flag = settings[i]->codec == &kFlag;
      flips.push_back({section->block, field.offset,
                       static_cast<std::uint16_t>(flag ? field.mask : 0x8001),
                       expected[i] + ";\n"});
      std::size_t words = flag || field.units == 0 ? 1 : field.units;
      for (std::size_t at = 0; at < words; ++at) {
        shown[section->block][field.offset + 2 * at] |=
            flag ? field.mask : 0xFFFF;
      }
    }
  }
  for (auto& [block, words] : shown) {
    for (std::size_t at = 0; at < Layout(block).size; at += 2) {
      auto bits = static_cast<std::uint16_t>(~words[at]);
      if (bits != 0)
        flips.push_back({block, at, bits, std::string(kNoDifferences)});
    }
  }
  const SetFileBuilder busy = BusySetFile(0, 0);
  for (const Flip& flip : flips) {
    for (int bit = 0; bit < 16; ++bit) {
      if ((flip.bits >> bit & 1) == 0) continue;
      SCOPED_TRACE("word " + std::to_string(flip.at) + " bit " +
                   std::to_string(bit));
      SetFileBuilder original = busy;
      original.SetWord(flip.block, flip.at,
                       static_cast<std::uint16_t>(
                           original.Word(flip.block, flip.at) ^ 1u << bit));
      EXPECT_EQ(ComparisonBody(original.Image(), busy.Image()), flip.body);
    }
  }
}

// A part's title and the comment lines after it.
std::string Comments(const Part& part) {
  std::string text = Utf16ToUtf8(part.title) + "\n";
  for (std::u16string_view line : part.notes) text += Utf16ToUtf8(line) + "\n";
  return text;
}

// Key 10 (record 9 of 1066 bytes) is Alt-x with Next_Line, set file "name"
// and delay 200 in the original, hot key record 7 ("Line", of 18 bytes)
// holds x, the line-filter characters (6 units) are "AbZ@[" and two
// dictionary names (261 units) "ÄRGER.JDF" and, filling the block to its
// end, 261 "X"s. Each row changes one word or text of the printed file.
// Cursor-key words: the commands at 0 and 2; each command's number, hot
// key and set file at 4, 6, 8 and 530, 532, 534; control, alt, shift, key
// code and delay at 1056 to 1064. Hot-key words: an unused one, control,
// alt, shift, insert, numpad, windows, application and the key code. Texts
// are compared with A to Z folded, up to their NUL or their field's end.
TEST(SectionComparisons, EachLineByTheStoredWordsAndTexts) {
  constexpr BlockId kCursor = BlockId::kCursorKey, kHot = BlockId::kHotKey;
  constexpr BlockId kScreen = BlockId::kScreen, kNames = BlockId::kDictionary;
  constexpr std::size_t kKey10 = 9 * 1066, kLine = 7 * 18;
  const std::map<BlockId, std::string> kHeaders = {
      {kCursor, Comments(kCursorKeySection)},
      {kHot, Comments(kHotKeySection)},
      {kScreen, "; Menu 1 - Screen\n; Menu 1.12 - Line Filter\n"},
      {kNames, Comments(kDictionarySection)},
  };
  struct Case {
    BlockId block;
    std::size_t offset;
    std::uint16_t word;
    std::u16string_view text;  // written instead of `word` when not empty
    const char* lines;         // "" when no line is written
  };
  const std::u16string kLower(261, u'x');
  const Case kCases[] = {
      {kCursor, kKey10 + 1064, 300, u"", "Key#10_delay = 300\n"},
      {kCursor, kKey10, 7, u"", "Key#10 = Alt-x Word \n"},
      {kCursor, kKey10 + 2, 7, u"", "Key#10 = Alt-x Next_Line Word\n"},
      {kCursor, kKey10 + 4, 1, u"", "Key#10 = Alt-x Next_Line \n"},
      {kCursor, kKey10 + 6, 1, u"", "Key#10 = Alt-x Next_Line \n"},
      {kCursor, kKey10 + 532, 1, u"", "Key#10 = Alt-x Next_Line \n"},
      {kCursor, kKey10 + 534, 0, u"a", "Key#10 = Alt-x Next_Line \n"},
      {kCursor, kKey10 + 8, 0, u"NAME", "Key#10 = Alt-x Next_Line \n"},
      {kCursor, kKey10 + 18, 'q', u"", ""},  // after the NUL
      {kCursor, kKey10 + 1056, 2, u"", "Key#10 = Alt-x Next_Line \n"},
      {kCursor, kKey10 + 1062, 'X', u"", "Key#10 = Alt-X Next_Line \n"},
      {kHot, kLine, 1, u"", ""},
      {kHot, kLine + 2, 2, u"", "Line = x\n"},
      {kHot, kLine + 14, 2, u"", "Line = x\n"},
      {kHot, kLine + 16, 'X', u"", ""},
      {kHot, kLine + 16, '{', u"", "Line = {\n"},
      {kHot, 246 * 18 + 16, 'a', u"", ""},  // a slot without a command
      {kScreen, 38, 0, u"aBz@[", ""},
      {kScreen, 38, 0, u"AbZ@{", "Line_Filter_Characters = AbZ@{\n;\n"},
      {kScreen, 38, 0, u"AbZ@[b", "Line_Filter_Characters = AbZ@[b\n;\n"},
      {kNames, 522, 0, u"äRGER.JDF", "Character_Dictionary_File = äRGER.JDF\n"},
      {kNames, 522 + 20, 'q', u"", ""},
      {kNames, 2088, 0, kLower, ""},
  };
  SetFileBuilder original;
  original.SetWord(kCursor, kKey10 + 1058, 1)
      .SetWord(kCursor, kKey10 + 1062, 'x')
      .SetWord(kCursor, kKey10, 11)
      .SetText(kCursor, kKey10 + 8, u"name")
      .SetWord(kCursor, kKey10 + 1064, 200)
      .SetWord(kHot, kLine + 16, 'x')
      .SetText(kScreen, 38, u"AbZ@[")
      .SetText(kNames, 522, u"ÄRGER.JDF")
      .SetText(kNames, 2088, std::u16string(261, u'X'), false);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.lines);
    SetFileBuilder printed = original;
    if (c.text.empty()) {
      printed.SetWord(c.block, c.offset, c.word);
    } else {
      printed.SetText(c.block, c.offset, c.text, c.offset != 2088);
    }
    EXPECT_EQ(
        ComparisonBody(original.Image(), printed.Image()),
        *c.lines ? kHeaders.at(c.block) + c.lines + ";\n" : kNoDifferences);
  }
}

constexpr BlockId kWindows = BlockId::kWindow;

// Block offsets of record fields, from the file format's record sizes.
constexpr std::size_t Std(std::size_t window, std::size_t field) {
  return 2 + 192 * window + field;
}
constexpr std::size_t Hyper(char letter, std::size_t field) {
  return 9602 + 1942 * static_cast<std::size_t>(letter - 'A') + field;
}

// The line of the decompile golden that starts with `keyword` and " = ".
std::string GoldenLine(std::string_view keyword) {
  static const std::string golden = ReadGolden("decompile.txt");
  std::size_t start = golden.find("\n" + std::string(keyword) + " = ");
  if (start == std::string::npos) return "<missing>";
  return golden.substr(start + 1, golden.find('\n', start + 1) - start);
}

// The busy file of the decompile golden is the printed file; each row
// changes the lowest bit of some bytes of the original. What the comparison
// writes comes from the golden, under the comment lines of its part.
TEST(WindowSections, ComparisonOfEachKindOfField) {
  const std::string kStandard = Comments(kStandardPart);
  const std::string kHyperactive = Comments(kHyperactivePart);
  struct Case {
    std::vector<std::size_t> flipped;
    std::string expected;  // "" for no differences
  };
  const Case kCases[] = {
      // active window
      {{0},
       "; Window Characteristics\n" + GoldenLine("Active_Standard_Window_ID") +
           ";\n"},
      // status
      {{Std(20, 112)}, kStandard + GoldenLine("Window#20_Status") + ";\n;\n"},
      // the high byte of a truth
      {{Std(3, 15)},
       kStandard + GoldenLine("Window#3_Offset_From_Right") + ";\n;\n"},
      // colour byte
      {{Std(3, 182)},
       kStandard + GoldenLine("Window#3_Red_Lightbar_Foreground") + ";\n;\n"},
      // float string, two-digit window
      {{Std(12, 46)},
       kStandard + ";Window#12_Float_Characteristics\n" +
           GoldenLine("Window#12_Float_Top_String") + ";\n;\n;\n"},
      // float position, one-digit window
      {{Std(7, 4)},
       kStandard + ";Window#7_Float_Characteristics\n" +
           GoldenLine("Window#7_Float_Left_Position") + ";\n;\n;\n"},
      // interrupt
      {{Hyper('D', 78)},
       kHyperactive + GoldenLine("Window#D_Interrupt") + ";\n"},
      // arguments a command does not use
      {{Hyper('A', 370), Hyper('A', 376), Hyper('B', 162)},
       kHyperactive + GoldenLine("Window#A_First_Command") + ";\n" +
           GoldenLine("Window#B_Second_Command") + ";\n"},
      // C searches for an attribute, E for a string.
      // search fields of the printed trigger
      {{Hyper('C', 149), Hyper('E', 82)},
       kHyperactive + GoldenLine("Window#C_Search_Attribute_Green_Foreground") +
           ";\n" + GoldenLine("Window#E_Search_For_String") + ";\n"},
      // search fields of other triggers
      {{Hyper('C', 82), Hyper('E', 148)}, ""},
      // bytes no line reads, text after its NUL
      {{Std(3, 171), Std(30, 177), Hyper('E', 4), Hyper('E', 22),
        Hyper('Z', 1942), Std(0, 60)},
       ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.flipped[0]);
    SetFileBuilder original = BusySetFile(0, 0);
    for (std::size_t at : c.flipped) {
      std::size_t even = at & ~std::size_t{1};
      original.SetWord(
          kWindows, even,
          static_cast<std::uint16_t>(original.Word(kWindows, even) ^
                                     (at % 2 ? 0x100 : 1)));
    }
    EXPECT_EQ(ComparisonBody(original.Image(), BusySetFile(0, 0).Image()),
              c.expected.empty() ? std::string(kNoDifferences) : c.expected);
  }
}

}  // namespace
}  // namespace quorlith
