#include "runs/windows_file_names.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quorlith {
namespace {

// How Windows names split and complete is in the split rows of
// testdata/tables/file_names.txt.
TEST(WindowsFileNames, Limits) {
  const std::string kFolder = R"(C:\)";  // 3 characters
  std::string alphas;                    // Greek: one UTF-16 unit each
  for (int i = 0; i < 252; ++i) alphas += "\xCE\xB1";
  const std::pair<std::string, bool> kCases[] = {
      {kFolder + std::string(252, 'a') + ".000", true},   // 259
      {kFolder + std::string(253, 'a') + ".000", false},  // 260
      {kFolder + std::string(255, 'a'), true},            // name of 255
      {"C:" + std::string(256, 'b'), false},              // name of 256
      {R"(\)" + std::string(255, 'd') + R"(\)", false},   // directory of 257
      {R"(\)" + std::string(253, 'd') + R"(\)", true},    // directory of 255
      {kFolder + "a." + std::string(254, 'e'), true},     // extension of 255
      {kFolder + alphas + ".000", true},
      // An emoji is two units.
      {kFolder + "\xF0\x9F\x98\x80" + std::string(251, 'a') + ".000", false},
  };
  for (const auto& [path, fits] : kCases) {
    EXPECT_EQ(FitsWindowsLimits(path), fits) << path.size();
  }
}

}  // namespace
}  // namespace quorlith
