#include "runs/compile_run.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "report/report_testing.h"
#include "report/report_writer.h"
#include "runs/fake_file_system.h"
#include "runs/log_testing.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The decompile report of `file`, made from `path`, with Key_Rate's value
// replaced by `key_rate`.
std::u16string ReportOf(const std::string& path, const SetFileBuilder& file,
                        std::u16string_view key_rate) {
  ReportText rendered;
  RenderDecompileReport({path, {}}, file.Image(), rendered);
  std::u16string text(rendered.view());
  std::size_t at = text.find(u"\r\nKey_Rate = ") + 13;
  text.replace(at, text.find(u"\r\n", at) - at, key_rate);
  return text;
}

class CompileRunTest : public ::testing::Test {
 protected:
  CompileRunTest() {
    fs_.SetCurrentDirectory("/c/");
    fs_.AddFile("/c/A.000", a_.Bytes());
    fs_.AddFile("/c/B.000", b_.Bytes());
    fs_.AddFile("/c/A.t00", Utf16Bytes(report_));
  }

  // Runs the compile; returns its log, one line per message.
  std::string Compile(CompileRequest request, int expected_written) {
    MarkedLog log;
    EXPECT_EQ(RunCompile(fs_, log.buffer(), request), expected_written)
        << log.Text();
    return log.Text();
  }

  // Runs `request` on one worker, then, its outputs removed, on three:
  // both must log the same and leave the same files. Returns the log.
  std::string CompileOnOneAndOnThree(CompileRequest request, int written) {
    request.jobs = 1;
    std::string serial = Compile(request, written);
    std::map<std::string, Bytes> files = Files();
    for (const auto& [path, bytes] : files) {
      if (path.starts_with("/out/")) fs_.Remove(path);
    }
    request.jobs = 3;
    EXPECT_EQ(Compile(request, written), serial);
    EXPECT_TRUE(Files() == files);
    return serial;
  }

  std::map<std::string, Bytes> Files() {
    std::map<std::string, Bytes> files;
    for (const std::string& path : fs_.Paths()) {
      files[path] = fs_.Find(path)->bytes;
    }
    return files;
  }

  static Bytes WithKeyRate77(SetFileBuilder file) {
    return file.SetWord(BlockId::kKeyboard, 2, 77).Bytes();
  }

  SetFileBuilder a_ = BusySetFile(2);
  SetFileBuilder b_ = BusySetFile(3);
  std::u16string report_ = ReportOf("/c/A.000", a_, u"77");
  FakeFileSystem fs_;
};

TEST_F(CompileRunTest, WritesTheWholeFileThroughATemporaryName) {
  EXPECT_EQ(Compile({"A.t00", "", "/out/NEW.000"}, 1),
            "  A.t00 compiled over /c/A.000 to /out/NEW.000.\n");
  EXPECT_EQ(Files(), (std::map<std::string, Bytes>{
                         {"/c/A.000", a_.Bytes()},
                         {"/c/A.t00", Utf16Bytes(report_)},
                         {"/c/B.000", b_.Bytes()},
                         {"/out/NEW.000", WithKeyRate77(a_)}}));
  // An editor's save: UTF-8 with a byte order mark and LF line ends.
  std::string utf8 = "\xEF\xBB\xBF" + Utf16ToUtf8(report_.substr(1));
  std::erase(utf8, '\r');
  fs_.AddFile("/c/E.txt", {utf8.begin(), utf8.end()});
  Compile({"E.txt", "", "/out/E.000"}, 1);
  EXPECT_EQ(fs_.Find("/out/E.000")->bytes, WithKeyRate77(a_));
}

