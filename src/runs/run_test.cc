#include "runs/run.h"

#include <gtest/gtest.h>

#include <map>

#include "report/report_text.h"
#include "runs/fake_file_system.h"
#include "runs/run_files.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

std::vector<std::uint8_t> ValidFile(std::uint16_t screen_rate = 0) {
  return SetFileBuilder().SetWord(BlockId::kScreen, 2, screen_rate).Bytes();
}

// Runs against a fake file system whose current directory is /cwd/ and
// returns the log as plain lines, one per message line.
class RunTest : public ::testing::Test {
 protected:
  RunTest() { fs_.SetCurrentDirectory("/cwd/"); }

  std::vector<std::string> Run(RunMode mode, std::string_view input,
                               std::string_view output = {}) {
    LogBuffer log;
    RunContext ctx{fs_, log, [this] { return ++pumps_ > cancel_after_; },
                   jobs_};
    RunDecompile(ctx, mode, input, output);
    EXPECT_EQ(fs_.open_files, 0);
    std::vector<std::string> lines;
    std::string text = Utf16ToUtf8(log.Text());
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find("\r\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << "unterminated log text";
        break;
      }
      lines.push_back(text.substr(start, end - start));
      start = end + 3;
    }
    return lines;
  }

  std::string ReportText(const std::string& path) {
    FakeFileSystem::File* file = fs_.Find(path);
    if (file == nullptr) return "(missing)";
    std::u16string text;
    for (std::size_t i = 0; i + 1 < file->bytes.size(); i += 2) {
      text.push_back(
          static_cast<char16_t>(file->bytes[i] | file->bytes[i + 1] << 8));
    }
    return Utf16ToUtf8(text);
  }

  FakeFileSystem fs_;
  int pumps_ = 0;
  int cancel_after_ = 1 << 30;
  int jobs_ = 1;
};

using Lines = std::vector<std::string>;

TEST_F(RunTest, DecompileNextToInputs) {
  fs_.AddFile("/sets/A.000", ValidFile());
  fs_.AddFile("/sets/B.000", {'x'});
  fs_.AddFile("/sets/C.000", ValidFile());
  fs_.AddFile("/sets/C.001", ValidFile());
  EXPECT_EQ(Run(RunMode::kDecompile, "/sets/*"),
            (Lines{"/sets/A.000 decompiled to /sets/A.t00.",
                   "Error: File /sets/B.000 does not match Orvalen version 7.0 "
                   "format.",
                   "/sets/C.000 decompiled to /sets/C.t00.",
                   "2 file(s) decompiled."}));
  EXPECT_EQ(ReportText("/sets/A.t00").rfind("\uFEFF; Human readable", 0), 0u);
  EXPECT_FALSE(fs_.Exists("/sets/B.t00"));
  EXPECT_EQ(pumps_, 3);
}

TEST_F(RunTest, InputNamesAreCompleted) {
  fs_.AddFile("/cwd/DEFAULT.000", ValidFile());
  fs_.AddFile("/sets/DEFAULT.000", ValidFile());
  EXPECT_EQ(Run(RunMode::kDecompile, "DEFAULT"),
            (Lines{"/cwd/DEFAULT.000 decompiled to /cwd/DEFAULT.t00.",
                   "1 file(s) decompiled."}));
  EXPECT_EQ(Run(RunMode::kDecompile, "/sets/default"),
            (Lines{"/sets/DEFAULT.000 decompiled to /sets/DEFAULT.t00.",
                   "1 file(s) decompiled."}));
  EXPECT_EQ(Run(RunMode::kDecompile, "/nothing/*"),
            (Lines{"Error: File /nothing/*.000 cannot be found."}));
}

