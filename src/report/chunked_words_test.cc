#include "report/chunked_words.h"

#include <gtest/gtest.h>

namespace quorlith {
namespace {

// Runs that do not fit in what is left of a chunk start the next one, the
// chunk they left ends where its words do, and no word moves.
TEST(ChunkedWords, RunsStayWholeAndInPlace) {
  constexpr std::size_t kChunk = ChunkedWords::kChunkWords;
  ChunkedWords words;
  struct Run {
    std::size_t count;
    std::size_t start;
  };
  const Run kRuns[] = {{1, 0},
                       {kChunk - 2, 1},
                       {2, kChunk},  // one word left: not enough
                       {kChunk - 2, kChunk + 2},
                       {kChunk, 2 * kChunk},  // a whole chunk, exactly
                       {1, 3 * kChunk}};
  for (const Run& run : kRuns) {
    std::size_t start = words.Append(run.count);
    EXPECT_EQ(start, run.start);
    for (std::size_t i = 0; i < run.count; ++i) {
      words[start + i] = static_cast<std::uint32_t>(start + i);
    }
  }
  EXPECT_EQ(words.ChunkEnd(0), kChunk - 1);
  EXPECT_EQ(words.ChunkEnd(kChunk), 2 * kChunk);
  EXPECT_EQ(words.ChunkEnd(3 * kChunk), 3 * kChunk + 1);
  for (std::size_t i : {std::size_t{0}, kChunk - 2, kChunk, 3 * kChunk - 1}) {
    EXPECT_EQ(words[i], i);
  }
}

}  // namespace
}  // namespace quorlith
