#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gtest/gtest.h"
#include "report/report_testing.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

using namespace std::string_view_literals;

constexpr BlockId kWindows = BlockId::kWindow;

// Block offsets of record fields, from the file format's record sizes:
// the active window word, 50 standard records of 192 bytes, then 26
// hyperactive records of 1942 bytes.
std::size_t Std(std::size_t window, std::size_t field) {
  return 2 + 192 * window + field;
}
std::size_t Hyper(char letter, std::size_t field) {
  return 9602 + 1942 * static_cast<std::size_t>(letter - 'A') + field;
}

void Word(SetFileBuilder& b, std::size_t offset, int value) {
  b.SetWord(kWindows, offset, static_cast<std::uint16_t>(value));
}
void Byte(SetFileBuilder& b, std::size_t offset, int value) {
  b.SetByte(kWindows, offset, static_cast<std::uint8_t>(value));
}
void Text(SetFileBuilder& b, std::size_t offset, std::u16string_view text,
          bool terminate = true) {
  b.SetText(kWindows, offset, text, terminate);
}

// Command j's fields in a hyperactive record.
std::size_t CommandWord(std::size_t j) { return 154 + 2 * j; }
std::size_t HotKeyArgument(std::size_t j) { return 160 + 2 * j; }
std::size_t WindowArgument(std::size_t j) { return 166 + 2 * j; }
std::size_t StringArgument(std::size_t j) { return 172 + 66 * j; }
std::size_t NumberArgument(std::size_t j) { return 370 + 2 * j; }
std::size_t SetFileArgument(std::size_t j) { return 376 + 522 * j; }

// The file of the goldens: the active window, standard windows 3 and 12,
// and hyperactive windows A to D with every trigger kind and command.
SetFileBuilder GoldenFile() {
  SetFileBuilder b;
  Word(b, 0, 7);

  Word(b, Std(3, 112), 3);
  Text(b, Std(3, 114), u"Top bar");
  Word(b, Std(3, 0), 10);
  Word(b, Std(3, 2), 1);
  Word(b, Std(3, 6), -5);
  Word(b, Std(3, 12), 80);
  Word(b, Std(3, 14), 2);
  Word(b, Std(3, 18), 25);
  Word(b, Std(3, 4), 1);
  Word(b, Std(3, 10), 14);
  Word(b, Std(3, 16), 15);
  Text(b, Std(3, 24), u"abc");
  Text(b, Std(3, 46), u"0123456789");
  Text(b, Std(3, 68), u"ABCDEFGHIJK", false);
  Word(b, Std(3, 166), 1);
  Byte(b, Std(3, 168), 255);
  Byte(b, Std(3, 169), 128);
  Byte(b, Std(3, 171), 0x55);
  Word(b, Std(3, 172), 2);
  Byte(b, Std(3, 174), 1);
  Byte(b, Std(3, 175), 2);
  Byte(b, Std(3, 176), 3);
  Byte(b, Std(3, 177), 0x55);
  Word(b, Std(3, 178), -1);
  Word(b, Std(3, 180), 1);
  for (int i = 0; i < 6; ++i) Byte(b, Std(3, 182 + i), 10 * (i + 1));
  Word(b, Std(3, 188), 1);
  Word(b, Std(3, 190), 2);

  Word(b, Std(12, 112), 2);
  Text(b, Std(12, 114), u"Status line");
  Word(b, Std(12, 178), -2);
  Word(b, Std(12, 190), 3);
  Word(b, Std(12, 4), -1);
  Text(b, Std(12, 46), u"Top12");

  Word(b, Hyper('A', 24), 1);
  Text(b, Hyper('A', 26), u"Alarm");
  Word(b, Hyper('A', 0), 1);
  Word(b, Hyper('A', 2), 1);
  Word(b, Hyper('A', 6), 2);
  Word(b, Hyper('A', 12), 3);
  Word(b, Hyper('A', 18), 4);
  Word(b, Hyper('A', 78), 1);
  Byte(b, Hyper('A', 148), 9);
  Text(b, Hyper('A', 82), u"unused");
  Word(b, Hyper('A', CommandWord(0)), 1);
  Word(b, Hyper('A', WindowArgument(0)), 66);
  Word(b, Hyper('A', CommandWord(1)), 1);
  Word(b, Hyper('A', WindowArgument(1)), 7);
  Word(b, Hyper('A', CommandWord(2)), 7);

  Word(b, Hyper('B', 24), 1);
  Word(b, Hyper('B', 80), 1);
  for (int i = 0; i < 6; ++i) Byte(b, Hyper('B', 148 + i), 250 + i);
  Text(b, Hyper('B', 82), u"unused");
  Word(b, Hyper('B', CommandWord(0)), 2);
  Text(b, Hyper('B', StringArgument(0)), u"Hello there");
  Word(b, Hyper('B', CommandWord(1)), 3);
  Word(b, Hyper('B', CommandWord(2)), 4);
  Word(b, Hyper('B', NumberArgument(2)), 12);

  Word(b, Hyper('C', 80), 4);
  Text(b, Hyper('C', 82), u"Save?");
  Byte(b, Hyper('C', 153), 9);
  Word(b, Hyper('C', CommandWord(0)), 5);
  Text(b, Hyper('C', SetFileArgument(0)), u"C:\\sets\\word.000");
  Word(b, Hyper('C', CommandWord(1)), 6);
  Word(b, Hyper('C', HotKeyArgument(1)), 127);
  Word(b, Hyper('C', CommandWord(2)), 8);
  Word(b, Hyper('C', NumberArgument(2)), -3);

  Word(b, Hyper('D', 80), 8);
  return b;
}

