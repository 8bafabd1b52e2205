#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "setfile/set_file.h"

namespace quorlith {

// Builds set files field by field for tests, samples, benchmarks and fuzz
// seeds. Starts as a valid set file with every setting zero.
class SetFileBuilder {
 public:
  SetFileBuilder();

  SetFileBuilder& SetByte(BlockId block, std::size_t offset,
                          std::uint8_t value);
  SetFileBuilder& SetWord(BlockId block, std::size_t offset,
                          std::uint16_t value);
  // Writes `text` as UTF-16 code units from `offset` and a terminating NUL
  // when `terminate` is set.
  SetFileBuilder& SetText(BlockId block, std::size_t offset,
                          std::u16string_view text, bool terminate = true);
  // Raw access to the whole file, header included, for corrupting it.
  SetFileBuilder& SetFileByte(std::size_t file_offset, std::uint8_t value);

  std::uint16_t Word(BlockId block, std::size_t offset) const;
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  // The image a report would load from these bytes.
  SetFileImage Image() const;

 private:
  std::size_t At(BlockId block, std::size_t offset, std::size_t size) const;

  std::vector<std::uint8_t> bytes_;
};

}  // namespace quorlith
