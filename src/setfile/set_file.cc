#include "setfile/set_file.h"

#include <algorithm>

namespace quorlith {

CheckResult CheckSetFile(ByteView header, std::uint64_t entry_size) {
  if (header.size() < kHeaderSize) return CheckResult::kTooShort;
  for (std::size_t i = 0; i <= kMagicSize; ++i) {
    if (header[i] != static_cast<std::uint8_t>(kMagic[i])) {
      return CheckResult::kBadMagic;
    }
  }
  std::uint32_t version = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    version |= static_cast<std::uint32_t>(header[kVersionOffset + i])
               << (8 * i);
  }
  if (version != kFormatVersion) return CheckResult::kBadVersion;
  if ((entry_size & 0xFFFFFFFFu) != kSetFileSize)
    return CheckResult::kWrongSize;
  return CheckResult::kOk;
}

void SetFileImage::ClearFrom(std::size_t offset) {
  if (offset < body_.size()) {
    std::fill(body_.begin() + static_cast<std::ptrdiff_t>(offset), body_.end(),
              0);
  }
}

void LoadSetFileImage(ByteView body, SetFileImage& image) {
  std::span<std::uint8_t> blocks = image.MutableBody();
  std::size_t n = std::min(body.size(), blocks.size());
  std::copy_n(body.begin(), n, blocks.begin());
  image.ClearFrom(n);
}

}  // namespace quorlith
