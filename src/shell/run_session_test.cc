#include "shell/run_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "report/report_text.h"
#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

// A two-character line end; the sessions below show CR CR LF turned into
// a one-character one.
TEST(LogPaneText, OneLinePerMessage) {
  struct Row {
    std::u16string_view log;
    std::u16string_view shown;
  };
  const Row rows[] = {
      {u"", u""},
      {u"one\r\r\ntwo\r\r\n", u"one\r\ntwo"},
      {u"no line end", u"no line end"},
      {u"usage\n\n  more\n", u"usage\r\n\r\n  more"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf16ToUtf8(row.shown));
    EXPECT_EQ(LogPaneText(row.log, u"\r\n"), row.shown);
  }
}

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
  void RestoreCursor() override { calls.push_back("cursor"); }
  void EndRun() override { calls.push_back("end"); }
  void ShowLog(std::u16string_view text) override {
    calls.push_back("show " + Utf16ToUtf8(text));
  }
  std::u16string_view LineEnd() const override { return u"|"; }

  bool exists = true;
  std::function<void()> at_pump;
  std::vector<std::string> calls;
};

class RunSessionTest : public ::testing::Test {
 protected:
  RunSessionTest() {
    fs_.AddFile("/s/A.000", SetFileBuilder().Bytes());
    fs_.AddFile("/s/B.000", SetFileBuilder().Bytes());
    EXPECT_TRUE(session_.AdoptLog(AllocateLogBuffer()));
  }

  using Calls = std::vector<std::string>;
  FakeFileSystem fs_;
  RunSession session_{fs_};
  RecordingHost host_;
};

TEST_F(RunSessionTest, PreparesRunsAndCleansUp) {
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  EXPECT_EQ(host_.calls,
            (Calls{"begin", "pump", "pump", "cursor", "end",
                   "show /s/A.000 decompiled to /s/A.t00.|/s/B.000 "
                   "decompiled to /s/B.t00.|2 file(s) decompiled."}));
  // A run started while one is going on does nothing.
  host_.calls.clear();
  host_.at_pump = [&] {
    host_.at_pump = nullptr;
    session_.Run(host_, RunMode::kDecompile, "/s/A", "");
    EXPECT_TRUE(session_.Running());
  };
  session_.Run(host_, RunMode::kDecompileTo, "/s/A", "/s/out.txt");
  EXPECT_EQ(host_.calls.size(), 5u);
  EXPECT_EQ(host_.calls.back(),
            "show /s/A.000 decompiled to /s/out.txt.|1 file(s) decompiled.");

  host_.calls.clear();
  const std::string kTooMany[] = {"a", "b", "c", "d"};
  session_.StartCommandLineRun(host_, kTooMany);
  ASSERT_EQ(host_.calls.size(), 1u);
  EXPECT_EQ(host_.calls[0].rfind("show Usage: quorlith", 0), 0u);
  EXPECT_EQ(host_.calls[0].find('\n'), std::string::npos);
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

  // No run starts again, nor without a log.
  host_.calls.clear();
  host_.exists = true;
  session_.Run(host_, RunMode::kDecompile, "/s/*", "");
  RunSession fresh(fs_);
  EXPECT_FALSE(fresh.AdoptLog(nullptr));
  fresh.Run(host_, RunMode::kDecompile, "/s/*", "");
  EXPECT_TRUE(host_.calls.empty());
}

}  // namespace
}  // namespace quorlith
