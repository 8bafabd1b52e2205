#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gtest/gtest.h"
#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {

// Helpers shared by the section tests.

// The text of a golden file of testdata/.
inline std::string ReadGolden(const std::string& file_name) {
  std::ifstream file(std::string(QUORLITH_TESTDATA_DIR) + "/" + file_name,
                     std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

inline constexpr std::string_view kNoDifferences =
    ";There are no differences between the two set files.\n";

// A word of a golden file and the bits to flip in it: each set bit of
// `mask` on its own, or bits 0 and 15 when `mask` is 0.
struct GoldenWord {
  std::uint16_t offset;
  std::uint16_t mask = 0;
};

// `golden` is what `writer` writes for `file`, and `words` holds the word
// behind each of its setting lines, in order. Flipping a bit of one word
// in the original must make a comparison write that golden line alone,
// under the section header and the header of its sub-section, followed by
// the sub-section's ";" line if it has one. Flipping a bit of
// `unrendered` must write nothing.
inline void ExpectEachWordWritesItsGoldenLine(
    std::string_view title, BlockId block, const SetFileBuilder& file,
    std::string_view golden, std::span<const GoldenWord> words,
    std::span<const GoldenWord> unrendered = {}) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < golden.size();) {
    std::size_t end = golden.find('\n', start);
    lines.emplace_back(golden.substr(start, end - start));
    start = end + 1;
  }
  // The section's own ";" closes each line written.
  if (!lines.empty() && lines.back() == ";") lines.pop_back();
  std::vector<std::string> expected;
  std::size_t sub = 0;  // the open sub-section's header line, if any
  std::vector<std::size_t> open;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].rfind("; ", 0) == 0 || lines[i] == ";") {
      if (lines[i] == ";") {
        for (std::size_t k : open) expected[k] += ";\n";
      }
      open.clear();
      sub = lines[i] == ";" ? 0 : i;
      continue;
    }
    if (sub != 0) open.push_back(expected.size());
    expected.push_back(lines[0] + "\n" + (sub ? lines[sub] + "\n" : "") +
                       lines[i] + "\n");
  }
  for (std::string& text : expected) text += ";\n";
  ASSERT_EQ(expected.size(), words.size());
  std::vector<GoldenWord> all(words.begin(), words.end());
  for (GoldenWord word : unrendered) {
    all.push_back(word);
    expected.emplace_back();
  }
  SetFileImage printed = file.Image();
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::uint16_t mask = all[i].mask == 0 ? 0x8001 : all[i].mask;
    for (int bit = 0; bit < 16; ++bit) {
      std::uint16_t flip = static_cast<std::uint16_t>(1u << bit);
      if ((mask & flip) == 0) continue;
      SCOPED_TRACE("word " + std::to_string(all[i].offset) + " flip " +
                   std::to_string(flip));
      SetFileBuilder original = file;
      original.SetWord(block, all[i].offset,
                       static_cast<std::uint16_t>(
                           original.Word(block, all[i].offset) ^ flip));
      EXPECT_EQ(CompareSectionText(title, original.Image(), printed),
                expected[i]);
    }
  }
}

}  // namespace quorlith
