#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "report/report_testing.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

using namespace std::literals;

constexpr BlockId kScreen = BlockId::kScreen;
constexpr BlockId kKeyboard = BlockId::kKeyboard;

constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

// Chosen to show negative and 0xFFFF words, non-ASCII characters, values
// outside their tables and values in the unrendered words.
SetFileBuilder ChosenValues() {
  SetFileBuilder b;
  b.SetWord(kScreen, 0, 1)
      .SetWord(kScreen, 2, 0xFFFF)
      .SetWord(kScreen, 4, 0x7FFF)
      .SetWord(kScreen, 6, u'é')
      .SetWord(kScreen, 8, 0x8000)
      .SetWord(kScreen, 10, 1)
      .SetWord(kScreen, 12, 2)
      .SetWord(kScreen, 14, 0)
      .SetWord(kScreen, 16, 3)
      .SetWord(kScreen, 18, 0xFFFF)
      .SetWord(kScreen, 20, 0x1234)
      .SetWord(kScreen, 22, 2)
      .SetWord(kScreen, 24, 1)
      .SetWord(kScreen, 26, 1)
      .SetWord(kScreen, 28, 0xFFF6)
      .SetWord(kScreen, 30, 0xFFFF)
      .SetWord(kScreen, 32, 2)
      .SetWord(kScreen, 34, 2)
      .SetWord(kScreen, 36, 40)
      .SetText(kScreen, 38, u"ñ€Ab")
      .SetWord(kScreen, 50, 1)
      .SetWord(kScreen, 52, 3)
      .SetWord(kScreen, 54, 2)
      .SetWord(kScreen, 56, 1)
      .SetWord(kScreen, 58, 0)
      .SetWord(kScreen, 60, 1);
  b.SetWord(kKeyboard, 0, 6)
      .SetWord(kKeyboard, 2, 0xFFFF)
      .SetWord(kKeyboard, 4, 50)
      .SetWord(kKeyboard, 6, 65)
      .SetWord(kKeyboard, 8, 100)
      .SetWord(kKeyboard, 10, 0)
      .SetWord(kKeyboard, 12, 1)
      .SetWord(kKeyboard, 14, 2)
      .SetWord(kKeyboard, 16, 1)
      .SetWord(kKeyboard, 18, 7)
      .SetWord(kKeyboard, 20, 7)
      .SetWord(kKeyboard, 22, 1)
      .SetWord(kKeyboard, 24, 0)
      .SetWord(kKeyboard, 26, 1)
      .SetWord(kKeyboard, 28, 0)
      .SetWord(kKeyboard, 30, 1)
      .SetWord(kKeyboard, 32, 2)
      .SetWord(kKeyboard, 34, 1)
      .SetWord(kKeyboard, 36, 0)
      .SetWord(kKeyboard, 38, 4)
      .SetWord(kKeyboard, 40, 0xBEEF);
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

TEST(ScreenKeyboardSections, ReportCarriesBothMenusWithSeparators) {
  std::string report = DecompileReportText(ChosenValues().Image());
  std::string expected = std::string(kScreenGolden) + ";\n" +
                         std::string(kKeyboardGolden) + ";\n; Menu 3 - ";
  EXPECT_NE(report.find(";\n" + expected), std::string::npos) << report;
}

// One setting changed at a time: each row gives the stored word of the new
// file (the original is all zero) and what the comparison must show.
struct ChangeCase {
  BlockId block;
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view sub_section;  // empty for lines of the menu itself
  std::string_view line;
};

constexpr ChangeCase kChangeCases[] = {
    {kScreen, 0, 1, "", "Screen_Voice = On"},
    {kScreen, 2, 0xFFFF, "", "Screen_Rate = -1"},
    {kScreen, 4, 0x8000, "", "Screen_Pitch = -32768"},
    {kScreen, 6, 65, "", "Screen_Tone = A"},
    {kScreen, 8, 0x7FFF, "", "Screen_Volume = 32767"},
    {kScreen, 10, 1, "; Menu 1.6 - Punctuation", "Screen_Textual = Dictionary"},
    {kScreen, 12, 2, "; Menu 1.6 - Punctuation", "Screen_Math = On"},
    {kScreen, 14, 1, "; Menu 1.6 - Punctuation",
     "Screen_Miscellaneous = Dictionary"},
    {kScreen, 16, 0xFFFF, "; Menu 1.6 - Punctuation", "Screen_Space = -1"},
    {kScreen, 22, 2, "", "Screen_Numbers = Synthesizer"},
    {kScreen, 24, 2, "", "Capitalization_Alert = Pitch"},
    {kScreen, 26, 1, "", "Format_Alert = On"},
    {kScreen, 28, 5, "", "Format_Alert_Offset = 5"},
    {kScreen, 30, 1, "", "Spell_Alpha_numeric = On"},
    {kScreen, 32, 1, "", "Split_Mixed_Case = On"},
    {kScreen, 34, 1, "; Menu 1.12 - Line Filter", "Line_Filter_Status = On"},
    {kScreen, 36, 0xFFFE, "; Menu 1.12 - Line Filter",
     "Line_Filter_Position = -2"},
    {kScreen, 38, u'x', "; Menu 1.12 - Line Filter",
     "Line_Filter_Characters = x"},
    {kScreen, 50, 2, "", "Repeat_Filter = Ignore"},
    {kScreen, 52, 9, "", "Repeat_Value = 9"},
    {kScreen, 54, 1, "", "Blank_Lines = Say_Blank"},
    {kScreen, 56, 1, "", "Signal_Caret_Position = On"},
    {kScreen, 58, 1, "", "Attribute_Changes = On"},
    {kScreen, 60, 2, "", "Read_Paragraph_Style = On"},
    {kKeyboard, 0, 7, "", "Key_Voice = On_With_Words_And_Numbers_Interrupt"},
    {kKeyboard, 2, 0xFFFF, "", "Key_Rate = -1"},
    {kKeyboard, 4, 3, "", "Key_Pitch = 3"},
    {kKeyboard, 6, u'~', "", "Key_Tone = ~"},
    {kKeyboard, 8, 0xFFF0, "", "Key_Volume = -16"},
    {kKeyboard, 10, 2, "; Menu 2.6 - Punctuation", "Key_Textual = On"},
    {kKeyboard, 12, 1, "; Menu 2.6 - Punctuation", "Key_Math = Dictionary"},
    {kKeyboard, 14, 2, "; Menu 2.6 - Punctuation", "Key_Miscellaneous = On"},
    {kKeyboard, 16, 1, "; Menu 2.6 - Punctuation", "Key_Space = Dictionary"},
    {kKeyboard, 22, 1, "; Menu 2.7 - Special Keys", "Function_Keys = On"},
    {kKeyboard, 24, 1, "; Menu 2.7 - Special Keys", "Toggle_Keys = On"},
    {kKeyboard, 26, 1, "; Menu 2.7 - Special Keys", "Cursor_Movement = On"},
    {kKeyboard, 28, 1, "; Menu 2.7 - Special Keys", "Key_Enhancements = On"},
    {kKeyboard, 30, 1, "; Menu 2.7 - Special Keys", "Escape_Key = On"},
    {kKeyboard, 32, 1, "; Menu 2.7 - Special Keys", "Enter_Key = On"},
    {kKeyboard, 34, 1, "; Menu 2.7 - Special Keys",
     "Enable_Both_Inserts_As_Modifier = On"},
    {kKeyboard, 36, 1, "", "Capitals = Say_Cap"},
    {kKeyboard, 38, 3, "", "Interruptability = Control_Or_Alt"},
};

std::string ExpectedBody(const ChangeCase& c) {
  std::string body =
      c.block == kScreen ? "; Menu 1 - Screen\n" : "; Menu 2 - Keyboard\n";
  if (!c.sub_section.empty()) body.append(c.sub_section).append("\n");
  body.append(c.line).append("\n");
  if (!c.sub_section.empty()) body.append(";\n");
  return body.append(";\n");
}

TEST(ScreenKeyboardSections, ComparisonShowsOnlyTheChangedLine) {
  SetFileImage original = SetFileBuilder().Image();
  for (const ChangeCase& c : kChangeCases) {
    SCOPED_TRACE(std::string(c.line) + " at " + std::to_string(c.offset));
    SetFileBuilder changed;
    changed.SetWord(c.block, c.offset, c.value);
    EXPECT_EQ(ComparisonBody(original, changed.Image()), ExpectedBody(c));
  }
}

TEST(ScreenKeyboardSections, ComparisonShowsThePrintedValue) {
  SetFileBuilder original;
  original.SetWord(kScreen, 12, 2).SetText(kScreen, 38, u"abc");
  SetFileBuilder printed;
  printed.SetWord(kScreen, 12, 1).SetText(kScreen, 38, u"xy");
  EXPECT_EQ(
      CompareSectionText(WriteScreenSection, original.Image(), printed.Image()),
      "; Menu 1 - Screen\n"
      "; Menu 1.6 - Punctuation\n"
      "Screen_Math = Dictionary\n"
      ";\n"
      "; Menu 1.12 - Line Filter\n"
      "Line_Filter_Characters = xy\n"
      ";\n");
}

using Edit = void (*)(SetFileBuilder&);

struct SameCase {
  const char* name;
  Edit original;
  Edit printed;
};

const SameCase kSameCases[] = {
    {"identical files", [](SetFileBuilder&) {}, [](SetFileBuilder&) {}},
    {"line filter letters differ in case",
     [](SetFileBuilder& b) { b.SetText(kScreen, 38, u"AbZ@["); },
     [](SetFileBuilder& b) { b.SetText(kScreen, 38, u"aBz@["); }},
    {"line filter differs after its NUL",
     [](SetFileBuilder& b) { b.SetText(kScreen, 38, u"a\0bc"sv); },
     [](SetFileBuilder& b) { b.SetText(kScreen, 38, u"a\0xy"sv); }},
    {"line filter without NUL differs in case",
     [](SetFileBuilder& b) { b.SetText(kScreen, 38, u"ABCDEF", false); },
     [](SetFileBuilder& b) { b.SetText(kScreen, 38, u"abcdef", false); }},
    {"unrendered screen words", [](SetFileBuilder&) {},
     [](SetFileBuilder& b) {
       b.SetWord(kScreen, 18, 0xFFFF).SetWord(kScreen, 20, 1);
     }},
    {"unrendered keyboard words", [](SetFileBuilder&) {},
     [](SetFileBuilder& b) {
       b.SetWord(kKeyboard, 18, 1)
           .SetWord(kKeyboard, 20, 0x8000)
           .SetWord(kKeyboard, 40, 0xFFFF);
     }},
};

TEST(ScreenKeyboardSections, ComparisonFindsNoDifference) {
  for (const SameCase& c : kSameCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original;
    SetFileBuilder printed;
    c.original(original);
    c.printed(printed);
    EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
              kNoDifferences);
  }
}

