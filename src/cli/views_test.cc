#include "cli/views.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/console_testing.h"
#include "report/report_testing.h"
#include "report/report_text.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

std::string Bytes(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A report file's bytes as --show writes them: UTF-8 without the byte
// order mark, LF line ends unless `crlf`.
std::string AsShown(const std::vector<std::uint8_t>& report,
                    bool crlf = false) {
  std::string utf8 = Utf8OfUtf16Bytes(std::span(report).subspan(2));
  if (!crlf) std::erase(utf8, '\r');
  return utf8;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ViewsTest : public ::testing::Test {
 protected:
  ViewsTest() { fs_.SetCurrentDirectory("/cwd/"); }

  // Gives each round of a property its own folder.
  void Round(int i) {
    dir_ = "/cwd/" + std::to_string(i) + "/";
    fs_.SetCurrentDirectory(dir_);
  }
  void Add(const std::string& name, const SetFileBuilder& file,
           std::int64_t modified = 1246025278) {
    fs_.AddFile(dir_ + name, file.Bytes(), modified);
  }
  ConsoleOutcome Run(std::vector<const char*> args) {
    return RunConsoleWith(fs_, std::move(args));
  }
  const std::vector<std::uint8_t>& FileBytes(const std::string& name) {
    return fs_.Find(dir_ + name)->bytes;
  }

  std::string dir_ = "/cwd/";
  FakeFileSystem fs_;
};

TEST_F(ViewsTest, ShowIsTheReportFileConverted) {
  std::mt19937 random(7);
  for (int i = 0; i < 40; ++i) {
    Round(i);
    Add("A.000", RandomSetFile(random));
    Add("B.000", RandomSetFile(random), 915148800);
    ASSERT_EQ(Run({"A.000"}).status, kExitOk);
    ASSERT_EQ(Run({"A.000", "B.000", "x"}).status, kExitOk);
    const auto& decompiled = FileBytes("A.t00");
    const auto& compared = FileBytes("B.t00");
    // EXPECT_TRUE: a whole report in a failure message helps no one.
    EXPECT_TRUE(Run({"--show", "A.000"}).out == AsShown(decompiled)) << i;
    EXPECT_TRUE(Run({"--show", "--crlf", "A.000"}).out ==
                AsShown(decompiled, true))
        << i;
    EXPECT_TRUE(Run({"--show", "--encoding", "utf-16", "A"}).out ==
                Bytes(decompiled))
        << i;
    EXPECT_TRUE(Run({"--show", "A.000", "B.000"}).out == AsShown(compared))
        << i;
    EXPECT_TRUE(Run({"--show", "--encoding=utf-16", "A.000", "B.000"}).out ==
                Bytes(compared))
        << i;
  }
}

// O2 is O; N1 to N3 change Key_Rate, two of them alike, and one more
// setting each.
TEST_F(ViewsTest, ChangesAndTheirSummary) {
  SetFileBuilder original = BusySetFile(3);  // Key_Rate 3, Key_Pitch 4
  SetFileBuilder n1 = original, n2 = original, n3 = original;
  n1.SetWord(BlockId::kKeyboard, 2, 20).SetWord(BlockId::kScreen, 2, 5);
  n2.SetWord(BlockId::kKeyboard, 2, 10);
  n3.SetWord(BlockId::kKeyboard, 2, 10).SetWord(BlockId::kKeyboard, 4, 7);
  Add("O.000", original);
  Add("O2.000", original);
  Add("N1.000", n1);
  Add("N2.000", n2);
  Add("N3.000", n3);
  struct Case {
    std::vector<const char*> args;
    int status;
    const char* out;
  };
  const Case kCases[] = {
      {{"--changes", "O.000", "N1.000"},
       kViewDifferent,
       "Menu 1 - Screen › Screen_Rate: 4 → 5\n"
       "Menu 2 - Keyboard › Key_Rate: 3 → 20\n"
       "1 setting differs in Menu 1 - Screen.\n"
       "1 setting differs in Menu 2 - Keyboard.\n"
       "2 settings differ in all.\n"},
      // A pattern heads each file's changes.
      {{"--changes", "O.000", "?2.000"},
       kViewDifferent,
       "/cwd/O.000 → /cwd/N2.000:\n"
       "Menu 2 - Keyboard › Key_Rate: 3 → 10\n"
       "1 setting differs in Menu 2 - Keyboard.\n"
       "1 setting differs in all.\n"
       "/cwd/O.000 → /cwd/O2.000:\n"
       "No differences.\n"},
      {{"--changes", "O.000", "O2"}, kViewSame, "No differences.\n"},
      // The settings most files changed first, then the report's order;
      // each setting's commonest value first.
      {{"--changes", "--summary", "O.000", "*"},
       kViewDifferent,
       "Menu 2 - Keyboard › Key_Rate: 3 → 10 in N2.000, N3.000; → 20 in "
       "N1.000\n"
       "Menu 1 - Screen › Screen_Rate: 4 → 5 in N1.000\n"
       "Menu 2 - Keyboard › Key_Pitch: 4 → 7 in N3.000\n"
       "3 settings differ in 3 of 5 files.\n"},
      {{"--changes", "--summary", "O.000", "?2.000"},
       kViewDifferent,
       "Menu 2 - Keyboard › Key_Rate: 3 → 10 in N2.000\n"
       "1 setting differs in 1 of 2 files.\n"},
      {{"--changes", "--summary", "O.000", "N3"},
       kViewDifferent,
       "Menu 2 - Keyboard › Key_Rate: 3 → 10 in N3.000\n"
       "Menu 2 - Keyboard › Key_Pitch: 4 → 7 in N3.000\n"
       "2 settings differ in 1 of 1 file.\n"},
      {{"--changes", "--summary", "O.000", "O?"},
       kViewSame,
       "No differences.\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args[c.args.size() - 1]);
    ConsoleOutcome outcome = Run(c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.out);
  }
}

TEST_F(ViewsTest, ExitStatusesAndUsage) {
  Add("A.000", BusySetFile(1));
  Add("B.000", BusySetFile(2));
  Add("C.000", BusySetFile(3));
  fs_.AddFile("/cwd/BAD.000", {1, 2, 3});
  struct Case {
    std::vector<const char*> args;
    int status;
  };
  const Case kCases[] = {
      {{"--show", "A"}, kViewSame},
      {{"--show", "A.000", "A.000"}, kViewSame},
      {{"--show", "A.000", "B"}, kViewDifferent},  // the original's extension
      {{"--show", "A.000", "?"}, kViewDifferent},  // one of them differs
      {{"--show", "A", "A.000"}, kViewTrouble},    // as a comparison run: no
                                                   // extension is added
      {{"--show", "A.000", "MISSING"}, kViewTrouble},
      {{"--show", "MISSING"}, kViewTrouble},
      {{"--show", "A*", "B.000"}, kViewTrouble},  // one original
      {{"--changes", "A.000", "BAD"}, kViewTrouble},
      {{"--changes", "A.000", "*"}, kViewTrouble},  // BAD among them wins
      {{"--json", "*"}, kViewTrouble},
      {{"--json-lines", "A"}, kViewSame},
      {{"--changes", "--ignore", "*", "A.000", "B.000"}, kViewSame},
      // Command lines a view cannot take.
      {{"--show"}, kExitUsage},
      {{"--show", "A", "B", "C"}, kExitUsage},
      {{"--changes", "A"}, kExitUsage},
      {{"--summary", "A"}, kExitUsage},
      {{"--show", "--json", "A"}, kExitUsage},
      {{"--encoding", "utf-16", "A"}, kExitUsage},
      {{"--show", "--encoding", "latin1", "A"}, kExitUsage},
      {{"--json", "--crlf", "A"}, kExitUsage},
      {{"--show", "--textconv", "A", "B"}, kExitUsage},
      {{"--show", "--ignore", "x", "A"}, kExitUsage},
      {{"--ignore", "x", "A", "B", "C"}, kExitUsage},
      {{"--find", "any_hot_key = Nowhere-x", "A"}, kViewTrouble},
      {{"--find", "Key_Rate = 12345", "A"}, kViewDifferent},  // none found
      {{"--find", "Key_Rate = 1", "A", "B"}, kExitUsage},
      {{"--compile", "A.t00"}, kExitUsage},  // no -o
      {{"--base", "A.000", "-o", "X.000"}, kExitUsage},
      {{"--compile", "A.t00", "-o", "X.000", "A"}, kExitUsage},
      {{"--compile", "MISSING.t00", "-o", "X.000"}, kExitRunError},
      // A merge: 0 merged, 1 conflicts, 2 trouble or usage.
      {{"--merge", "A", "A", "B", "-o", "M.000"}, kExitOk},
      {{"--merge", "A", "B", "A", "--dry-run", "-o", "M.000"}, kExitOk},
      {{"--merge", "A", "B", "C", "-o", "M.000"}, kExitRunError},
      {{"--merge", "A", "B", "C", "--theirs", "-o", "M.000"}, kExitOk},
      {{"--merge", "BAD", "A", "B", "-o", "M.000"}, kViewTrouble},
      {{"--merge", "A", "B", "-o", "M.000"}, kExitUsage},
      {{"--merge", "A", "A", "B"}, kExitUsage},  // no -o
      {{"--merge", "A", "A", "B", "-o", "M", "--mine", "--theirs"}, kExitUsage},
      {{"--merge", "A", "A", "B", "--git-driver", "A.000", "-o", "M"},
       kExitUsage},
      {{"--mine", "A"}, kExitUsage},
      {{"--merge", "A", "A", "B", "-o", "M", "--compile", "R"}, kExitUsage},
  };
  for (const Case& c : kCases) {
    ConsoleOutcome outcome = Run(c.args);
    std::string line;
    for (const char* arg : c.args) line += std::string(arg) + " ";
    EXPECT_EQ(outcome.status, c.status) << line << outcome.err;
    if (c.status == kViewTrouble) {
      EXPECT_NE(outcome.err, "") << line;
    }
  }
  EXPECT_EQ(Run({"--show", "MISSING"}).err,
            "Error: File /cwd/MISSING.000 cannot be found.\n");
  EXPECT_EQ(Run({"--find", "any_hot_key = Nowhere-x", "A"}).err,
            "quorlith: --find: \"Nowhere-x\" is not a key name\n");
  // A view writes no report file.
  EXPECT_FALSE(fs_.Exists("/cwd/A.t00"));
  EXPECT_FALSE(fs_.Exists("/cwd/B.t00"));
}

TEST_F(ViewsTest, TextconvLeavesOutTheLinesThatNameTheFile) {
  Add("A.000", BusySetFile(1));
  std::vector<std::string> lines = Lines(Run({"--show", "A"}).out);
  ASSERT_TRUE(lines[2].starts_with("; Created from /cwd/A.000"));
  ASSERT_TRUE(lines[3].starts_with("; Set file last modified on 06/26/2009"));
  lines.erase(lines.begin() + 2, lines.begin() + 4);
  EXPECT_EQ(Lines(Run({"--show", "--textconv", "A"}).out), lines);
}

// Every setting is there, as the JSON schema test checks; here how the
// objects are put together.
TEST_F(ViewsTest, JsonIsAnArrayOfTheLinesObjects) {
  Add("A.000", BusySetFile(4), 0);
  Add("B.000", BusySetFile(5), 60);
  std::vector<std::string> lines = Lines(Run({"--json-lines", "?.000"}).out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].starts_with(
      R"({"path":"/cwd/A.000","modified":"1970-01-01T00:00:00Z","settings":[)"
      R"({"section":"Menu 1 - Screen","keyword":"Screen_Voice",)"));
  EXPECT_TRUE(lines[1].starts_with(
      R"({"path":"/cwd/B.000","modified":"1970-01-01T00:01:00Z",)"));
  EXPECT_EQ(Run({"--json", "?.000"}).out,
            "[" + lines[0] + "," + lines[1] + "]\n");
  lines = Lines(Run({"--json-lines", "A.000", "?.000"}).out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find(R"("original":{"path":"/cwd/A.000")"),
            std::string::npos);
  EXPECT_EQ(Run({"--json", "A.000", "?.000"}).out,
            "[" + lines[0] + "," + lines[1] + "]\n");
}

}  // namespace
}  // namespace quorlith
