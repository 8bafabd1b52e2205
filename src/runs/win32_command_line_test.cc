// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <random>
#include <regex>
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
  const std::regex kEndsAtEscapedQuote(R"(\\"(\s|$))");
  std::mt19937 random(35);
  int compared = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (int i = static_cast<int>(random() % 12); i >= 0; --i) {
      line += kAlphabet[random() % 5];
    }
    if (std::regex_search(line, kEndsAtEscapedQuote)) continue;
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(Widen(line).c_str(), &count);
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) expected.push_back(Narrow(argv[i]));
    LocalFree(argv);
    ASSERT_EQ(SplitWindowsCommandLine(line), expected) << line;
    ++compared;
  }
  EXPECT_GT(compared, 10000);  // the lines left out stay few
}

}  // namespace
}  // namespace quorlith
