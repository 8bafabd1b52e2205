#include "runs/merge_run.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "report/report_testing.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

// The conflict report with each conflict left with `side`'s line alone,
// as the README tells the user to edit it.
std::vector<std::uint8_t> KeepingLinesOf(
    const std::vector<std::uint8_t>& report, const std::string& side) {
  std::istringstream in(Utf8OfUtf16Bytes(report));
  std::string kept, tag;
  for (std::string line; std::getline(in, line);) {
    std::string bare = line.substr(0, line.find('\r'));
    if (bare == "; base" || bare == "; mine" || bare == "; theirs") {
      tag = bare.substr(2);
      continue;
    }
    if (tag.empty() || tag == side) kept += line + "\n";
    tag.clear();
  }
  return {kept.begin(), kept.end()};
}

// Random merges with conflicts and bytes no setting shows changed on both
// sides: the conflict report, each conflict left with one side's line,
// settles the merge byte for byte as --mine or --theirs would, every clean
// change and every hidden byte included. (A byte both sides changed is
// kept as the report says, mine's; none is here.)
TEST(MergeRun, AConflictReportSettlesAsTheLinesKeptSay) {
  std::mt19937 random(42);
  constexpr std::size_t kUnusedHotKeySlot = 5242;  // in the file, 18 bytes
  for (int i = 0; i < 30; ++i) {
    SCOPED_TRACE(i);
    SetFileBuilder base = RandomSetFile(random);
    SetFileBuilder mine = base;
    SetFileBuilder theirs = base;
    // Clean changes in blocks of their own, conflicts in the keyboard's.
    for (int change = 0; change < 6; ++change) {
      mine.SetWord(BlockId::kScreen, (random() % 31) * 2,
                   static_cast<std::uint16_t>(random() % 9));
      theirs.SetWord(BlockId::kMouse, (random() % 16) * 2,
                     static_cast<std::uint16_t>(random() % 9));
    }
    for (int conflict = 0; conflict < 1 + i % 3; ++conflict) {
      // Key_Rate, Key_Pitch or Key_Volume: numbers, each value its own.
      std::size_t offset = std::size_t{2} << (random() % 3);
      mine.SetWord(BlockId::kKeyboard, offset,
                   static_cast<std::uint16_t>(70 + random() % 10));
      theirs.SetWord(BlockId::kKeyboard, offset,
                     static_cast<std::uint16_t>(80 + random() % 10));
    }
    mine.SetFileByte(kUnusedHotKeySlot + random() % 9,
                     static_cast<std::uint8_t>(1 + random() % 255));
    theirs.SetFileByte(kUnusedHotKeySlot + 9 + random() % 9,
                       static_cast<std::uint8_t>(1 + random() % 255));
    FakeFileSystem fs;
    fs.AddFile("/B.000", base.Bytes());
    fs.AddFile("/M.000", mine.Bytes());
    fs.AddFile("/T.000", theirs.Bytes());
    LogBuffer log;
    MergeRequest request;
    request.base = "/B.000";
    request.mine = "/M.000";
    request.theirs = "/T.000";
    request.output = "/O.000";
    ASSERT_EQ(RunMerge(fs, log, request), MergeResult::kConflicts);
    MergeRequest settled = request, picked = request;
    settled.resolved = "/R.t00";
    settled.output = "/S.000";
    picked.output = "/P.000";
    for (auto [side, pick] : {std::pair{"mine", MergePick::kMine},
                              std::pair{"theirs", MergePick::kTheirs}}) {
      SCOPED_TRACE(side);
      fs.AddFile("/R.t00", KeepingLinesOf(fs.Find("/O.t00")->bytes, side));
      picked.pick = pick;
      ASSERT_EQ(RunMerge(fs, log, settled), MergeResult::kMerged)
          << Utf16ToUtf8(log.Text());
      ASSERT_EQ(RunMerge(fs, log, picked), MergeResult::kMerged);
      EXPECT_TRUE(fs.Find("/S.000")->bytes == fs.Find("/P.000")->bytes);
    }
    // A conflict whose lines all went is settled by no one's guess.
    fs.AddFile("/R.t00", KeepingLinesOf(fs.Find("/O.t00")->bytes, "neither"));
    LogBuffer unsettled;
    EXPECT_EQ(RunMerge(fs, unsettled, settled), MergeResult::kTrouble);
    std::string text = Utf16ToUtf8(unsettled.Text());
    EXPECT_TRUE(text.starts_with("Key_") &&
                text.find(": a conflict that no line settles; keep one of its "
                          "lines in /R.t00\r\r\n") != std::string::npos)
        << text;
  }
}

}  // namespace
}  // namespace quorlith
