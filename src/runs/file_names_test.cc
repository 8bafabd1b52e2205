#include "runs/file_names.h"

#include <gtest/gtest.h>

namespace quorlith {
namespace {

TEST(FileNames, SplitFileNameCompletes) {
  struct Case {
    const char* path;
    const char* directory;
    const char* name;
    const char* extension;
  };
  const Case kCases[] = {
      {"DEFAULT.000", "/home/u/", "DEFAULT", ".000"},
      {"DEFAULT", "/home/u/", "DEFAULT", ""},
      {"*", "/home/u/", "*", ""},
      {"MY.OLD.000", "/home/u/", "MY.OLD", ".000"},
      {"/sets/DEFAULT", "/sets/", "DEFAULT", ""},
      {"/sets/", "/sets/", "", ""},
      {"sets/a.000", "sets/", "a", ".000"},
      {"/v1.0/a", "/v1.0/", "a", ""},
      {".000", "/home/u/", "", ".000"},
      {"a.", "/home/u/", "a", "."},
      {"", "/home/u/", "", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    NameParts parts = SplitFileName(c.path, "/home/u/");
    EXPECT_EQ(parts.drive, "");
    EXPECT_EQ(parts.directory, c.directory);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.extension, c.extension);
  }
  EXPECT_EQ(SplitFileName("a", "/").directory, "/");
  EXPECT_EQ(SplitFileName("a", "/x").directory, "/x/");
}

TEST(FileNames, Wildcards) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case kCases[] = {
      {"*.000", "DEFAULT.000", true},
      {"*.000", "default.000", true},
      {"*.000", "DEFAULT.001", false},
      {"*.000", ".000", true},
      {"DEFAULT.000", "default.000", true},
      {"default.000", "DEFAULT.000", true},
      {"?.000", "A.000", true},
      {"?.000", "AB.000", false},
      {"*", "anything at all", true},
      {"*.*", "noext", false},
      {"*a*b*c", "xxaxxbxxc", true},
      {"*a*b*c", "xxaxxcxxb", false},
      // Characters, not bytes; every letter that has a case folds.
      {"B?ro", "Büro", true},
      {"B??ro", "Büro", false},
      {"*\xBC", "Büro", false},  // the last byte of ü is no character
      {"ä*", "Ärger.000", true},
      {"ÄRGER", "ärger", true},
      {"σς", "ΣΣ", true},
      {"k", "\u212A", true},  // the Kelvin sign
      {"\U00010428", "\U00010400", true},
      {"ss", "ß", false},  // simple folding: one character stays one
      {"?", "\xFF", true},
      {"\xFF", "\xFE", false},
      {"\xC3", "Ã", false},
      {"**.000", "x.000", true},
      {"*.0?0", "x.0t0", true},
      {"", "", true},
      {"", "a", false},
      {"*.000", "my sets.000", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.pattern) + " vs " + c.name);
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches);
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

  struct Case {
    const char* output;
    const char* entry;
    const char* expected;
  };
  const Case kCases[] = {
      {"/reports/", "DEFAULT.000", "/reports/DEFAULT.t00"},
      {"/reports/ALL.TXT", "DEFAULT.000", "/reports/ALL.TXT"},
      {"/reports/ALL", "DEFAULT.000", "/reports/ALL.t00"},
      {"/reports/.txt", "DEFAULT.000", "/reports/DEFAULT.txt"},
      {"REPORT.001", "A.000", "/cwd/REPORT.001"},
      {"", "MY.OLD.000", "/cwd/MY.OLD.t00"},
      {"/r/*.x", "A.000", "/r/*.x"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.output);
    EXPECT_EQ(
        ReportPathFromOutputName(SplitFileName(c.output, "/cwd/"), c.entry),
        c.expected);
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
