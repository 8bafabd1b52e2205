#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "report/report_testing.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

using namespace std::literals;

constexpr BlockId kGeneral = BlockId::kGeneral;
constexpr BlockId kDictionary = BlockId::kDictionary;
constexpr std::size_t kNameUnits = 261;
constexpr std::size_t kNameSize = 2 * kNameUnits;

constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  b.SetWord(kGeneral, 0, 3)
      .SetWord(kGeneral, 2, 1)
      .SetWord(kGeneral, 4, 0)
      .SetWord(kGeneral, 6, 1)
      .SetWord(kGeneral, 8, 1)
      .SetWord(kGeneral, 10, 0xFFFF)
      .SetWord(kGeneral, 12, 1)
      .SetWord(kGeneral, 14, 1)
      .SetWord(kGeneral, 16, 0)
      .SetWord(kGeneral, 18, 1)
      .SetWord(kGeneral, 20, 3)
      .SetWord(kGeneral, 22, 2)
      .SetWord(kGeneral, 24, 1)
      .SetWord(kGeneral, 26, 0xFFFF)
      .SetWord(kGeneral, 28, 0xFFFF)
      .SetWord(kGeneral, 30, 0x8000)
      .SetWord(kGeneral, 32, 1)
      .SetWord(kGeneral, 34, 1)
      .SetWord(kGeneral, 36, 2);
  b.SetText(kDictionary, 0 * kNameSize, u"C:\\Dict\\Exceptions.JDF")
      .SetText(kDictionary, 2 * kNameSize, u"Ünïcode名.dic")
      .SetText(kDictionary, 3 * kNameSize, u"")
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

constexpr std::string_view kGlobalGolden = R"(; Menu 9 - Global Settings
Global_Settings = Verbosity
)";

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
}

TEST(GeneralSections, ReportCarriesTheMenusInOrder) {
  std::string report = DecompileReportText(ChosenValues().Image());
  std::size_t general = report.find(std::string(kGeneralGolden) + ";\n");
  std::size_t braille = report.find("; Menu 7 - Braille Settings\n");
  std::size_t global = report.find(std::string(kGlobalGolden) + ";\n" +
                                   std::string(kDictionaryGolden) + ";\n");
  ASSERT_NE(general, std::string::npos) << report;
  ASSERT_NE(global, std::string::npos) << report;
  EXPECT_LT(report.find("; Menu 3 - Mouse Settings\n"), general);
  EXPECT_LT(general, braille);
  EXPECT_LT(braille, global);
}

TEST(GeneralSections, DecompileKeepsEmptyDictionaryNames) {
  EXPECT_EQ(
      DecompileSectionText(WriteDictionarySection, SetFileBuilder().Image()),
      "; Menu 10 - Dictionary Settings\n"
      "Exception_Dictionary_File = \n"
      "Character_Dictionary_File = \n"
      "Key_Label_Dictionary_File = \n"
      "Graphic_Dictionary_File = \n"
      "Color_Dictionary_File = \n");
}

