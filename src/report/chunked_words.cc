#include "report/chunked_words.h"

namespace quorlith {

std::size_t ChunkedWords::Append(std::size_t count) {
  if (end_ + count > chunks_.size() << kChunkBits) {
    if (!chunks_.empty()) chunk_ends_.push_back(end_);
    end_ = chunks_.size() << kChunkBits;
    chunks_.push_back(
        std::make_unique_for_overwrite<std::uint32_t[]>(kChunkWords));
  }
  end_ += count;
  return end_ - count;
}

}  // namespace quorlith
