#include "codecs/codec.h"

#include "text/fields.h"

namespace quorlith {

void StoreWord(std::span<std::uint8_t> record, std::size_t offset,
               std::uint16_t value) {
  record[offset] = static_cast<std::uint8_t>(value & 0xFF);
  record[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

bool WordDiffers(ByteView a, ByteView b, std::size_t offset) {
  return ReadWord(a, offset) != ReadWord(b, offset);
}

void OwnWords(std::size_t offset, std::size_t bytes,
              std::vector<OwnedBits>& bits) {
  for (std::size_t i = 0; i < bytes; ++i) bits.push_back({offset + i, 0xFF});
}

void StoreNumberOf(ByteView record, std::size_t offset, std::int64_t number,
                   std::vector<StoredValue>& out) {
  out.push_back(StoredNumber(number, record.data() + offset));
}

}  // namespace quorlith