TEST_F(RunTest, DecompileToOutputName) {
  fs_.AddFile("/sets/A.000", ValidFile(1));
  fs_.AddFile("/sets/B.000", ValidFile(2));
  EXPECT_EQ(Run(RunMode::kDecompileTo, "/sets/*", "/out/"),
            (Lines{"/sets/A.000 decompiled to /out/A.t00.",
                   "/sets/B.000 decompiled to /out/B.t00.",
                   "2 file(s) decompiled."}));
  EXPECT_EQ(Run(RunMode::kDecompileTo, "/sets/*", "/out/ALL.TXT"),
            (Lines{"/sets/A.000 decompiled to /out/ALL.TXT.",
                   "/sets/B.000 decompiled to /out/ALL.TXT.",
                   "2 file(s) decompiled."}));
  EXPECT_EQ(ReportText("/out/ALL.TXT").find("Created from /sets/B.000"),
            ReportText("/out/ALL.TXT").find("Created from"));
  // "*" and "?" in a report's name are no wildcards: nothing is written.
  for (std::string output : {"/out/*.txt", "/out/A?.txt"}) {
    SCOPED_TRACE(output);
    EXPECT_EQ(
        Run(RunMode::kDecompileTo, "/sets/*", output),
        (Lines{"Error: Cannot open file " + output,
               "Error: Cannot open file " + output, "0 file(s) decompiled."}));
    EXPECT_FALSE(fs_.Exists(output));
  }
  // Only the file's own name is checked: an existing folder is taken as
  // it is named.
  EXPECT_EQ(
      Run(RunMode::kDecompileTo, "/sets/A", "/o*/"),
      (Lines{"/sets/A.000 decompiled to /o*/A.t00.", "1 file(s) decompiled."}));
  // The ticked box with an empty output name: reports in the current folder.
  EXPECT_EQ(Run(RunMode::kDecompileTo, "/sets/A", ""),
            (Lines{"/sets/A.000 decompiled to /cwd/A.t00.",
                   "1 file(s) decompiled."}));
}

TEST_F(RunTest, SetFileExtensionEndsTheRun) {
  fs_.AddFile("/sets/A.000", ValidFile());
  fs_.AddFile("/sets/B.000", ValidFile());
  fs_.AddFile("/v1.0/A.000", ValidFile());
  EXPECT_EQ(Run(RunMode::kDecompileTo, "/sets/*", "/out/REPORT.001"),
            (Lines{"Error: /out/REPORT.001 could be a set file name. Please "
                   "enter a file name that does not",
                   "use an extension of the type .0*"}));
  EXPECT_FALSE(fs_.Exists("/out/REPORT.001"));
  EXPECT_EQ(Run(RunMode::kDecompile, "/v1.0/*"),
            (Lines{"Error: /v1.0/A.t00 could be a set file name. Please enter "
                   "a file name that does not",
                   "use an extension of the type .0*"}));
  // Only a valid set file ends the run; the entries after one that is not
  // are each taken once.
  fs_.AddFile("/sets/B.0.000", {'x'});
  EXPECT_EQ(
      Run(RunMode::kDecompileTo, "/sets/*", "/out/"),
      (Lines{"/sets/A.000 decompiled to /out/A.t00.",
             "Error: File /sets/B.0.000 does not match Orvalen version 7.0 "
             "format.",
             "/sets/B.000 decompiled to /out/B.t00.",
             "2 file(s) decompiled."}));
}

TEST_F(RunTest, DecompileFailures) {
  fs_.AddFile("/s/A.000", ValidFile());
  fs_.AddFile("/s/B.000", ValidFile());
  fs_.AddFile("/s/C.000", ValidFile());
  fs_.AddFile("/s/D.000", ValidFile());
  fs_.AddFile("/s/E.000", ValidFile());
  fs_.fail_open.insert("/s/A.000");
  fs_.fail_create.insert("/s/B.t00");
  fs_.fail_close.insert("/s/C.000");
  fs_.fail_close.insert("/s/D.t00");
  fs_.fail_write.insert("/s/E.t00");
  EXPECT_EQ(
      Run(RunMode::kDecompile, "/s/*"),
      (Lines{"Error: Cannot open file /s/A.000",
             "Error: Cannot open file /s/B.t00",
             "/s/C.000 decompiled to /s/C.t00.",
             "Error: Cannot close file /s/C.000",
             "/s/D.000 decompiled to /s/D.t00.",
             "Error: Cannot close file /s/D.t00",
             "/s/E.000 decompiled to /s/E.t00.",
             "Error: Cannot close file /s/E.t00", "0 file(s) decompiled."}));
}

