#include "shell/run_session.h"

#include <gtest/gtest.h>

#include <vector>

#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// Records what the session asks of its window, in order.
class RecordingHost : public RunHost {
 public:
  bool WindowExists() override { return exists; }
  void BeginRun() override { calls.push_back("begin"); }
  bool Pump() override {
    calls.push_back("pump");
    if (at_pump) at_pump();
    return !exists;
  }
  void ShowProgress(std::u16string_view text) override {
    calls.push_back("progress " + Utf16ToUtf8(text));
  }
  void RestoreCursor() override { calls.push_back("cursor"); }
  void EndRun() override { calls.push_back("end"); }
  void ShowLog(std::u16string_view text,
               std::u16string_view shown_summary) override {
    calls.push_back("show " + Utf16ToUtf8(text));
    summary = Utf16ToUtf8(shown_summary);
  }
  std::u16string_view LineEnd() const override { return u"|"; }

  bool exists = true;
  std::string summary;
  std::function<void()> at_pump;
  std::vector<std::string> calls;
};

class RunSessionTest : public ::testing::Test {
 protected:
  RunSessionTest() {
    fs_.AddFile("/s/A.000", SetFileBuilder().Bytes());
    fs_.AddFile("/s/B.000", SetFileBuilder().Bytes());
    EXPECT_TRUE(session_.AdoptLog(AllocateLogBuffer()));
    // Far from any progress, unless a test moves the clock.
    session_.SetClock([] { return std::chrono::steady_clock::time_point(); });
  }

  using Calls = std::vector<std::string>;
  FakeFileSystem fs_;
  RunSession session_{fs_};
  RecordingHost host_;
};

// The log's CR CR LF become the pane's line end, none after the last line;
// a run started during a run does nothing.
TEST_F(RunSessionTest, PreparesRunsAndCleansUp) {
  host_.at_pump = [&] {
    host_.at_pump = nullptr;
    session_.Run(host_, RunMode::kDecompile, "/s/A", "");
    EXPECT_TRUE(session_.Running());
  };
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  EXPECT_EQ(host_.calls,
            (Calls{"begin", "pump", "pump", "cursor", "end",
                   "show /s/A.000 decompiled to /s/A.t00.|/s/B.000 "
                   "decompiled to /s/B.t00.|2 file(s) decompiled."}));

  host_.calls.clear();
  const std::string kTooMany[] = {"a", "b", "c", "d"};
  session_.StartCommandLineRun(host_, kTooMany);
  ASSERT_EQ(host_.calls.size(), 1u);
  EXPECT_TRUE(host_.calls[0].starts_with("show Usage: quorlith"));
  EXPECT_EQ(host_.calls[0].find('\n'), std::string::npos);
  EXPECT_EQ(host_.summary, "");
  EXPECT_FALSE(session_.LineHasView(0));  // the last run's lines are gone
}

// The summary counts what the log shows and what it had no room for,
// first; progress shows now and then during a run.
TEST_F(RunSessionTest, SummaryAndProgress) {
  fs_.AddFile("/s/Z.000", {1, 2, 3});
  fs_.AddFile("/s/C.001", SetFileBuilder()
                              .SetWord(BlockId::kKeyboard, 2, 20)
                              .SetWord(BlockId::kScreen, 2, 5)
                              .Bytes());
  struct Row {
    RunMode mode;
    const char* input;
    const char* output;
    std::size_t capacity;
    const char* summary;
  };
  const Row rows[] = {
      {RunMode::kDecompile, "/s/*", "", LogBuffer::kCapacity,
       "Decompiled 2 files, 1 error. Reports next to the set files."},
      {RunMode::kDecompileTo, "/s/A", "/s/out/", LogBuffer::kCapacity,
       "Decompiled 1 file, no errors. Report in /s/out."},
      {RunMode::kCompare, "/s/A.000", "/s/*.001", LogBuffer::kCapacity,
       "Compared 1 file, no errors; 2 settings differ. Report next to the "
       "new file."},
      {RunMode::kCompare, "/s/A.000", "/s/nothing", LogBuffer::kCapacity,
       "Compared 0 files, 1 error; 0 settings differ."},
      // Room for the first line only: the error and the count are left out.
      {RunMode::kDecompile, "/s/*", "", 40,
       "Decompiled 2 files, 1 error. Reports next to the set files. The log "
       "left out 3 lines."},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(session_.AdoptLog(
        std::make_unique<LogBuffer>(LogBuffer::Echo(), row.capacity)));
    session_.Run(host_, row.mode, row.input, row.output);
    EXPECT_EQ(host_.summary, row.summary);
  }
  // 300 ms a tick: of three pumps, the second shows progress.
  int ticks = 0;
  session_.SetClock([&] {
    return std::chrono::steady_clock::time_point() +
           std::chrono::milliseconds(300 * ticks++);
  });
  host_.calls.clear();
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  host_.calls.resize(7);  // the log's text after them
  EXPECT_EQ(host_.calls, (Calls{"begin", "pump", "progress 2 of 3", "pump",
                                "pump", "cursor", "end"}));
}