struct RenderCase {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

// The unusual renderings, and the last row of each name table with the
// first value past it.
constexpr RenderCase kRenderCases[] = {
    {10, 0xFFFF, "Include_Window_With_Box = None"},
    {10, 0xFFFE, "Include_Window_With_Box = -2"},
    {10, 0, "Include_Window_With_Box = 0"},
    {10, 0x7FFF, "Include_Window_With_Box = 32767"},
    {10, 0x8000, "Include_Window_With_Box = -32768"},
    {26, 0xFFFF, "Cursor_Delay = 65535"},
    {26, 0x8000, "Cursor_Delay = 32768"},
    {28, 0xFFFF, "Trigger_Delay = -1"},
    {30, 0xFFFF, "Space_Threshold = -1"},
    {0, 0, "Global_Settings = Voice_and_Verbosity"},
    {0, 1, "Global_Settings = Off"},
    {0, 2, "Global_Settings = Voice"},
    {0, 4, "Global_Settings = 4"},
    {0, 0xFFFF, "Global_Settings = -1"},
    {12, 0, "Marked_Text = Auto"},
    {12, 2, "Marked_Text = 2"},
    {20, 1, "Graphic_Dictionary = Dictionary_Only"},
    {20, 4, "Graphic_Dictionary = 4"},
    {22, 1, "Color_Dictionary = Exact_Only"},
    {22, 3, "Color_Dictionary = 3"},
    {32, 2, "Auto_Speak_Tooltips = On"},
    {32, 3, "Auto_Speak_Tooltips = 3"},
    {2, 2, "Voice = 2"},
};

TEST(GeneralSections, RendersStoredWords) {
  for (const RenderCase& c : kRenderCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder b;
    b.SetWord(kGeneral, c.offset, c.value);
    SetFileImage image = b.Image();
    std::string text = DecompileSectionText(WriteGeneralSection, image) +
                       DecompileSectionText(WriteGlobalSection, image);
    EXPECT_NE(text.find("\n" + std::string(c.line) + "\n"), std::string::npos)
        << text;
  }
}

// One word of the general block changed at a time against an all-zero
// original.
struct ChangeCase {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

constexpr ChangeCase kChangeCases[] = {
    {0, 1, "Global_Settings = Off"},
    {2, 1, "Voice = On"},
    {4, 1, "Hot_Keys = On"},
    {6, 1, "Cursor_Keys = On"},
    {8, 1, "Include_Box_In_Light_Bar = On"},
    {10, 0xFFFF, "Include_Window_With_Box = None"},
    {10, 3, "Include_Window_With_Box = 3"},
    {12, 1, "Marked_Text = Light_Bar"},
    {14, 1, "Character_Dictionary = On"},
    {16, 1, "Key_Label_Dictionary = On"},
    {18, 1, "Exception_Dictionary = On"},
    {20, 3, "Graphic_Dictionary = Graphic_Only"},
    {22, 2, "Color_Dictionary = Exact_Or_Closest"},
    {24, 1, "Allow_Speak_Windows_In_Edit_Boxes = On"},
    {26, 0xFFFF, "Cursor_Delay = 65535"},
    {28, 250, "Trigger_Delay = 250"},
    {30, 0xFFFF, "Space_Threshold = -1"},
    {32, 2, "Auto_Speak_Tooltips = On"},
    {34, 1, "MSAA_Application_Mode = On"},
    {36, 1, "Braille = On"},
};

TEST(GeneralSections, ComparisonShowsOnlyTheChangedLine) {
  SetFileImage original = SetFileBuilder().Image();
  for (const ChangeCase& c : kChangeCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder changed;
    changed.SetWord(kGeneral, c.offset, c.value);
    std::string header = c.offset == 0 ? "; Menu 9 - Global Settings\n"
                                       : "; Menu 6 - General Settings\n";
    EXPECT_EQ(ComparisonBody(original, changed.Image()),
              header + std::string(c.line) + "\n;\n");
  }
}

TEST(GeneralSections, IncludeWindowComparesTheStoredWord) {
  SetFileBuilder none;
  none.SetWord(kGeneral, 10, 0xFFFF);
  SetFileBuilder five;
  five.SetWord(kGeneral, 10, 5);
  EXPECT_EQ(ComparisonBody(none.Image(), none.Image()), kNoDifferences);
  EXPECT_EQ(ComparisonBody(none.Image(), five.Image()),
            "; Menu 6 - General Settings\nInclude_Window_With_Box = 5\n;\n");
  EXPECT_EQ(ComparisonBody(five.Image(), none.Image()),
            "; Menu 6 - General Settings\nInclude_Window_With_Box = None\n;\n");
}

// Dictionary names, one field changed at a time against empty names.
struct NameChangeCase {
  std::size_t field;
  std::u16string_view name;
  std::string_view line;
};

constexpr NameChangeCase kNameChangeCases[] = {
    {0, u"except.jdf", "Exception_Dictionary_File = except.jdf"},
    {1, u"C:\\chars.jdf", "Character_Dictionary_File = C:\\chars.jdf"},
    {2, u"ключи.jkm", "Key_Label_Dictionary_File = ключи.jkm"},
    {3, u"g", "Graphic_Dictionary_File = g"},
    {4, u"Colors.CDF", "Color_Dictionary_File = Colors.CDF"},
};

TEST(GeneralSections, ComparisonShowsOnlyTheChangedName) {
  SetFileImage original = SetFileBuilder().Image();
  for (const NameChangeCase& c : kNameChangeCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder changed;
    changed.SetText(kDictionary, c.field * kNameSize, c.name);
    EXPECT_EQ(
        ComparisonBody(original, changed.Image()),
        "; Menu 10 - Dictionary Settings\n" + std::string(c.line) + "\n;\n");
  }
}

TEST(GeneralSections, ComparisonShowsThePrintedName) {
  SetFileBuilder original;
  original.SetText(kDictionary, kNameSize, u"ÄRGER.JDF");
  SetFileBuilder printed;
  printed.SetText(kDictionary, kNameSize, u"ärger.jdf");
  EXPECT_EQ(CompareSectionText(WriteDictionarySection, original.Image(),
                               printed.Image()),
            "; Menu 10 - Dictionary Settings\n"
            "Character_Dictionary_File = ärger.jdf\n");
}

struct SameCase {
  const char* name;
  std::size_t offset;
  std::u16string_view original;
  std::u16string_view printed;
};

constexpr SameCase kSameCases[] = {
    {"exception name in other case", 0, u"C:\\DICT\\EXCEPT.JDF",
     u"c:\\dict\\Except.jdf"},
    {"colour name in other case", 4 * kNameSize, u"AZaz@[`{", u"azAZ@[`{"},
    {"name differs after its NUL", 2 * kNameSize, u"key\0old"sv, u"key\0new"sv},
};

TEST(GeneralSections, ComparisonFindsNoDifference) {
  for (const SameCase& c : kSameCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original;
    original.SetText(kDictionary, c.offset, c.original);
    SetFileBuilder printed;
    printed.SetText(kDictionary, c.offset, c.printed);
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              kNoDifferences);
  }
}

TEST(GeneralSections, NameWithoutNulEndsAtTheBlockEnd) {
  std::u16string full(kNameUnits, u'x');
  SetFileBuilder printed;
  printed.SetText(kDictionary, 4 * kNameSize, full, false);
  std::string text =
      DecompileSectionText(WriteDictionarySection, printed.Image());
  std::string line =
      "\nColor_Dictionary_File = " + std::string(kNameUnits, 'x');
  EXPECT_EQ(text.substr(text.size() - line.size() - 1), line + "\n");

  SetFileBuilder original;
  full.back() = u'X';
  original.SetText(kDictionary, 4 * kNameSize, full, false);
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()), kNoDifferences);
}

}  // namespace
}  // namespace quorlith
