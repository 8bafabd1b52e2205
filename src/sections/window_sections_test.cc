#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gtest/gtest.h"
#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

using namespace std::string_view_literals;

constexpr BlockId kWindows = BlockId::kWindow;

// Block offsets of record fields, from the file format's record sizes:
// the active window word, 50 standard records of 192 bytes, then 26
// hyperactive records of 1942 bytes.
constexpr std::size_t Std(std::size_t window, std::size_t field) {
  return 2 + 192 * window + field;
}
constexpr std::size_t Hyper(char letter, std::size_t field) {
  return 9602 + 1942 * static_cast<std::size_t>(letter - 'A') + field;
}

// Command j's fields in a hyperactive record.
constexpr std::size_t CommandWord(std::size_t j) { return 154 + 2 * j; }
constexpr std::size_t HotKeyArgument(std::size_t j) { return 160 + 2 * j; }
constexpr std::size_t WindowArgument(std::size_t j) { return 166 + 2 * j; }
constexpr std::size_t StringArgument(std::size_t j) { return 172 + 66 * j; }
constexpr std::size_t NumberArgument(std::size_t j) { return 370 + 2 * j; }
constexpr std::size_t SetFileArgument(std::size_t j) { return 376 + 522 * j; }

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

// The file of the goldens: the active window, standard windows 3 and 12,
// and hyperactive windows A to D with every trigger kind and command. The
// comment of window 3 and the search string of window C fill their fields
// without a NUL.
SetFileBuilder GoldenFile() {
  SetFileBuilder b;
  Word(b, 0, 7);
  // Window 3: the edge and float words from 0, the colour bytes from 166
  // (0x55 in the two bytes no line reads), the status and the texts.
  const int kWindow3Words[] = {10, 1, 1, -5, 0, 14, 80, 2, 15, 25};
  for (std::size_t i = 0; i < std::size(kWindow3Words); ++i) {
    Word(b, Std(3, 2 * i), kWindow3Words[i]);
  }
  const int kWindow3Bytes[] = {1,  0,  255,  128, 0,   0x55, 2, 0,  1,
                               2,  3,  0x55, 255, 255, 1,    0, 10, 20,
                               30, 40, 50,   60,  1,   0,    2, 0};
  for (std::size_t i = 0; i < std::size(kWindow3Bytes); ++i) {
    Byte(b, Std(3, 166 + i), kWindow3Bytes[i]);
  }
  Word(b, Std(3, 112), 3);
  Text(b, Std(3, 114), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", false);
  Text(b, Std(3, 24), u"abc");
  Text(b, Std(3, 46), u"0123456789");
  Text(b, Std(3, 68), u"ABCDEFGHIJK", false);

  Word(b, Std(12, 112), 2);
  Text(b, Std(12, 114), u"Status line");
  Word(b, Std(12, 178), -2);
  Word(b, Std(12, 190), 3);
  Word(b, Std(12, 4), -1);
  Text(b, Std(12, 46), u"Top12");

  const int kEdgesOfA[] = {1, 1, 0, 2, 0, 0, 3, 0, 0, 4};
  for (std::size_t i = 0; i < std::size(kEdgesOfA); ++i) {
    Word(b, Hyper('A', 2 * i), kEdgesOfA[i]);
  }
  Word(b, Hyper('A', 24), 1);
  Text(b, Hyper('A', 26), u"Alarm");
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
  Text(b, Hyper('C', 82), u"0123456789abcdefghijklmnopqrstuvw", false);
  Byte(b, Hyper('C', 148), 65);  // read only for attribute triggers
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

TEST(WindowSections, DecompileStandardWindowGoldens) {
  std::string text = Decompile(GoldenFile());
  EXPECT_EQ(Between(text, "; Window", "Window#0_Status"),
            "; Window Characteristics\n"
            "Active_Standard_Window_ID = 7\n"
            ";\n" +
                std::string(kStandardComments));
  EXPECT_EQ(Between(text, "Window#3_Status", "Window#4_Status"),
            R"(Window#3_Status = Float
Window#3_Comment_Line = ABCDEFGHIJKLMNOPQRSTUVWXYZ
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
  for (const char* line :
       {"Window#12_Status = Speak", "Window#12_Comment_Line = Status line",
        "Window#12_Match_Any_Foreground_Color = Off",
        "Window#12_Chain_Read = -2", "Window#12_Bar_Track = 3",
        "Window#12_Float_Left_Position = -1",
        "Window#12_Float_Top_String = Top12"}) {
    std::string keyword(line, std::string_view(line).find(" = "));
    EXPECT_EQ(LineOf(text, keyword), line);
  }
}

TEST(WindowSections, DecompileHyperactiveGolden) {
  std::string text = Decompile(GoldenFile());
  EXPECT_EQ(Between(text, ";\n;\n; Hyperactive", "Window#B_Status"),
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
)");
  // B to D below their edges, which are all zero.
  EXPECT_EQ(Between(text, "Window#B_Interrupt", "Window#C_Status"),
            R"(Window#B_Interrupt = No
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
)");
  EXPECT_EQ(Between(text, "Window#C_Interrupt", "Window#D_Status"),
            R"(Window#C_Interrupt = No
Window#C_Trigger_On = Does_Not_Contain_String
Window#C_Search_For_String = 0123456789abcdefghijklmnopqrstuvw
Window#C_First_Command = Load_Disk_Set C:\sets\word.000
Window#C_Second_Command = Execute_Hot_Key Read_Active_Window
Window#C_Third_Command = Route_Mouse_To_Window -3
;
)");
  EXPECT_EQ(Between(text, "Window#D_Interrupt", "Window#E_Status"),
            R"(Window#D_Interrupt = No
Window#D_Trigger_On = Does_Not_Contain_Focus
Window#D_First_Command = Undefined
Window#D_Second_Command = Undefined
Window#D_Third_Command = Undefined
;
)");
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

// Renderings the goldens do not show, from one or two stored words. A
// row's text must appear whole, so a line that must be followed by another
// shows that nothing comes between them.
TEST(WindowSections, DecompileLines) {
  struct Case {
    const char* lines;
    std::size_t offset;
    int value;
    std::size_t offset2 = 0;  // none when 0
    int value2 = 0;
  };
  const Case kCases[] = {
      {"Window#5_Match_Any_Foreground_Color = Off\n", Std(5, 166), 257},
      {"Window#5_Offset_From_Top = True\n", Std(5, 8), -1},
      {"Window#5_Status = 4\n", Std(5, 112), 4},
      {"Window#5_Float_Right_Position = End_OF_Focus_Window\n", Std(5, 16), 10},
      {"Window#5_Bar_Track = Auto\n", Std(5, 190), 1},
      {"Window#K_Trigger_On = 9\nWindow#K_First_Command", Hyper('K', 80), 9},
      {"Window#G_First_Command = Speak_Window A\n", Hyper('G', CommandWord(0)),
       1, Hyper('G', WindowArgument(0)), 65},
      {"Window#G_Second_Command = Speak_Window Z\n", Hyper('G', CommandWord(1)),
       1, Hyper('G', WindowArgument(1)), 90},
      {"Window#G_Third_Command = Speak_Window 64\n", Hyper('G', CommandWord(2)),
       1, Hyper('G', WindowArgument(2)), 64},
      {"Window#G_First_Command = Speak_Window 91\n", Hyper('G', CommandWord(0)),
       1, Hyper('G', WindowArgument(0)), 91},
      {"Window#G_Third_Command = Execute_Hot_Key Any_Hot_Key\n",
       Hyper('G', CommandWord(2)), 6, Hyper('G', HotKeyArgument(2)), 284},
      {"Window#G_Second_Command = Execute_Hot_Key \n",
       Hyper('G', CommandWord(1)), 6, Hyper('G', HotKeyArgument(1)), 246},
      {"Window#G_Second_Command = Execute_Hot_Key 285\n",
       Hyper('G', CommandWord(1)), 6, Hyper('G', HotKeyArgument(1)), 285},
      {"Window#G_First_Command = 9\n", Hyper('G', CommandWord(0)), 9,
       Hyper('G', WindowArgument(0)), 66},
      {"Window#G_Second_Command = -1\n", Hyper('G', CommandWord(1)), -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.lines);
    SetFileBuilder b;
    Word(b, c.offset, c.value);
    if (c.offset2 != 0) Word(b, c.offset2, c.value2);
    EXPECT_NE(Decompile(b).find(std::string("\n") + c.lines),
              std::string::npos);
  }
}

// One change to the golden file at a time; the whole comparison report must
// hold exactly the section text of the row.
TEST(WindowSections, ComparisonAgainstTheGoldenFile) {
  const std::string kStandard(kStandardComments);
  const std::string kHyperactive(kHyperactiveComments);
  struct Case {
    const char* name;
    std::function<void(SetFileBuilder&)> change;
    std::string expected;
  };
  const Case kCases[] = {
      {"only the top float string of window 12",
       [](SetFileBuilder& b) { Text(b, Std(12, 46), u"Top13"); },
       kStandard + ";Window#12_Float_Characteristics\n"
                   "Window#12_Float_Top_String = Top13\n;\n;\n;\n"},
      {"only the active window", [](SetFileBuilder& b) { Word(b, 0, -3); },
       "; Window Characteristics\nActive_Standard_Window_ID = -3\n;\n"},
      {"only the interrupt of window D",
       [](SetFileBuilder& b) { Word(b, Hyper('D', 78), 1); },
       kHyperactive + "Window#D_Interrupt = Yes\n;\n"},
      {"status", [](SetFileBuilder& b) { Word(b, Std(20, 112), 1); },
       kStandard + "Window#20_Status = Silent\n;\n;\n"},
      {"offset flag 2 to 1", [](SetFileBuilder& b) { Word(b, Std(3, 14), 1); },
       kStandard + "Window#3_Offset_From_Right = True\n;\n;\n"},
      {"match any 2 to 3", [](SetFileBuilder& b) { Word(b, Std(3, 172), 3); },
       kStandard + "Window#3_Match_Any_Background_Color = Off\n;\n;\n"},
      {"colour byte", [](SetFileBuilder& b) { Byte(b, Std(3, 182), 0); },
       kStandard + "Window#3_Red_Lightbar_Foreground = 0\n;\n;\n"},
      {"float position", [](SetFileBuilder& b) { Word(b, Std(20, 4), 3); },
       kStandard +
           ";Window#20_Float_Characteristics\n"
           "Window#20_Float_Left_Position = Cursor_Plus_Constant\n;\n;\n;\n"},
      {"search lines follow the printed trigger",
       [](SetFileBuilder& b) {
         Word(b, Hyper('C', 80), 2);
         Byte(b, Hyper('C', 149), 77);
         Text(b, Hyper('C', 82), u"changed");
         Word(b, Hyper('B', 80), 3);
         Byte(b, Hyper('B', 150), 77);
         Text(b, Hyper('B', 82), u"changed");
       },
       kHyperactive + "Window#B_Trigger_On = Contains_String\n"
                      "Window#B_Search_For_String = changed\n;\n"
                      "Window#C_Trigger_On = Does_Not_Contain_Attribute\n"
                      "Window#C_Search_Attribute_Green_Foreground = 77\n;\n"},
      {"a command row alone",
       [](SetFileBuilder& b) { Word(b, Hyper('A', CommandWord(2)), 3); },
       kHyperactive + "Window#A_Third_Command = Speak_Light_Bar\n;\n"},
      {"a number a beep does not use",
       [](SetFileBuilder& b) { Word(b, Hyper('A', NumberArgument(2)), 9); },
       kHyperactive + "Window#A_Third_Command = Beep\n;\n"},
      {"a set file a beep does not use",
       [](SetFileBuilder& b) { Text(b, Hyper('A', SetFileArgument(2)), u"x"); },
       kHyperactive + "Window#A_Third_Command = Beep\n;\n"},
      {"identical window blocks, bytes no line reads, text after a NUL",
       [](SetFileBuilder& b) {
         Byte(b, Std(3, 171), 0x66);
         Byte(b, Std(30, 177), 1);
         Word(b, Hyper('E', 4), 1);
         Word(b, Hyper('E', 22), 1);
         Text(b, Std(12, 46), u"Top12\0ab"sv);
         Word(b, 9602 + 26 * 1942, 0x1234);  // the block's unread tail
       },
       ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder printed = GoldenFile();
    c.change(printed);
    EXPECT_EQ(ComparisonBody(GoldenFile().Image(), printed.Image()),
              c.expected.empty() ? std::string(kNoDifferences) : c.expected);
  }
}

}  // namespace
}  // namespace quorlith