TEST(ScreenKeyboardSections, LineFilterCaseFoldingIsAsciiOnly) {
  SetFileBuilder original;
  original.SetText(kScreen, 38, u"É");
  SetFileBuilder printed;
  printed.SetText(kScreen, 38, u"é");
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
            "; Menu 1 - Screen\n"
            "; Menu 1.12 - Line Filter\n"
            "Line_Filter_Characters = é\n"
            ";\n"
            ";\n");
}

TEST(ScreenKeyboardSections, LineFilterWithoutNulEndsAtFieldEnd) {
  SetFileBuilder b;
  b.SetText(kScreen, 38, u"abcdef", false).SetWord(kScreen, 50, u'Z');
  std::string text = DecompileSectionText(WriteScreenSection, b.Image());
  EXPECT_NE(text.find("\nLine_Filter_Characters = abcdef\n;\n"),
            std::string::npos)
      << text;

  SetFileBuilder original;
  original.SetText(kScreen, 38, u"abcdeg", false).SetWord(kScreen, 50, u'Z');
  EXPECT_EQ(CompareSectionText(WriteScreenSection, original.Image(), b.Image()),
            "; Menu 1 - Screen\n"
            "; Menu 1.12 - Line Filter\n"
            "Line_Filter_Characters = abcdef\n"
            ";\n");
}

