#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "sections/braille_dots.h"
#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr BlockId kBraille = BlockId::kBraille;
constexpr std::uint16_t kGraphicSymbol = 40;

SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  constexpr std::uint16_t kWords[] = {
      1, 1,    0xFFFF, 5, 0, 1,      0, 1, 0,      1, 0xFFFF, 0x8000,
      0, 3000, 1,      5, 1, 0xFFFF, 1, 0, 0xFF13, 0, 1,      0xFFFF};
  for (std::uint16_t i = 0; i < std::size(kWords); ++i) {
    b.SetWord(kBraille, 2 * i, kWords[i]);
  }
  return b;
}

// The word at 46 is set and shows nowhere; Graphic_Symbol shows only the
// low byte of 0xFF13.
TEST(BrailleSection, DecompileMatchesGolden) {
  EXPECT_EQ(DecompileSectionText(WriteBrailleSection, ChosenValues().Image()),
            R"(; Menu 7 - Braille Settings
Auto_Route_Cursor = On
Enable_Whole_Word_Mode = On
Horizontal_Scrolling = Scroll_Specified_Width
Scroll_Width = 65535
Indicate_Line_Change = Off
Information_Order = Data_Name_Type
Include_Name = Off
Braille_Include_Type = On
Include_Index = Off
Grade2 = On
Auto_Untranslate_at_Cursor = Off
Translate_Symbols = On
8_Dot_Braille = -1
Auto_Update_Timeout = 32768
Quick_Message_Mode = Disabled
Quick_Message_Timeout = 3000
Attribute_Marking = On
Attribute_Marking_Mode = All
Show_Indents = On
Spacing = Show_Extra_Spacing
Pixels_Per_Space = 65535
Braille_Graphics = None
Graphic_Symbol = 125
)");
}

TEST(BrailleSection, FormatBrailleDots) {
  const std::pair<std::uint16_t, std::u16string_view> kCases[] = {
      {0x0000, u""},         {0x0001, u"1"},  {0x0080, u"8"},    {0x0100, u""},
      {0xFFFF, u"12345678"}, {0x8142, u"27"}, {0x00AA, u"2468"},
  };
  for (const auto& [bits, dots] : kCases) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(FormatBrailleDots(bits), dots);
  }
}

// One word changed at a time against an all-zero original, with values
// past the name tables and a Graphic_Symbol change in its hidden high byte.
TEST(BrailleSection, ComparisonShowsOnlyTheChangedLine) {
  const WordLine kCases[] = {
      {44, 1, "Auto_Route_Cursor = On"},
      {0, 1, "Enable_Whole_Word_Mode = On"},
      {2, 2, "Horizontal_Scrolling = 2"},
      {4, 0xFFFF, "Scroll_Width = 65535"},
      {42, 1, "Indicate_Line_Change = On"},
      {6, 6, "Information_Order = 6"},
      {8, 1, "Include_Name = On"},
      {10, 1, "Braille_Include_Type = On"},
      {12, 1, "Include_Index = On"},
      {14, 1, "Grade2 = On"},
      {16, 1, "Auto_Untranslate_at_Cursor = On"},
      {18, 1, "Translate_Symbols = On"},
      {20, 1, "8_Dot_Braille = On"},
      {22, 0xFFFF, "Auto_Update_Timeout = 65535"},
      {24, 2, "Quick_Message_Mode = On_With_Timeout"},
      {26, 0xFFFF, "Quick_Message_Timeout = 65535"},
      {28, 1, "Attribute_Marking = On"},
      {30, 3, "Attribute_Marking_Mode = Italic"},
      {32, 2, "Spacing = 2"},
      {34, 0xFFFF, "Pixels_Per_Space = 65535"},
      {36, 1, "Show_Indents = On"},
      {38, 5, "Braille_Graphics = Braille_Speech_Or_Graphic"},
      {kGraphicSymbol, 0x0013, "Graphic_Symbol = 125"},
      {kGraphicSymbol, 0x0100, "Graphic_Symbol = "},
  };
  for (const WordLine& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(OneWordBody(kBraille, c.offset, c.value),
              "; Menu 7 - Braille Settings\n" + std::string(c.line) + "\n;\n");
  }
}

TEST(BrailleSection, ComparisonFindsNoDifference) {
  SetFileBuilder original = ChosenValues();
  SetFileBuilder printed = ChosenValues();
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()), kNoDifferences);
  printed.SetWord(kBraille, 46, 0x1234);  // unrendered
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()), kNoDifferences);
}

}  // namespace
}  // namespace quorlith
