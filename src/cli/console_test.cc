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
  PlayTranscript(fs_, ReadGolden("cli/console.txt"));
  // The help as a user reads it, word for word.
  EXPECT_EQ(RunConsoleWith(fs_, {"--help"}).out, ReadGolden("cli/help.txt"))
      << "After a change of the help that is meant, tools/regen-goldens.sh "
         "rewrites testdata/cli/help.txt.";
}

}  // namespace
}  // namespace quorlith