TEST_F(RunTest, ChangedSizeAndShortFiles) {
  std::vector<std::uint8_t> header = ValidFile();
  header.resize(kHeaderSize - 1);
  fs_.AddFile("/s/A.000", header);
  fs_.AddFile("/s/B.000", ValidFile(7));
  // Listed with a set file's size, shrunk before the read: the report is
  // written from what could be read, the rest reads as zero.
  std::vector<std::uint8_t> shrunk = ValidFile(7);
  shrunk.resize(kHeaderSize + 1);
  fs_.AddFile("/s/C.000", shrunk);
  fs_.Find("/s/C.000")->listed_size = kSetFileSize;
  EXPECT_EQ(
      Run(RunMode::kDecompile, "/s/*"),
      (Lines{"Error: File /s/A.000 does not match Orvalen version 7.0 "
             "format.",
             "/s/B.000 decompiled to /s/B.t00.",
             "/s/C.000 decompiled to /s/C.t00.", "2 file(s) decompiled."}));
}

TEST_F(RunTest, NeverReplacesAnInput) {
  // A name ending in "." has no character to turn into "t": its report
  // name is its own.
  fs_.AddFile("/s/DOT.", ValidFile());
  fs_.AddFile("/s/A.000", ValidFile());
  fs_.Link("/s/A.000", "/s/A.t00");  // the report name is the input itself
  std::vector<std::uint8_t> before = fs_.Find("/s/DOT.")->bytes;
  EXPECT_EQ(
      Run(RunMode::kDecompile, "/s/*.", ""),
      (Lines{"Error: Cannot open file /s/DOT.", "0 file(s) decompiled."}));
  EXPECT_EQ(
      Run(RunMode::kDecompileTo, "/s/*.", "/s/"),
      (Lines{"Error: Cannot open file /s/DOT.", "0 file(s) decompiled."}));
  EXPECT_EQ(
      Run(RunMode::kDecompile, "/s/A"),
      (Lines{"Error: Cannot open file /s/A.t00", "0 file(s) decompiled."}));
  EXPECT_EQ(fs_.Find("/s/DOT.")->bytes, before);
  EXPECT_EQ(fs_.Find("/s/A.000")->bytes.size(), kSetFileSize);
}

TEST_F(RunTest, OldReportsThePatternMatchesAreReplaced) {
  const std::vector<std::uint8_t> kOldReport = {0xFF, 0xFE, 'o', 0};
  const std::string kNotSetFile =
      "Error: File /s/D.t00 does not match Orvalen version 7.0 format.";
  fs_.AddFile("/s/D.000", ValidFile());
  fs_.AddFile("/s/D.t00", kOldReport);
  EXPECT_EQ(Run(RunMode::kDecompile, "/s/D.*"),
            (Lines{"/s/D.000 decompiled to /s/D.t00.", kNotSetFile,
                   "1 file(s) decompiled."}));
  EXPECT_EQ(ReportText("/s/D.t00").rfind("\uFEFF; Human readable", 0), 0u);
  fs_.AddFile("/s/D.t00", kOldReport);
  EXPECT_EQ(Run(RunMode::kCompare, "/s/D.000", "/s/*.*"),
            (Lines{"/s/D.000 compared with /s/D.000", kNotSetFile,
                   "1 file(s) compared."}));
  EXPECT_NE(ReportText("/s/D.t00").find("; Comparison list"),
            std::string::npos);
  // A set file by a report's name stays, against its own report and
  // another entry's.
  fs_.AddFile("/s/D.t00", ValidFile(3));
  EXPECT_EQ(
      Run(RunMode::kDecompile, "/s/D.*"),
      (Lines{"Error: Cannot open file /s/D.t00",
             "Error: Cannot open file /s/D.t00", "0 file(s) decompiled."}));
  EXPECT_EQ(fs_.Find("/s/D.t00")->bytes, ValidFile(3));
}

TEST_F(RunTest, CancelEndsWithoutCountLine) {
  fs_.AddFile("/s/A.000", ValidFile());
  fs_.AddFile("/s/B.000", ValidFile());
  fs_.AddFile("/s/C.000", ValidFile());
  cancel_after_ = 1;
  EXPECT_EQ(Run(RunMode::kDecompile, "/s/*"),
            (Lines{"/s/A.000 decompiled to /s/A.t00.",
                   "/s/B.000 decompiled to /s/B.t00."}));
  EXPECT_FALSE(fs_.Exists("/s/C.t00"));
}

