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
constexpr std::string_view kGolden = R"(; Menu 7 - Braille Settings
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
)";

TEST(BrailleSection, DecompileMatchesGolden) {
  EXPECT_EQ(DecompileSectionText(WriteBrailleSection, ChosenValues().Image()),
            kGolden);
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

// One word changed at a time; a change in the hidden high byte of
// Graphic_Symbol writes it too, and the word at 46 is never compared.
TEST(BrailleSection, EachWordWritesItsGoldenLine) {
  constexpr GoldenWord kWords[] = {{44},
                                   {0},
                                   {2},
                                   {4},
                                   {42},
                                   {6},
                                   {8},
                                   {10},
                                   {12},
                                   {14},
                                   {16},
                                   {18},
                                   {20},
                                   {22},
                                   {24},
                                   {26},
                                   {28},
                                   {30},
                                   {36},
                                   {32},
                                   {34},
                                   {38},
                                   {kGraphicSymbol}};
  constexpr GoldenWord kUnrendered[] = {{46}};
  ExpectEachWordWritesItsGoldenLine(WriteBrailleSection, kBraille,
                                    ChosenValues(), kGolden, kWords,
                                    kUnrendered);
}

}  // namespace
}  // namespace quorlith
