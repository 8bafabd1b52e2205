#include "runs/windows_file_names.h"

#include <gtest/gtest.h>

#include <string>

namespace quorlith {
namespace {

TEST(WindowsFileNames, SplitAndComplete) {
  struct Case {
    const char* path;
    const char* cwd;
    const char* drive;
    const char* directory;
    const char* name;
    const char* extension;
  };
  const Case kCases[] = {
      {R"(C:\SETS\DEFAULT)", R"(D:\W\)", "C:", R"(\SETS\)", "DEFAULT", ""},
      {R"(C:\SETS\*)", R"(D:\W\)", "C:", R"(\SETS\)", "*", ""},
      {"DEFAULT.000", R"(D:\W\)", "D:", R"(\W\)", "DEFAULT", ".000"},
      {"DEFAULT.000", R"(D:\W)", "D:", R"(\W\)", "DEFAULT", ".000"},
      {"DEFAULT.000", R"(D:\)", "D:", R"(\)", "DEFAULT", ".000"},
      {R"(\SETS\A.000)", R"(D:\W\)", "D:", R"(\SETS\)", "A", ".000"},
      {R"(sets\A.000)", R"(D:\W\)", "D:", R"(sets\)", "A", ".000"},
      {"C:A.000", R"(D:\W\)", "C:", "", "A", ".000"},
      {"c:/sets/a.000", R"(D:\W\)", "c:", "/sets/", "a", ".000"},
      {R"(C:\SETS/sub\*.0?0)", R"(D:\)", "C:", R"(\SETS/sub\)", "*", ".0?0"},
      {R"(C:\V1.0\A)", R"(D:\)", "C:", R"(\V1.0\)", "A", ""},
      {R"(C:\SETS\MY.OLD.000)", "", "C:", R"(\SETS\)", "MY.OLD", ".000"},
      {R"(C:\SETS\)", R"(D:\)", "C:", R"(\SETS\)", "", ""},
      {"", R"(D:\W\)", "D:", R"(\W\)", "", ""},
      {"1:x", R"(D:\)", "D:", R"(\)", "1:x", ""},
      // UNC paths and a working directory on a share.
      {R"(\\srv\share\sets\A.000)", R"(D:\)", R"(\\srv\share)", R"(\sets\)",
       "A", ".000"},
      {R"(//srv/share)", R"(D:\)", "//srv/share", R"(\)", "", ""},
      {"A.000", R"(\\srv\share\w\)", R"(\\srv\share)", R"(\w\)", "A", ".000"},
      {R"(\sets\A)", R"(\\srv\share\w\)", R"(\\srv\share)", R"(\sets\)", "A",
       ""},
      {R"(sets\A)", R"(\\srv\share\w\)", "", R"(sets\)", "A", ""},
      {R"(sets\A)", "", "", R"(sets\)", "A", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.path) + " in " + c.cwd);
    NameParts parts = SplitFileName(c.path, c.cwd, PathStyle::kWindows);
    EXPECT_EQ(parts.drive, c.drive);
    EXPECT_EQ(parts.directory, c.directory);
    EXPECT_EQ(parts.name, c.name);
    EXPECT_EQ(parts.extension, c.extension);
  }
  EXPECT_EQ(DriveOf(R"(\\srv\share\w\)"), R"(\\srv\share)");
  EXPECT_EQ(DriveOf("/w/"), "");
  // POSIX names keep a backslash as an ordinary character.
  EXPECT_EQ(SplitPath(R"(a\b.000)").name, R"(a\b)");
  EXPECT_EQ(SplitPath(R"(a\b.000)", PathStyle::kWindows).name, "b");
}

std::string Repeated(const char* text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(WindowsFileNames, Limits) {
  const std::string kFolder = R"(C:\)";  // 3 characters
  struct Case {
    std::string path;
    bool fits;
  };
  const Case kCases[] = {
      {kFolder + std::string(252, 'a') + ".000", true},   // 259
      {kFolder + std::string(253, 'a') + ".000", false},  // 260
      {kFolder + std::string(254, 'a') + ".000", false},  // 261
      {kFolder + std::string(251, 'a') + ".000", true},   // 258
      {kFolder + std::string(255, 'a'), true},            // name of 255
      {"C:" + std::string(256, 'b'), false},              // name of 256
      {R"(\)" + std::string(255, 'd') + R"(\)", false},   // directory of 257
      {R"(\)" + std::string(253, 'd') + R"(\)", true},    // directory of 255
      // Counted in UTF-16 units: Greek letters are one, emoji two.
      {kFolder + Repeated("\xCE\xB1", 252) + ".000", true},
      {kFolder + Repeated("\xCE\xB1", 253) + ".000", false},
      {kFolder + "\xF0\x9F\x98\x80" + std::string(251, 'a') + ".000", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path.size());
    EXPECT_EQ(FitsWindowsLimits(c.path), c.fits);
  }
}

}  // namespace
}  // namespace quorlith
