#include "report/change_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "sections/schema.h"

namespace quorlith {
namespace {

// Random files, enough for batches of more than one size, each changing
// some rows to values that several files share (some long, past any small
// buffer, some with a lone surrogate): every line is the one a plain model
// of the summary writes.
TEST(ChangeSummary, WritesWhatAPlainModelOfItWrites) {
  std::mt19937 random(39);
  // Each row's values as shown, in the order first seen, with their files.
  using Values = std::vector<std::pair<std::string, std::vector<std::string>>>;
  std::map<std::uint32_t, Values> model;
  std::map<std::uint32_t, std::size_t> files_of;
  std::vector<std::uint32_t> rows;  // in the order first seen
  ChangeSummary summary;
  for (int file = 0; file < 1500; ++file) {
    std::string name = "F" + std::to_string(file);
    FileChanges changes;
    for (std::uint32_t row = 0; row < 40; ++row) {
      // Row r changes in one file in r + 1, to one of r + 1 values.
      if (random() % (row + 1) != 0) continue;
      auto pick = static_cast<std::uint32_t>(random() % (row + 1));
      // Some hold a lone surrogate as the workers keep it (ED A0 80),
      // which the line shows as U+FFFD, or a character just below them.
      std::string value = std::string(pick % 3 == 0 ? 300 : 1, 'v') +
                          std::to_string(pick) + "." + std::to_string(row);
      std::string shown = value + (pick % 4 == 1 ? "\xEF\xBF\xBD" : "");
      value += pick % 4 == 1 ? "\xED\xA0\x80" : "";
      if (pick % 4 == 2) shown = value += "\xED\x9F\xBF";
      changes.rows.push_back(row);
      changes.values.append(value);
      changes.value_ends.push_back(
          static_cast<std::uint32_t>(changes.values.size()));
      changes.hashes.push_back(ValueHash(value));
      if (files_of[row]++ == 0) rows.push_back(row);
      Values& values = model[row];
      auto same = std::find_if(values.begin(), values.end(),
                               [&](const auto& v) { return v.first == shown; });
      if (same == values.end()) same = values.insert(same, {shown, {}});
      same->second.push_back(name);
    }
    summary.Add(name, changes);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [&](auto a, auto b) { return files_of[a] > files_of[b]; });
  RowTexts original;
  for (std::size_t row = 0; row < AllSettings().size(); ++row) {
    original.text().append("o" + std::to_string(row));
    original.EndRow();
  }
  ASSERT_EQ(summary.Finish(), rows.size());
  ChangeSummary::LineScratch scratch;
  for (std::size_t line = 0; line < rows.size(); ++line) {
    Values& values = model[rows[line]];
    std::stable_sort(values.begin(), values.end(), [](auto& a, auto& b) {
      return a.second.size() > b.second.size();
    });
    std::string expected = std::string(ChangeLabels()[rows[line]]) + ": o" +
                           std::to_string(rows[line]);
    for (auto& [shown, files] : values) {
      expected +=
          (&shown == &values[0].first ? " → " : "; → ") + shown + " in ";
      for (const std::string& f : files) expected += f + ", ";
      expected.resize(expected.size() - 2);
    }
    Utf8Text written;
    summary.AppendLine(line, original, scratch, written);
    EXPECT_EQ(written.view(), expected + "\n") << "line " << line;
  }
}

}  // namespace
}  // namespace quorlith
