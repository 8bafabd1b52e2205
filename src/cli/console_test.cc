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
  };
  const Case kCases[] = {
      {{"A"}, kExitOk},
      {{"A", "/out/"}, kExitOk},
      {{"A.000", "A.000", "x"}, kExitOk},
      {{"BAD"}, kExitRunError},
      {{"*"}, kExitRunError},
      {{"MISSING"}, kExitRunError},
      {{}, kExitUsage},
      {{"a", "b", "c", "d"}, kExitUsage},
      {{"--no-such-option"}, kExitUsage},
      {{"--", "-B"}, kExitOk},
      {{"--help"}, kExitOk},
      {{"--version"}, kExitOk},
  };
  for (const Case& c : kCases) {
    std::string label;
    for (const char* arg : c.args) label += std::string(arg) + " ";
    SCOPED_TRACE(label);
    EXPECT_EQ(RunWith(fs_, c.args).status, c.status);
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
  EXPECT_EQ(RunWith(fs_, {"--version"}).out, "Quorlith v. 7.0\n");
  EXPECT_NE(RunWith(fs_, {"--help"}).out.find("Exit status"),
            std::string::npos);
}

}  // namespace
}  // namespace quorlith
