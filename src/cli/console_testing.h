#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/console.h"
#include "runs/fake_file_system.h"

namespace quorlith {

// What one command line did: its exit status and both streams.
struct ConsoleOutcome {
  int status;
  std::string out;
  std::string err;
};

// Runs "quorlith ARGS..." over `fs`.
inline ConsoleOutcome RunConsoleWith(FakeFileSystem& fs,
                                     std::vector<const char*> args) {
  args.insert(args.begin(), "quorlith");
  std::ostringstream out, err;
  int status =
      RunConsole(static_cast<int>(args.size()), args.data(), out, err, fs);
  return {status, out.str(), err.str()};
}

// Plays a transcript of command lines over `fs`, each checked as written:
//
//   # a comment
//   $ --find 'Key_Rate = 1' A => 1 the arguments, quotes keeping blanks,
//                                  and after "=>" the exit status
//   > a line of standard output    its lines, all of them; a last line
//   >...                           ">..." lets more follow; ">-": none
//   ! a line of standard error     alike, for standard error
//
// A stream without lines is not checked, but a status of 2 (trouble, or
// a wrong command line) must say why on standard error.
inline void PlayTranscript(FakeFileSystem& fs, const std::string& text) {
  struct Stream {
    std::string text;
    bool checked = false;
    bool open = false;  // ">...": more may follow
    void Add(const std::string& line) {
      checked = true;
      if (line == "-") return;
      if (line == "...") {
        open = true;
      } else {
        text += line.substr(line.empty() ? 0 : 1) + "\n";
      }
    }
    void Expect(const std::string& actual) const {
      if (!checked) return;
      if (open) {
        EXPECT_TRUE(actual.starts_with(text)) << actual;
      } else {
        EXPECT_EQ(actual, text);
      }
    }
  };
  std::vector<std::string> args;
  bool pending = false;
  int status = -1;
  Stream out, err;
  std::size_t number = 0, at = 0;
  auto play = [&] {
    if (!pending) return;
    pending = false;
    SCOPED_TRACE("transcript line " + std::to_string(at));
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    ConsoleOutcome outcome = RunConsoleWith(fs, argv);
    EXPECT_EQ(outcome.status, status) << outcome.err;
    out.Expect(outcome.out);
    err.Expect(outcome.err);
    if (status == 2) {
      EXPECT_NE(outcome.err, "");
    }
    args.clear();
    out = err = {};
  };
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.starts_with("$ ")) {
      play();
      pending = true;
      at = number;
      std::size_t arrow = line.rfind(" => ");
      if (arrow == std::string::npos) {
        ADD_FAILURE() << "transcript line " << number << ": no \" => STATUS\"";
        continue;
      }
      status = std::stoi(line.substr(arrow + 4));
      line.resize(arrow);
      std::string arg;
      char quote = 0;
      for (std::size_t i = 1; i <= line.size(); ++i) {
        char c = i < line.size() ? line[i] : ' ';
        if (quote == 0 && c == ' ') {
          if (!arg.empty() || (i > 1 && line[i - 1] == '\'')) {
            args.push_back(arg);
          }
          arg.clear();
        } else if (c == '\'' && (quote == 0 || quote == c)) {
          quote = quote == 0 ? c : 0;
        } else {
          arg += c;
        }
      }
    } else if (line.starts_with(">")) {
      out.Add(line.substr(1));
    } else if (line.starts_with("!")) {
      err.Add(line.substr(1));
    } else {
      EXPECT_TRUE(line.empty() || line.starts_with("#"))
          << "transcript line " << number << ": " << line;
    }
  }
  play();
}

}  // namespace quorlith
