#include "runs/compile_run.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

class CompileRunTest : public ::testing::Test {
 protected:
  CompileRunTest() {
    fs_.SetCurrentDirectory("/c/");
    fs_.AddFile("/c/A.000", a_.Bytes());
    fs_.AddFile("/c/B.000", b_.Bytes());
    // The report of A, with one setting changed.
    ReportText rendered;
    RenderDecompileReport({"/c/A.000", {}}, a_.Image(), rendered);
    std::u16string text(rendered.view());
    std::size_t at = text.find(u"\r\nKey_Rate = ");
    std::size_t end = text.find(u"\r\n", at + 2);
    text.replace(at, end - at, u"\r\nKey_Rate = 77");
    report_ = text;
    fs_.AddFile("/c/A.t00", Utf16Bytes(report_));
  }

  // Runs the compile; returns its log, one line per message.
  std::string Compile(CompileRequest request, int expected_written) {
    std::string lines;
    LogBuffer log(
        [&](std::uint32_t code, std::u16string_view text) {
          lines += (IsError(code) ? "E " : "  ") + Utf16ToUtf8(text);
        },
        0);
    EXPECT_EQ(RunCompile(fs_, log, request), expected_written) << lines;
    std::erase(lines, '\r');
    return lines;
  }

  SetFileBuilder Expected() const {
    SetFileBuilder file = a_;
    file.SetWord(BlockId::kKeyboard, 2, 77);
    return file;
  }

  SetFileBuilder a_ = BusySetFile(2);
  SetFileBuilder b_ = BusySetFile(3);
  std::u16string report_;
  FakeFileSystem fs_;
};

TEST_F(CompileRunTest, WritesTheWholeFileThroughATemporaryName) {
  EXPECT_EQ(Compile({"A.t00", "", "/out/NEW.000"}, 1),
            "  A.t00 compiled over /c/A.000 to /out/NEW.000.\n");
  ASSERT_TRUE(fs_.Exists("/out/NEW.000"));
  EXPECT_EQ(fs_.Find("/out/NEW.000")->bytes, Expected().Bytes());
  EXPECT_EQ(fs_.Paths(),
            (std::vector<std::string>{"/c/A.000", "/c/A.t00", "/c/B.000",
                                      "/out/NEW.000"}));
  // An editor's save: UTF-8 with a byte order mark and LF line ends.
  std::string utf8 = "\xEF\xBB\xBF" + Utf16ToUtf8(report_.substr(1));
  std::erase(utf8, '\r');
  fs_.AddFile("/c/E.txt", {utf8.begin(), utf8.end()});
  Compile({"E.txt", "", "/out/E.000"}, 1);
  EXPECT_EQ(fs_.Find("/out/E.000")->bytes, Expected().Bytes());
}

TEST_F(CompileRunTest, OverOtherBasesIntoAFolder) {
  EXPECT_EQ(Compile({"A.t00", "?.000", "/out/"}, 2),
            "  A.t00 compiled over /c/A.000 to /out/A.000.\n"
            "  A.t00 compiled over /c/B.000 to /out/B.000.\n");
  SetFileBuilder b = b_;
  b.SetWord(BlockId::kKeyboard, 2, 77);
  EXPECT_NE(fs_.Find("/out/B.000")->bytes, b.Bytes())
      << "the report's other lines apply too";
  EXPECT_EQ(fs_.Find("/out/A.000")->bytes, Expected().Bytes());
}

// Over many bases, some of which fail, on several workers: the same log
// and the same files as one at a time.
TEST_F(CompileRunTest, WorkersLogAndWriteAsOneDoes) {
  std::mt19937 random(3);
  for (int i = 0; i < 24; ++i) {
    fs_.AddFile("/c/s/" + std::to_string(100 + i) + ".000",
                RandomSetFile(random).Bytes());
  }
  fs_.AddFile("/c/s/105.000", {1, 2, 3});  // no set file
  fs_.fail_open.insert("/c/s/111.000");
  fs_.fail_create.insert("/out/114.000.quorlith-new");
  fs_.AddFile("/c/CURSOR.t00",
              Utf16Bytes(u"\xFEFF; Menu 2 - Keyboard\r\nKey_Rate = 9\r\n"));
  std::string serial = Compile({"CURSOR.t00", "/c/s/*.000", "/out/", 1}, 21);
  std::vector<std::string> paths = fs_.Paths();
  std::vector<std::vector<std::uint8_t>> files;
  for (const std::string& path : paths) files.push_back(fs_.Find(path)->bytes);
  for (const std::string& path : paths) {
    if (path.starts_with("/out/")) fs_.Remove(path);
  }
  EXPECT_EQ(Compile({"CURSOR.t00", "/c/s/*.000", "/out/", 3}, 21), serial);
  ASSERT_EQ(fs_.Paths(), paths);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(fs_.Find(paths[i])->bytes, files[i]) << paths[i];
  }
  EXPECT_NE(serial.find("E Error: Cannot open file /c/s/111.000\n"),
            std::string::npos);
}

