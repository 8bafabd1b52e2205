#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorlith {

using ByteView = std::span<const std::uint8_t>;

// The header: the magic, its terminating zero, five bytes nobody reads, and
// the format version.
inline constexpr std::size_t kMagicSize = 16;
inline constexpr std::size_t kHeaderSize = kMagicSize + 1 + 5 + 4;
inline constexpr std::size_t kVersionOffset = kMagicSize + 1 + 5;
inline constexpr std::uint32_t kFormatVersion = 47;
inline constexpr char kMagic[kMagicSize + 1] = "Orvalen Set File";
// The screen reader version that format 47 belongs to, as reports and the
// log name it.
inline constexpr char16_t kOrvalenVersion[] = u"7.0";

// The ten setting blocks in file order. Do not renumber: the values index
// the block table.
enum class BlockId : std::uint8_t {
  kScreen,
  kKeyboard,
  kHotKey,
  kCursorKey,
  kMouse,
  kGeneral,
  kVerbosity,
  kBraille,
  kWindow,
  kDictionary,
};
inline constexpr std::size_t kBlockCount = 10;

struct BlockLayout {
  std::size_t file_offset;
  std::size_t size;
};

inline constexpr std::array<BlockLayout, kBlockCount> kBlockLayouts = {{
    {26, 62},        // screen
    {88, 42},        // keyboard
    {130, 5130},     // hot keys
    {5260, 49036},   // cursor keys
    {54296, 32},     // mouse
    {54328, 38},     // general
    {54366, 376},    // verbosity
    {54742, 48},     // braille
    {54790, 60118},  // windows
    {114908, 2610},  // dictionary
}};

inline constexpr std::size_t kBodySize = 117518 - kHeaderSize;
inline constexpr std::size_t kSetFileSize = kHeaderSize + kBodySize;

constexpr BlockLayout Layout(BlockId id) {
  return kBlockLayouts[static_cast<std::size_t>(id)];
}

constexpr bool BlocksAreContiguous() {
  std::size_t next = kHeaderSize;
  for (const BlockLayout& block : kBlockLayouts) {
    if (block.file_offset != next) return false;
    next += block.size;
  }
  return next == kSetFileSize;
}
static_assert(BlocksAreContiguous());

enum class CheckResult {
  kOk,
  kTooShort,    // fewer bytes than a header
  kBadMagic,    // magic or its terminating zero wrong
  kBadVersion,  // not format 47
  kWrongSize,   // the directory entry's size is not a set file's
};

// Tests a set file's header and the size its directory entry reported.
// Only the low 32 bits of `entry_size` take part, as the format's own
// readers compare them.
[[nodiscard]] CheckResult CheckSetFile(ByteView header,
                                       std::uint64_t entry_size);

// The ten blocks of one set file, held in file order. The header is not
// part of an image: it is tested and dropped.
class SetFileImage {
 public:
  SetFileImage() { body_.fill(0); }

  ByteView Block(BlockId id) const {
    BlockLayout layout = Layout(id);
    return ByteView(body_).subspan(layout.file_offset - kHeaderSize,
                                   layout.size);
  }

  std::span<const std::uint8_t, kBodySize> Body() const { return body_; }

  // The blocks in file order, for reading a file straight into the image.
  std::span<std::uint8_t> MutableBody() { return body_; }

  // Zeroes the blocks from `offset` on: what a short read left unfilled
  // must not show an earlier file's bytes.
  void ClearFrom(std::size_t offset);

 private:
  std::array<std::uint8_t, kBodySize> body_;
};

// The blocks of a set file wherever they lie: in an image, or in the
// bytes of a whole file as it was read, which a compile then reports on
// and changes in place without copying them into an image first.
class SetFileView {
 public:
  SetFileView(const SetFileImage& image)  // NOLINT: an image is a view too
      : body_(image.Body().data()) {}
  explicit SetFileView(std::span<const std::uint8_t, kBodySize> body)
      : body_(body.data()) {}

  ByteView Block(BlockId id) const {
    BlockLayout layout = Layout(id);
    return ByteView(body_ + (layout.file_offset - kHeaderSize), layout.size);
  }

  std::span<const std::uint8_t, kBodySize> Body() const {
    return std::span<const std::uint8_t, kBodySize>(body_, kBodySize);
  }

 private:
  const std::uint8_t* body_;
};

// Fills `image` from the bytes that follow the header. Whatever `body`
// lacks (a file that shrank after its size was tested) reads as zero.
void LoadSetFileImage(ByteView body, SetFileImage& image);

}  // namespace quorlith
