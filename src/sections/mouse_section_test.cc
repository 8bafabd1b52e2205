#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "report/report_testing.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kMouse = BlockId::kMouse;
constexpr std::size_t kAttributes = 30;

constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  b.SetWord(kMouse, 0, 0)
      .SetWord(kMouse, 2, 0xFFFF)
      .SetWord(kMouse, 4, 0x7FFF)
      .SetWord(kMouse, 6, u'Ω')
      .SetWord(kMouse, 8, 0x8000)
      .SetWord(kMouse, 10, 3)
      .SetWord(kMouse, 12, 1)
      .SetWord(kMouse, 14, 5)
      .SetWord(kMouse, 16, 0)
      .SetWord(kMouse, 18, 0xFFF6)
      .SetWord(kMouse, 20, 12)
      .SetWord(kMouse, 22, 0xFFFF)
      .SetWord(kMouse, 24, 1)
      .SetWord(kMouse, 26, 3)
      .SetWord(kMouse, 28, 2)
      .SetByte(kMouse, kAttributes, 0x7C)
      .SetByte(kMouse, 31, 0xFF);
  return b;
}

// Bits 4 to 6 of the attribute byte are set and show nowhere.
constexpr std::string_view kMouseGolden = R"(; Menu 3 - Mouse Settings
Mouse_Voice = Off
Mouse_Rate = -1
Mouse_Pitch = 32767
Mouse_Tone = Ω
Mouse_Volume = -32768
Mouse_Boundary = User_Window
Mouse_Buttons = On
Pointer_Up_Delta = 5
Pointer_Down_Delta = 0
Pointer_Left_Delta = -10
Pointer_Right_Delta = 12
Mouse_Interruptability = Off
Track_Mouse_With_Focus = On
Up_Down_Speak = Line
; Menu 3.16 - Attribute Search Selection
Underline = on
Bold = on
Highlight = off
Italic = off
Strikeout = off
)";

TEST(MouseSection, DecompileMatchesGolden) {
  EXPECT_EQ(DecompileSectionText(WriteMouseSection, ChosenValues().Image()),
            kMouseGolden);
}

TEST(MouseSection, ReportCarriesTheMenuAfterKeyboard) {
  std::string report = DecompileReportText(ChosenValues().Image());
  std::size_t at = report.find(kMouseGolden);
  ASSERT_NE(at, std::string::npos) << report;
  EXPECT_LT(report.find("; Menu 2 - Keyboard"), at);
  EXPECT_EQ(report.compare(at + kMouseGolden.size(), 2, ";\n"), 0);
}

struct FlagCase {
  std::uint8_t bits;
  std::string_view lines;
};

constexpr FlagCase kFlagCases[] = {
    {0x00,
     "Underline = off\nBold = off\nHighlight = off\nItalic = off\n"
     "Strikeout = off\n"},
    {0x01,
     "Underline = off\nBold = off\nHighlight = off\nItalic = on\n"
     "Strikeout = off\n"},
    {0x02,
     "Underline = off\nBold = off\nHighlight = off\nItalic = off\n"
     "Strikeout = on\n"},
    {0x0C,
     "Underline = on\nBold = on\nHighlight = off\nItalic = off\n"
     "Strikeout = off\n"},
    {0x80,
     "Underline = off\nBold = off\nHighlight = on\nItalic = off\n"
     "Strikeout = off\n"},
    {0xFF,
     "Underline = on\nBold = on\nHighlight = on\nItalic = on\n"
     "Strikeout = on\n"},
};

TEST(MouseSection, FlagsFollowTheirBits) {
  for (const FlagCase& c : kFlagCases) {
    SCOPED_TRACE(std::to_string(c.bits));
    SetFileBuilder b;
    b.SetByte(kMouse, kAttributes, c.bits);
    std::string text = DecompileSectionText(WriteMouseSection, b.Image());
    std::string tail =
        "; Menu 3.16 - Attribute Search Selection\n" + std::string(c.lines);
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  }
}

