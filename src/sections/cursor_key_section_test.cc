#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "report/report_testing.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kBlock = BlockId::kCursorKey;
constexpr std::size_t kRecordSize = 1066;

// Field offsets inside a record.
constexpr std::size_t kFirstCommand = 0;
constexpr std::size_t kSecondCommand = 2;
constexpr std::size_t kFirstNumber = 4;
constexpr std::size_t kFirstHotKey = 6;
constexpr std::size_t kFirstSetFile = 8;
constexpr std::size_t kSecondNumber = 530;
constexpr std::size_t kSecondHotKey = 532;
constexpr std::size_t kSecondSetFile = 534;
constexpr std::size_t kControl = 1056;
constexpr std::size_t kAlt = 1058;
constexpr std::size_t kShift = 1060;
constexpr std::size_t kKeyCode = 1062;
constexpr std::size_t kDelay = 1064;

constexpr std::uint16_t kHome = 0xF406;
constexpr std::uint16_t kSpeakWindow = 22;
constexpr std::uint16_t kLoadSet = 26;
constexpr std::uint16_t kExecuteHotKey = 28;
constexpr std::uint16_t kOfficeAttributeStatus = 30;

constexpr char kHeader[] =
    "; Menu 5 - Cursor Key Settings\n"
    "; to globally update a cursoring key the syntax is\n"
    "; cursor_key = key_name command_1 [command_2]\n";

// Record k describes key k + 1.
struct Record {
  SetFileBuilder& b;
  std::size_t k;

  Record& Word(std::size_t offset, std::uint16_t value) {
    b.SetWord(kBlock, k * kRecordSize + offset, value);
    return *this;
  }
  Record& Text(std::size_t offset, std::u16string_view text) {
    b.SetText(kBlock, k * kRecordSize + offset, text);
    return *this;
  }
};

std::string Decompile(const SetFileBuilder& b) {
  return DecompileSectionText(WriteCursorKeySection, b.Image());
}

std::string Compare(const SetFileBuilder& original,
                    const SetFileBuilder& printed) {
  return CompareSectionText(WriteCursorKeySection, original.Image(),
                            printed.Image());
}

// The section a comparison writes when the printed image has `lines` for
// what it changed, or nothing when `lines` is empty.
std::string Section(const std::string& lines) {
  return lines.empty() ? std::string() : kHeader + lines;
}

TEST(CursorKeySection, WorkedExample) {
  SetFileBuilder b;
  Record{b, 4}
      .Word(kControl, 1)
      .Word(kKeyCode, kHome)
      .Word(kFirstCommand, kSpeakWindow)
      .Word(kFirstNumber, 3)
      .Word(kDelay, 250);
  EXPECT_EQ(Compare(SetFileBuilder(), b),
            Section("Key#05 = Control-Home Speak_Window_3 \n"
                    "Key#05_delay = 250\n"));

  Record{b, 4}.Word(kSecondCommand, kExecuteHotKey).Word(kSecondHotKey, 4);
  EXPECT_EQ(
      Compare(SetFileBuilder(), b),
      Section("Key#05 = Control-Home Speak_Window_3 Execute_Hot_Key_Word\n"
              "Key#05_delay = 250\n"));
}

TEST(CursorKeySection, DecompileWritesEveryKey) {
  SetFileBuilder b;
  Record{b, 8}.Word(kAlt, 1).Word(kKeyCode, 'q').Word(kDelay, 0xFFFF);
  Record{b, 45}.Word(kKeyCode, 'X').Word(kFirstCommand, 10).Word(kDelay, 7);
  std::string text = Decompile(b);
  std::string expected = kHeader;
  for (int n = 1; n <= 46; ++n) {
    std::string number = (n < 10 ? "0" : "") + std::to_string(n);
    if (n == 9) {
      expected += "Key#09 = Alt-q Undefined \nKey#09_delay = 65535\n";
    } else if (n == 46) {
      expected += "Key#46 = X Line \nKey#46_delay = 7\n";
    } else {
      expected +=
          "Key#" + number + " = Undefined \nKey#" + number + "_delay = 0\n";
    }
  }
  EXPECT_EQ(text, expected);
}