std::string Decompile(const SetFileBuilder& b) {
  return DecompileSectionText(WriteWindowSections, b.Image());
}

std::string Compare(const SetFileBuilder& original,
                    const SetFileBuilder& printed) {
  return CompareSectionText(WriteWindowSections, original.Image(),
                            printed.Image());
}

// The text from `from` up to, not including, `to`.
std::string Between(const std::string& text, std::string_view from,
                    std::string_view to) {
  std::size_t start = text.find(from);
  if (start == std::string::npos) return "<no start>";
  std::size_t end = text.find(to, start);
  if (end == std::string::npos) return "<no end>";
  return text.substr(start, end - start);
}

// The first line that starts with `keyword` and " = ", without its "\n".
std::string LineOf(const std::string& text, const std::string& keyword) {
  std::string lead = "\n" + keyword + " = ";
  std::size_t start = text.find(lead);
  if (start == std::string::npos) return "<missing " + keyword + ">";
  ++start;
  return text.substr(start, text.find('\n', start) - start);
}

constexpr std::string_view kStandardComments =
    "; Standard Windows Characteristics\n"
    "; To globally set or search a standard window with tessaval the syntax "
    "is\n"
    "; window#*s_command = value\n"
    "; To set or search a range of standard windows with tessaval the syntax "
    "is\n"
    "; window#xx-xx_command = value\n"
    "; xx-xx stands for a range of numbers between 0 and 49\n";

constexpr std::string_view kHyperactiveComments =
    "; Hyperactive Window Characteristics\n"
    "; To globally set or search a hyperactive window with tessaval the "
    "syntax is\n"
    "; window#*h_command = value\n"
    "; To set or search a range of hyperactive windows with tessaval the "
    "syntax is\n"
    "; window#x-x_command = value\n"
    "; x-x stands for a range of letters between a and z\n";

TEST(WindowSections, DecompileStartsWithActiveWindowAndComments) {
  std::string text = Decompile(GoldenFile());
  std::string head =
      "; Window Characteristics\n"
      "Active_Standard_Window_ID = 7\n"
      ";\n" +
      std::string(kStandardComments) + "Window#0_Status = ";
  EXPECT_EQ(text.substr(0, head.size()), head);
}

