#include "report/change_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "sections/schema.h"

namespace quorlith {
namespace {

// Random files, enough for batches of more than one size, each changing
// some rows to values that several files share (some long, past any small
// buffer, some with a lone surrogate): every line is the one a plain model
// of the summary writes.
TEST(ChangeSummary, WritesWhatAPlainModelOfItWrites) {
  constexpr std::uint32_t kRows = 40;
  constexpr int kFiles = 1500;
  std::mt19937 random(39);
  struct Value {
    std::string text;
    std::vector<std::string> files;
  };
  struct Row {
    std::uint64_t first_seen = 0;
    std::size_t files = 0;
    std::vector<Value> values;  // in the order first seen
  };
  std::map<std::uint32_t, Row> model;
  ChangeSummary summary;
  for (int file = 0; file < kFiles; ++file) {
    std::string name = "F" + std::to_string(file);
    FileChanges changes;
    for (std::uint32_t row = 0; row < kRows; ++row) {
      // Row r changes in one file in r + 1, to one of r + 1 values.
      if (random() % (row + 1) != 0) continue;
      auto pick = static_cast<std::uint32_t>(random() % (row + 1));
      // Some hold a lone surrogate as the workers keep it (ED A0 80),
      // which the line shows as U+FFFD, or a character just below them.
      std::string value = std::string(pick % 3 == 0 ? 300 : 1, 'v') +
                          std::to_string(pick) + "." + std::to_string(row) +
                          (pick % 4 == 1   ? "\xED\xA0\x80"
                           : pick % 4 == 2 ? "\xED\x9F\xBF"
                                           : "");
      changes.rows.push_back(row);
      changes.values.append(value);
      changes.value_ends.push_back(
          static_cast<std::uint32_t>(changes.values.size()));
      changes.hashes.push_back(ValueHash(value));
      Row& kept = model[row];
      if (kept.files++ == 0) {
        kept.first_seen = std::uint64_t(file) << 32 | row;
      }
      auto same = std::find_if(kept.values.begin(), kept.values.end(),
                               [&](const Value& v) { return v.text == value; });
      if (same == kept.values.end()) {
        same = kept.values.insert(kept.values.end(), {value, {}});
      }
      same->files.push_back(name);
    }
    summary.Add(name, changes);
  }
  std::vector<std::pair<std::uint32_t, Row>> rows(model.begin(), model.end());
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.second.files != b.second.files
               ? a.second.files > b.second.files
               : a.second.first_seen < b.second.first_seen;
  });
  RowTexts original;
  for (std::size_t row = 0; row < AllSettings().size(); ++row) {
    original.text().append("o" + std::to_string(row));
    original.EndRow();
  }
  ASSERT_EQ(summary.Finish(), rows.size());
  ChangeSummary::LineScratch scratch;
  for (std::size_t line = 0; line < rows.size(); ++line) {
    auto& [row, kept] = rows[line];
    std::stable_sort(kept.values.begin(), kept.values.end(),
                     [](const Value& a, const Value& b) {
                       return a.files.size() > b.files.size();
                     });
    std::string expected =
        std::string(ChangeLabels()[row]) + ": o" + std::to_string(row);
    for (std::size_t v = 0; v < kept.values.size(); ++v) {
      std::string shown = kept.values[v].text;
      if (shown.ends_with("\xED\xA0\x80")) {
        shown.replace(shown.size() - 3, 3, "\xEF\xBF\xBD");
      }
      expected += (v == 0 ? " → " : "; → ") + shown + " in ";
      for (std::size_t f = 0; f < kept.values[v].files.size(); ++f) {
        expected += (f == 0 ? "" : ", ") + kept.values[v].files[f];
      }
    }
    Utf8Text written;
    summary.AppendLine(line, original, scratch, written);
    EXPECT_EQ(written.view(), expected + "\n") << "line " << line;
  }
}

}  // namespace
}  // namespace quorlith
