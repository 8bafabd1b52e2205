#include "cli/views.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/console.h"
#include "report/report_text.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(FakeFileSystem& fs, std::vector<const char*> args) {
  args.insert(args.begin(), "quorlith");
  std::ostringstream out, err;
  int status =
      RunConsole(static_cast<int>(args.size()), args.data(), out, err, fs);
  return {status, out.str(), err.str()};
}

std::string Bytes(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A report file's bytes as --show writes them by default: UTF-8 without
// the byte order mark, LF line ends.
std::string AsShown(const std::vector<std::uint8_t>& report) {
  std::u16string text;
  for (std::size_t i = 2; i + 1 < report.size(); i += 2) {
    text.push_back(static_cast<char16_t>(report[i] | (report[i + 1] << 8)));
  }
  std::string utf8 = Utf16ToUtf8(text);
  std::erase(utf8, '\r');
  return utf8;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// keyword -> value of a shown report's setting lines.
std::vector<std::pair<std::string, std::string>> Settings(
    const std::string& shown) {
  std::vector<std::pair<std::string, std::string>> settings;
  for (const std::string& line : Lines(shown)) {
    std::size_t equals = line.find(" = ");
    if (line.empty() || line[0] == ';' || equals == std::string::npos) continue;
    settings.emplace_back(line.substr(0, equals), line.substr(equals + 3));
  }
  return settings;
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
  Outcome Run(std::vector<const char*> args) {
    return RunWith(fs_, std::move(args));
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

    Outcome show = Run({"--show", "A.000"});
    EXPECT_EQ(show.status, kViewSame);
    // EXPECT_TRUE: a whole report in a failure message helps no one.
    EXPECT_TRUE(show.out == AsShown(decompiled)) << i;
    EXPECT_TRUE(Run({"--show", "--encoding", "utf-16", "A"}).out ==
                Bytes(decompiled))
        << i;
    Outcome crlf = Run({"--show", "--crlf", "A.000"});
    std::erase(crlf.out, '\r');
    EXPECT_TRUE(crlf.out == show.out) << i;

    Outcome comparison = Run({"--show", "A.000", "B.000"});
    EXPECT_TRUE(comparison.out == AsShown(compared)) << i;
    bool same =
        comparison.out.find(";There are no differences") != std::string::npos;
    EXPECT_EQ(comparison.status, same ? kViewSame : kViewDifferent);
    EXPECT_TRUE(Run({"--show", "--encoding=utf-16", "A.000", "B.000"}).out ==
                Bytes(compared))
        << i;
  }
}

TEST_F(ViewsTest, ChangesAreTheComparisonsLinesWithTheOriginalsValues) {
  std::mt19937 random(8);
  for (int i = 0; i < 40; ++i) {
    Round(i);
    Add("A.000", RandomSetFile(random));
    Add("B.000", RandomSetFile(random));
    auto before = Settings(Run({"--show", "A.000"}).out);
    std::map<std::string, std::string> old(before.begin(), before.end());
    auto after = Settings(Run({"--show", "A.000", "B.000"}).out);
    Outcome changes = Run({"--changes", "A.000", "B.000"});
    std::vector<std::string> lines = Lines(changes.out);
    if (after.empty()) {
      EXPECT_EQ(changes.out, "No differences.\n");
      EXPECT_EQ(changes.status, kViewSame);
      continue;
    }
    EXPECT_EQ(changes.status, kViewDifferent);
    ASSERT_GT(lines.size(), after.size());
    for (std::size_t k = 0; k < after.size(); ++k) {
      const auto& [keyword, value] = after[k];
      std::string tail = " › " + keyword + ": ";
      std::size_t at = lines[k].find(tail);
      ASSERT_NE(at, std::string::npos) << lines[k];
      std::string values = lines[k].substr(at + tail.size());
      EXPECT_TRUE(values.ends_with(" → " + value)) << lines[k];
      // A hyperactive window's search lines follow the new file's
      // trigger; the original's own report may not have them.
      if (old.count(keyword)) {
        EXPECT_EQ(values, old[keyword] + " → " + value) << lines[k];
      }
    }
    EXPECT_EQ(lines.back(), std::to_string(after.size()) +
                                (after.size() == 1 ? " setting differs"
                                                   : " settings differ") +
                                " in all.");
  }
}

TEST_F(ViewsTest, SummaryAgreesWithEachFilesChanges) {
  std::mt19937 random(9);
  SetFileBuilder original = BusySetFile(3);
  Add("O.000", original);
  // Files that share some changes, so values group.
  const char* names[] = {"N1.000", "N2.000", "N3.000", "N4.000", "N5.000"};
  for (const char* name : names) {
    SetFileBuilder file = original;
    file.SetWord(BlockId::kKeyboard, 2,
                 static_cast<std::uint16_t>(random() % 3));
    file.SetWord(BlockId::kScreen, 2 * (random() % 20),
                 static_cast<std::uint16_t>(random() % 4));
    Add(name, file);
  }
  // setting -> (original value, new value -> files)
  std::map<
      std::string,
      std::pair<std::string, std::map<std::string, std::vector<std::string>>>>
      expected;
  std::map<std::string, int> files_changed;
  for (const char* name : names) {
    for (const std::string& line :
         Lines(Run({"--changes", "O.000", name}).out)) {
      std::size_t colon = line.find(": ");
      std::size_t arrow = line.find(" → ");
      if (arrow == std::string::npos) continue;
      std::string label = line.substr(0, colon);
      expected[label].first = line.substr(colon + 2, arrow - colon - 2);
      expected[label].second[line.substr(arrow + 5)].push_back(name);
      ++files_changed[label];
    }
  }
  ASSERT_GE(expected.size(), 3u);
  Outcome summary = Run({"--changes", "--summary", "O.000", "N?.000"});
  EXPECT_EQ(summary.status, kViewDifferent);
  std::vector<std::string> lines = Lines(summary.out);
  ASSERT_EQ(lines.size(), expected.size() + 1);
  int previous = 1000;
  for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
    std::size_t colon = lines[k].find(": ");
    std::string label = lines[k].substr(0, colon);
    ASSERT_TRUE(expected.count(label)) << lines[k];
    EXPECT_LE(files_changed[label], previous) << "most-changed first";
    previous = files_changed[label];
    std::string rest = lines[k].substr(colon + 2);
    EXPECT_TRUE(rest.starts_with(expected[label].first + " → ")) << lines[k];
    for (const auto& [value, files] : expected[label].second) {
      std::string in = "→ " + value + " in ";
      for (std::size_t f = 0; f < files.size(); ++f) {
        in += (f ? ", " : "") + files[f];
      }
      EXPECT_NE(rest.find(in), std::string::npos) << lines[k] << " / " << in;
    }
  }
}

TEST_F(ViewsTest, SummaryCountsInWords) {
  SetFileBuilder file = BusySetFile(3);
  Add("O.000", file);
  file.SetWord(BlockId::kKeyboard, 2, 1234);
  Add("N.000", file);
  EXPECT_EQ(Run({"--changes", "--summary", "O.000", "?.000"}).out,
            "Menu 2 - Keyboard › Key_Rate: 3 → 1234 in N.000\n"
            "1 setting differs in 1 of 2 files.\n");
  file.SetWord(BlockId::kKeyboard, 4, 4321);
  Add("N.000", file);
  // Settings that differ in as many files keep the report's order.
  std::vector<std::string> lines =
      Lines(Run({"--changes", "--summary", "O.000", "N.000"}).out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].starts_with("Menu 2 - Keyboard › Key_Rate: "))
      << lines[0];
  EXPECT_EQ(lines[2], "2 settings differ in 1 of 1 file.");
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
    Outcome outcome = Run(c.args);
    std::string line;
    for (const char* arg : c.args) line += std::string(arg) + " ";
    EXPECT_EQ(outcome.status, c.status) << line << outcome.err;
    if (c.status == kViewTrouble) {
      EXPECT_NE(outcome.err, "") << line;
    }
  }
  EXPECT_EQ(Run({"--show", "MISSING"}).err,
            "Error: File /cwd/MISSING.000 cannot be found.\n");
  // A view writes no report file.
  EXPECT_FALSE(fs_.Exists("/cwd/A.t00"));
  EXPECT_FALSE(fs_.Exists("/cwd/B.t00"));
}

