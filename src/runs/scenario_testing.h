#pragma once

// The player of the run scenarios under testdata/runs/: a file system in
// memory, the runs its script starts, and the logs and files they must
// leave. run_test.cc plays each once serially and once on four workers
// (unless it says "serial"): both must log the same lines and leave the
// same files. The commands:
//
//   cwd DIR                      current folder (default /cwd/)
//   style windows                split and complete names as Windows does
//   serial                       play on one worker only
//   cancel-after N               the run's pump asks to stop after N files
//   file PATH KIND [SCREEN_RATE] [modified SECONDS]
//         KIND valid             a set file made by the builder
//              junk              one byte 'x'
//              short             a set file cut one byte short of its header
//              shrunk            a set file cut to its header and one byte,
//                                listed with a whole set file's size
//   text PATH LINE|LINE...       a report as UTF-8 lines (none: no bytes)
//   copy PATH NEW                NEW holds the bytes PATH holds now
//   word|byte PATH BLOCK OFFSET VALUE
//                                sets the word or byte at OFFSET of the
//                                file's BLOCK (screen, keyboard or mouse)
//   link PATH ALIAS              ALIAS is another name of the file at PATH
//   fail open|create|write|close|rename PATH
//   unfail                       no step fails any more
//   run decompile|decompile-to|compare INPUT [OUTPUT]  ("" is an empty name)
//   run compile REPORT BASE OUTPUT
//   run merge BASE MINE THEIRS OUTPUT [theirs] [dry-run] [conflicts=PATH]
//             [git=NAME]
//   > LINE                       the run's log, one line each, in order;
//                                a compile's or a merge's lines start with
//                                their mark, "E " for an error, two blanks
//                                else
//   result R                     what the last compile (files written) or
//                                merge (merged, conflicts, trouble) returned
//   same PATH OTHER              both hold the same bytes
//   absent PATH
//   unchanged PATH               its bytes are those its "file" line gave it
//   report PATH starts|line|contains|lacks TEXT
//                                the report's text, UTF-8; one in UTF-16
//                                starts "UTF-16 " in place of its mark;
//                                a line is whole, CR LF or LF ended
//   pumps N                      the pump ran N times in all

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "report/report_testing.h"
#include "runs/compile_run.h"
#include "runs/fake_file_system.h"
#include "runs/log_testing.h"
#include "runs/merge_run.h"
#include "runs/run.h"
#include "setfile/set_file_builder.h"
#include "text/report_text.h"

