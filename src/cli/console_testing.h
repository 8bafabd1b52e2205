#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
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

// What `cksum` prints first for `bytes`: the CRC-32 of POSIX, over the
// bytes and then their count.
inline std::uint32_t PosixCksum(std::string_view bytes) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> made{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t crc = i << 24;
      for (int bit = 0; bit < 8; ++bit) {
        crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
      }
      made[i] = crc;
    }
    return made;
  }();
  std::uint32_t crc = 0;
  auto feed = [&](std::uint8_t byte) {
    crc = crc << 8 ^ table[(crc >> 24 ^ byte) & 0xFF];
  };
  for (char c : bytes) feed(static_cast<std::uint8_t>(c));
  for (std::size_t n = bytes.size(); n != 0; n >>= 8) {
    feed(static_cast<std::uint8_t>(n));
  }
  return ~crc;
}

// Plays a transcript of command lines over `fs`, each checked as written:
//
//   # a comment
//   $ --find 'Key_Rate = 1' A => 1 the arguments, quotes keeping blanks,
//                                  and after "=>" the exit status
//   > a line of standard output    its lines, all of them; a last line
//   >...                           ">..." lets more follow; ">-": none
//   ! a line of standard error     alike, for standard error
//   = 1234567 89                   standard output's POSIX cksum and size,
//                                  for an output too long to spell out
//
// A stream without lines is not checked, but a status of 2 (trouble, or
// a wrong command line) must say why on standard error. `leading` goes
// before every command line's arguments.
inline void PlayTranscript(FakeFileSystem& fs, const std::string& text,
                           const std::vector<std::string>& leading = {}) {
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
  std::string digest;
  std::size_t number = 0, at = 0;
  auto play = [&] {
    if (!pending) return;
    pending = false;
    SCOPED_TRACE("transcript line " + std::to_string(at));
    std::vector<const char*> argv;
    for (const std::string& arg : leading) argv.push_back(arg.c_str());
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    ConsoleOutcome outcome = RunConsoleWith(fs, argv);
    EXPECT_EQ(outcome.status, status) << outcome.err;
    out.Expect(outcome.out);
    err.Expect(outcome.err);
    if (!digest.empty()) {
      EXPECT_EQ(std::to_string(PosixCksum(outcome.out)) + " " +
                    std::to_string(outcome.out.size()),
                digest);
    }
    digest.clear();
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
    } else if (line.starts_with("= ")) {
      digest = line.substr(2);
    } else {
      EXPECT_TRUE(line.empty() || line.starts_with("#"))
          << "transcript line " << number << ": " << line;
    }
  }
  play();
}

}  // namespace quorlith
