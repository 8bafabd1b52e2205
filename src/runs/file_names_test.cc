#include "runs/file_names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorlith {
namespace {

using Row = std::vector<std::string>;

// The rows of testdata/tables/file_names.txt that start with `kind`, as
// `width` trimmed fields with their \xHH escapes decoded.
std::vector<Row> Rows(const std::string& kind, std::size_t width) {
  std::ifstream file(std::string(QUORLITH_TESTDATA_DIR) +
                     "/tables/file_names.txt");
  std::vector<Row> rows;
  for (std::string line; std::getline(file, line);) {
    if (!line.starts_with(kind + " ")) continue;
    std::istringstream fields(line.substr(kind.size()) + "|");
    Row& row = rows.emplace_back();
    for (std::string field; std::getline(fields, field, '|');) {
      field.erase(0, field.find_first_not_of(' '));
      field.erase(field.find_last_not_of(' ') + 1);
      for (std::size_t x; (x = field.find("\\x")) != field.npos;) {
        field.replace(
            x, 4, 1,
            static_cast<char>(std::stoi(field.substr(x + 2, 2), nullptr, 16)));
      }
      row.push_back(field);
    }
    EXPECT_EQ(row.size(), width) << line;
    row.resize(width);
  }
  EXPECT_FALSE(rows.empty()) << kind;
  return rows;
}

TEST(FileNames, SplitFileNameCompletes) {
  for (const Row& row : Rows("split", 7)) {
    SCOPED_TRACE(row[1] + " in " + row[2]);
    NameParts parts = SplitFileName(
        row[1], row[2],
        row[0] == "windows" ? PathStyle::kWindows : PathStyle::kPosix);
    EXPECT_EQ((Row{parts.drive, parts.directory, parts.name, parts.extension}),
              Row(row.begin() + 3, row.end()));
  }
  // Drive letters are A to Z in either case, and only those.
  for (int c = 1; c < 256; ++c) {
    std::string path = {static_cast<char>(c), ':', 'x'};
    EXPECT_EQ(SplitFileName(path, "D:\\", PathStyle::kWindows).drive,
              std::isalpha(c) ? path.substr(0, 2) : "D:")
        << c;
  }
}

TEST(FileNames, Wildcards) {
  for (const Row& row : Rows("match", 3)) {
    SCOPED_TRACE(row[0] + " vs " + row[1]);
    EXPECT_EQ(MatchesWildcard(row[0], row[1]), row[2] == "yes");
  }
  // A long pattern of stars against a long name must not explode.
  EXPECT_FALSE(
      MatchesWildcard(std::string(200, '*') + "b", std::string(5000, 'a')));
}

TEST(FileNames, SortOrder) {
  // Folded characters first, a shorter name before a longer one it starts,
  // then bytes: "Ā" and "ā" are one byte apart.
  const std::string kSorted[] = {"a.000", "ab",     "ABC", "abc",
                                 "B.000", "b.000",  "x",   "Ärger",
                                 "ärger", "Ärgest", "Ā",   "ā"};
  for (std::size_t i = 0; i < std::size(kSorted); ++i) {
    for (std::size_t j = 0; j < std::size(kSorted); ++j) {
      EXPECT_EQ(CompareNames(kSorted[i], kSorted[j]),
                i < j ? -1 : (i > j ? 1 : 0))
          << kSorted[i] << " vs " << kSorted[j];
    }
  }
}

TEST(FileNames, ReportNames) {
  EXPECT_EQ(ReportNameNextToInput("MY.OLD.000"), "MY.tLD.000");
  EXPECT_EQ(ReportNameNextToInput("NOEXT"), "NOEXT");
  for (const Row& row : Rows("report", 3)) {
    SCOPED_TRACE(row[0]);
    EXPECT_EQ(ReportPathFromOutputName(SplitFileName(row[0], "/cwd/"), row[1]),
              row[2]);
  }
  for (const Row& row : Rows("setname", 2)) {
    EXPECT_EQ(LooksLikeSetFileName(row[0]), row[1] == "yes") << row[0];
  }
}

}  // namespace
}  // namespace quorlith