namespace quorlith::scenario {

using Bytes = std::vector<std::uint8_t>;

// Plays one scenario of testdata/runs/ on `jobs` workers; `files` gets
// every file the runs left.
inline void PlayScenario(const std::string& script, int jobs,
                         std::map<std::string, Bytes>& files) {
  FakeFileSystem fs;
  fs.SetCurrentDirectory("/cwd/");
  std::map<std::string, Bytes> given;
  const std::map<std::string, std::set<std::string>*> kFailures = {
      {"open", &fs.fail_open},
      {"create", &fs.fail_create},
      {"write", &fs.fail_write},
      {"close", &fs.fail_close},
      {"rename", &fs.fail_rename}};
  const std::map<std::string, BlockId> kBlocks = {
      {"screen", BlockId::kScreen},
      {"keyboard", BlockId::kKeyboard},
      {"mouse", BlockId::kMouse}};
  std::string result;
  int pumps = 0, cancel_after = 1 << 30;
  // The last run's log, until its lines are checked.
  std::optional<std::string> log;
  std::string expected;
  auto check_log = [&] {
    EXPECT_EQ(log.value_or(""), expected);
    log.reset();
    expected.clear();
  };
  std::istringstream lines(script);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
    if (line.starts_with("> ")) {
      expected += line.substr(2) + "\n";
      continue;
    }
    check_log();
    std::istringstream words(line);
    auto next = [&words] {
      std::string word;
      words >> word;
      return word == "\"\"" ? std::string() : word;
    };
    std::string verb = next(), path = next(), arg;
    if (verb.empty() || verb[0] == '#' || verb == "serial") {
    } else if (verb == "cwd") {
      fs.SetCurrentDirectory(path);
    } else if (verb == "style") {
      fs.path_style = PathStyle::kWindows;
    } else if (verb == "cancel-after") {
      cancel_after = std::stoi(path);
    } else if (verb == "file") {
      std::string kind = next();
      int rate = 0;
      std::int64_t modified = 0;
      if (words >> rate) words >> arg >> modified;
      Bytes bytes =
          SetFileBuilder()
              .SetWord(BlockId::kScreen, 2, static_cast<std::uint16_t>(rate))
              .Bytes();
      if (kind == "short") bytes.resize(kHeaderSize - 1);
      if (kind == "shrunk") bytes.resize(kHeaderSize + 1);
      if (kind == "junk") bytes = {'x'};
      fs.AddFile(path, bytes, modified);
      if (kind == "shrunk") fs.Find(path)->listed_size = kSetFileSize;
      given[path] = bytes;
    } else if (verb == "text") {
      std::getline(words >> std::ws, arg);
      std::replace(arg.begin(), arg.end(), '|', '\n');
      if (!arg.empty()) arg += '\n';
      fs.AddFile(path, given[path] = Bytes(arg.begin(), arg.end()));
    } else if (verb == "copy") {
      arg = next();
      fs.AddFile(arg, given[arg] = given.at(path));
    } else if (verb == "word" || verb == "byte") {
      std::string block = next();
      std::size_t offset = 0;
      unsigned value = 0;
      words >> offset >> value;
      ASSERT_TRUE(kBlocks.count(block));
      offset += Layout(kBlocks.at(block)).file_offset;
      Bytes& bytes = given.at(path);
      bytes.at(offset) = static_cast<std::uint8_t>(value);
      if (verb == "word")
        bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
      fs.AddFile(path, bytes);
    } else if (verb == "link") {
      fs.Link(path, next());
    } else if (verb == "fail") {
      ASSERT_TRUE(kFailures.count(path));
      kFailures.at(path)->insert(next());
    } else if (verb == "unfail") {
      for (const auto& [step, paths] : kFailures) paths->clear();
    } else if (verb == "run" && (path == "compile" || path == "merge")) {
      MarkedLog marked;
      if (path == "compile") {
        CompileRequest request{next(), next(), next(), jobs};
        result = std::to_string(RunCompile(fs, marked.buffer(), request));
      } else {
        MergeRequest request;
        request.base = next();
        request.mine = next();
        request.theirs = next();
        request.output = next();
        while (words >> arg) {
          if (arg == "theirs") request.pick = MergePick::kTheirs;
          if (arg == "dry-run") request.dry_run = true;
          if (arg.starts_with("conflicts=")) request.conflicts = arg.substr(10);
          if (arg.starts_with("git=")) {
            request.git_driver = true;
            request.git_path = arg.substr(4);
          }
        }
        const char* kResults[] = {"merged", "conflicts", "trouble"};
        result =
            kResults[static_cast<int>(RunMerge(fs, marked.buffer(), request))];
      }
      log = marked.Text();
    } else if (verb == "result") {
      EXPECT_EQ(result, path);
    } else if (verb == "same") {
      arg = next();
      ASSERT_TRUE(fs.Exists(path) && fs.Exists(arg));
      EXPECT_TRUE(fs.Find(path)->bytes == fs.Find(arg)->bytes);
    } else if (verb == "run") {
      const std::map<std::string, RunMode> kModes = {
          {"decompile", RunMode::kDecompile},
          {"decompile-to", RunMode::kDecompileTo},
          {"compare", RunMode::kCompare}};
      ASSERT_TRUE(kModes.count(path));
      std::string input = next(), output = next();
      LogBuffer buffer;
      RunContext ctx{fs, buffer, [&] { return ++pumps > cancel_after; }, jobs};
      RunDecompile(ctx, kModes.at(path), input, output);
      EXPECT_EQ(fs.open_files, 0);
      log = Utf16ToUtf8(buffer.Text());  // CR CR LF line ends
      std::erase(*log, '\r');
    } else if (verb == "absent") {
      EXPECT_FALSE(fs.Exists(path));
    } else if (verb == "unchanged") {
      ASSERT_TRUE(fs.Exists(path));
      EXPECT_EQ(fs.Find(path)->bytes, given[path]);
    } else if (verb == "pumps") {
      EXPECT_EQ(pumps, std::stoi(path));
    } else if (verb == "report") {
      arg = next();
      std::string text;
      std::getline(words >> std::ws, text);
      ASSERT_TRUE(fs.Exists(path) && (arg == "starts" || arg == "line" ||
                                      arg == "contains" || arg == "lacks"));
      const Bytes& bytes = fs.Find(path)->bytes;
      std::string report(bytes.begin(), bytes.end());
      if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        report = "UTF-16 " + Utf8OfUtf16Bytes(bytes).substr(3);
      }
      std::string ended = "\n" + report + "\n";
      std::erase(ended, '\r');
      bool found = arg == "starts" ? report.starts_with(text)
                   : arg == "line"
                       ? ended.find("\n" + text + "\n") != std::string::npos
                       : report.find(text) != std::string::npos;
      EXPECT_EQ(found, arg != "lacks") << report.substr(0, 1000);
    } else {
      ADD_FAILURE() << "unknown command";
    }
  }
  check_log();
  for (const std::string& path : fs.Paths()) files[path] = fs.Find(path)->bytes;
}

}  // namespace quorlith::scenario