TEST_F(ViewsTest, TextconvLeavesOutTheLinesThatNameTheFile) {
  Add("A.000", BusySetFile(1));
  std::string full = Run({"--show", "A"}).out;
  std::string conv = Run({"--show", "--textconv", "A"}).out;
  std::vector<std::string> lines = Lines(full);
  ASSERT_TRUE(lines[2].starts_with("; Created from /cwd/A.000"));
  ASSERT_TRUE(lines[3].starts_with("; Set file last modified on 06/26/2009"));
  lines.erase(lines.begin() + 2, lines.begin() + 4);
  std::string expected;
  for (const std::string& line : lines) expected += line + "\n";
  EXPECT_EQ(conv, expected);
}

TEST_F(ViewsTest, JsonHoldsEverySettingOfTheReport) {
  Add("A.000", BusySetFile(4), 0);
  Add("B.000", BusySetFile(5), 60);
  std::string json = Run({"--json", "A"}).out;
  EXPECT_TRUE(json.starts_with(
      R"([{"path":"/cwd/A.000","modified":"1970-01-01T00:00:00Z","settings":[)"
      R"({"section":"Menu 1 - Screen","keyword":"Screen_Voice",)"));
  std::size_t settings = Settings(Run({"--show", "A"}).out).size();
  std::size_t keywords = 0;
  for (std::size_t at = 0;
       (at = json.find("\"keyword\":", at)) != std::string::npos; ++at) {
    ++keywords;
  }
  EXPECT_EQ(keywords, settings);
  std::vector<std::string> lines = Lines(Run({"--json-lines", "?.000"}).out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[1].starts_with(
      R"({"path":"/cwd/B.000","modified":"1970-01-01T00:01:00Z",)"));
  std::string compared = Run({"--json", "A.000", "B.000"}).out;
  EXPECT_NE(compared.find(R"("original":{"path":"/cwd/A.000")"),
            std::string::npos);
}

}  // namespace
}  // namespace quorlith
