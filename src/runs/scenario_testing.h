#pragma once

// The player of the run scenarios under testdata/runs/: a file system in
// memory, the runs its script starts, and the logs and files they must
// leave. run_test.cc plays each once serially and once on four workers
// (unless it says "serial"): both must log the same lines and leave the
// same files. The commands:
//
//   cwd DIR                      current folder (default /cwd/); one
//                                ending in "\" splits and completes names
//                                as Windows does
//   serial                       play on one worker only
//   cancel-after N               the run's pump asks to stop after N files
//   file PATH KIND [BLOCK OFFSET VALUE]... [modified SECONDS]
//         KIND valid             a set file made by the builder, the word
//                                at OFFSET of its BLOCK (screen, keyboard
//                                or mouse) set to each VALUE
//              short             that cut one byte short of its header
//              shrunk            that cut to its header and one byte,
//                                listed with a whole set file's size
//   text PATH LINE|LINE...       a report as UTF-8 lines (none: no bytes)
//   copy PATH NEW [BLOCK OFFSET VALUE]...
//                                NEW holds the bytes PATH was given, with
//                                those words set
//   link PATH ALIAS              ALIAS is another name of the file at PATH
//   fail open|create|write|close|rename PATH
//   unfail                       no step fails any more
//   run decompile|decompile-to|compare INPUT [OUTPUT]  ("" is an empty name)
//   run compile REPORT BASE OUTPUT => R
//   run merge BASE MINE THEIRS OUTPUT [theirs] [dry-run] [conflicts=PATH]
//             [git=NAME] => R
//                                R: what the run returned, a compile the
//                                files written, a merge merged, conflicts
//                                or trouble
//   > LINE                       the run's log, one line each, in order;
//                                a compile's or a merge's lines start with
//                                their mark, "E " for an error, two blanks
//                                else
//   same PATH OTHER              both hold the same bytes
//   absent PATH
//   report PATH line|contains TEXT
//                                the report's text, UTF-8; one in UTF-16
//                                starts "UTF-16 " in place of its BOM;
//                                a line is whole, CR LF or LF ended
//   pumps N                      the pump ran N times in all
//
// At the end every file a command made, or a "same" or "report" checked
// last, holds those bytes still, and no temporary file of a run is left.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
  int pumps = 0, cancel_after = 1 << 30;
  // The last run's log and the lines it must be, until checked.
  std::string log, expected;
  auto check_log = [&] {
    EXPECT_EQ(log, expected);
    log.clear();
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
    std::size_t arrow = line.rfind(" => ");
    std::string result, want;
    if (arrow != std::string::npos) want = line.substr(arrow + 4);
    line = line.substr(0, arrow);
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
      if (path.ends_with('\\')) fs.path_style = PathStyle::kWindows;
    } else if (verb == "cancel-after") {
      cancel_after = std::stoi(path);
    } else if (verb == "file" || verb == "copy") {
      std::string kind = next();
      Bytes bytes = verb == "copy" ? given.at(path) : SetFileBuilder().Bytes();
      if (verb == "copy") path = kind;
      std::int64_t modified = 0;
      for (std::string block; words >> block;) {
        std::size_t offset = 0;
        unsigned value = 0;
        if (block == "modified") {
          words >> modified;
          continue;
        }
        words >> offset >> value;
        offset += Layout(kBlocks.at(block)).file_offset;
        bytes.at(offset) = static_cast<std::uint8_t>(value);
        bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
      }
      if (kind == "short") bytes.resize(kHeaderSize - 1);
      if (kind == "shrunk") bytes.resize(kHeaderSize + 1);
      fs.AddFile(path, given[path] = bytes, modified);
      if (kind == "shrunk") fs.Find(path)->listed_size = kSetFileSize;
    } else if (verb == "text") {
      std::getline(words >> std::ws, arg);
      std::replace(arg.begin(), arg.end(), '|', '\n');
      if (!arg.empty()) arg += '\n';
      fs.AddFile(path, given[path] = Bytes(arg.begin(), arg.end()));
    } else if (verb == "link") {
      fs.Link(path, arg = next());
      given[arg] = given.at(path);
    } else if (verb == "fail") {
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
        for (std::string* name :
             {&request.base, &request.mine, &request.theirs, &request.output}) {
          *name = next();
        }
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
      EXPECT_EQ(result, want);
    } else if (verb == "same") {
      arg = next();
      ASSERT_TRUE(fs.Exists(path) && fs.Exists(arg));
      EXPECT_TRUE((given[path] = fs.Find(path)->bytes) == fs.Find(arg)->bytes);
    } else if (verb == "run") {
      RunMode mode = path == "compare"        ? RunMode::kCompare
                     : path == "decompile-to" ? RunMode::kDecompileTo
                                              : RunMode::kDecompile;
      std::string input = next(), output = next();
      LogBuffer buffer;
      RunContext ctx{fs, buffer, [&] { return ++pumps > cancel_after; }, jobs};
      RunDecompile(ctx, mode, input, output);
      EXPECT_EQ(fs.open_files, 0);
      log = Utf16ToUtf8(buffer.Text());  // CR CR LF line ends
      std::erase(log, '\r');
    } else if (verb == "absent") {
      EXPECT_FALSE(fs.Exists(path));
    } else if (verb == "pumps") {
      EXPECT_EQ(pumps, std::stoi(path));
    } else if (verb == "report") {
      arg = next();
      std::string text;
      std::getline(words >> std::ws, text);
      ASSERT_TRUE(fs.Exists(path) && (arg == "line" || arg == "contains"));
      const Bytes& bytes = given[path] = fs.Find(path)->bytes;
      std::string report(bytes.begin(), bytes.end());
      if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        report = "UTF-16 " + Utf8OfUtf16Bytes(bytes).substr(3);
      }
      std::erase(report, '\r');
      bool found =
          (arg == "line" ? ("\n" + report + "\n").find("\n" + text + "\n")
                         : report.find(text)) != std::string::npos;
      EXPECT_TRUE(found) << report.substr(0, 1000);
    } else {
      ADD_FAILURE() << "unknown command";
    }
  }
  check_log();
  for (const auto& [path, bytes] : given) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(fs.Exists(path));
    EXPECT_TRUE(fs.Find(path)->bytes == bytes);
  }
  for (const std::string& path : fs.Paths()) {
    EXPECT_FALSE(path.ends_with(".quorlith-new")) << path;
    files[path] = fs.Find(path)->bytes;
  }
}

}  // namespace quorlith::scenario
