#include "cli/console.h"

#include <gtest/gtest.h>

#include <vector>

#include "cli/console_testing.h"
#include "runs/fake_file_system.h"
#include "sections/section_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

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

TEST_F(ConsoleTest, ExitStatusesAndStreams) {
  struct Case {
    std::vector<const char*> args;
    int status;
    // How standard output and standard error begin; "" means empty.
    const char* out;
    const char* err;
  };
  const char* kDecompiled = "/cwd/A.000 decompiled to /cwd/A.t00.\n";
  const char* kCompared = "/cwd/A.000 compared with /cwd/A.000\n";
  const char* kBad =
      "Error: File /cwd/BAD.000 does not match Orvalen version 7.0 format.\n";
  const Case kCases[] = {
      {{"A"}, kExitOk, kDecompiled, ""},
      {{"A", "/out/"}, kExitOk, "/cwd/A.000 decompiled to /out/A.t00.\n", ""},
      {{"A.000", "A.000", "x"}, kExitOk, kCompared, ""},
      // Once a name is given every argument is a name.
      {{"A.000", "A.000", "--help"}, kExitOk, kCompared, ""},
      {{"A.000", "A.000", "-j"}, kExitOk, kCompared, ""},
      {{"A", "-B"}, kExitOk, "/cwd/A.000 decompiled to /cwd/-B.t00.\n", ""},
      {{"BAD"}, kExitRunError, "0 file(s) decompiled.\n", kBad},
      // Progress to standard output, errors to standard error.
      {{"*"},
       kExitRunError,
       "/cwd/-B.000 decompiled to /cwd/-B.t00.\n"
       "/cwd/A.000 decompiled to /cwd/A.t00.\n"
       "2 file(s) decompiled.\n",
       kBad},
      {{"MISSING"}, kExitRunError, "", "Error: File /cwd/MISSING.000 cannot"},
      {{}, kExitUsage, "", "Usage: quorlith"},
      {{"a", "b", "c", "d"}, kExitUsage, "", "Usage: quorlith"},
      {{"A", "b", "c", "-j"}, kExitUsage, "", "Usage: quorlith"},
      {{"--no-such-option"}, kExitUsage, "", "quorlith: "},
      {{"-j", "0", "A"}, kExitUsage, "", "quorlith: "},
      {{"-j", "256", "A"}, kExitOk, kDecompiled, ""},
      {{"-j", "257", "A"}, kExitUsage, "", "quorlith: "},
      {{"--", "-B"}, kExitOk, "/cwd/-B.000", ""},
      {{"--help"}, kExitOk, "Usage: quorlith", ""},
      {{"--version"}, kExitOk, "Quorlith v. 7.0\n", ""},
  };
  for (const Case& c : kCases) {
    std::string label;
    for (const char* arg : c.args) label += std::string(arg) + " ";
    SCOPED_TRACE(label);
    ConsoleOutcome outcome = RunConsoleWith(fs_, c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_TRUE(outcome.out.starts_with(c.out)) << outcome.out;
    EXPECT_TRUE(outcome.err.starts_with(c.err)) << outcome.err;
    EXPECT_EQ(outcome.out.empty(), *c.out == '\0');
    EXPECT_EQ(outcome.err.empty(), *c.err == '\0');
  }
  // The help as a user reads it, word for word.
  EXPECT_EQ(RunConsoleWith(fs_, {"--help"}).out, ReadGolden("cli/help.txt"))
      << "After a change of the help that is meant, tools/regen-goldens.sh "
         "rewrites testdata/cli/help.txt.";
}

}  // namespace
}  // namespace quorlith
