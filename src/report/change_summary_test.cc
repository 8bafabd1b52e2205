#include "report/change_summary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "sections/schema.h"

namespace quorlith {
namespace {

// Long values, enough to fill more than one chunk: each line still shows
// its value with the files that hold it, the commonest first.
TEST(ChangeSummary, ValuesPastAChunkKeepTheirFiles) {
  constexpr std::uint32_t kRows = 3000;
  ASSERT_LE(kRows, AllSettings().size());
  auto value_of = [](int file, std::uint32_t row) {
    // Files 0 and 2 hold one value, file 1 another.
    return std::string(300, file == 1 ? 'b' : 'a') + std::to_string(row);
  };
  ChangeSummary summary;
  for (int file = 0; file < 3; ++file) {
    FileChanges changes;
    for (std::uint32_t row = 0; row < kRows; ++row) {
      std::string value = value_of(file, row);
      changes.rows.push_back(row);
      changes.positions.push_back(row);
      changes.values.append(value);
      changes.value_ends.push_back(
          static_cast<std::uint32_t>(changes.values.size()));
      changes.hashes.push_back(
          static_cast<std::uint32_t>(std::hash<std::string>()(value)));
    }
    summary.Add("F" + std::to_string(file), changes);
  }
  RowTexts original;
  for (std::size_t row = 0; row < AllSettings().size(); ++row) {
    original.text().append("o");
    original.EndRow();
  }
  ASSERT_EQ(summary.Finish(), kRows);
  ChangeSummary::LineScratch scratch;
  for (std::uint32_t row = 0; row < kRows; row += 7) {
    Utf8Text line;
    summary.AppendLine(row, original, scratch, line);
    EXPECT_EQ(line.view(), std::string(ChangeLabels()[row]) + ": o → " +
                               value_of(0, row) + " in F0, F2; → " +
                               value_of(1, row) + " in F1\n");
  }
}

}  // namespace
}  // namespace quorlith