TEST(CursorKeySection, UndefinedStrokeWritesNoCommands) {
  SetFileBuilder b;
  Record{b, 11}
      .Word(kFirstCommand, kSpeakWindow)
      .Word(kFirstNumber, 2)
      .Word(kSecondCommand, 5)
      .Word(kDelay, 100);
  EXPECT_EQ(Compare(SetFileBuilder(), b),
            Section("Key#12 = Undefined \nKey#12_delay = 100\n"));
}

TEST(CursorKeySection, KeyLines) {
  struct Case {
    const char* label;
    void (*fill)(Record r);
    const char* line;  // the key line of key 7
  };
  const Case kCases[] = {
      {"both commands undefined", [](Record r) { r.Word(kAlt, 1); },
       "Alt-x Undefined "},
      {"letters as stored", [](Record r) { r.Word(kKeyCode, 'X'); },
       "X Undefined "},
      {"flag of 2 is no prefix", [](Record r) { r.Word(kShift, 2); },
       "x Undefined "},
      {"second command only", [](Record r) { r.Word(kSecondCommand, 11); },
       "x Undefined Next_Line"},
      {"two plain commands",
       [](Record r) { r.Word(kFirstCommand, 1).Word(kSecondCommand, 31); },
       "x Prior_Character_Before Office_Smart_Tab"},
      {"negative window",
       [](Record r) {
         r.Word(kFirstCommand, kSpeakWindow).Word(kFirstNumber, 0xFFFF);
       },
       "x Speak_Window_-1 "},
      {"activate window",
       [](Record r) { r.Word(kFirstCommand, 23).Word(kFirstNumber, 12); },
       "x Activate_Window_12 "},
      {"mouse to window second",
       [](Record r) {
         r.Word(kSecondCommand, 24)
             .Word(kSecondNumber, 9)
             .Word(kFirstNumber, 1);
       },
       "x Undefined Mouse_to_Window_9"},
      {"load set",
       [](Record r) {
         r.Word(kFirstCommand, kLoadSet).Text(kFirstSetFile, u"Word.000");
       },
       "x Load_Set_Word.000 "},
      {"load set second",
       [](Record r) {
         r.Word(kSecondCommand, kLoadSet)
             .Text(kFirstSetFile, u"first")
             .Text(kSecondSetFile, u"second");
       },
       "x Undefined Load_Set_second"},
      {"load set empty name", [](Record r) { r.Word(kFirstCommand, kLoadSet); },
       "x Load_Set_ "},
      {"execute hot key",
       [](Record r) {
         r.Word(kFirstCommand, kExecuteHotKey).Word(kFirstHotKey, 283);
       },
       "x Execute_Hot_Key_Reload_Script "},
      {"execute empty slot",
       [](Record r) {
         r.Word(kFirstCommand, kExecuteHotKey).Word(kFirstHotKey, 246);
       },
       "x Execute_Hot_Key_ "},
      {"execute past table",
       [](Record r) {
         r.Word(kFirstCommand, kExecuteHotKey).Word(kFirstHotKey, 285);
       },
       "x Execute_Hot_Key_285 "},
      {"execute negative",
       [](Record r) {
         r.Word(kFirstCommand, kExecuteHotKey).Word(kFirstHotKey, 0xFFFF);
       },
       "x Execute_Hot_Key_-1 "},
      {"office attribute",
       [](Record r) {
         r.Word(kFirstCommand, kOfficeAttributeStatus).Word(kFirstNumber, 4);
       },
       "x Office_Attribute_Status_Font_Size "},
      {"office attribute past table",
       [](Record r) {
         r.Word(kFirstCommand, kOfficeAttributeStatus).Word(kFirstNumber, 5);
       },
       "x Office_Attribute_Status_5 "},
      {"office attribute second",
       [](Record r) {
         r.Word(kSecondCommand, kOfficeAttributeStatus).Word(kSecondNumber, 0);
       },
       "x Undefined Office_Attribute_Status_Bold"},
      {"command past table", [](Record r) { r.Word(kFirstCommand, 32); },
       "x 32 "},
      {"negative command", [](Record r) { r.Word(kSecondCommand, 0xFFFE); },
       "x Undefined -2"},
      {"argument of a plain command unused",
       [](Record r) {
         r.Word(kFirstCommand, 7).Word(kFirstNumber, 3).Word(kFirstHotKey, 4);
       },
       "x Word "},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder b;
    Record record{b, 6};
    record.Word(kKeyCode, 'x');
    c.fill(record);
    std::string expected = kHeader + std::string("Key#07 = ") + c.line + "\n";
    EXPECT_EQ(Compare(SetFileBuilder(), b), expected);
  }
}