// Over many bases into a folder, some of which fail, on one worker and on
// several.
TEST_F(CompileRunTest, OverOtherBasesIntoAFolder) {
  std::mt19937 random(3);
  for (int i = 0; i < 24; ++i) {
    fs_.AddFile("/c/s/" + std::to_string(100 + i) + ".000",
                RandomSetFile(random).Bytes());
  }
  fs_.AddFile("/c/s/105.000", {1, 2, 3});  // no set file
  fs_.AddFile("/c/s/B.000", b_.Bytes());
  fs_.fail_open.insert("/c/s/111.000");
  fs_.fail_create.insert("/out/114.000.quorlith-new");
  std::string log =
      CompileOnOneAndOnThree({"A.t00", "/c/s/*.000", "/out/"}, 22);
  EXPECT_EQ(log.substr(0, 52),
            "  A.t00 compiled over /c/s/100.000 to /out/100.000.\n");
  EXPECT_NE(log.find("E Error: Cannot open file /c/s/111.000\n"),
            std::string::npos);
  EXPECT_NE(fs_.Find("/out/B.000")->bytes, WithKeyRate77(b_))
      << "the report's other lines apply too";
}

// Several reports: each over the file it was made from, into one folder;
// a report with problems leaves its own file unwritten and the run goes on.
TEST_F(CompileRunTest, EachReportOverItsOwnBase) {
  std::mt19937 random(4);
  std::vector<Bytes> expected;
  for (int i = 0; i < 12; ++i) {
    std::string name = std::to_string(10 + i);
    SetFileBuilder file = RandomSetFile(random);
    fs_.AddFile("/c/b/" + name + ".000", file.Bytes());
    fs_.AddFile("/c/r/" + name + ".t00",
                Utf16Bytes(ReportOf("/c/b/" + name + ".000", file,
                                    i == 4 ? u"x" : u"77")));
    expected.push_back(WithKeyRate77(file));
  }
  fs_.AddFile("/c/r/15.t00", Utf16Bytes(u"\xFEFF; Created from /c/b/GONE.000"));
  fs_.AddFile("/c/r/16.t00", Utf16Bytes(u"\xFEFF; nothing"));
  std::string log = CompileOnOneAndOnThree({"/c/r/*.t00", "", "/out/"}, 9);
  EXPECT_EQ(log.substr(0, 56),
            "  /c/r/10.t00 compiled over /c/b/10.000 to /out/10.000.\n");
  EXPECT_NE(log.find("E /c/r/14.t00:38:12: Key_Rate: \"x\" is not a number\n"
                     "E 1 problem in /c/r/14.t00; /out/14.000 not written\n"
                     "E Error: File /c/b/GONE.000 cannot be found.\n"
                     "E /c/r/16.t00: the report names no set file it was "
                     "made from\n"
                     "  /c/r/17.t00 "),
            std::string::npos)
      << log;
  for (int i = 0; i < 12; ++i) {
    if (i == 4 || i == 5 || i == 6) continue;
    EXPECT_EQ(fs_.Find("/out/" + std::to_string(10 + i) + ".000")->bytes,
              expected[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(Compile({"/c/r/*.t00", "/c/b/10.000", "/out/"}, 0),
            "E several reports match /c/r/*.t00: each compiles over the set "
            "file it was made from into a folder; give no --base and a folder "
            "ending with a separator\n");
}

// A compile that could lose a file, or finds any problem, writes nothing.
TEST_F(CompileRunTest, NothingIsWrittenWhenAnythingFails) {
  fs_.Link("/c/A.000", "/c/LINK.000");  // the base, under another name
  fs_.AddFile("/c/BAD.t00",
              Utf16Bytes(u"\xFEFF; Menu 2 - Keyboard\r\nKey_Rate = x\r\n"
                         u"Key_Pitch = 99999\r\n"));
  fs_.AddFile("/c/NOBASE.t00", Utf16Bytes(u"; Menu 2 - Keyboard\r\n"));
  fs_.AddFile("/c/SHORT.000", {1, 2, 3});
  fs_.AddFile("/c/EMPTY.t00", {});
  std::map<std::string, Bytes> files = Files();
  struct Case {
    CompileRequest request;
    const char* log;  // how it begins
  };
  const Case kCases[] = {
      {{"A.t00", "", "/c/LINK.000"},
       "E /c/LINK.000: is a file the compile reads; nothing written\n"},
      {{"A.t00", "B.000", "/c/A.t00"},
       "E /c/A.t00: is a file the compile reads; nothing written\n"},
      {{"A.t00", "?.000", "/c/"},
       "E /c/A.000: is a file the compile reads; nothing written\n"},
      {{"A.t00", "?.000", "/out/ONE.000"},
       "E several bases match ?.000: name a folder for the outputs, ending "
       "with a separator\n"},
      {{"A.t00", "?.000", "/out/ONE"},  // a name without extension too
       "E several bases match ?.000: name a folder for the outputs, ending "
       "with a separator\n"},
      {{"MISSING.t00", "", "/out/X.000"},
       "E Error: Cannot open file /c/MISSING.t00\n"},
      {{"A.t00", "NONE.000", "/out/X.000"},
       "E Error: File /c/NONE.000 cannot be found.\n"},
      {{"B.000", "A.000", "/out/X.000"},
       "E B.000:1:95: not UTF-8 or UTF-16 LE: save the report as UTF-8 or "
       "Unicode; nothing written\n"},
      {{"BAD.t00", "A.000", "/out/X.000"},
       "E BAD.t00:2:12: Key_Rate: \"x\" is not a number\n"
       "E BAD.t00:3:13: Key_Pitch: \"99999\" is out of range: -32768 to "
       "32767\n"
       "E 2 problems in BAD.t00; /out/X.000 not written\n"},
      {{"EMPTY.t00", "A.000", "/out/X.000"},
       "E no setting line in EMPTY.t00\n"
       "E 1 problem in EMPTY.t00; /out/X.000 not written\n"},
      {{"NOBASE.t00", "", "/out/X.000"},
       "E NOBASE.t00: the report names no set file it was made from; "
       "name the base with --base\n"},
      {{"A.t00", "SHORT.000", "/out/X.000"},
       "E Error: File /c/SHORT.000 does not match Orvalen version 7.0 "
       "format.\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.request.report + " over " + c.request.base);
    std::string log = Compile(c.request, 0);
    EXPECT_EQ(log.substr(0, std::string_view(c.log).size()), c.log);
  }
  fs_.fail_rename.insert("/out/X.000.quorlith-new");
  EXPECT_EQ(Compile({"A.t00", "", "/out/X.000"}, 0),
            "E Error: Cannot open file /out/X.000\n");
  fs_.fail_rename.clear();
  fs_.fail_write.insert("/out/X.000.quorlith-new");
  Compile({"A.t00", "", "/out/X.000"}, 0);
  EXPECT_TRUE(Files() == files) << "no output and no temporary file";
}

// What the run wrote is never written again, nor read as a base, and the
// run goes on past both.
TEST_F(CompileRunTest, ItsOwnOutputsAreNoInputs) {
  fs_.AddFile("/c/d/A.000", b_.Bytes());
  fs_.AddFile("/out/A.000", b_.Bytes());
  fs_.AddFile("/c/p/1.t00", Utf16Bytes(ReportOf("/c/A.000", a_, u"77")));
  fs_.AddFile("/c/p/2.t00", Utf16Bytes(ReportOf("/out/A.000", b_, u"77")));
  fs_.AddFile("/c/p/3.t00", Utf16Bytes(ReportOf("/c/d/A.000", b_, u"77")));
  fs_.AddFile("/c/p/4.t00", Utf16Bytes(ReportOf("/c/B.000", b_, u"77")));
  EXPECT_EQ(Compile({"/c/p/*.t00", "", "/out/"}, 2),
            "  /c/p/1.t00 compiled over /c/A.000 to /out/A.000.\n"
            "E /out/A.000: is a file the compile reads; nothing written\n"
            "E /out/A.000: this compile wrote it already; nothing written\n"
            "  /c/p/4.t00 compiled over /c/B.000 to /out/B.000.\n");
}

}  // namespace
}  // namespace quorlith
