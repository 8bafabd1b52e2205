#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kBlock = BlockId::kCursorKey;
// Key 10's record: record k, of 1066 bytes, describes key k + 1.
constexpr std::size_t kKey10 = 9 * 1066;

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

constexpr char kHeader[] =
    "; Menu 5 - Cursor Key Settings\n"
    "; to globally update a cursoring key the syntax is\n"
    "; cursor_key = key_name command_1 [command_2]\n";

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
  SetFileBuilder original;
  original.SetWord(kBlock, kKey10 + kAlt, 1)
      .SetWord(kBlock, kKey10 + kKeyCode, 'x')
      .SetWord(kBlock, kKey10 + kFirstCommand, 11)
      .SetText(kBlock, kKey10 + kSetFile[0], u"name")
      .SetWord(kBlock, kKey10 + kDelay, 200);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder printed = original;
    if (c.text.empty()) {
      printed.SetWord(kBlock, kKey10 + c.offset, c.word);
    } else {
      printed.SetText(kBlock, kKey10 + c.offset, c.text);
    }
    EXPECT_EQ(CompareSectionText("; Menu 5 - Cursor Key Settings",
                                 original.Image(), printed.Image()),
              *c.lines ? kHeader + std::string(c.lines) + ";\n" : "");
  }
}

}  // namespace
}  // namespace quorlith
