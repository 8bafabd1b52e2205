#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "report/report_testing.h"
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
  return CompareSectionText("; Menu 4 - Hot Key Settings", original.Image(),
                            printed.Image());
}

TEST(HotKeySection, ComparisonIgnoresSlotsWithoutCommand) {
  SetFileBuilder b;
  for (std::size_t record : {246, 265, 266, 267, 268, 269, 284}) {
    SetRecordWord(b, record, kControl, 1);
    SetRecordWord(b, record, kKeyCode, 0xF406);
  }
  EXPECT_EQ(Compare(SetFileBuilder(), b), "");
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
  SetFileBuilder original;
  SetRecordWord(original, 7, kKeyCode, 'x');
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder printed = original;
    SetRecordWord(printed, 7, c.offset, c.value);
    EXPECT_EQ(Compare(original, printed),
              *c.line ? kHeader + std::string(c.line) + ";\n" : "");
  }
}

}  // namespace
}  // namespace quorlith
