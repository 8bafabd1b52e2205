#include "setfile/busy_set_file_builder.h"

#include <string>

namespace quorlith {
namespace {

constexpr std::size_t kHotKeyRecords = 284;
constexpr std::size_t kHotKeyRecordSize = 18;
constexpr std::size_t kCursorKeys = 46;
constexpr std::size_t kCursorKeyRecordSize = 1066;
constexpr std::size_t kStandardWindows = 50;
constexpr std::size_t kStandardWindowsOffset = 2;
constexpr std::size_t kStandardWindowSize = 192;
constexpr std::size_t kHyperactiveWindows = 26;
constexpr std::size_t kHyperactiveOffset = 9602;
constexpr std::size_t kHyperactiveSize = 1942;
constexpr std::size_t kFileNameUnits = 261;

std::u16string Text(std::u16string_view stem, std::uint32_t n,
                    std::size_t max_units) {
  std::u16string text(stem);
  for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
  while (text.size() + 4 < max_units) {
    text.push_back(static_cast<char16_t>(u'a' + text.size() % 26));
  }
  text.resize(max_units - 1);
  return text;
}

}  // namespace

SetFileBuilder BusySetFile(std::uint32_t seed) {
  SetFileBuilder b;
  auto small = [&](std::size_t i, std::uint32_t range) {
    return static_cast<std::uint16_t>((i * 31 + seed) % range);
  };
  for (BlockId id :
       {BlockId::kScreen, BlockId::kKeyboard, BlockId::kMouse,
        BlockId::kGeneral, BlockId::kVerbosity, BlockId::kBraille}) {
    for (std::size_t offset = 0; offset + 1 < Layout(id).size; offset += 2) {
      b.SetWord(id, offset, small(offset, 3));
    }
  }
  b.SetText(BlockId::kScreen, 38, u"-=_*~");

  for (std::size_t i = 0; i < kHotKeyRecords; ++i) {
    std::size_t at = i * kHotKeyRecordSize;
    b.SetWord(BlockId::kHotKey, at + 2, small(i, 2))
        .SetWord(BlockId::kHotKey, at + 4, small(i + 1, 2))
        .SetWord(BlockId::kHotKey, at + 8, 1)
        .SetWord(BlockId::kHotKey, at + 16,
                 static_cast<std::uint16_t>(i % 3 == 0 ? 0xF400 + i % 50
                                                       : u'a' + i % 26));
  }
  for (std::size_t k = 0; k < kCursorKeys; ++k) {
    std::size_t at = k * kCursorKeyRecordSize;
    b.SetWord(BlockId::kCursorKey, at, static_cast<std::uint16_t>(1 + k % 31))
        .SetWord(BlockId::kCursorKey, at + 2,
                 static_cast<std::uint16_t>(k % 31))
        .SetWord(BlockId::kCursorKey, at + 4, small(k, 50))
        .SetWord(BlockId::kCursorKey, at + 6, small(k, 284))
        .SetText(BlockId::kCursorKey, at + 8, Text(u"SET", seed, 20))
        .SetText(BlockId::kCursorKey, at + 534, Text(u"OTHER", seed, 20))
        .SetWord(BlockId::kCursorKey, at + 1056, 1)
        .SetWord(BlockId::kCursorKey, at + 1062,
                 static_cast<std::uint16_t>(0xF400 + k))
        .SetWord(BlockId::kCursorKey, at + 1064, small(k, 1000));
  }

  b.SetWord(BlockId::kWindow, 0, small(0, 50));
  for (std::size_t w = 0; w < kStandardWindows; ++w) {
    std::size_t at = kStandardWindowsOffset + w * kStandardWindowSize;
    for (std::size_t offset = 0; offset < 24; offset += 2) {
      b.SetWord(BlockId::kWindow, at + offset, small(w + offset, 80));
    }
    for (std::size_t edge = 0; edge < 4; ++edge) {
      b.SetText(BlockId::kWindow, at + 24 + 22 * edge, Text(u"F", seed, 11));
    }
    b.SetWord(BlockId::kWindow, at + 112, 1)
        .SetText(BlockId::kWindow, at + 114, Text(u"Window ", seed, 26))
        .SetWord(BlockId::kWindow, at + 178, 0xFFFF);
  }
  for (std::size_t k = 0; k < kHyperactiveWindows; ++k) {
    std::size_t at = kHyperactiveOffset + k * kHyperactiveSize;
    b.SetWord(BlockId::kWindow, at + 12, 79)
        .SetWord(BlockId::kWindow, at + 18, 24)
        .SetWord(BlockId::kWindow, at + 24, 1)
        .SetText(BlockId::kWindow, at + 26, Text(u"Hyper ", seed, 26))
        .SetWord(BlockId::kWindow, at + 80, static_cast<std::uint16_t>(k % 7))
        .SetText(BlockId::kWindow, at + 82, Text(u"Find ", seed, 33));
    for (std::size_t j = 0; j < 3; ++j) {
      b.SetWord(BlockId::kWindow, at + 154 + 2 * j,
                static_cast<std::uint16_t>(1 + (k + j) % 8))
          .SetText(BlockId::kWindow, at + 172 + 66 * j, Text(u"Say ", seed, 33))
          .SetText(BlockId::kWindow, at + 376 + 522 * j,
                   Text(u"LOAD", seed, 40));
    }
  }
  for (std::size_t i = 0; i < 5; ++i) {
    b.SetText(BlockId::kDictionary, i * 2 * kFileNameUnits,
              Text(u"/dictionaries/D", seed, 60));
  }
  return b;
}

}  // namespace quorlith
