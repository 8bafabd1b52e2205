#include "runs/windows_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorlith {
namespace {

// Each line as cmd hands it over, and the arguments after the program's.
TEST(WindowsCommandLine, Splits) {
  const std::pair<const char*, std::vector<std::string>> kCases[] = {
      // A quoted folder that ends in "\" stays a folder.
      {R"(q "D:\My Sets\A B.000" "D:\My Sets\Out Put\")",
       {R"(D:\My Sets\A B.000)", R"(D:\My Sets\Out Put\)"}},
      {R"(q "D:\Sets\")", {R"(D:\Sets\)"}},
      {R"(q A.000 "D:\New Sets\" x)", {"A.000", R"(D:\New Sets\)", "x"}},
      {"q \"D:\\New Sets\\\"\tx", {R"(D:\New Sets\)", "x"}},
      {R"(q "\\server\share\")", {R"(\\server\share\)"}},
      {R"(q "D:\a\\\" x)", {R"(D:\a\\)", "x"}},
      // Everywhere else CommandLineToArgvW's rules hold.
      {R"(q "D:\a\\" x)", {R"(D:\a\)", "x"}},
      {R"(q "a\"b" x)", {R"(a"b)", "x"}},
      {R"(q a\"b\" x)", {R"(a"b")", "x"}},
      {R"(q "a\"" x)", {R"(a")", "x"}},
      {R"(q "a\""" x)", {R"(a"")", "x"}},
      {R"(q a\\b a\\\\"b c")", {R"(a\\b)", R"(a\\b c)"}},
      {R"(q "a""b" c)", {R"(a"b c)"}},
      {R"(q """a b""" c)", {R"("a)", R"(b")", "c"}},
      {"q  \t a\t\tb  ", {"a", "b"}},
      {R"(q "" "")", {"", ""}},
      {R"(q "a b)", {"a b"}},
      {R"("C:\Program Files\q.exe" a)", {"a"}},
      {R"("C:\q.exe"a b)", {"a", "b"}},
      {R"(C:\q"x a)", {"a"}},
      {"q", {}},
      {"", {}},
  };
  for (const auto& [line, want] : kCases) {
    SCOPED_TRACE(line);
    std::vector<std::string> args = SplitWindowsCommandLine(line);
    ASSERT_FALSE(args.empty());
    EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.end()), want);
  }
}

}  // namespace
}  // namespace quorlith