TEST_F(RunTest, Compare) {
  fs_.AddFile("/orig/DEFAULT.000", ValidFile(5), 992606400);  // mid-June 2001
  fs_.AddFile("/new/A.000", ValidFile(5), 1074168000);  // mid-January 2004
  fs_.AddFile("/new/B.000", ValidFile(6));
  fs_.AddFile("/new/C.000", {'x'});
  fs_.AddFile("/new/DEFAULT.000", ValidFile(5));
  EXPECT_EQ(Run(RunMode::kCompare, "/orig/DEFAULT.000", "/new/*.000"),
            (Lines{"/orig/DEFAULT.000 compared with /new/A.000",
                   "/orig/DEFAULT.000 compared with /new/B.000",
                   "Error: File /new/C.000 does not match Orvalen version 7.0 "
                   "format.",
                   "/orig/DEFAULT.000 compared with /new/DEFAULT.000",
                   "3 file(s) compared."}));
  std::string report = ReportText("/new/A.t00");
  for (const char* line :
       {"; Comparison list between /orig/DEFAULT.000 and /new/A.000\r\n",
        "; Original set file last modified on 06/1",
        "; New set file last modified on 01/1",
        ";There are no differences between the two set files."}) {
    EXPECT_NE(report.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(ReportText("/new/B.t00").find(";There are no differences"),
            std::string::npos);
  // A pattern of only a folder takes the original's name and extension.
  EXPECT_EQ(Run(RunMode::kCompare, "/orig/DEFAULT.000", "/new/"),
            (Lines{"/orig/DEFAULT.000 compared with /new/DEFAULT.000",
                   "1 file(s) compared."}));
}

TEST_F(RunTest, CompareFailures) {
  fs_.AddFile("/o/O.000", ValidFile());
  fs_.AddFile("/o/BAD.000", {'x'});
  fs_.AddFile("/n/A.000", ValidFile());
  fs_.AddFile("/n/B.000", ValidFile());
  fs_.AddFile("/n/C.000", ValidFile());
  fs_.AddFile("/n/D.000", ValidFile());
  fs_.AddFile("/n/NOEXT", ValidFile());
  EXPECT_EQ(Run(RunMode::kCompare, "/o/*.000", "/n/*"),
            (Lines{"Error: You must specify the file names to be used with the "
                   "compare feature."}));
  EXPECT_EQ(Run(RunMode::kCompare, "/o/MISSING.000", "/n/*"),
            (Lines{"Error: File /o/MISSING.000 cannot be found."}));
  EXPECT_EQ(Run(RunMode::kCompare, "/o/BAD.000", "/n/*"),
            (Lines{"Error: File /o/BAD.000 does not match Orvalen version 7.0 "
                   "format."}));
  EXPECT_EQ(Run(RunMode::kCompare, "/o/O.000", "/n/*.zzz"),
            (Lines{"Error: File /n/*.zzz cannot be found."}));
  fs_.fail_open.insert("/o/O.000");
  EXPECT_EQ(Run(RunMode::kCompare, "/o/O.000", "/n/*"),
            (Lines{"Error: Cannot open file /o/O.000"}));
  fs_.fail_open = {"/n/A.000"};
  fs_.fail_create.insert("/n/B.t00");
  fs_.fail_close.insert("/n/C.t00");
  fs_.fail_close.insert("/o/O.000");
  EXPECT_EQ(
      Run(RunMode::kCompare, "/o/O.000", "/n/*.000"),
      (Lines{"Error: Cannot open file /n/A.000",
             "Error: Cannot open file /n/B.t00",
             "/o/O.000 compared with /n/C.000",
             "Error: Cannot close file /n/C.t00",
             "/o/O.000 compared with /n/D.000",
             "Error: Cannot close file /o/O.000", "1 file(s) compared."}));
  fs_.fail_close.clear();
  // Without extensions on either side the report name is the new file's.
  fs_.AddFile("/o/ONOEXT", ValidFile());
  EXPECT_EQ(Run(RunMode::kCompare, "/o/ONOEXT", "/n/NOEXT"),
            (Lines{"Error: Cannot open file /n/NOEXT", "0 file(s) compared."}));
}

TEST_F(RunTest, CompareNeverReplacesTheOriginal) {
  fs_.AddFile("/s/B.t00", ValidFile(1));
  fs_.AddFile("/s/B.000", ValidFile(2));
  EXPECT_EQ(Run(RunMode::kCompare, "/s/B.t00", "/s/B.000"),
            (Lines{"Error: Cannot open file /s/B.t00", "0 file(s) compared."}));
  EXPECT_EQ(fs_.Find("/s/B.t00")->bytes, ValidFile(1));
}

TEST_F(RunTest, DecompileAfterCompareWritesDecompileReports) {
  fs_.AddFile("/s/A.000", ValidFile());
  fs_.AddFile("/s/B.000", ValidFile());
  Run(RunMode::kCompare, "/s/A.000", "/s/B.000");
  EXPECT_NE(ReportText("/s/B.t00").find("; Comparison list"),
            std::string::npos);
  Run(RunMode::kDecompile, "/s/B.000");
  EXPECT_NE(ReportText("/s/B.t00").find("; Created from /s/B.000"),
            std::string::npos);
}

TEST_F(RunTest, TenThousandFilesFillTheLog) {
  constexpr int kFiles = 10000;
  for (int i = 0; i < kFiles; ++i) {
    fs_.AddFile("/many/N" + std::to_string(10000 + i) + ".000", {'x'});
  }
  int echoed = 0;
  LogBuffer log([&](std::uint32_t, std::u16string_view) { ++echoed; });
  RunContext ctx{fs_, log, {}};
  RunDecompile(ctx, RunMode::kDecompile, "/many/*", "");
  EXPECT_EQ(echoed, kFiles + 1);  // the console still prints every message
  std::string text = Utf16ToUtf8(log.Text());
  EXPECT_LT(log.Text().size(), LogBuffer::kCapacity);
  EXPECT_GT(log.Text().size(), LogBuffer::kCapacity - 100);
  EXPECT_EQ(text.rfind("Error: File /many/N10000.000 does not match", 0), 0u);
  // Messages stop whole: the buffer ends at a line end, never mid-message,
  // and the short count line still fits where a long message did not.
  EXPECT_EQ(text.substr(text.size() - 3), "\r\r\n");
  EXPECT_NE(text.find("0 file(s) decompiled."), std::string::npos);
  EXPECT_EQ(fs_.Find("/many/N10000.000")->bytes,
            std::vector<std::uint8_t>{'x'});
}

TEST_F(RunTest, ParallelRunsLogAndWriteAsSerialOnes) {
  for (int i = 0; i < 40; ++i) {
    std::string name = "/s/F" + std::to_string(100 + i) + ".000";
    if (i % 7 == 3) {
      fs_.AddFile(name, {'x'});
    } else {
      fs_.AddFile(name, ValidFile(static_cast<std::uint16_t>(i)),
                  1000000000 + i);
    }
  }
  fs_.fail_create.insert("/s/F110.t00");
  fs_.fail_close.insert("/s/F120.000");
  struct Mode {
    RunMode mode;
    const char* input;
    const char* output;
  };
  const Mode kModes[] = {{RunMode::kDecompile, "/s/*", ""},
                         {RunMode::kDecompileTo, "/s/*", "/out/"},
                         {RunMode::kDecompileTo, "/s/*", "/out/ALL.TXT"},
                         {RunMode::kCompare, "/s/F100.000", "/s/*"}};
  for (const Mode& m : kModes) {
    SCOPED_TRACE(std::string(m.input) + " " + m.output);
    jobs_ = 1;
    Lines serial = Run(m.mode, m.input, m.output);
    std::map<std::string, std::vector<std::uint8_t>> serial_files;
    for (const std::string& path : fs_.Paths())
      serial_files[path] = fs_.Find(path)->bytes;
    jobs_ = 4;
    EXPECT_EQ(Run(m.mode, m.input, m.output), serial);
    for (const std::string& path : fs_.Paths()) {
      EXPECT_EQ(fs_.Find(path)->bytes, serial_files[path]) << path;
    }
  }
}

TEST_F(RunTest, OutputsThatNameOneFileRunSerially) {
  fs_.AddFile("/o/file", {});
  fs_.Link("/o/file", "/o/A.t00");
  fs_.Link("/o/file", "/o/B.t00");
  fs_.AddFile("/o/C.t00", {});
  struct Case {
    std::vector<std::string> outputs;
    int workers;
  };
  const Case kCases[] = {
      {{"/o/A.t00", "/o/C.t00", "/o/new.t00", "/p/new.t00"}, 4},
      {{"/o/A.t00", "/o/B.t00"}, 1},  // two links to one file
      {{"/o/C.t00", "/o/new.t00", "/o/C.t00"}, 1},
      {{"/o/Ärger.t00", "/o/äRGER.t00"}, 1},  // one file where case is ignored
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.outputs[1]);
    auto output = [&](std::size_t i) { return c.outputs[i]; };
    EXPECT_EQ(WorkersFor(fs_, 4, c.outputs.size(), output), c.workers);
    EXPECT_EQ(WorkersFor(fs_, 1, c.outputs.size(), output), 1);
  }
}

TEST_F(RunTest, ParallelRunStopsAtASetFileName) {
  for (int i = 0; i < 20; ++i) {
    fs_.AddFile("/v1.0/F" + std::to_string(10 + i) + ".000",
                i < 3 ? std::vector<std::uint8_t>{'x'} : ValidFile());
  }
  jobs_ = 4;
  Lines lines = Run(RunMode::kDecompile, "/v1.0/*");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3],
            "Error: /v1.0/F13.t00 could be a set file name. Please "
            "enter a file name that does not");
  for (const std::string& path : fs_.Paths()) {
    EXPECT_EQ(path.find(".t00"), std::string::npos) << path;
  }
}