TEST(WindowSections, DecompileStandardWindowGoldens) {
  std::string text = Decompile(GoldenFile());
  EXPECT_EQ(Between(text, "Window#3_Status", "Window#4_Status"),
            R"(Window#3_Status = Float
Window#3_Comment_Line = Top bar
Window#3_Left = 10
Window#3_Offset_From_Left = True
Window#3_Top = -5
Window#3_Offset_From_Top = False
Window#3_Right = 80
Window#3_Offset_From_Right = True
Window#3_Bottom = 25
Window#3_Offset_From_Bottom = False
Window#3_Red_Foreground = 255
Window#3_Green_Foreground = 128
Window#3_Blue_Foreground = 0
Window#3_Match_Any_Foreground_Color = On
Window#3_Red_Background = 1
Window#3_Green_Background = 2
Window#3_Blue_Background = 3
Window#3_Match_Any_Background_Color = Off
Window#3_Chain_Read = None
Window#3_Speak_And_Spell = True
Window#3_Red_Lightbar_Foreground = 10
Window#3_Green_Lightbar_Foreground = 20
Window#3_Blue_Lightbar_Foreground = 30
Window#3_Red_Lightbar_Background = 40
Window#3_Green_LightBar_Background = 50
Window#3_Blue_Lightbar_Background = 60
Window#3_Auto_Determine_Light_Bar_Color = On
Window#3_Bar_Track = On
;Window#3_Float_Characteristics
Window#3_Float_Left_Position = Beginning_Of_Light_Bar
Window#3_Float_Left_String = abc
Window#3_Float_Top_Position = End_Of_Focus_Window_Minus_Constant
Window#3_Float_Top_String = 0123456789
Window#3_Float_Right_Position = 15
Window#3_Float_Right_String = ABCDEFGHIJK
Window#3_Float_Bottom_Position = Constant
Window#3_Float_Bottom_String = 
;
)");
  EXPECT_EQ(Between(text, "Window#12_Status", "Window#13_Status"),
            R"(Window#12_Status = Speak
Window#12_Comment_Line = Status line
Window#12_Left = 0
Window#12_Offset_From_Left = False
Window#12_Top = 0
Window#12_Offset_From_Top = False
Window#12_Right = 0
Window#12_Offset_From_Right = False
Window#12_Bottom = 0
Window#12_Offset_From_Bottom = False
Window#12_Red_Foreground = 0
Window#12_Green_Foreground = 0
Window#12_Blue_Foreground = 0
Window#12_Match_Any_Foreground_Color = Off
Window#12_Red_Background = 0
Window#12_Green_Background = 0
Window#12_Blue_Background = 0
Window#12_Match_Any_Background_Color = Off
Window#12_Chain_Read = -2
Window#12_Speak_And_Spell = False
Window#12_Red_Lightbar_Foreground = 0
Window#12_Green_Lightbar_Foreground = 0
Window#12_Blue_Lightbar_Foreground = 0
Window#12_Red_Lightbar_Background = 0
Window#12_Green_LightBar_Background = 0
Window#12_Blue_Lightbar_Background = 0
Window#12_Auto_Determine_Light_Bar_Color = Off
Window#12_Bar_Track = 3
;Window#12_Float_Characteristics
Window#12_Float_Left_Position = -1
Window#12_Float_Left_String = 
Window#12_Float_Top_Position = Constant
Window#12_Float_Top_String = Top12
Window#12_Float_Right_Position = Constant
Window#12_Float_Right_String = 
Window#12_Float_Bottom_Position = Constant
Window#12_Float_Bottom_String = 
;
)");
}

