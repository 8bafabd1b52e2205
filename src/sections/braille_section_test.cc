#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "report/report_testing.h"
#include "report/report_text.h"
#include "sections/braille_dots.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kBraille = BlockId::kBraille;
constexpr std::size_t kGraphicSymbol = 40;

constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  b.SetWord(kBraille, 0, 1)
      .SetWord(kBraille, 2, 1)
      .SetWord(kBraille, 4, 0xFFFF)
      .SetWord(kBraille, 6, 5)
      .SetWord(kBraille, 8, 0)
      .SetWord(kBraille, 10, 1)
      .SetWord(kBraille, 12, 0)
      .SetWord(kBraille, 14, 1)
      .SetWord(kBraille, 16, 0)
      .SetWord(kBraille, 18, 1)
      .SetWord(kBraille, 20, 0xFFFF)
      .SetWord(kBraille, 22, 0x8000)
      .SetWord(kBraille, 24, 0)
      .SetWord(kBraille, 26, 3000)
      .SetWord(kBraille, 28, 1)
      .SetWord(kBraille, 30, 5)
      .SetWord(kBraille, 32, 1)
      .SetWord(kBraille, 34, 0xFFFF)
      .SetWord(kBraille, 36, 1)
      .SetWord(kBraille, 38, 0)
      .SetWord(kBraille, kGraphicSymbol, 0xFF13)
      .SetWord(kBraille, 42, 0)
      .SetWord(kBraille, 44, 1)
      .SetWord(kBraille, 46, 0xFFFF);
  return b;
}

constexpr std::string_view kBrailleGolden = R"(; Menu 7 - Braille Settings
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
            kBrailleGolden);
}

TEST(BrailleSection, ReportCarriesTheMenuAfterGeneralSettings) {
  std::string report = DecompileReportText(ChosenValues().Image());
  std::size_t at = report.find(std::string(kBrailleGolden) + ";\n");
  ASSERT_NE(at, std::string::npos) << report;
  EXPECT_LT(report.find("; Menu 6 - General Settings\n"), at);
}

struct DotsCase {
  std::uint16_t bits;
  std::u16string_view dots;
};

constexpr DotsCase kDotsCases[] = {
    {0x0000, u""},     {0x0001, u"1"},        {0x0013, u"125"},
    {0x0080, u"8"},    {0x00FF, u"12345678"}, {0x0100, u""},
    {0xFF00, u""},     {0xFFFF, u"12345678"}, {0x8142, u"27"},
    {0x00AA, u"2468"},
};

TEST(BrailleSection, FormatBrailleDots) {
  for (const DotsCase& c : kDotsCases) {
    SCOPED_TRACE(c.bits);
    EXPECT_EQ(FormatBrailleDots(c.bits), c.dots);
  }
}

TEST(BrailleSection, GraphicSymbolLineShowsTheDots) {
  for (const DotsCase& c : kDotsCases) {
    SCOPED_TRACE(c.bits);
    SetFileBuilder b;
    b.SetWord(kBraille, kGraphicSymbol, c.bits);
    std::string text = DecompileSectionText(WriteBrailleSection, b.Image());
    std::string line = "\nGraphic_Symbol = " + Utf16ToUtf8(c.dots) + "\n";
    ASSERT_GE(text.size(), line.size());
    EXPECT_EQ(text.substr(text.size() - line.size()), line);
  }
}

// One word changed at a time against an all-zero original.
struct ChangeCase {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

constexpr ChangeCase kChangeCases[] = {
    {44, 1, "Auto_Route_Cursor = On"},
    {0, 1, "Enable_Whole_Word_Mode = On"},
    {2, 1, "Horizontal_Scrolling = Scroll_Specified_Width"},
    {4, 0xFFFF, "Scroll_Width = 65535"},
    {42, 1, "Indicate_Line_Change = On"},
    {6, 5, "Information_Order = Data_Name_Type"},
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
    {32, 1, "Spacing = Show_Extra_Spacing"},
    {34, 0xFFFF, "Pixels_Per_Space = 65535"},
    {36, 1, "Show_Indents = On"},
    {38, 5, "Braille_Graphics = Braille_Speech_Or_Graphic"},
    {kGraphicSymbol, 0x0013, "Graphic_Symbol = 125"},
    {kGraphicSymbol, 0x0100, "Graphic_Symbol = "},
    {kGraphicSymbol, 0x8000, "Graphic_Symbol = "},
};

TEST(BrailleSection, ComparisonShowsOnlyTheChangedLine) {
  SetFileImage original = SetFileBuilder().Image();
  for (const ChangeCase& c : kChangeCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder changed;
    changed.SetWord(kBraille, c.offset, c.value);
    EXPECT_EQ(ComparisonBody(original, changed.Image()),
              "; Menu 7 - Braille Settings\n" + std::string(c.line) + "\n;\n");
  }
}

TEST(BrailleSection, GraphicSymbolComparesItsWholeWord) {
  SetFileBuilder original;
  original.SetWord(kBraille, kGraphicSymbol, 0x0113);
  SetFileBuilder printed;
  printed.SetWord(kBraille, kGraphicSymbol, 0x0213);
  EXPECT_EQ(CompareSectionText(WriteBrailleSection, original.Image(),
                               printed.Image()),
            "; Menu 7 - Braille Settings\nGraphic_Symbol = 125\n");
}

TEST(BrailleSection, ComparisonFindsNoDifference) {
  SetFileBuilder original = ChosenValues();
  EXPECT_EQ(ComparisonBody(original.Image(), ChosenValues().Image()),
            kNoDifferences);
  SetFileBuilder printed = ChosenValues();
  printed.SetWord(kBraille, 46, 0x1234);
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()), kNoDifferences);
}

// The last row of each name table and the first value past it.
constexpr ChangeCase kNameCases[] = {
    {2, 2, "Horizontal_Scrolling = 2"},
    {6, 6, "Information_Order = 6"},
    {6, 0, "Information_Order = Type_Name_Data"},
    {24, 3, "Quick_Message_Mode = 3"},
    {30, 0, "Attribute_Marking_Mode = Highlight"},
    {30, 6, "Attribute_Marking_Mode = 6"},
    {32, 2, "Spacing = 2"},
    {32, 0, "Spacing = Collapse_Extra_Spacing"},
    {38, 6, "Braille_Graphics = 6"},
    {38, 0xFFFF, "Braille_Graphics = -1"},
    {44, 2, "Auto_Route_Cursor = 2"},
};

TEST(BrailleSection, NamesEndWithTheirTables) {
  for (const ChangeCase& c : kNameCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder b;
    b.SetWord(kBraille, c.offset, c.value);
    std::string text = DecompileSectionText(WriteBrailleSection, b.Image());
    EXPECT_NE(text.find("\n" + std::string(c.line) + "\n"), std::string::npos)
        << text;
  }
}

}  // namespace
}  // namespace quorlith
