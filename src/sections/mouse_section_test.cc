#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr BlockId kMouse = BlockId::kMouse;
constexpr std::uint16_t kAttributes = 30;

// Bits 4 to 6 of the attribute byte are set and show nowhere, nor do the
// word at 22 and the byte at 31.
SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  constexpr std::uint16_t kWords[] = {
      0, 0xFFFF, 0x7FFF, u'Ω', 0x8000, 3, 2, 5, 0, 0xFFF6, 12, 0xFFFF, 1, 3, 2};
  for (std::uint16_t i = 0; i < std::size(kWords); ++i) {
    b.SetWord(kMouse, 2 * i, kWords[i]);
  }
  b.SetByte(kMouse, kAttributes, 0x7C).SetByte(kMouse, 31, 0xFF);
  return b;
}

constexpr std::string_view kGolden = R"(; Menu 3 - Mouse Settings
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
)";

TEST(MouseSection, DecompileMatchesGolden) {
  EXPECT_EQ(DecompileSectionText(WriteMouseSection, ChosenValues().Image()),
            kGolden);
}

// Each word alone and each flag bit alone, whatever the other bits hold.
TEST(MouseSection, EachWordWritesItsGoldenLine) {
  constexpr GoldenWord kWords[] = {{0},
                                   {2},
                                   {4},
                                   {6},
                                   {8},
                                   {10},
                                   {12},
                                   {14},
                                   {16},
                                   {18},
                                   {20},
                                   {26},
                                   {24},
                                   {28},
                                   {kAttributes, 0x04},
                                   {kAttributes, 0x08},
                                   {kAttributes, 0x80},
                                   {kAttributes, 0x01},
                                   {kAttributes, 0x02}};
  constexpr GoldenWord kUnrendered[] = {
      {22, 0xFFFF}, {kAttributes, 0x70}, {kAttributes, 0xFF00}};
  ExpectEachWordWritesItsGoldenLine(WriteMouseSection, kMouse, ChosenValues(),
                                    kGolden, kWords, kUnrendered);
}

}  // namespace
}  // namespace quorlith
