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
constexpr std::size_t kNameUnits = 261;
constexpr std::size_t kNameSize = 2 * kNameUnits;

// An empty name leaves the line with nothing after " = ".
TEST(GeneralSections, DecompileMatchesGolden) {
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
  SetFileImage image = b.Image();
  EXPECT_EQ(DecompileSectionText(WriteGeneralSection, image),
            R"(; Menu 6 - General Settings
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
)");
  EXPECT_EQ(DecompileSectionText(WriteGlobalSection, image),
            "; Menu 9 - Global Settings\nGlobal_Settings = Verbosity\n");
  EXPECT_EQ(DecompileSectionText(WriteDictionarySection, image),
            R"(; Menu 10 - Dictionary Settings
Exception_Dictionary_File = C:\Dict\Exceptions.JDF
Character_Dictionary_File = 
Key_Label_Dictionary_File = Ünïcode名.dic
Graphic_Dictionary_File = 
Color_Dictionary_File = colors.cdf
)");
}

// One word of the general block changed at a time against an all-zero
// original.
TEST(GeneralSections, ComparisonShowsOnlyTheChangedLine) {
  const WordLine kCases[] = {
      {0, 1, "Global_Settings = Off"},
      {0, 4, "Global_Settings = 4"},
      {2, 1, "Voice = On"},
      {4, 1, "Hot_Keys = On"},
      {6, 1, "Cursor_Keys = On"},
      {8, 1, "Include_Box_In_Light_Bar = On"},
      {10, 0xFFFF, "Include_Window_With_Box = None"},
      {10, 0xFFFE, "Include_Window_With_Box = -2"},
      {12, 1, "Marked_Text = Light_Bar"},
      {14, 1, "Character_Dictionary = On"},
      {16, 1, "Key_Label_Dictionary = On"},
      {18, 1, "Exception_Dictionary = On"},
      {20, 4, "Graphic_Dictionary = 4"},
      {22, 2, "Color_Dictionary = Exact_Or_Closest"},
      {24, 1, "Allow_Speak_Windows_In_Edit_Boxes = On"},
      {26, 0xFFFF, "Cursor_Delay = 65535"},
      {28, 250, "Trigger_Delay = 250"},
      {30, 0xFFFF, "Space_Threshold = -1"},
      {32, 2, "Auto_Speak_Tooltips = On"},
      {34, 1, "MSAA_Application_Mode = On"},
      {36, 1, "Braille = On"},
  };
  for (const WordLine& c : kCases) {
    SCOPED_TRACE(c.line);
    std::string header = c.offset == 0 ? "; Menu 9 - Global Settings\n"
                                       : "; Menu 6 - General Settings\n";
    EXPECT_EQ(OneWordBody(kGeneral, c.offset, c.value),
              header + std::string(c.line) + "\n;\n");
  }
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
      {0, u"", u"except.jdf", "Exception_Dictionary_File = except.jdf"},
      {1, u"", u"C:\\chars.jdf", "Character_Dictionary_File = C:\\chars.jdf"},
      {2, u"", u"ключи.jkm", "Key_Label_Dictionary_File = ключи.jkm"},
      {3, u"", u"g", "Graphic_Dictionary_File = g"},
      {4, u"", u"Colors.CDF", "Color_Dictionary_File = Colors.CDF"},
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
