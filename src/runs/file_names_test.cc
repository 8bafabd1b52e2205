#include "runs/file_names.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace quorlith {
namespace {

using Row = std::vector<std::string>;

// The rows of testdata/tables/file_names.txt that start with `kind`, as
// trimmed fields with their \xHH escapes decoded.
std::vector<Row> Rows(const std::string& kind) {
  std::ifstream file(std::string(QUORLITH_TESTDATA_DIR) +
                     "/tables/file_names.txt");
  std::vector<Row> rows;
  for (std::string line; std::getline(file, line);) {
    if (!line.starts_with(kind + " ")) continue;
    line = line.substr(kind.size()) + "|";
    Row row;
    for (std::size_t at = 0, bar; (bar = line.find('|', at)) != line.npos;
         at = bar + 1) {
      std::string field = line.substr(at, bar - at);
      field.erase(0, field.find_first_not_of(' '));
      field.erase(field.find_last_not_of(' ') + 1);
      for (std::size_t x; (x = field.find("\\x")) != field.npos;) {
        field.replace(
            x, 4, 1,
            static_cast<char>(std::stoi(field.substr(x + 2, 2), nullptr, 16)));
      }
      row.push_back(field);
    }
    rows.push_back(row);
  }
  EXPECT_GT(rows.size(), 5u) << kind;
  return rows;
}

TEST(FileNames, SplitFileNameCompletes) {
  for (const Row& row : Rows("split")) {
    SCOPED_TRACE(row[1] + " in " + row[2]);
    ASSERT_EQ(row.size(), 7u);
    NameParts parts = SplitFileName(
        row[1], row[2],
        row[0] == "windows" ? PathStyle::kWindows : PathStyle::kPosix);
    EXPECT_EQ(parts.drive, row[3]);
    EXPECT_EQ(parts.directory, row[4]);
    EXPECT_EQ(parts.name, row[5]);
    EXPECT_EQ(parts.extension, row[6]);
  }
}

TEST(FileNames, Wildcards) {
  for (const Row& row : Rows("match")) {
    SCOPED_TRACE(row[0] + " vs " + row[1]);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(MatchesWildcard(row[0], row[1]), row[2] == "yes");
  }
  // A long pattern of stars against a long name must not explode.
  EXPECT_FALSE(
      MatchesWildcard(std::string(200, '*') + "b", std::string(5000, 'a')));
}

TEST(FileNames, SortOrder) {
  EXPECT_LT(CompareNames("a.000", "B.000"), 0);
  EXPECT_LT(CompareNames("B.000", "b.000"), 0);  // same folded: bytes decide
  EXPECT_GT(CompareNames("b.000", "B.000"), 0);
  EXPECT_LT(CompareNames("ab", "abc"), 0);
  EXPECT_LT(CompareNames("ab", "ABC"), 0);  // shorter first, whatever the case
  EXPECT_GT(CompareNames("ABC", "ab"), 0);
  EXPECT_EQ(CompareNames("x", "x"), 0);
  EXPECT_LT(CompareNames("ärger", "Ärgest"), 0);  // folded, then bytes
  EXPECT_LT(CompareNames("Ärger", "ärger"), 0);
  EXPECT_EQ(CompareNames("ā", "Ā"), 1);  // bytes one apart
}

TEST(FileNames, ReportNames) {
  EXPECT_EQ(ReportNameNextToInput("DEFAULT.000"), "DEFAULT.t00");
  EXPECT_EQ(ReportNameNextToInput("MY.OLD.000"), "MY.tLD.000");
  EXPECT_EQ(ReportNameNextToInput("NOEXT"), "NOEXT");
  EXPECT_EQ(ReportNameNextToInput("DOT."), "DOT.");
  EXPECT_EQ(ReportExtension(".000"), ".t00");
  EXPECT_EQ(ReportExtension("."), ".");
  EXPECT_EQ(ReportExtension(""), "");

  for (const Row& row : Rows("report")) {
    SCOPED_TRACE(row[0]);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(ReportPathFromOutputName(SplitFileName(row[0], "/cwd/"), row[1]),
              row[2]);
  }
}

TEST(FileNames, LooksLikeSetFileName) {
  EXPECT_TRUE(LooksLikeSetFileName("/out/REPORT.001"));
  EXPECT_TRUE(LooksLikeSetFileName("/v1.0/A.t00"));
  EXPECT_TRUE(LooksLikeSetFileName("/out/A.0"));
  EXPECT_FALSE(LooksLikeSetFileName("/out/A.t00"));
  EXPECT_FALSE(LooksLikeSetFileName("/out/A"));
  EXPECT_FALSE(LooksLikeSetFileName("/out/A."));
  EXPECT_FALSE(LooksLikeSetFileName("./A.000"));  // the first "." counts
}

}  // namespace
}  // namespace quorlith