// The runs on Windows names, wherever the tests are built: the file
// system's style decides how names are split and completed.
TEST_F(RunTest, WindowsNames) {
  fs_.path_style = PathStyle::kWindows;
  fs_.SetCurrentDirectory(R"(D:\WORK\)");
  fs_.AddFile(R"(C:\SETS\DEFAULT.000)", ValidFile(1));
  fs_.AddFile(R"(D:\WORK\A.000)", ValidFile(2));
  fs_.AddFile(R"(D:\NEW\DEFAULT.000)", ValidFile(3));
  fs_.AddFile(R"(C:\V1.0\A.000)", ValidFile());
  struct Case {
    RunMode mode;
    const char* input;
    const char* output;
    Lines log;
  };
  const Case kCases[] = {
      {RunMode::kDecompile,
       R"(C:\SETS\DEFAULT)",
       "",
       {R"(C:\SETS\DEFAULT.000 decompiled to C:\SETS\DEFAULT.t00.)",
        "1 file(s) decompiled."}},
      {RunMode::kDecompile,
       R"(C:\SETS\x*)",
       "",
       {R"(Error: File C:\SETS\x*.000 cannot be found.)"}},
      {RunMode::kDecompile,
       "a",
       "",
       {R"(D:\WORK\A.000 decompiled to D:\WORK\A.t00.)",
        "1 file(s) decompiled."}},
      {RunMode::kDecompileTo,
       R"(C:\SETS\*)",
       "/REPORTS/",
       {R"(C:\SETS\DEFAULT.000 decompiled to D:/REPORTS/DEFAULT.t00.)",
        "1 file(s) decompiled."}},
      {RunMode::kDecompile,
       R"(C:\V1.0\*)",
       "",
       {R"(Error: C:\V1.0\A.t00 could be a set file name. Please enter a )"
        "file name that does not",
        "use an extension of the type .0*"}},
      {RunMode::kCompare,
       R"(C:\SETS\DEFAULT.000)",
       R"(D:\NEW\)",
       {R"(C:\SETS\DEFAULT.000 compared with D:\NEW\DEFAULT.000)",
        "1 file(s) compared."}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Run(c.mode, c.input, c.output), c.log);
  }
  EXPECT_NE(ReportText(R"(D:\NEW\DEFAULT.t00)")
                .find(R"(; Comparison list between C:\SETS\DEFAULT.000 and )"
                      R"(D:\NEW\DEFAULT.000)"),
            std::string::npos);
}

}  // namespace
}  // namespace quorlith
