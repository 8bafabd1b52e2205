#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

using namespace std::literals;

constexpr BlockId kGeneral = BlockId::kGeneral;
constexpr BlockId kDictionary = BlockId::kDictionary;
constexpr std::uint16_t kNameUnits = 261;
constexpr std::uint16_t kNameSize = 2 * kNameUnits;

SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  constexpr std::uint16_t kWords[] = {3,      1,      0, 1, 1, 0xFFFF, 1,
                                      1,      0,      1, 3, 2, 1,      0xFFFF,
                                      0xFFFF, 0x8000, 1, 1, 2};
  for (std::uint16_t i = 0; i < std::size(kWords); ++i) {
    b.SetWord(kGeneral, 2 * i, kWords[i]);
  }
  b.SetText(kDictionary, 0 * kNameSize, u"C:\\Dict\\Exceptions.JDF")
      .SetText(kDictionary, 2 * kNameSize, u"Ünïcode名.dic")
      .SetText(kDictionary, 4 * kNameSize, u"colors.cdf");
  return b;
}

constexpr std::string_view kGeneralGolden = R"(; Menu 6 - General Settings
Voice = On
Braille = 2
Hot_Keys = Off
Cursor_Keys = On
Include_Box_In_Light_Bar = On
Include_Window_With_Box = None
Marked_Text = Light_Bar
Character_Dictionary = On
Key_Label_Dictionary = Off
Exception_Dictionary = On
Graphic_Dictionary = Graphic_Only
Color_Dictionary = Exact_Or_Closest
Allow_Speak_Windows_In_Edit_Boxes = On
Cursor_Delay = 65535
Trigger_Delay = -1
Space_Threshold = -32768
Auto_Speak_Tooltips = Auto
MSAA_Application_Mode = On
)";
constexpr std::string_view kGlobalGolden =
    "; Menu 9 - Global Settings\nGlobal_Settings = Verbosity\n";
// An empty name leaves the line with nothing after " = ".
constexpr std::string_view kDictionaryGolden =
    R"(; Menu 10 - Dictionary Settings
Exception_Dictionary_File = C:\Dict\Exceptions.JDF
Character_Dictionary_File = 
Key_Label_Dictionary_File = Ünïcode名.dic
Graphic_Dictionary_File = 
Color_Dictionary_File = colors.cdf
)";

TEST(GeneralSections, DecompileMatchesGolden) {
  SetFileImage image = ChosenValues().Image();
  EXPECT_EQ(DecompileSectionText(WriteGeneralSection, image), kGeneralGolden);
  EXPECT_EQ(DecompileSectionText(WriteGlobalSection, image), kGlobalGolden);
  EXPECT_EQ(DecompileSectionText(WriteDictionarySection, image),
            kDictionaryGolden);
  SetFileBuilder other;
  other.SetWord(kGeneral, 10, 0xFFFE);
  EXPECT_NE(DecompileSectionText(WriteGeneralSection, other.Image())
                .find("\nInclude_Window_With_Box = -2\n"),
            std::string::npos);
}

TEST(GeneralSections, EachWordWritesItsGoldenLine) {
  constexpr GoldenWord kGeneralWords[] = {{2},  {36}, {4},  {6},  {8},  {10},
                                          {12}, {14}, {16}, {18}, {20}, {22},
                                          {24}, {26}, {28}, {30}, {32}, {34}};
  constexpr GoldenWord kGlobalWords[] = {{0}};
  constexpr GoldenWord kNames[] = {
      {0}, {kNameSize}, {2 * kNameSize}, {3 * kNameSize}, {4 * kNameSize}};
  ExpectEachWordWritesItsGoldenLine(WriteGeneralSection, kGeneral,
                                    ChosenValues(), kGeneralGolden,
                                    kGeneralWords);
  ExpectEachWordWritesItsGoldenLine(WriteGlobalSection, kGeneral,
                                    ChosenValues(), kGlobalGolden,
                                    kGlobalWords);
  ExpectEachWordWritesItsGoldenLine(WriteDictionarySection, kDictionary,
                                    ChosenValues(), kDictionaryGolden, kNames);
}

// Names are compared ignoring ASCII letter case only, up to their NUL.
TEST(GeneralSections, ComparisonOfDictionaryNames) {
  struct Case {
    std::size_t field;
    std::u16string_view original;
    std::u16string_view printed;
    std::string_view line;  // "" for no difference
  };
  const Case kCases[] = {
      {1, u"ÄRGER.JDF", u"ärger.jdf", "Character_Dictionary_File = ärger.jdf"},
      {0, u"C:\\DICT\\EXCEPT.JDF", u"c:\\dict\\Except.jdf", ""},
      {4, u"AZaz@[`{", u"azAZ@[`{", ""},
      {2, u"key\0old"sv, u"key\0new"sv, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.field);
    SetFileBuilder original;
    original.SetText(kDictionary, c.field * kNameSize, c.original);
    SetFileBuilder printed;
    printed.SetText(kDictionary, c.field * kNameSize, c.printed);
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              c.line.empty() ? std::string(kNoDifferences)
                             : "; Menu 10 - Dictionary Settings\n" +
                                   std::string(c.line) + "\n;\n");
  }
}

TEST(GeneralSections, NameWithoutNulEndsAtTheBlockEnd) {
  std::u16string full(kNameUnits, u'x');
  SetFileBuilder printed;
  printed.SetText(kDictionary, 4 * kNameSize, full, false);
  std::string text =
      DecompileSectionText(WriteDictionarySection, printed.Image());
  std::string line =
      "\nColor_Dictionary_File = " + std::string(kNameUnits, 'x') + "\n";
  EXPECT_EQ(text.substr(text.size() - line.size()), line);

  SetFileBuilder original;
  full.back() = u'X';
  original.SetText(kDictionary, 4 * kNameSize, full, false);
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()), kNoDifferences);
}

}  // namespace
}  // namespace quorlith
