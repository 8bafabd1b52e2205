#include "cli/console.h"

#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "cli/console_testing.h"
#include "report/section_testing.h"
#include "runs/fake_file_system.h"
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
  PlayTranscript(fs_, ReadGolden("cli/console.txt"));
  // The help as a user reads it, word for word; Windows' shells keep single
  // quotes, so no example there may stand in them.
#ifdef _WIN32
  const char kHelp[] = "help_windows.txt";
  EXPECT_FALSE(std::regex_search(ReadGolden(kHelp), std::regex("[ (]'")));
#else
  const char kHelp[] = "help.txt";
#endif
  EXPECT_EQ(RunConsoleWith(fs_, {"--help"}).out, ReadGolden(kHelp))
      << "After a change of the help that is meant, tools/regen-goldens.sh "
         "rewrites testdata/"
      << kHelp << ".";
}

}  // namespace
}  // namespace quorlith