TEST(CursorKeySection, SetFileNameWithoutNulEndsAtTheField) {
  SetFileBuilder b;
  Record{b, 0}.Word(kKeyCode, 'x').Word(kFirstCommand, kLoadSet);
  b.SetText(kBlock, kFirstSetFile, std::u16string(261, u'n'), false);
  b.SetText(kBlock, kSecondNumber, u"zz", false);
  EXPECT_EQ(Compare(SetFileBuilder(), b),
            Section("Key#01 = x Load_Set_" + std::string(261, 'n') + " \n"));
}

TEST(CursorKeySection, ComparisonDecidesEachLineOnItsOwn) {
  struct Case {
    const char* label;
    void (*change)(Record r);
    const char* lines;  // "" when neither line is written
  };
  const Case kCases[] = {
      {"nothing", [](Record) {}, ""},
      {"delay only", [](Record r) { r.Word(kDelay, 300); },
       "Key#10_delay = 300\n"},
      {"first command", [](Record r) { r.Word(kFirstCommand, 7); },
       "Key#10 = Alt-x Word \n"},
      {"second command", [](Record r) { r.Word(kSecondCommand, 7); },
       "Key#10 = Alt-x Next_Line Word\n"},
      {"unused first number", [](Record r) { r.Word(kFirstNumber, 1); },
       "Key#10 = Alt-x Next_Line \n"},
      {"unused first hot key", [](Record r) { r.Word(kFirstHotKey, 1); },
       "Key#10 = Alt-x Next_Line \n"},
      {"unused second number", [](Record r) { r.Word(kSecondNumber, 1); },
       "Key#10 = Alt-x Next_Line \n"},
      {"unused second hot key", [](Record r) { r.Word(kSecondHotKey, 1); },
       "Key#10 = Alt-x Next_Line \n"},
      {"unused first set file", [](Record r) { r.Text(kFirstSetFile, u"a"); },
       "Key#10 = Alt-x Next_Line \n"},
      {"unused second set file", [](Record r) { r.Text(kSecondSetFile, u"a"); },
       "Key#10 = Alt-x Next_Line \n"},
      {"set file case", [](Record r) { r.Text(kFirstSetFile, u"NAME"); },
       "Key#10 = Alt-x Next_Line \n"},
      {"after the NUL", [](Record r) { r.Word(kFirstSetFile + 10, 'q'); }, ""},
      {"control", [](Record r) { r.Word(kControl, 1); },
       "Key#10 = Control-Alt-x Next_Line \n"},
      {"control 2", [](Record r) { r.Word(kControl, 2); },
       "Key#10 = Alt-x Next_Line \n"},
      {"alt", [](Record r) { r.Word(kAlt, 0); }, "Key#10 = x Next_Line \n"},
      {"shift", [](Record r) { r.Word(kShift, 1); },
       "Key#10 = Alt-Shift-x Next_Line \n"},
      {"letter case", [](Record r) { r.Word(kKeyCode, 'X'); },
       "Key#10 = Alt-X Next_Line \n"},
      {"key and delay", [](Record r) { r.Word(kKeyCode, 'y').Word(kDelay, 1); },
       "Key#10 = Alt-y Next_Line \nKey#10_delay = 1\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder original;
    Record{original, 9}
        .Word(kAlt, 1)
        .Word(kKeyCode, 'x')
        .Word(kFirstCommand, 11)
        .Text(kFirstSetFile, u"name")
        .Word(kDelay, 200);
    SetFileBuilder printed = original;
    c.change(Record{printed, 9});
    EXPECT_EQ(Compare(original, printed), Section(c.lines));
  }
}

TEST(CursorKeySection, ComparisonOfEqualBlocksErasesTheSection) {
  SetFileBuilder b;
  Record{b, 0}.Word(kKeyCode, 'x').Word(kDelay, 5);
  EXPECT_EQ(Compare(b, b), "");
}

}  // namespace
}  // namespace quorlith
