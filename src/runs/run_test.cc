#include "runs/run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include "runs/scenario_testing.h"

namespace quorlith {
namespace {

TEST(Run, Scenarios) {
  int played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::string(QUORLITH_TESTDATA_DIR) + "/runs")) {
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream file(entry.path());
    std::string script((std::istreambuf_iterator<char>(file)), {});
    ++played;
    std::map<std::string, scenario::Bytes> serial, parallel;
    scenario::PlayScenario(script, 1, serial);
    if (("\n" + script).find("\nserial\n") != std::string::npos) continue;
    SCOPED_TRACE("on four workers");
    scenario::PlayScenario(script, 4, parallel);
    EXPECT_TRUE(parallel == serial);
  }
  EXPECT_GE(played, 10);
}

// Folders of more files than four workers' window (16), some no set
// files, some failing a step: each run on four workers logs and writes
// exactly what a serial run does.
TEST(Run, ParallelRunsMatchSerialOnes) {
  for (unsigned seed = 0; seed < 6; ++seed) {
    SCOPED_TRACE(seed);
    std::string logs[2];
    std::map<std::string, scenario::Bytes> files[2];
    for (int jobs : {1, 4}) {
      std::mt19937 random(seed);
      FakeFileSystem fs;
      std::set<std::string>* steps[] = {&fs.fail_open, &fs.fail_create,
                                        &fs.fail_write, &fs.fail_close};
      for (std::uint16_t i = 0; i < 24; ++i) {
        std::string name = "/s/F" + std::to_string(100 + i);
        fs.AddFile(
            name + ".000",
            i > 0 && random() % 6 == 0
                ? scenario::Bytes{'x'}
                : SetFileBuilder().SetWord(BlockId::kScreen, 2, i).Bytes());
        if (i > 0 && random() % 4 == 0) {
          steps[random() % 4]->insert(name + (random() % 2 ? ".000" : ".t00"));
        }
      }
      LogBuffer log;
      for (auto [mode, input, output] :
           {std::tuple{RunMode::kDecompile, "/s/*", ""},
            {RunMode::kDecompileTo, "/s/*", "/out/"},
            {RunMode::kCompare, "/s/F100.000", "/s/*"}}) {
        RunContext ctx{fs, log, {}, jobs};
        RunDecompile(ctx, mode, input, output);
      }
      logs[jobs / 4] = Utf16ToUtf8(log.Text());
      for (const std::string& path : fs.Paths()) {
        files[jobs / 4][path] = fs.Find(path)->bytes;
      }
    }
    EXPECT_EQ(logs[1], logs[0]);
    EXPECT_TRUE(files[1] == files[0]);
  }
}

}  // namespace
}  // namespace quorlith