// Several reports: each over the file it was made from, into one folder;
// a report with problems leaves its own file unwritten and the run goes on.
TEST_F(CompileRunTest, EachReportOverItsOwnBase) {
  std::mt19937 random(4);
  std::vector<std::vector<std::uint8_t>> expected;
  for (int i = 0; i < 12; ++i) {
    std::string name = std::to_string(10 + i);
    SetFileBuilder file = RandomSetFile(random);
    fs_.AddFile("/c/b/" + name + ".000", file.Bytes());
    ReportText rendered;
    RenderDecompileReport({"/c/b/" + name + ".000", {}}, file.Image(),
                          rendered);
    std::u16string text(rendered.view());
    std::size_t at = text.find(u"\r\nKey_Rate = ") + 13;
    text.replace(at, text.find(u"\r\n", at) - at, i == 4 ? u"x" : u"77");
    fs_.AddFile("/c/r/" + name + ".t00", Utf16Bytes(text));
    file.SetWord(BlockId::kKeyboard, 2, 77);
    expected.push_back(file.Bytes());
  }
  fs_.AddFile("/c/r/15.t00", Utf16Bytes(u"\xFEFF; Created from /c/b/GONE.000"));
  fs_.AddFile("/c/r/16.t00", Utf16Bytes(u"\xFEFF; nothing"));
  std::string serial = Compile({"/c/r/*.t00", "", "/out/", 1}, 9);
  EXPECT_EQ(serial.substr(0, 56),
            "  /c/r/10.t00 compiled over /c/b/10.000 to /out/10.000.\n");
  EXPECT_NE(serial.find("E /c/r/14.t00:38:12: Key_Rate: \"x\" is not a number\n"
                        "E 1 problem in /c/r/14.t00; /out/14.000 not written\n"
                        "E Error: File /c/b/GONE.000 cannot be found.\n"
                        "E /c/r/16.t00: the report names no set file it was "
                        "made from\n"
                        "  /c/r/17.t00 "),
            std::string::npos)
      << serial;
  for (int i = 0; i < 12; ++i) {
    if (i == 4 || i == 5 || i == 6) continue;
    EXPECT_EQ(fs_.Find("/out/" + std::to_string(10 + i) + ".000")->bytes,
              expected[static_cast<std::size_t>(i)]);
  }
  for (const std::string& path : fs_.Paths()) {
    if (path.starts_with("/out/")) fs_.Remove(path);
  }
  EXPECT_EQ(Compile({"/c/r/*.t00", "", "/out/", 3}, 9), serial);
  EXPECT_EQ(Compile({"/c/r/*.t00", "/c/b/10.000", "/out/"}, 0),
            "E several reports match /c/r/*.t00: each compiles over the set "
            "file it was made from into a folder; give no --base and a folder "
            "ending with a separator\n");
}

TEST_F(CompileRunTest, RefusesWhatWouldLoseAFile) {
  fs_.Link("/c/A.000", "/c/LINK.000");
  struct Case {
    CompileRequest request;
    const char* log;
  };
  const Case kCases[] = {
      {{"A.t00", "", "/c/A.000"},
       "E /c/A.000: is a file the compile reads; nothing written\n"},
      {{"A.t00", "", "/c/LINK.000"},
       "E /c/LINK.000: is a file the compile reads; nothing written\n"},
      {{"A.t00", "B.000", "/c/A.t00"},
       "E /c/A.t00: is a file the compile reads; nothing written\n"},
      {{"A.t00", "?.000", "/out/ONE.000"},
       "E several bases match ?.000: name a folder for the outputs, ending "
       "with a separator\n"},
      {{"MISSING.t00", "", "/out/X.000"},
       "E Error: Cannot open file /c/MISSING.t00\n"},
      {{"A.t00", "NONE.000", "/out/X.000"},
       "E Error: File /c/NONE.000 cannot be found.\n"},
      {{"B.000", "A.000", "/out/X.000"},
       "E B.000:1:1: Orvalen Set File\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : kCases) {
    std::string log = Compile(c.request, 0);
    EXPECT_EQ(log.substr(0, std::string_view(c.log).size()), c.log);
  }
  EXPECT_EQ(fs_.Find("/c/A.000")->bytes, a_.Bytes());
  EXPECT_FALSE(fs_.Exists("/out/X.000"));
  EXPECT_FALSE(fs_.Exists("/out/ONE.000"));
}

TEST_F(CompileRunTest, NothingIsWrittenWhenAnythingFails) {
  fs_.AddFile("/c/BAD.t00",
              Utf16Bytes(u"\xFEFF; Menu 2 - Keyboard\r\nKey_Rate = x\r\n"
                         u"Key_Pitch = 99999\r\n"));
  EXPECT_EQ(Compile({"BAD.t00", "A.000", "/out/X.000"}, 0),
            "E BAD.t00:2:12: Key_Rate: \"x\" is not a number\n"
            "E BAD.t00:3:13: Key_Pitch: \"99999\" is out of range: -32768 to "
            "32767\n"
            "E 2 problems in BAD.t00; /out/X.000 not written\n");
  fs_.AddFile("/c/NOBASE.t00", Utf16Bytes(u"; Menu 2 - Keyboard\r\n"));
  EXPECT_EQ(Compile({"NOBASE.t00", "", "/out/X.000"}, 0),
            "E NOBASE.t00: the report names no set file it was made from; "
            "name the base with --base\n");
  fs_.AddFile("/c/SHORT.000", {1, 2, 3});
  EXPECT_EQ(Compile({"A.t00", "SHORT.000", "/out/X.000"}, 0),
            "E Error: File /c/SHORT.000 does not match Orvalen version 7.0 "
            "format.\n");
  fs_.fail_rename.insert("/out/X.000.quorlith-new");
  EXPECT_EQ(Compile({"A.t00", "", "/out/X.000"}, 0),
            "E Error: Cannot open file /out/X.000\n");
  fs_.fail_rename.clear();
  fs_.fail_write.insert("/out/X.000.quorlith-new");
  Compile({"A.t00", "", "/out/X.000"}, 0);
  EXPECT_EQ(fs_.Paths().size(), 6u) << "no output and no temporary file";
  EXPECT_FALSE(fs_.Exists("/out/X.000"));
}

}  // namespace
}  // namespace quorlith
