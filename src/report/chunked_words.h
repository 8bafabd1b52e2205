#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quorlith {

// Words kept in chunks that never move, so that growing copies nothing
// and memory holds only the words written. Words appended together lie in
// one chunk.
class ChunkedWords {
 public:
  static constexpr int kChunkBits = 18;
  static constexpr std::size_t kChunkWords = std::size_t{1} << kChunkBits;

  std::uint32_t* at(std::size_t i) {
    return chunks_[i >> kChunkBits].get() + (i & (kChunkWords - 1));
  }
  const std::uint32_t* at(std::size_t i) const {
    return chunks_[i >> kChunkBits].get() + (i & (kChunkWords - 1));
  }
  std::uint32_t& operator[](std::size_t i) { return *at(i); }
  std::uint32_t operator[](std::size_t i) const { return *at(i); }

  // Past the last word appended.
  std::size_t end() const { return end_; }
  // Where the words of the chunk that holds word `i` end.
  std::size_t ChunkEnd(std::size_t i) const {
    std::size_t chunk = i >> kChunkBits;
    return chunk < chunk_ends_.size() ? chunk_ends_[chunk] : end_;
  }

  // Makes room for `count` words; returns where they start. REQUIRES:
  // count <= kChunkWords.
  std::size_t Append(std::size_t count);
  void push_back(std::uint32_t word) { *at(Append(1)) = word; }

 private:
  std::vector<std::unique_ptr<std::uint32_t[]>> chunks_;
  std::vector<std::size_t> chunk_ends_;  // of each chunk but the last
  std::size_t end_ = 0;
};

}  // namespace quorlith