TEST(WindowSections, DecompileHyperactiveGolden) {
  std::string text = Decompile(GoldenFile());
  EXPECT_EQ(Between(text, ";\n;\n; Hyperactive", "Window#E_Status"),
            ";\n;\n" + std::string(kHyperactiveComments) +
                R"(Window#A_Status = Hyperactive
Window#A_Comment_Line = Alarm
Window#A_Left = 1
Window#A_Offset_From_Left = True
Window#A_Top = 2
Window#A_Offset_From_Top = False
Window#A_Right = 3
Window#A_Offset_From_Right = False
Window#A_Bottom = 4
Window#A_Offset_From_Bottom = False
Window#A_Interrupt = Yes
Window#A_Trigger_On = Any_Change
Window#A_First_Command = Speak_Window B
Window#A_Second_Command = Speak_Window 7
Window#A_Third_Command = Beep
;
Window#B_Status = Hyperactive
Window#B_Comment_Line = 
Window#B_Left = 0
Window#B_Offset_From_Left = False
Window#B_Top = 0
Window#B_Offset_From_Top = False
Window#B_Right = 0
Window#B_Offset_From_Right = False
Window#B_Bottom = 0
Window#B_Offset_From_Bottom = False
Window#B_Interrupt = No
Window#B_Trigger_On = Contains_Attribute
Window#B_Search_Attribute_Red_Foreground = 250
Window#B_Search_Attribute_Green_Foreground = 251
Window#B_Search_Attribute_Blue_Foreground = 252
Window#B_Search_Attribute_Red_Background = 253
Window#B_Search_Attribute_Green_Background = 254
Window#B_Search_Attribute_Blue_Background = 255
Window#B_First_Command = Speak_String Hello there
Window#B_Second_Command = Speak_Light_Bar
Window#B_Third_Command = Activate_Window 12
;
Window#C_Status = Off
Window#C_Comment_Line = 
Window#C_Left = 0
Window#C_Offset_From_Left = False
Window#C_Top = 0
Window#C_Offset_From_Top = False
Window#C_Right = 0
Window#C_Offset_From_Right = False
Window#C_Bottom = 0
Window#C_Offset_From_Bottom = False
Window#C_Interrupt = No
Window#C_Trigger_On = Does_Not_Contain_String
Window#C_Search_For_String = Save?
Window#C_First_Command = Load_Disk_Set C:\sets\word.000
Window#C_Second_Command = Execute_Hot_Key Read_Active_Window
Window#C_Third_Command = Route_Mouse_To_Window -3
;
Window#D_Status = Off
Window#D_Comment_Line = 
Window#D_Left = 0
Window#D_Offset_From_Left = False
Window#D_Top = 0
Window#D_Offset_From_Top = False
Window#D_Right = 0
Window#D_Offset_From_Right = False
Window#D_Bottom = 0
Window#D_Offset_From_Bottom = False
Window#D_Interrupt = No
Window#D_Trigger_On = Does_Not_Contain_Focus
Window#D_First_Command = Undefined
Window#D_Second_Command = Undefined
Window#D_Third_Command = Undefined
;
)");
  std::string tail = "Window#Z_Third_Command = Undefined\n;\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

// Splits readable text into lines.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(WindowSections, WholeReportHasEveryStandardWindowLine) {
  std::vector<std::string> lines =
      Lines(DecompileReportText(GoldenFile().Image()));
  auto first = std::find(lines.begin(), lines.end(),
                         "; xx-xx stands for a range of numbers between 0 and "
                         "49");
  auto last = std::find(lines.begin(), lines.end(),
                        "; Hyperactive Window Characteristics");
  ASSERT_NE(first, lines.end());
  ASSERT_NE(last, lines.end());
  std::vector<std::string> windows(first + 1, last - 2);
  ASSERT_EQ(windows.size(), 50u * 38u);
  EXPECT_EQ(*(last - 2), ";");
  EXPECT_EQ(*(last - 1), ";");
  for (std::size_t w = 0; w < 50; ++w) {
    SCOPED_TRACE(w);
    std::string prefix = "Window#" + std::to_string(w) + "_";
    auto at = windows.begin() + static_cast<std::ptrdiff_t>(38 * w);
    EXPECT_EQ(at[0], prefix + "Status = " +
                         (w == 3    ? "Float"
                          : w == 12 ? "Speak"
                                    : "Neutral"));
    for (std::size_t i = 0; i < 37; ++i) {
      if (i == 28) {
        EXPECT_EQ(at[i], ";" + prefix + "Float_Characteristics");
      } else {
        EXPECT_EQ(at[i].rfind(prefix, 0), 0u) << at[i];
      }
    }
    EXPECT_EQ(at[37], ";");
  }
  EXPECT_EQ(lines.back(), ";***END OF FILE***");
  EXPECT_EQ(lines[lines.size() - 2], ";");
  EXPECT_EQ(lines[lines.size() - 3], "Window#Z_Third_Command = Undefined");
}

struct StandardValueCase {
  const char* name;
  std::size_t field;
  int value;
  bool byte;
  std::string expected;
};

