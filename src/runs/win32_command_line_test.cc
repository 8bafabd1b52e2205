// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "runs/win32_wide.h"
#include "runs/windows_command_line.h"

namespace quorlith {
namespace {

// Wherever no `\"` ends an argument, the split is the system's own, over
// random lines of the characters that matter.
TEST(Win32CommandLine, SplitsAsTheSystemDoes) {
  constexpr char kAlphabet[] = {'a', ' ', '\t', '\\', '"'};
  std::mt19937 random(35);
  int compared = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    int length = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) line += kAlphabet[random() % 5];
    if (line.find("\\\" ") != std::string::npos ||
        line.find("\\\"\t") != std::string::npos || line.ends_with("\\\"")) {
      continue;
    }
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(Widen(line).c_str(), &count);
    ASSERT_NE(argv, nullptr);
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) expected.push_back(Narrow(argv[i]));
    LocalFree(argv);
    SCOPED_TRACE(line);
    ASSERT_EQ(SplitWindowsCommandLine(line), expected);
    ++compared;
  }
  EXPECT_GT(compared, 10000);
}

}  // namespace
}  // namespace quorlith
