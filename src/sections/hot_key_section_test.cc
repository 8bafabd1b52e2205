#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "report/report_testing.h"
#include "sections/sections.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kBlock = BlockId::kHotKey;
constexpr std::size_t kRecordSize = 18;

// Word offsets inside a record.
constexpr std::size_t kUnused = 0;
constexpr std::size_t kControl = 2;
constexpr std::size_t kAlt = 4;
constexpr std::size_t kShift = 6;
constexpr std::size_t kInsert = 8;
constexpr std::size_t kNumpad = 10;
constexpr std::size_t kWindows = 12;
constexpr std::size_t kApplication = 14;
constexpr std::size_t kKeyCode = 16;

constexpr char kHeader[] =
    "; Menu 4 - Hot Key Settings\n"
    "; To globally search for a hot key with tessaval the syntax is\n"
    "; any_hot_key = key_name e.g. any_hot_key = alt-l\n";

SetFileBuilder& SetRecordWord(SetFileBuilder& b, std::size_t record,
                              std::size_t offset, std::uint16_t value) {
  return b.SetWord(kBlock, record * kRecordSize + offset, value);
}

std::string Compare(const SetFileBuilder& original,
                    const SetFileBuilder& printed) {
  return CompareSectionText(WriteHotKeySection, original.Image(),
                            printed.Image());
}

// Letters are written in lower case; the unused word never makes a key.
TEST(HotKeySection, DecompileGolden) {
  SetFileBuilder b;
  SetRecordWord(b, 0, kInsert, 1);
  SetRecordWord(b, 0, kKeyCode, 0xF40A);
  SetRecordWord(b, 0, kUnused, 0xFFFF);
  SetRecordWord(b, 1, kWindows, 2);
  SetRecordWord(b, 2, kUnused, 1);
  SetRecordWord(b, 126, kShift, 1);
  SetRecordWord(b, 126, kKeyCode, 'A');
  SetRecordWord(b, 127, kKeyCode, 'Z');
  SetRecordWord(b, 128, kKeyCode, '[');
  std::string text = DecompileSectionText(WriteHotKeySection, b.Image());
  EXPECT_EQ(
      text.rfind(std::string(kHeader) + "Prior_Character = Insert-Left_Arrow\n"
                                        "Character = \n"
                                        "Next_Character = Undefined\n",
                 0),
      0u)
      << text;
  EXPECT_NE(text.find("\nRead_Entire_Screen = Shift-a\n"
                      "Read_Active_Window = z\n"
                      "Read_Title/Status_of_Current_App = [\n"),
            std::string::npos);
}

// One line for each of the 278 named commands, none for the empty slots
// nor for Any_Hot_Key.
TEST(HotKeySection, DecompileWritesEveryNamedCommand) {
  std::string text =
      DecompileSectionText(WriteHotKeySection, SetFileBuilder().Image());
  ASSERT_EQ(text.rfind(kHeader, 0), 0u);
  std::string body = text.substr(std::string(kHeader).size());
  EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 278);
  EXPECT_EQ(body.rfind("Prior_Character = Undefined\n", 0), 0u);
  constexpr std::string_view kLast = "\nReload_Script = Undefined\n";
  EXPECT_EQ(body.substr(body.size() - kLast.size()), kLast);
  EXPECT_EQ(body.find("\n = "), std::string::npos);
}

TEST(HotKeySection, ComparisonIgnoresSlotsWithoutCommand) {
  SetFileBuilder b;
  for (std::size_t record : {246, 265, 266, 267, 268, 269, 284}) {
    SetRecordWord(b, record, kControl, 1);
    SetRecordWord(b, record, kKeyCode, 0xF406);
  }
  EXPECT_EQ(Compare(SetFileBuilder(), b), "");
  SetRecordWord(b, 3, kControl, 1);
  SetRecordWord(b, 3, kKeyCode, 'w');
  EXPECT_EQ(Compare(b, b), "");
}

// Record 7 ("Line") holds key x in the original; each row changes one
// word of the printed record.
TEST(HotKeySection, ComparisonLooksAtEachStoredWord) {
  struct Case {
    const char* label;
    std::size_t offset;
    std::uint16_t value;
    const char* line;  // "" when the record must not be written
  };
  const Case kCases[] = {
      {"unused word", kUnused, 1, ""},
      {"control 2", kControl, 2, "Line = x\n"},
      {"control 1", kControl, 1, "Line = Control-x\n"},
      {"alt 2", kAlt, 2, "Line = x\n"},
      {"shift 2", kShift, 2, "Line = x\n"},
      {"insert 2", kInsert, 2, "Line = x\n"},
      {"numpad 2", kNumpad, 2, "Line = x\n"},
      {"windows 2", kWindows, 2, "Line = x\n"},
      {"application 2", kApplication, 2, "Line = x\n"},
      {"key code", kKeyCode, 'y', "Line = y\n"},
      {"letter case", kKeyCode, 'X', ""},
      {"[ against {", kKeyCode, '{', "Line = {\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder original;
    SetRecordWord(original, 7, kKeyCode, 'x');
    SetFileBuilder printed = original;
    SetRecordWord(printed, 7, c.offset, c.value);
    std::string expected =
        *c.line ? std::string(kHeader) + c.line : std::string();
    EXPECT_EQ(Compare(original, printed), expected);
  }
}

}  // namespace
}  // namespace quorlith
