#include "cli/views.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/console_testing.h"
#include "report/report_testing.h"
#include "report/section_testing.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"
#include "text/report_text.h"

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
  PlayTranscript(fs_, ReadGolden("cli/views_changes.txt"));
}

// Every view's output, byte for byte, as it was before the views were
// made fast (tools/regen-view-goldens.sh), and on two workers as on one.
TEST_F(ViewsTest, OutputsAreAsBeforeOnAnyNumberOfWorkers) {
  fs_.SetCurrentDirectory("/tmp/quorlith-view-goldens/");
  for (const NamedSetFile& named : ViewGoldenFiles()) {
    // Of 1970: its local date is before the reports' first year in any
    // time zone, so the reports read the same on every machine.
    fs_.AddFile("/tmp/quorlith-view-goldens/" + named.name, named.file.Bytes(),
                0);
  }
  std::string golden = ReadGolden("views.cksum");
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("-j ") + jobs);
    PlayTranscript(fs_, golden, {"-j", jobs});
  }
}

TEST_F(ViewsTest, ExitStatusesAndUsage) {
  Add("A.000", BusySetFile(1));
  Add("B.000", BusySetFile(2));
  Add("C.000", BusySetFile(3));
  fs_.AddFile("/cwd/BAD.000", {1, 2, 3});
  PlayTranscript(fs_, ReadGolden("cli/views_statuses.txt"));
  // A view writes no report file.
  EXPECT_FALSE(fs_.Exists("/cwd/A.t00"));
  EXPECT_FALSE(fs_.Exists("/cwd/B.t00"));
  // The merge's conflicts and the compile went where they were told.
  EXPECT_TRUE(fs_.Exists("/cwd/K.t00"));
  EXPECT_TRUE(fs_.Exists("/o/A.000"));
}

TEST_F(ViewsTest, TextconvLeavesOutTheLinesThatNameTheFile) {
  Add("A.000", BusySetFile(1));
  std::vector<std::string> lines = Lines(Run({"--show", "A"}).out);
  ASSERT_TRUE(lines[2].starts_with("; Created from /cwd/A.000"));
  ASSERT_TRUE(lines[3].starts_with("; Set file last modified on 06/26/2009"));
  lines.erase(lines.begin() + 2, lines.begin() + 4);
  EXPECT_EQ(Lines(Run({"--show", "--textconv", "A"}).out), lines);
}

}  // namespace
}  // namespace quorlith
