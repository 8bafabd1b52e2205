#pragma once

// The player of the run scenarios under testdata/runs/: a file system in
// memory, the runs its script starts, and the logs and files they must
// leave.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "report/report_testing.h"
#include "runs/fake_file_system.h"
#include "runs/log_testing.h"
#include "runs/merge_run.h"
#include "runs/run.h"
#include "runs/run_files.h"
#include "setfile/set_file_builder.h"
#include "text/report_text.h"

namespace quorlith::scenario {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ValidFile(std::uint16_t screen_rate) {
  return SetFileBuilder().SetWord(BlockId::kScreen, 2, screen_rate).Bytes();
}

// A report's text as UTF-8: a UTF-16 one from its mark on, with CR LF
// line ends; a UTF-8 one, as git's merge driver writes it, as it is.
inline std::string ReportText(FakeFileSystem& fs, const std::string& path) {
  FakeFileSystem::File* file = fs.Find(path);
  if (file == nullptr) return "(missing)";
  const std::vector<std::uint8_t>& bytes = file->bytes;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    return Utf8OfUtf16Bytes(bytes);
  }
  return {bytes.begin(), bytes.end()};
}

// Plays one scenario of testdata/runs/ (its README gives the commands) on
// `jobs` workers; `files` gets every file the runs left.
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
  std::optional<MergeResult> merged;
  int pumps = 0, cancel_after = 1 << 30;
  // The last run's log, until its lines are checked; each line of the
  // log ends in CR CR LF.
  std::optional<std::string> log;
  std::string expected;
  auto check_log = [&] {
    if (log) {
      EXPECT_EQ(*log, expected);
    } else {
      EXPECT_EQ(expected, "") << "log lines without a run";
    }
    log.reset();
    expected.clear();
  };
  std::istringstream lines(script);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
    if (line.starts_with("> ")) {
      expected += line.substr(2) + "\r\r\n";
      continue;
    }
    check_log();
    std::istringstream words(line);
    std::string verb, path, arg;
    words >> verb >> path;
    if (verb.empty() || verb[0] == '#' || verb == "serial") {
    } else if (verb == "cwd") {
      fs.SetCurrentDirectory(path);
    } else if (verb == "style") {
      fs.path_style = PathStyle::kWindows;
    } else if (verb == "cancel-after") {
      cancel_after = std::stoi(path);
    } else if (verb == "file") {
      std::string kind;
      words >> kind;
      Bytes bytes;
      std::int64_t modified = 0;
      if (kind == "valid" || kind == "shrunk" || kind == "short") {
        int rate = 0;
        if (words >> rate) words >> arg;
        bytes = ValidFile(static_cast<std::uint16_t>(rate));
        if (kind == "short") bytes.resize(kHeaderSize - 1);
        if (kind == "shrunk") bytes.resize(kHeaderSize + 1);
        if (arg == "modified") words >> modified;
      } else if (kind == "junk") {
        bytes = {'x'};
      } else if (kind == "bytes") {
        for (int byte; words >> std::hex >> byte;) {
          bytes.push_back(static_cast<std::uint8_t>(byte));
        }
      } else {
        ASSERT_EQ(kind, "empty");
      }
      fs.AddFile(path, bytes, modified);
      if (kind == "shrunk") fs.Find(path)->listed_size = kSetFileSize;
      given[path] = bytes;
    } else if (verb == "copy") {
      words >> arg;
      given[arg] = given.at(path);
      fs.AddFile(arg, given[arg]);
    } else if (verb == "word" || verb == "byte") {
      std::string block;
      std::size_t offset = 0;
      unsigned value = 0;
      words >> block >> offset >> value;
      ASSERT_TRUE(kBlocks.count(block));
      offset += Layout(kBlocks.at(block)).file_offset;
      Bytes& bytes = given.at(path);
      bytes.at(offset) = static_cast<std::uint8_t>(value);
      if (verb == "word")
        bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
      fs.AddFile(path, bytes);
    } else if (verb == "link") {
      words >> arg;
      fs.Link(path, arg);
    } else if (verb == "fail") {
      words >> arg;
      ASSERT_TRUE(kFailures.count(path));
      kFailures.at(path)->insert(arg);
    } else if (verb == "unfail") {
      for (const auto& [step, paths] : kFailures) paths->clear();
    } else if (verb == "run" && path == "merge") {
      MergeRequest request;
      words >> request.base >> request.mine >> request.theirs >> request.output;
      if (request.output == "\"\"") request.output.clear();
      while (words >> arg) {
        if (arg == "theirs") request.pick = MergePick::kTheirs;
        if (arg == "dry-run") request.dry_run = true;
        if (arg.starts_with("conflicts=")) request.conflicts = arg.substr(10);
        if (arg.starts_with("git=")) {
          request.git_driver = true;
          request.git_path = arg.substr(4);
        }
      }
      MarkedLog marked;
      merged = RunMerge(fs, marked.buffer(), request);
      log.emplace();
      std::istringstream text(marked.Text());
      for (std::string at; std::getline(text, at);) *log += at + "\r\r\n";
    } else if (verb == "result") {
      const std::map<std::string, MergeResult> kResults = {
          {"merged", MergeResult::kMerged},
          {"conflicts", MergeResult::kConflicts},
          {"trouble", MergeResult::kTrouble}};
      ASSERT_TRUE(merged.has_value() && kResults.count(path));
      EXPECT_TRUE(*merged == kResults.at(path));
    } else if (verb == "same") {
      words >> arg;
      ASSERT_TRUE(fs.Exists(path) && fs.Exists(arg));
      EXPECT_TRUE(fs.Find(path)->bytes == fs.Find(arg)->bytes);
    } else if (verb == "run") {
      const std::map<std::string, RunMode> kModes = {
          {"decompile", RunMode::kDecompile},
          {"decompile-to", RunMode::kDecompileTo},
          {"compare", RunMode::kCompare}};
      ASSERT_TRUE(kModes.count(path));
      std::string input, output;
      words >> input >> output;
      if (output == "\"\"") output.clear();
      LogBuffer buffer;
      RunContext ctx{fs, buffer, [&] { return ++pumps > cancel_after; }, jobs};
      RunDecompile(ctx, kModes.at(path), input, output);
      EXPECT_EQ(fs.open_files, 0);
      log = Utf16ToUtf8(buffer.Text());
    } else if (verb == "absent") {
      EXPECT_FALSE(fs.Exists(path));
    } else if (verb == "unchanged") {
      ASSERT_TRUE(fs.Exists(path));
      EXPECT_EQ(fs.Find(path)->bytes, given[path]);
    } else if (verb == "workers") {
      int expected_workers = 0;
      std::vector<std::string> outputs;
      words >> expected_workers;
      while (words >> arg) outputs.push_back(arg);
      EXPECT_EQ(WorkersFor(fs, std::stoi(path), outputs.size(),
                           [&](std::size_t i) { return outputs[i]; }),
                expected_workers);
    } else if (verb == "pumps") {
      EXPECT_EQ(pumps, std::stoi(path));
    } else if (verb == "report") {
      words >> arg;
      std::string text, report = ReportText(fs, path);
      std::getline(words >> std::ws, text);
      bool utf16 = report.starts_with("\uFEFF");
      if (arg == "starts" || arg == "starts-utf8") {
        EXPECT_EQ(utf16, arg == "starts");
        EXPECT_TRUE(report.starts_with((utf16 ? "\uFEFF" : "") + text))
            << report;
      } else if (arg == "line") {
        std::string end = utf16 ? "\r\n" : "\n";
        EXPECT_NE(("\n" + report).find("\n" + text + end), std::string::npos)
            << report.substr(0, 1000);
      } else {
        ASSERT_TRUE(arg == "contains" || arg == "lacks") << arg;
        EXPECT_EQ(report.find(text) != std::string::npos, arg == "contains");
      }
    } else {
      ADD_FAILURE() << "unknown command";
    }
  }
  check_log();
  for (const std::string& path : fs.Paths()) files[path] = fs.Find(path)->bytes;
}

}  // namespace quorlith::scenario
