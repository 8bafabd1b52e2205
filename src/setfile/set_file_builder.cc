#include "setfile/set_file_builder.h"

#include <cassert>
#include <cstring>

namespace quorlith {

SetFileBuilder::SetFileBuilder() : bytes_(kSetFileSize, 0) {
  std::memcpy(bytes_.data(), kMagic, kMagicSize + 1);
  for (std::size_t i = 0; i < 4; ++i) {
    bytes_[kVersionOffset + i] =
        static_cast<std::uint8_t>(kFormatVersion >> (8 * i));
  }
}

std::size_t SetFileBuilder::At(BlockId block, std::size_t offset,
                               std::size_t size) const {
  BlockLayout layout = Layout(block);
  assert(offset + size <= layout.size);
  (void)size;
  return layout.file_offset + offset;
}

SetFileBuilder& SetFileBuilder::SetByte(BlockId block, std::size_t offset,
                                        std::uint8_t value) {
  bytes_[At(block, offset, 1)] = value;
  return *this;
}

SetFileBuilder& SetFileBuilder::SetWord(BlockId block, std::size_t offset,
                                        std::uint16_t value) {
  SetByte(block, offset, static_cast<std::uint8_t>(value & 0xFF));
  return SetByte(block, offset + 1, static_cast<std::uint8_t>(value >> 8));
}

SetFileBuilder& SetFileBuilder::SetText(BlockId block, std::size_t offset,
                                        std::u16string_view text,
                                        bool terminate) {
  for (char16_t unit : text) {
    SetWord(block, offset, static_cast<std::uint16_t>(unit));
    offset += 2;
  }
  if (terminate) SetWord(block, offset, 0);
  return *this;
}

SetFileBuilder& SetFileBuilder::SetFileByte(std::size_t file_offset,
                                            std::uint8_t value) {
  bytes_.at(file_offset) = value;
  return *this;
}

std::uint16_t SetFileBuilder::Word(BlockId block, std::size_t offset) const {
  std::size_t at = At(block, offset, 2);
  return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
}

SetFileImage SetFileBuilder::Image() const {
  SetFileImage image;
  LoadSetFileImage(ByteView(bytes_).subspan(kHeaderSize), image);
  return image;
}

}  // namespace quorlith