TEST(WindowSections, StandardValuesLeftOpenOrSpecial) {
  const StandardValueCase kCases[] = {
      {"chain none", 178, -1, false, "Window#5_Chain_Read = None"},
      {"chain -2", 178, -2, false, "Window#5_Chain_Read = -2"},
      {"chain 0", 178, 0, false, "Window#5_Chain_Read = 0"},
      {"chain 49", 178, 49, false, "Window#5_Chain_Read = 49"},
      {"match fg 1", 166, 1, false, "Window#5_Match_Any_Foreground_Color = On"},
      {"match fg 2", 166, 2, false,
       "Window#5_Match_Any_Foreground_Color = Off"},
      {"match fg 257", 166, 257, false,
       "Window#5_Match_Any_Foreground_Color = Off"},
      {"match bg 1", 172, 1, false, "Window#5_Match_Any_Background_Color = On"},
      {"match bg -1", 172, -1, false,
       "Window#5_Match_Any_Background_Color = Off"},
      {"auto 1", 188, 1, false, "Window#5_Auto_Determine_Light_Bar_Color = On"},
      {"auto 2", 188, 2, false,
       "Window#5_Auto_Determine_Light_Bar_Color = Off"},
      {"offset flag 2", 20, 2, false, "Window#5_Offset_From_Bottom = True"},
      {"offset flag -1", 8, -1, false, "Window#5_Offset_From_Top = True"},
      {"speak and spell", 180, 3, false, "Window#5_Speak_And_Spell = True"},
      {"edge -32768", 12, -32768, false, "Window#5_Right = -32768"},
      {"colour 255", 170, 255, true, "Window#5_Blue_Foreground = 255"},
      {"bar colour 200", 186, 200, true,
       "Window#5_Green_LightBar_Background = 200"},
      {"status 3", 112, 3, false, "Window#5_Status = Float"},
      {"status 4", 112, 4, false, "Window#5_Status = 4"},
      {"status -1", 112, -1, false, "Window#5_Status = -1"},
      {"float 14", 22, 14, false,
       "Window#5_Float_Bottom_Position = End_Of_Focus_Window_Minus_Constant"},
      {"float 10", 16, 10, false,
       "Window#5_Float_Right_Position = End_OF_Focus_Window"},
      {"float 15", 16, 15, false, "Window#5_Float_Right_Position = 15"},
      {"bar track 1", 190, 1, false, "Window#5_Bar_Track = Auto"},
      {"bar track 3", 190, 3, false, "Window#5_Bar_Track = 3"},
      {"bar track -1", 190, -1, false, "Window#5_Bar_Track = -1"},
  };
  for (const StandardValueCase& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder b;
    if (c.byte) {
      Byte(b, Std(5, c.field), c.value);
    } else {
      Word(b, Std(5, c.field), c.value);
    }
    std::string keyword = c.expected.substr(0, c.expected.find(" = "));
    EXPECT_EQ(LineOf(Decompile(b), keyword), c.expected);
  }
}

