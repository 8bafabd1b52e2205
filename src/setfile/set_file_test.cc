#include "setfile/set_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

TEST(SetFile, ValidityTest) {
  struct Case {
    const char* label;
    std::size_t file_offset;  // byte to change, or kSetFileSize for none
    std::uint8_t value;
    std::uint64_t entry_size;
    CheckResult expected;
    std::size_t length = kSetFileSize;  // of the bytes checked
  };
  const Case kCases[] = {
      {"valid", kSetFileSize, 0, kSetFileSize, CheckResult::kOk},
      {"bytes 17 to 21 are free", 17, 0xFF, kSetFileSize, CheckResult::kOk},
      {"byte 21 is free", 21, 0x7F, kSetFileSize, CheckResult::kOk},
      {"magic terminator", 16, 'x', kSetFileSize, CheckResult::kBadMagic},
      {"magic case", 0, 'o', kSetFileSize, CheckResult::kBadMagic},
      {"magic last byte", 15, 'E', kSetFileSize, CheckResult::kBadMagic},
      {"version 46", 22, 46, kSetFileSize, CheckResult::kBadVersion},
      {"version 48", 22, 48, kSetFileSize, CheckResult::kBadVersion},
      {"version high byte", 25, 1, kSetFileSize, CheckResult::kBadVersion},
      {"version top bit", 25, 0x80, kSetFileSize, CheckResult::kBadVersion},
      {"the body is not the version", kHeaderSize, 0xFF, kSetFileSize,
       CheckResult::kOk},
      {"one byte short", kSetFileSize, 0, kSetFileSize - 1,
       CheckResult::kWrongSize},
      {"one byte long", kSetFileSize, 0, kSetFileSize + 1,
       CheckResult::kWrongSize},
      {"only low 32 bits count", kSetFileSize, 0,
       (std::uint64_t{1} << 32) + kSetFileSize, CheckResult::kOk},
      {"empty", kSetFileSize, 0, kSetFileSize, CheckResult::kTooShort, 0},
      {"header less one byte", kSetFileSize, 0, kSetFileSize,
       CheckResult::kTooShort, kHeaderSize - 1},
      {"header alone", kSetFileSize, 0, kSetFileSize, CheckResult::kOk,
       kHeaderSize},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileBuilder builder;
    if (c.file_offset < kSetFileSize)
      builder.SetFileByte(c.file_offset, c.value);
    EXPECT_EQ(
        CheckSetFile(ByteView(builder.Bytes()).first(c.length), c.entry_size),
        c.expected);
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
