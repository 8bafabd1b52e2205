#include "cli/console.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"

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

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() {
    fs_.SetCurrentDirectory("/cwd/");
    fs_.AddFile("/cwd/A.000", SetFileBuilder().Bytes());
    fs_.AddFile("/cwd/-B.000", SetFileBuilder().Bytes());
    fs_.AddFile("/cwd/BAD.000", {1, 2, 3});
  }
  FakeFileSystem fs_;
};

TEST_F(ConsoleTest, ExitStatuses) {
  struct Case {
    std::vector<const char*> args;
    int status;
    const char* out;  // how standard output begins
  };
  const char* kDecompiled = "/cwd/A.000 decompiled to /cwd/A.t00.\n";
  const char* kCompared = "/cwd/A.000 compared with /cwd/A.000\n";
  const Case kCases[] = {
      {{"A"}, kExitOk, kDecompiled},
      {{"A", "/out/"}, kExitOk, "/cwd/A.000 decompiled to /out/A.t00.\n"},
      {{"A.000", "A.000", "x"}, kExitOk, kCompared},
      // Once a name is given every argument is a name.
      {{"A.000", "A.000", "-c"}, kExitOk, kCompared},
      {{"A.000", "A.000", "--help"}, kExitOk, kCompared},
      {{"-j", "2", "A.000", "A.000", "--version"}, kExitOk, kCompared},
      {{"A.000", "A.000", "-j"}, kExitOk, kCompared},
      {{"A", "-B"}, kExitOk, "/cwd/A.000 decompiled to /cwd/-B.t00.\n"},
      {{"BAD"}, kExitRunError, ""},
      {{"*"}, kExitRunError, "/cwd/-B.000"},
      {{"MISSING"}, kExitRunError, ""},
      {{}, kExitUsage, ""},
      {{"a", "b", "c", "d"}, kExitUsage, ""},
      {{"A", "b", "c", "-j"}, kExitUsage, ""},
      {{"--no-such-option"}, kExitUsage, ""},
      {{"-j", "0", "A"}, kExitUsage, ""},
      {{"-j", "256", "A"}, kExitOk, kDecompiled},
      {{"-j", "257", "A"}, kExitUsage, ""},
      {{"--", "-B"}, kExitOk, "/cwd/-B.000"},
      {{"--help"}, kExitOk, "Usage: quorlith"},
      {{"--version"}, kExitOk, "Quorlith v. 7.0\n"},
  };
  for (const Case& c : kCases) {
    std::string label;
    for (const char* arg : c.args) label += std::string(arg) + " ";
    SCOPED_TRACE(label);
    Outcome outcome = RunWith(fs_, c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out.rfind(c.out, 0), 0u) << outcome.out;
  }
}

TEST_F(ConsoleTest, ProgressToStdoutErrorsToStderr) {
  Outcome outcome = RunWith(fs_, {"*"});
  EXPECT_EQ(outcome.out,
            "/cwd/-B.000 decompiled to /cwd/-B.t00.\n"
            "/cwd/A.000 decompiled to /cwd/A.t00.\n"
            "2 file(s) decompiled.\n");
  EXPECT_EQ(outcome.err,
            "Error: File /cwd/BAD.000 does not match Orvalen version 7.0 "
            "format.\n");
}

TEST_F(ConsoleTest, UsageAndVersion) {
  Outcome usage = RunWith(fs_, {"a", "b", "c", "d"});
  EXPECT_EQ(usage.out, "");
  EXPECT_NE(usage.err.find("Usage: quorlith"), std::string::npos);
  EXPECT_NE(usage.err.find("'sets/*.000'"), std::string::npos);
  EXPECT_FALSE(fs_.Exists("/cwd/A.t00"));  // no run
  EXPECT_NE(RunWith(fs_, {"--help"}).out.find("from the first name on"),
            std::string::npos);
}

}  // namespace
}  // namespace quorlith
