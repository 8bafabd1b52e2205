#include "runs/windows_command_line.h"

#include <cstddef>

namespace quorlith {

namespace {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::size_t i = 0;
  std::string program;
  // The program's name knows no escapes: it runs to the next quote when it
  // starts with one, otherwise to the first blank.
  if (!line.empty() && line[0] == '"') {
    for (i = 1; i < line.size() && line[i] != '"'; ++i) program += line[i];
    if (i < line.size()) ++i;
  } else {
    for (; i < line.size() && !IsBlank(line[i]); ++i) program += line[i];
  }
  std::vector<std::string> args{program};

  // Quotes seen in a row count modulo three, as CommandLineToArgvW counts
  // them: one opens, a second closes, a third closes and writes a quote.
  int quotes = 0;
  std::size_t backslashes = 0;
  bool in_argument = false;
  std::string current;
  while (i < line.size()) {
    char c = line[i];
    if (IsBlank(c) && quotes == 0) {
      if (in_argument) args.push_back(current);
      in_argument = false;
      current.clear();
      backslashes = 0;
      ++i;
      continue;
    }
    in_argument = true;
    if (c == '\\') {
      current += c;
      ++backslashes;
      ++i;
      continue;
    }
    if (c != '"') {
      current += c;
      backslashes = 0;
      ++i;
      continue;
    }
    std::size_t half = backslashes / 2;
    bool escaped = backslashes % 2 == 1;
    bool last = i + 1 == line.size() || IsBlank(line[i + 1]);
    if (escaped && quotes == 1 && last) {
      // A folder that ends in "\": the backslash stays, the quote closes.
      current.resize(current.size() - half);
      ++quotes;
    } else if (escaped) {
      current.resize(current.size() - half - 1);
      current += '"';
    } else {
      current.resize(current.size() - half);
      ++quotes;
    }
    backslashes = 0;
    for (++i; i < line.size() && line[i] == '"'; ++i) {
      if (++quotes == 3) {
        current += '"';
        quotes = 0;
      }
    }
    if (quotes == 2) quotes = 0;
  }
  if (in_argument) args.push_back(current);
  return args;
}

}  // namespace quorlith