TEST(WindowSections, TextFieldsEndAtNulOrFieldEnd) {
  SetFileBuilder b;
  Text(b, Std(49, 114), u"abcdefghijklmnopqrstuvwxy");  // 25 units and NUL
  Text(b, Std(49, 90), u"0123456789A", false);          // no NUL
  Word(b, Std(49, 112), 1);  // the next field, after the string
  Text(b, Hyper('Z', 82), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", false);
  Word(b, Hyper('Z', 80), 3);
  std::string text = Decompile(b);
  EXPECT_EQ(LineOf(text, "Window#49_Comment_Line"),
            "Window#49_Comment_Line = abcdefghijklmnopqrstuvwxy");
  EXPECT_EQ(LineOf(text, "Window#49_Float_Bottom_String"),
            "Window#49_Float_Bottom_String = 0123456789A");
  EXPECT_EQ(LineOf(text, "Window#Z_Search_For_String"),
            "Window#Z_Search_For_String = ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456");
}

struct TriggerCase {
  int trigger;
  bool colours;
  bool string;
};

TEST(WindowSections, TriggerSelectsSearchLines) {
  const TriggerCase kCases[] = {
      {0, false, false}, {1, true, false},   {2, true, false},
      {3, false, true},  {4, false, true},   {5, false, false},
      {6, false, false}, {7, false, false},  {8, false, false},
      {9, false, false}, {-1, false, false}, {257, false, false},
  };
  for (const TriggerCase& c : kCases) {
    SCOPED_TRACE(c.trigger);
    SetFileBuilder b;
    Word(b, Hyper('K', 80), c.trigger);
    std::string text = Decompile(b);
    std::string window = Between(text, "Window#K_Status", "Window#L_Status");
    EXPECT_EQ(window.find("Window#K_Search_Attribute_Red_Foreground = 0\n") !=
                  std::string::npos,
              c.colours);
    EXPECT_EQ(window.find("Window#K_Search_Attribute_Blue_Background = 0\n") !=
                  std::string::npos,
              c.colours);
    EXPECT_EQ(
        window.find("Window#K_Search_For_String = \n") != std::string::npos,
        c.string);
    std::size_t lines = static_cast<std::size_t>(
        std::count(window.begin(), window.end(), '\n'));
    EXPECT_EQ(lines, 12u + (c.colours ? 6u : 0u) + (c.string ? 1u : 0u) + 4u);
  }
}

struct CommandCase {
  const char* name;
  std::size_t slot;
  int command;
  std::size_t argument_field;  // 0: none set
  int word;
  std::u16string_view text;
  std::string expected;
};

TEST(WindowSections, CommandArgumentsByRow) {
  const CommandCase kCases[] = {
      {"window 65", 0, 1, WindowArgument(0), 65, u"",
       "Window#G_First_Command = Speak_Window A"},
      {"window 90", 1, 1, WindowArgument(1), 90, u"",
       "Window#G_Second_Command = Speak_Window Z"},
      {"window 64", 2, 1, WindowArgument(2), 64, u"",
       "Window#G_Third_Command = Speak_Window 64"},
      {"window 91", 0, 1, WindowArgument(0), 91, u"",
       "Window#G_First_Command = Speak_Window 91"},
      {"window -1", 0, 1, WindowArgument(0), -1, u"",
       "Window#G_First_Command = Speak_Window -1"},
      {"string", 2, 2, StringArgument(2), 0, u"third string",
       "Window#G_Third_Command = Speak_String third string"},
      {"empty string", 1, 2, 0, 0, u"",
       "Window#G_Second_Command = Speak_String "},
      {"activate", 1, 4, NumberArgument(1), -7, u"",
       "Window#G_Second_Command = Activate_Window -7"},
      {"route", 2, 8, NumberArgument(2), 32767, u"",
       "Window#G_Third_Command = Route_Mouse_To_Window 32767"},
      {"set file", 2, 5, SetFileArgument(2), 0, u"D:\\x\\third.001",
       "Window#G_Third_Command = Load_Disk_Set D:\\x\\third.001"},
      {"hot key 0", 0, 6, 0, 0, u"",
       "Window#G_First_Command = Execute_Hot_Key Prior_Character"},
      {"hot key 284", 2, 6, HotKeyArgument(2), 284, u"",
       "Window#G_Third_Command = Execute_Hot_Key Any_Hot_Key"},
      {"hot key 246", 1, 6, HotKeyArgument(1), 246, u"",
       "Window#G_Second_Command = Execute_Hot_Key "},
      {"hot key 285", 1, 6, HotKeyArgument(1), 285, u"",
       "Window#G_Second_Command = Execute_Hot_Key 285"},
      {"hot key -1", 0, 6, HotKeyArgument(0), -1, u"",
       "Window#G_First_Command = Execute_Hot_Key -1"},
      {"light bar", 1, 3, WindowArgument(1), 66, u"",
       "Window#G_Second_Command = Speak_Light_Bar"},
      {"beep", 2, 7, NumberArgument(2), 5, u"",
       "Window#G_Third_Command = Beep"},
      {"undefined", 0, 0, HotKeyArgument(0), 5, u"",
       "Window#G_First_Command = Undefined"},
      {"row 9", 0, 9, WindowArgument(0), 66, u"", "Window#G_First_Command = 9"},
      {"row -1", 1, -1, NumberArgument(1), 3, u"",
       "Window#G_Second_Command = -1"},
  };
  for (const CommandCase& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder b;
    Word(b, Hyper('G', CommandWord(c.slot)), c.command);
    if (c.argument_field != 0 && c.text.empty()) {
      Word(b, Hyper('G', c.argument_field), c.word);
    } else if (c.argument_field != 0) {
      Text(b, Hyper('G', c.argument_field), c.text);
    }
    std::string keyword = c.expected.substr(0, c.expected.find(" = "));
    EXPECT_EQ(LineOf(Decompile(b), keyword), c.expected);
  }
}

TEST(WindowSections, CompareOnlyTopFloatStringOfWindow12) {
  SetFileBuilder original = GoldenFile();
  SetFileBuilder printed = GoldenFile();
  Text(printed, Std(12, 46), u"Top13");
  EXPECT_EQ(Compare(original, printed),
            std::string(kStandardComments) +
                ";Window#12_Float_Characteristics\n"
                "Window#12_Float_Top_String = Top13\n"
                ";\n"
                ";\n"
                ";\n");
}

TEST(WindowSections, CompareOnlyActiveWindow) {
  SetFileBuilder original = GoldenFile();
  SetFileBuilder printed = GoldenFile();
  Word(printed, 0, -3);
  std::string expected =
      "; Window Characteristics\n"
      "Active_Standard_Window_ID = -3\n"
      ";\n";
  EXPECT_EQ(Compare(original, printed), expected);
  // No ";" of the report writer follows, and nothing else differs.
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()), expected);
}

