#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

using namespace std::literals;

constexpr BlockId kScreen = BlockId::kScreen;
constexpr BlockId kKeyboard = BlockId::kKeyboard;

// Chosen to show negative and 0xFFFF words, non-ASCII characters, values
// outside their tables and values in the unrendered words (screen 18 and
// 20, keyboard 18, 20 and 40).
SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  constexpr std::uint16_t kScreenWords[] = {
      1,      0xFFFF, 0x7FFF, u'é', 0x8000, 1,      2, 0, 3, 0xFFFF,
      0x1234, 2,      1,      1,    0xFFF6, 0xFFFF, 2, 2, 40};
  constexpr std::uint16_t kScreenTailWords[] = {1, 3, 2, 1, 0, 1};
  constexpr std::uint16_t kKeyboardWords[] = {6, 0xFFFF, 50, 65, 100,   0, 1, 2,
                                              1, 7,      7,  1,  0,     1, 0, 1,
                                              2, 1,      0,  4,  0xBEEF};
  for (std::uint16_t i = 0; i < std::size(kScreenWords); ++i) {
    b.SetWord(kScreen, 2 * i, kScreenWords[i]);
  }
  b.SetText(kScreen, 38, u"ñ€Ab");
  for (std::uint16_t i = 0; i < std::size(kScreenTailWords); ++i) {
    b.SetWord(kScreen, 50 + 2 * i, kScreenTailWords[i]);
  }
  for (std::uint16_t i = 0; i < std::size(kKeyboardWords); ++i) {
    b.SetWord(kKeyboard, 2 * i, kKeyboardWords[i]);
  }
  return b;
}

constexpr std::string_view kScreenGolden = R"(; Menu 1 - Screen
Screen_Voice = On
Screen_Rate = -1
Screen_Pitch = 32767
Screen_Tone = é
Screen_Volume = -32768
; Menu 1.6 - Punctuation
Screen_Textual = Dictionary
Screen_Math = On
Screen_Miscellaneous = Off
Screen_Space = 3
;
Screen_Numbers = Synthesizer
Capitalization_Alert = Say_Caps
Format_Alert = On
Format_Alert_Offset = -10
Spell_Alpha_numeric = -1
Split_Mixed_Case = On_With_Acronyms
; Menu 1.12 - Line Filter
Line_Filter_Status = Read_To_End
Line_Filter_Position = 40
Line_Filter_Characters = ñ€Ab
;
Repeat_Filter = Say_Repeats
Repeat_Value = 3
Blank_Lines = Read_To_End_Off
Signal_Caret_Position = On
Attribute_Changes = Off
Read_Paragraph_Style = Auto
)";

constexpr std::string_view kKeyboardGolden = R"(; Menu 2 - Keyboard
Key_Voice = On_With_Words_Interrupt
Key_Rate = -1
Key_Pitch = 50
Key_Tone = A
Key_Volume = 100
; Menu 2.6 - Punctuation
Key_Textual = Off
Key_Math = Dictionary
Key_Miscellaneous = On
Key_Space = Dictionary
;
; Menu 2.7 - Special Keys
Function_Keys = On
Toggle_Keys = Off
Cursor_Movement = On
Key_Enhancements = Off
Escape_Key = On
Enter_Key = 2
Enable_Both_Inserts_As_Modifier = On
;
Capitals = Undefined
Interruptability = Off
)";

TEST(ScreenKeyboardSections, DecompileMatchesGolden) {
  SetFileImage image = ChosenValues().Image();
  EXPECT_EQ(DecompileSectionText(WriteScreenSection, image), kScreenGolden);
  EXPECT_EQ(DecompileSectionText(WriteKeyboardSection, image), kKeyboardGolden);
}

TEST(ScreenKeyboardSections, EachWordWritesItsGoldenLine) {
  constexpr GoldenWord kScreenWords[] = {
      {0},  {2},  {4},  {6},  {8},  {10}, {12}, {14}, {16}, {22}, {24}, {26},
      {28}, {30}, {32}, {34}, {36}, {38}, {50}, {52}, {54}, {56}, {58}, {60}};
  constexpr GoldenWord kKeyboardWords[] = {{0},  {2},  {4},  {6},  {8},  {10},
                                           {12}, {14}, {16}, {22}, {24}, {26},
                                           {28}, {30}, {32}, {34}, {36}, {38}};
  constexpr GoldenWord kScreenUnrendered[] = {{18}, {20}};
  constexpr GoldenWord kKeyboardUnrendered[] = {{18}, {20}, {40}};
  ExpectEachWordWritesItsGoldenLine(WriteScreenSection, kScreen, ChosenValues(),
                                    kScreenGolden, kScreenWords,
                                    kScreenUnrendered);
  ExpectEachWordWritesItsGoldenLine(WriteKeyboardSection, kKeyboard,
                                    ChosenValues(), kKeyboardGolden,
                                    kKeyboardWords, kKeyboardUnrendered);
}

// The line filter field holds six units and ends at its NUL or at the
// field's end; its letters are compared ignoring ASCII case only.
TEST(ScreenKeyboardSections, ComparisonOfLineFilterCharacters) {
  struct Case {
    std::u16string_view original;
    std::u16string_view printed;
    std::string_view shown;  // after "Line_Filter_Characters = ", or none
  };
  const Case kCases[] = {
      {u"AbZ@[", u"aBz@[", ""},         {u"a\0bc"sv, u"a\0xy"sv, ""},
      {u"ABCDEF", u"abcdef", ""},       {u"É", u"é", "é"},
      {u"abcdeg", u"abcdef", "abcdef"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.shown));
    SetFileBuilder original;
    original.SetText(kScreen, 38, c.original, c.original.size() < 6);
    original.SetWord(kScreen, 50, u'Z');
    SetFileBuilder printed;
    printed.SetText(kScreen, 38, c.printed, c.printed.size() < 6);
    printed.SetWord(kScreen, 50, u'Z');
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              c.shown.empty() ? std::string(kNoDifferences)
                              : "; Menu 1 - Screen\n"
                                "; Menu 1.12 - Line Filter\n"
                                "Line_Filter_Characters = " +
                                    std::string(c.shown) + "\n;\n;\n");
  }
}

}  // namespace
}  // namespace quorlith
