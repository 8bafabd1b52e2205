#include "setfile/set_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

TEST(SetFile, ValidityTest) {
  constexpr std::size_t kSize = kSetFileSize, kNone = kSetFileSize;
  struct Case {
    const char* label;
    std::size_t file_offset;  // byte to change, or kNone
    std::uint8_t value;
    CheckResult expected;
    std::uint64_t entry_size = kSize;
    std::size_t length = kSize;  // of the bytes checked
  };
  const Case kCases[] = {
      {"valid", kNone, 0, CheckResult::kOk},
      {"bytes 17 to 21 are free", 17, 0xFF, CheckResult::kOk},
      {"byte 21 is free", 21, 0x7F, CheckResult::kOk},
      {"magic terminator", 16, 'x', CheckResult::kBadMagic},
      {"magic case", 0, 'o', CheckResult::kBadMagic},
      {"magic last byte", 15, 'E', CheckResult::kBadMagic},
      {"version 46", 22, 46, CheckResult::kBadVersion},
      {"version 48", 22, 48, CheckResult::kBadVersion},
      {"version high byte", 25, 1, CheckResult::kBadVersion},
      {"version top bit", 25, 0x80, CheckResult::kBadVersion},
      {"the body is not the version", kHeaderSize, 0xFF, CheckResult::kOk},
      {"one byte short", kNone, 0, CheckResult::kWrongSize, kSize - 1},
      {"one byte long", kNone, 0, CheckResult::kWrongSize, kSize + 1},
      {"only low 32 bits count", kNone, 0, CheckResult::kOk,
       (std::uint64_t{1} << 32) + kSize},
      {"empty", kNone, 0, CheckResult::kTooShort, kSize, 0},
      {"header less one", kNone, 0, CheckResult::kTooShort, kSize,
       kHeaderSize - 1},
      {"header alone", kNone, 0, CheckResult::kOk, kSize, kHeaderSize},
  };
  for (const Case& c : kCases) {
    SetFileBuilder builder;
    if (c.file_offset < kNone) builder.SetFileByte(c.file_offset, c.value);
    EXPECT_EQ(
        CheckSetFile(ByteView(builder.Bytes()).first(c.length), c.entry_size),
        c.expected)
        << c.label;
  }
}

TEST(SetFile, ShortLoadLeavesZeros) {
  SetFileImage image;
  std::vector<std::uint8_t> full(kBodySize, 0xAA);
  LoadSetFileImage(full, image);
  std::vector<std::uint8_t> part(10, 0x55);
  LoadSetFileImage(part, image);
  ByteView screen = image.Block(BlockId::kScreen);
  EXPECT_EQ(screen[9], 0x55);
  EXPECT_EQ(screen[10], 0);
  EXPECT_EQ(image.Block(BlockId::kDictionary).back(), 0);
}

}  // namespace
}  // namespace quorlith