// The last row of each name table and the first value past it, which has
// no name and falls back to the stored number.
struct NameCase {
  BlockId block;
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line;
};

constexpr NameCase kNameCases[] = {
    {kScreen, 0, 2, "Screen_Voice = 2"},
    {kScreen, 10, 2, "Screen_Textual = On"},
    {kScreen, 10, 3, "Screen_Textual = 3"},
    {kScreen, 22, 3, "Screen_Numbers = 3"},
    {kScreen, 24, 3, "Capitalization_Alert = 3"},
    {kScreen, 32, 2, "Split_Mixed_Case = On_With_Acronyms"},
    {kScreen, 32, 3, "Split_Mixed_Case = 3"},
    {kScreen, 34, 3, "Line_Filter_Status = 3"},
    {kScreen, 50, 3, "Repeat_Filter = 3"},
    {kScreen, 54, 3, "Blank_Lines = 3"},
    {kScreen, 60, 3, "Read_Paragraph_Style = 3"},
    {kScreen, 60, 0xFFFF, "Read_Paragraph_Style = -1"},
    {kKeyboard, 0, 0, "Key_Voice = Off"},
    {kKeyboard, 0, 5, "Key_Voice = On_with_Characters_Words_And_Numbers"},
    {kKeyboard, 0, 8, "Key_Voice = 8"},
    {kKeyboard, 36, 2, "Capitals = Pitch"},
    {kKeyboard, 36, 3, "Capitals = 3"},
    {kKeyboard, 38, 0, "Interruptability = All_Keys"},
    {kKeyboard, 38, 5, "Interruptability = 5"},
    {kKeyboard, 38, 0x8000, "Interruptability = -32768"},
};

TEST(ScreenKeyboardSections, NamesEndWithTheirTables) {
  for (const NameCase& c : kNameCases) {
    SCOPED_TRACE(c.line);
    SetFileBuilder b;
    b.SetWord(c.block, c.offset, c.value);
    std::string text = DecompileSectionText(
        c.block == kScreen ? WriteScreenSection : WriteKeyboardSection,
        b.Image());
    EXPECT_NE(text.find("\n" + std::string(c.line) + "\n"), std::string::npos)
        << text;
  }
}

}  // namespace
}  // namespace quorlith
