#include "runs/run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "runs/scenario_testing.h"

namespace quorlith {
namespace {

TEST(Run, Scenarios) {
  int played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::string(QUORLITH_TESTDATA_DIR) + "/runs")) {
    if (entry.path().extension() != ".txt") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream file(entry.path());
    std::string script((std::istreambuf_iterator<char>(file)), {});
    ++played;
    std::map<std::string, std::vector<std::uint8_t>> serial, parallel;
    scenario::PlayScenario(script, 1, serial);
    if (("\n" + script).find("\nserial\n") != std::string::npos) continue;
    SCOPED_TRACE("on four workers");
    scenario::PlayScenario(script, 4, parallel);
    EXPECT_TRUE(parallel == serial);
  }
  EXPECT_GE(played, 10);
}

}  // namespace
}  // namespace quorlith