// One setting changed at a time against an all-zero original.
struct ChangeCase {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

constexpr ChangeCase kChangeCases[] = {
    {0, 5,
     "Mouse_Voice = On_With_Pointer_Identification_Immediate_"
     "Dictionary_Only"},
    {2, 0xFFFF, "Mouse_Rate = -1"},
    {4, 7, "Mouse_Pitch = 7"},
    {6, u'z', "Mouse_Tone = z"},
    {8, 0x8000, "Mouse_Volume = -32768"},
    {10, 2, "Mouse_Boundary = Focus_Window"},
    {12, 1, "Mouse_Buttons = On"},
    {14, 1, "Pointer_Up_Delta = 1"},
    {16, 0xFFFE, "Pointer_Down_Delta = -2"},
    {18, 0xFFF6, "Pointer_Left_Delta = -10"},
    {20, 300, "Pointer_Right_Delta = 300"},
    {24, 1, "Track_Mouse_With_Focus = On"},
    {26, 1, "Mouse_Interruptability = Click_Buttons"},
    {28, 1, "Up_Down_Speak = Word"},
};

TEST(MouseSection, ComparisonShowsOnlyTheChangedLine) {
  SetFileImage original = SetFileBuilder().Image();
  for (const ChangeCase& c : kChangeCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder changed;
    changed.SetWord(kMouse, c.offset, c.value);
    EXPECT_EQ(ComparisonBody(original, changed.Image()),
              "; Menu 3 - Mouse Settings\n" + std::string(c.line) + "\n;\n");
  }
}

// Each flag is compared on its own bit, whatever the other bits hold.
struct FlagChangeCase {
  std::uint8_t original;
  std::uint8_t printed;
  std::string_view lines;
};

constexpr FlagChangeCase kFlagChangeCases[] = {
    {0x00, 0x04, "Underline = on\n"},
    {0x00, 0x08, "Bold = on\n"},
    {0x00, 0x80, "Highlight = on\n"},
    {0x00, 0x01, "Italic = on\n"},
    {0x00, 0x02, "Strikeout = on\n"},
    {0xFF, 0x7F, "Highlight = off\n"},
    {0x7B, 0x0F, "Underline = on\n"},
    {0x85, 0x88, "Underline = off\nBold = on\nItalic = off\n"},
};

TEST(MouseSection, ComparisonShowsOnlyTheChangedFlags) {
  for (const FlagChangeCase& c : kFlagChangeCases) {
    SCOPED_TRACE(std::to_string(c.original) + " to " +
                 std::to_string(c.printed));
    SetFileBuilder original;
    original.SetByte(kMouse, kAttributes, c.original);
    SetFileBuilder printed;
    printed.SetByte(kMouse, kAttributes, c.printed);
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              "; Menu 3 - Mouse Settings\n"
              "; Menu 3.16 - Attribute Search Selection\n" +
                  std::string(c.lines) + ";\n");
  }
}

TEST(MouseSection, FlagsFollowTheWordLinesInAComparison) {
  SetFileBuilder printed;
  printed.SetWord(kMouse, 26, 3).SetByte(kMouse, kAttributes, 0x80);
  EXPECT_EQ(CompareSectionText(WriteMouseSection, SetFileBuilder().Image(),
                               printed.Image()),
            "; Menu 3 - Mouse Settings\n"
            "Mouse_Interruptability = Off\n"
            "; Menu 3.16 - Attribute Search Selection\n"
            "Highlight = on\n");
}

struct SameCase {
  const char* name;
  std::size_t offset;
  std::uint8_t original;
  std::uint8_t printed;
};

// Bytes of the block that no line shows.
constexpr SameCase kSameCases[] = {
    {"attribute bits 4 to 6", kAttributes, 0x00, 0x70},
    {"attribute bit 5 among set flags", kAttributes, 0xAF, 0x8F},
    {"low byte of the word at 22", 22, 0x00, 0x01},
    {"high byte of the word at 22", 23, 0x00, 0x80},
    {"byte at 31", 31, 0x00, 0xFF},
};

TEST(MouseSection, ComparisonFindsNoDifference) {
  for (const SameCase& c : kSameCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original;
    original.SetByte(kMouse, c.offset, c.original);
    SetFileBuilder printed;
    printed.SetByte(kMouse, c.offset, c.printed);
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              kNoDifferences);
  }
}

// The last row of each name table and the first value past it.
struct NameCase {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

constexpr NameCase kNameCases[] = {
    {0, 1, "Mouse_Voice = On_With_Pointer_Identification_Off"},
    {0, 6, "Mouse_Voice = 6"},
    {10, 0, "Mouse_Boundary = Full_Screen"},
    {10, 4, "Mouse_Boundary = 4"},
    {12, 2, "Mouse_Buttons = 2"},
    {24, 0xFFFF, "Track_Mouse_With_Focus = -1"},
    {26, 0, "Mouse_Interruptability = Move"},
    {26, 4, "Mouse_Interruptability = 4"},
    {28, 0, "Up_Down_Speak = Tacter"},
    {28, 3, "Up_Down_Speak = 3"},
};

TEST(MouseSection, NamesEndWithTheirTables) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder b;
    b.SetWord(kMouse, c.offset, c.value);
    std::string text = DecompileSectionText(WriteMouseSection, b.Image());
    EXPECT_NE(text.find("\n" + std::string(c.line) + "\n"), std::string::npos)
        << text;
  }
}

}  // namespace
}  // namespace quorlith
