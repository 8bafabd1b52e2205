#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr BlockId kMouse = BlockId::kMouse;
constexpr std::size_t kAttributes = 30;

// Bits 4 to 6 of the attribute byte are set and show nowhere, nor does the
// word at 22.
TEST(MouseSection, DecompileMatchesGolden) {
  SetFileBuilder b;
  constexpr std::uint16_t kWords[] = {
      0, 0xFFFF, 0x7FFF, u'Ω', 0x8000, 3, 2, 5, 0, 0xFFF6, 12, 0xFFFF, 1, 3, 2};
  for (std::uint16_t i = 0; i < std::size(kWords); ++i) {
    b.SetWord(kMouse, 2 * i, kWords[i]);
  }
  b.SetByte(kMouse, kAttributes, 0x7C).SetByte(kMouse, 31, 0xFF);
  EXPECT_EQ(DecompileSectionText(WriteMouseSection, b.Image()),
            R"(; Menu 3 - Mouse Settings
Mouse_Voice = Off
Mouse_Rate = -1
Mouse_Pitch = 32767
Mouse_Tone = Ω
Mouse_Volume = -32768
Mouse_Boundary = User_Window
Mouse_Buttons = 2
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
)");
}

// One setting changed at a time against an all-zero original.
TEST(MouseSection, ComparisonShowsOnlyTheChangedLine) {
  const WordLine kCases[] = {
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
      {28, 3, "Up_Down_Speak = 3"},
  };
  for (const WordLine& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(OneWordBody(kMouse, c.offset, c.value),
              "; Menu 3 - Mouse Settings\n" + std::string(c.line) + "\n;\n");
  }
}

// Each flag is compared on its own bit, whatever the other bits hold.
TEST(MouseSection, ComparisonShowsOnlyTheChangedFlags) {
  struct Case {
    std::uint8_t original;
    std::uint8_t printed;
    std::string_view lines;
  };
  constexpr Case kCases[] = {
      {0x00, 0x04, "Underline = on\n"},
      {0x00, 0x08, "Bold = on\n"},
      {0x00, 0x80, "Highlight = on\n"},
      {0x00, 0x01, "Italic = on\n"},
      {0x00, 0x02, "Strikeout = on\n"},
      {0xFF, 0x7F, "Highlight = off\n"},
      {0x85, 0x88, "Underline = off\nBold = on\nItalic = off\n"},
  };
  for (const Case& c : kCases) {
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

// Bytes of the block that no line shows.
TEST(MouseSection, ComparisonFindsNoDifference) {
  struct Case {
    const char* name;
    std::size_t offset;
    std::uint8_t original;
    std::uint8_t printed;
  };
  constexpr Case kCases[] = {
      {"attribute bits 4 to 6", kAttributes, 0x00, 0x70},
      {"attribute bit 5 among set flags", kAttributes, 0xAF, 0x8F},
      {"low byte of the word at 22", 22, 0x00, 0x01},
      {"high byte of the word at 22", 23, 0x00, 0x80},
      {"byte at 31", 31, 0x00, 0xFF},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original;
    original.SetByte(kMouse, c.offset, c.original);
    SetFileBuilder printed;
    printed.SetByte(kMouse, c.offset, c.printed);
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              kNoDifferences);
  }
}

}  // namespace
}  // namespace quorlith