TEST(WindowSections, CompareOnlyInterruptOfWindowD) {
  SetFileBuilder original = GoldenFile();
  SetFileBuilder printed = GoldenFile();
  Word(printed, Hyper('D', 78), 1);
  EXPECT_EQ(Compare(original, printed), std::string(kHyperactiveComments) +
                                            "Window#D_Interrupt = Yes\n"
                                            ";\n");
}

TEST(WindowSections, CompareIdenticalBlocksLeavesNothing) {
  SetFileBuilder original = GoldenFile();
  SetFileBuilder printed = GoldenFile();
  // Bytes no line reads, and text after a NUL, are not compared.
  Byte(printed, Std(3, 171), 0x66);
  Byte(printed, Std(30, 177), 1);
  Word(printed, Hyper('E', 4), 1);
  Word(printed, Hyper('E', 22), 1);
  Text(original, Std(12, 46), u"Top12\0xy"sv);
  Text(printed, Std(12, 46), u"Top12\0ab"sv);
  Word(printed, 9602 + 26 * 1942, 0x1234);  // the block's unread tail
  EXPECT_EQ(Compare(original, printed), "");
  EXPECT_EQ(ComparisonBody(original.Image(), printed.Image()),
            ";There are no differences between the two set files.\n");
}

struct StandardDiffCase {
  const char* name;
  std::size_t field;
  int original;
  int printed;
  bool byte;
  std::string expected;  // the lines window 20 keeps
};

TEST(WindowSections, CompareEachStandardFieldAlone) {
  const std::string kFloat = ";Window#20_Float_Characteristics\n";
  const StandardDiffCase kCases[] = {
      {"status", 112, 0, 1, false, "Window#20_Status = Silent\n"},
      {"left", 0, 0, 4, false, "Window#20_Left = 4\n"},
      {"flags 1 and 2", 14, 1, 2, false,
       "Window#20_Offset_From_Right = True\n"},
      {"green", 169, 0, 7, true, "Window#20_Green_Foreground = 7\n"},
      {"match any 1 and 2", 172, 1, 2, false,
       "Window#20_Match_Any_Background_Color = Off\n"},
      {"match any 2 and 3", 166, 2, 3, false,
       "Window#20_Match_Any_Foreground_Color = Off\n"},
      {"chain", 178, 0, -1, false, "Window#20_Chain_Read = None\n"},
      {"bar blue", 187, 0, 9, true, "Window#20_Blue_Lightbar_Background = 9\n"},
      {"bar red", 182, 1, 0, true, "Window#20_Red_Lightbar_Foreground = 0\n"},
      {"bar track", 190, 0, 2, false, "Window#20_Bar_Track = On\n"},
      {"float left", 4, 0, 3, false,
       kFloat + "Window#20_Float_Left_Position = Cursor_Plus_Constant\n;\n"},
      {"float bottom", 22, 0, 1, false,
       kFloat +
           "Window#20_Float_Bottom_Position = Beginning_Of_Light_Bar\n;\n"},
  };
  for (const StandardDiffCase& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original;
    SetFileBuilder printed;
    if (c.byte) {
      Byte(original, Std(20, c.field), c.original);
      Byte(printed, Std(20, c.field), c.printed);
    } else {
      Word(original, Std(20, c.field), c.original);
      Word(printed, Std(20, c.field), c.printed);
    }
    EXPECT_EQ(Compare(original, printed),
              std::string(kStandardComments) + c.expected + ";\n;\n");
  }
}

