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

// Field offsets inside a record; each command has a number, a hot key and
// a set file argument.
constexpr std::size_t kFirstCommand = 0;
constexpr std::size_t kSecondCommand = 2;
constexpr std::size_t kNumber[] = {4, 530};
constexpr std::size_t kHotKey[] = {6, 532};
constexpr std::size_t kSetFile[] = {8, 534};
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
      .Word(kNumber[0], 3)
      .Word(kDelay, 250);
  EXPECT_EQ(Compare(SetFileBuilder(), b),
            Section("Key#05 = Control-Home Speak_Window_3 \n"
                    "Key#05_delay = 250\n"));

  Record{b, 4}.Word(kSecondCommand, kExecuteHotKey).Word(kHotKey[1], 4);
  EXPECT_EQ(
      Compare(SetFileBuilder(), b),
      Section("Key#05 = Control-Home Speak_Window_3 Execute_Hot_Key_Word\n"
              "Key#05_delay = 250\n"));
}

// An undefined stroke writes no commands, whatever they hold.
TEST(CursorKeySection, DecompileWritesEveryKey) {
  SetFileBuilder b;
  Record{b, 8}.Word(kAlt, 1).Word(kKeyCode, 'q').Word(kDelay, 0xFFFF);
  Record{b, 11}.Word(kFirstCommand, kSpeakWindow).Word(kSecondCommand, 5);
  Record{b, 45}.Word(kKeyCode, 'X').Word(kFirstCommand, 10).Word(kDelay, 7);
  std::string text = DecompileSectionText(WriteCursorKeySection, b.Image());
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

// Key 7 is x, and every argument of both commands holds a decoy; each row
// sets one command and the argument it reads.
TEST(CursorKeySection, KeyLines) {
  enum Argument { kNone, kNumberArgument, kHotKeyArgument, kSetFileArgument };
  struct Case {
    const char* label;
    std::size_t slot;
    std::uint16_t command;
    Argument argument;
    std::uint16_t word;
    std::u16string_view text;
    const char* line;  // after "Key#07 = x "
  };
  const Case kCases[] = {
      {"second only", 1, 11, kNone, 0, u"", "Undefined Next_Line"},
      {"negative window", 0, kSpeakWindow, kNumberArgument, 0xFFFF, u"",
       "Speak_Window_-1 "},
      {"activate window", 0, 23, kNumberArgument, 12, u"",
       "Activate_Window_12 "},
      {"mouse to window second", 1, 24, kNumberArgument, 9, u"",
       "Undefined Mouse_to_Window_9"},
      {"load set", 0, kLoadSet, kSetFileArgument, 0, u"Word.000",
       "Load_Set_Word.000 "},
      {"load set second", 1, kLoadSet, kSetFileArgument, 0, u"second",
       "Undefined Load_Set_second"},
      {"execute hot key", 0, kExecuteHotKey, kHotKeyArgument, 283, u"",
       "Execute_Hot_Key_Reload_Script "},
      {"execute past table", 1, kExecuteHotKey, kHotKeyArgument, 285, u"",
       "Undefined Execute_Hot_Key_285"},
      {"execute negative", 0, kExecuteHotKey, kHotKeyArgument, 0xFFFF, u"",
       "Execute_Hot_Key_-1 "},
      {"office attribute", 0, kOfficeAttributeStatus, kNumberArgument, 4, u"",
       "Office_Attribute_Status_Font_Size "},
      {"office attribute past table", 1, kOfficeAttributeStatus,
       kNumberArgument, 5, u"", "Undefined Office_Attribute_Status_5"},
      {"last command", 0, 31, kNone, 0, u"", "Office_Smart_Tab "},
      {"command past table", 0, 32, kNone, 0, u"", "32 "},
      {"negative command", 1, 0xFFFE, kNone, 0, u"", "Undefined -2"},
      {"plain command", 0, 7, kNumberArgument, 3, u"", "Word "},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder b;
    Record record{b, 6};
    record.Word(kKeyCode, 'x');
    for (std::size_t slot : {0, 1}) {
      record.Word(kNumber[slot], 1).Word(kHotKey[slot], 4);
      record.Text(kSetFile[slot], u"decoy");
    }
    record.Word(c.slot == 0 ? kFirstCommand : kSecondCommand, c.command);
    if (c.argument == kNumberArgument) record.Word(kNumber[c.slot], c.word);
    if (c.argument == kHotKeyArgument) record.Word(kHotKey[c.slot], c.word);
    if (c.argument == kSetFileArgument) record.Text(kSetFile[c.slot], c.text);
    EXPECT_EQ(Compare(SetFileBuilder(), b),
              kHeader + std::string("Key#07 = x ") + c.line + "\n");
  }
}

TEST(CursorKeySection, SetFileNameWithoutNulEndsAtTheField) {
  SetFileBuilder b;
  Record{b, 0}.Word(kKeyCode, 'x').Word(kFirstCommand, kLoadSet);
  b.SetText(kBlock, kSetFile[0], std::u16string(261, u'n'), false);
  b.SetText(kBlock, kNumber[1], u"zz", false);
  EXPECT_EQ(Compare(SetFileBuilder(), b),
            Section("Key#01 = x Load_Set_" + std::string(261, 'n') + " \n"));
}

// Key 10 is Alt-x with Next_Line, set file "name" and delay 200 in the
// original; each row changes one field of the printed record.
TEST(CursorKeySection, ComparisonDecidesEachLineOnItsOwn) {
  struct Case {
    const char* label;
    std::size_t offset;
    std::uint16_t word;
    std::u16string_view text;  // written instead of `word` when not empty
    const char* lines;         // "" when neither line is written
  };
  const Case kCases[] = {
      {"nothing", kDelay, 200, u"", ""},
      {"delay only", kDelay, 300, u"", "Key#10_delay = 300\n"},
      {"first command", kFirstCommand, 7, u"", "Key#10 = Alt-x Word \n"},
      {"second command", kSecondCommand, 7, u"",
       "Key#10 = Alt-x Next_Line Word\n"},
      {"unused first number", kNumber[0], 1, u"",
       "Key#10 = Alt-x Next_Line \n"},
      {"unused second hot key", kHotKey[1], 1, u"",
       "Key#10 = Alt-x Next_Line \n"},
      {"unused first set file", kSetFile[0], 0, u"a",
       "Key#10 = Alt-x Next_Line \n"},
      {"unused second set file", kSetFile[1], 0, u"a",
       "Key#10 = Alt-x Next_Line \n"},
      {"set file case", kSetFile[0], 0, u"NAME", "Key#10 = Alt-x Next_Line \n"},
      {"after the NUL", kSetFile[0] + 10, 'q', u"", ""},
      {"control", kControl, 1, u"", "Key#10 = Control-Alt-x Next_Line \n"},
      {"control 2", kControl, 2, u"", "Key#10 = Alt-x Next_Line \n"},
      {"alt", kAlt, 0, u"", "Key#10 = x Next_Line \n"},
      {"shift", kShift, 1, u"", "Key#10 = Alt-Shift-x Next_Line \n"},
      {"letter case", kKeyCode, 'X', u"", "Key#10 = Alt-X Next_Line \n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder original;
    Record{original, 9}
        .Word(kAlt, 1)
        .Word(kKeyCode, 'x')
        .Word(kFirstCommand, 11)
        .Text(kSetFile[0], u"name")
        .Word(kDelay, 200);
    SetFileBuilder printed = original;
    if (c.text.empty()) {
      Record{printed, 9}.Word(c.offset, c.word);
    } else {
      Record{printed, 9}.Text(c.offset, c.text);
    }
    EXPECT_EQ(Compare(original, printed), Section(c.lines));
  }
}

}  // namespace
}  // namespace quorlith