// Each log line that names a report opens it, each comparison line its
// changes; F8 finds the error lines.
TEST_F(RunSessionTest, LinesLeadToReportsChangesAndErrors) {
  fs_.AddFile("/s/Z.000", {1, 2, 3});
  fs_.AddFile("/s/N.001",
              SetFileBuilder().SetWord(BlockId::kKeyboard, 2, 20).Bytes());
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  // A.000 ..., B.000 ..., the error for Z.000, the count.
  EXPECT_EQ(session_.ErrorLine(0, true), 2u);
  EXPECT_EQ(session_.ErrorLine(2, true), std::nullopt);
  EXPECT_EQ(session_.ErrorLine(3, false), 2u);
  EXPECT_EQ(session_.ErrorLine(2, false), std::nullopt);
  for (std::size_t line = 0; line < 5; ++line) {
    EXPECT_EQ(session_.LineHasView(line), line < 2) << line;
  }
  ViewerText view;
  std::u16string error;
  ASSERT_TRUE(session_.ViewLine(1, view, error));
  EXPECT_EQ(view.title, u"B.t00 - Report");
  EXPECT_EQ(view.name, u"Report");
  EXPECT_EQ(view.Lines()[view.first_line], u"Screen_Voice = Off");
  EXPECT_FALSE(session_.ViewLine(2, view, error));
  EXPECT_TRUE(error.empty());

  session_.Run(host_, RunMode::kCompare, "/s/A.000", "/s/N.001");
  ASSERT_TRUE(session_.ViewLine(0, view, error));
  EXPECT_EQ(view.title, u"A.000 → N.001 - Changes");
  EXPECT_EQ(view.name, u"Changes");
  EXPECT_EQ(view.Lines()[0], u"1 setting differs in all.");
  // A report that is gone is an error naming it.
  session_.Run(host_, RunMode::kDecompile, "/s/A", "");
  ASSERT_TRUE(fs_.Remove("/s/A.t00"));
  EXPECT_FALSE(session_.ViewLine(0, view, error));
  EXPECT_EQ(error, u"Error: Cannot open file /s/A.t00");
}

TEST_F(RunSessionTest, DestroyedWindowEndsTheRunAndFreesTheLogAfterIt) {
  host_.at_pump = [&] {
    host_.exists = false;
    session_.WindowDestroyed();
    session_.ReleaseLog();
    EXPECT_NE(session_.Log(), nullptr);  // the run still writes to it
  };
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  EXPECT_EQ(host_.calls, (Calls{"begin", "pump", "cursor"}));
  EXPECT_EQ(session_.Log(), nullptr);
  EXPECT_FALSE(session_.Running());

  // No run starts again, even with a log; nor one without a log.
  host_.calls.clear();
  host_.exists = true;
  ASSERT_TRUE(session_.AdoptLog(AllocateLogBuffer()));
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  RunSession fresh(fs_);
  EXPECT_FALSE(fresh.AdoptLog(nullptr));
  fresh.Run(host_, RunMode::kDecompile, "/s/*", "");
  EXPECT_TRUE(host_.calls.empty());
}

// The desktop's own options take one file each (the shell's tests open
// what they ask for); any other form stays a run of the command line.
TEST(StartRequest, OtherFormsRunAndQuotesGo) {
  for (const std::vector<std::string>& names :
       {std::vector<std::string>{"a"}, {"--view"}, {"--edit", "a", "b"}}) {
    EXPECT_EQ(StartRequestFor(names).kind, StartRequest::Kind::kRun);
  }
  EXPECT_EQ(WithoutQuotes("\"D:\\My Sets\\A B.000\""), "D:\\My Sets\\A B.000");
  for (const char* kept : {"\"", "a\"", "\"a", "a \"b\""}) {
    EXPECT_EQ(WithoutQuotes(kept), kept);
  }
}

// What the dialogs hand to a run, whichever toolkit draws them: the
// Decompile dialog's mode grows a step with an output name and one with
// the ticked box; OK waits for an input, or a report and an output.
TEST(DialogRequest, ModeAndReadiness) {
  EXPECT_EQ(DecompileRequestFrom("s", "", false).mode, RunMode::kDecompile);
  EXPECT_EQ(DecompileRequestFrom("s", "r/", false).mode, RunMode::kDecompileTo);
  EXPECT_EQ(DecompileRequestFrom("s", "", true).mode, RunMode::kDecompileTo);
  EXPECT_TRUE(Ready(DecompileRequestFrom(" ", "", false)));
  EXPECT_FALSE(Ready(DecompileRequestFrom("", "r/", true)));
  EXPECT_TRUE(Ready(CompileRequest{"A.t00", "", "B.000"}));
  EXPECT_FALSE(Ready(CompileRequest{"A.t00", "C.000", ""}));
  EXPECT_FALSE(Ready(CompileRequest{"", "C.000", "B.000"}));
}

TEST(RunSummary, GroupedNumbers) {
  std::u16string shown;
  for (std::int64_t number : {0, 999, 1000, 1500, 1234567, -1500}) {
    shown += GroupedNumber(number) + u" ";
  }
  EXPECT_EQ(shown, u"0 999 1,000 1,500 1,234,567 -1,500 ");
}

}  // namespace
}  // namespace quorlith