TEST(WindowSections, CompareTriggerComesFromPrintedImage) {
  SetFileBuilder original;
  SetFileBuilder printed;
  Byte(printed, Hyper('M', 150), 77);
  Text(printed, Hyper('M', 82), u"found");
  Word(original, Hyper('M', 80), 3);
  Word(printed, Hyper('M', 80), 2);
  EXPECT_EQ(Compare(original, printed),
            std::string(kHyperactiveComments) +
                "Window#M_Trigger_On = Does_Not_Contain_Attribute\n"
                "Window#M_Search_Attribute_Blue_Foreground = 77\n"
                ";\n");
  EXPECT_EQ(Compare(printed, original),
            std::string(kHyperactiveComments) +
                "Window#M_Trigger_On = Contains_String\n"
                "Window#M_Search_For_String = \n"
                ";\n");
}

struct CommandDiffCase {
  const char* name;
  std::size_t field;
  bool text;
};

TEST(WindowSections, CompareCommandOnRowAndEveryArgument) {
  // The second command is a beep in both files; each row changes one field
  // that belongs to it, and a beep uses none of its arguments.
  const CommandDiffCase kCases[] = {
      {"row", CommandWord(1), false},
      {"hot key", HotKeyArgument(1), false},
      {"window", WindowArgument(1), false},
      {"string", StringArgument(1), true},
      {"number", NumberArgument(1), false},
      {"set file", SetFileArgument(1), true},
  };
  for (const CommandDiffCase& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original;
    for (std::size_t j = 0; j < 3; ++j) {
      Word(original, Hyper('F', CommandWord(j)), 7);
      Word(original, Hyper('F', HotKeyArgument(j)), 10);
      Word(original, Hyper('F', WindowArgument(j)), 11);
      Text(original, Hyper('F', StringArgument(j)), u"same");
      Word(original, Hyper('F', NumberArgument(j)), 12);
      Text(original, Hyper('F', SetFileArgument(j)), u"same.000");
    }
    SetFileBuilder printed = original;
    if (c.text) {
      Text(printed, Hyper('F', c.field), u"other");
    } else {
      Word(printed, Hyper('F', c.field), c.field == CommandWord(1) ? 3 : 99);
    }
    std::string expected = c.field == CommandWord(1)
                               ? "Window#F_Second_Command = Speak_Light_Bar\n"
                               : "Window#F_Second_Command = Beep\n";
    EXPECT_EQ(Compare(original, printed),
              std::string(kHyperactiveComments) + expected + ";\n");
  }
}

TEST(WindowSections, CompareLastHyperactiveWindowAndBothSections) {
  SetFileBuilder original;
  SetFileBuilder printed;
  Word(printed, Hyper('Z', 24), 1);
  Text(printed, Std(9, 24), u"L");
  EXPECT_EQ(Compare(original, printed),
            std::string(kStandardComments) +
                ";Window#9_Float_Characteristics\n"
                "Window#9_Float_Left_String = L\n"
                ";\n;\n;\n" +
                std::string(kHyperactiveComments) +
                "Window#Z_Status = Hyperactive\n;\n");
}

}  // namespace
}  // namespace quorlith
