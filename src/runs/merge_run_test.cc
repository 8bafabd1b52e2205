#include "runs/merge_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_text.h"
#include "runs/fake_file_system.h"
#include "runs/log_testing.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

// Six set files and a file that is none: MINE and THEIRS change BASE in
// different settings, RIVAL changes Key_Rate as MINE does, differently, M2
// and T2 are MINE and THEIRS with a hidden byte changed.
class Sets {
 public:
  Sets() {
    fs_.SetCurrentDirectory("/c/");
    SetFileBuilder base = BusySetFile(0, 0);
    base.SetWord(BlockId::kKeyboard, 2, 60);  // Key_Rate
    SetFileBuilder mine = base;
    mine.SetWord(BlockId::kKeyboard, 2, 70).SetWord(BlockId::kScreen, 2, 55);
    SetFileBuilder theirs = base;
    theirs.SetWord(BlockId::kScreen, 4, 44);
    SetFileBuilder rival = theirs;
    rival.SetWord(BlockId::kKeyboard, 2, 80);
    fs_.AddFile("/c/BASE.000", base.Bytes());
    fs_.AddFile("/c/MINE.000", mine.Bytes());
    fs_.AddFile("/c/THEIRS.000", theirs.Bytes());
    fs_.AddFile("/c/RIVAL.000", rival.Bytes());
    const std::size_t unused = Layout(BlockId::kScreen).file_offset + 18;
    fs_.AddFile("/c/M2.000",
                SetFileBuilder(mine).SetFileByte(unused, 5).Bytes());
    fs_.AddFile("/c/T2.000",
                SetFileBuilder(theirs).SetFileByte(unused, 7).Bytes());
    fs_.AddFile("/c/NOTES.000", {'h', 'i'});
    fs_.Link("/c/MINE.000", "/c/LINK.t00");
    // Each side's changes where only it changed; theirs where picked.
    clean_ = SetFileBuilder(mine).SetWord(BlockId::kScreen, 4, 44).Bytes();
    rival_theirs_ =
        SetFileBuilder(rival).SetWord(BlockId::kScreen, 2, 55).Bytes();
  }

  // Runs the merge; returns its log, one line per message, errors marked.
  std::string Merge(const MergeRequest& request, MergeResult expected) {
    MarkedLog log;
    EXPECT_EQ(RunMerge(fs_, log.buffer(), request), expected) << log.Text();
    return log.Text();
  }

  std::vector<std::uint8_t> clean_;
  std::vector<std::uint8_t> rival_theirs_;
  FakeFileSystem fs_;
};

MergeRequest Request(std::string base, std::string mine, std::string theirs,
                     std::string output, std::string conflicts = "",
                     MergePick pick = MergePick::kNone, bool dry_run = false) {
  MergeRequest request;
  request.base = std::move(base);
  request.mine = std::move(mine);
  request.theirs = std::move(theirs);
  request.output = std::move(output);
  request.conflicts = std::move(conflicts);
  request.pick = pick;
  request.dry_run = dry_run;
  return request;
}

constexpr char kClean[] =
    "/c/BASE.000, /c/MINE.000 and /c/THEIRS.000 into /o/M.000: 2 settings "
    "from mine, 1 from theirs, 0 changed alike on both sides.\n";
constexpr char kConflict[] =
    "E conflict: Key_Rate = 60 in base, 70 in mine, 80 in theirs\n";

TEST(MergeRunTest, WritesTheMergeOrTheConflictReport) {
  struct Case {
    MergeRequest request;
    MergeResult result;
    std::string log;
    std::vector<std::string> written;
    std::string fail_rename = {};
  };
  const std::string rival =
      "E Merged /c/BASE.000, /c/MINE.000 and /c/RIVAL.000: 1 setting from "
      "mine, 1 from theirs, 0 changed alike on both sides, 1 conflict.";
  const Case cases[] = {
      {Request("BASE", "MINE", "THEIRS.000", "/o/M.000"),
       MergeResult::kMerged,
       std::string("  Merged ") + kClean,
       {"/o/M.000"}},
      {Request("BASE", "MINE", "RIVAL", "/o/M.000"),
       MergeResult::kConflicts,
       kConflict + rival +
           " Nothing merged; the conflict report is /o/M.t00.\n",
       {"/o/M.t00"}},
      {Request("BASE", "MINE", "RIVAL", "/o/M.000", "/o/why.txt"),
       MergeResult::kConflicts,
       kConflict + rival +
           " Nothing merged; the conflict report is /o/why.txt.\n",
       {"/o/why.txt"}},
      {Request("BASE", "MINE", "RIVAL", "/o/M.000", "", MergePick::kTheirs),
       MergeResult::kMerged,
       "  Merged /c/BASE.000, /c/MINE.000 and /c/RIVAL.000 into /o/M.000: 1 "
       "setting from mine, 1 from theirs, 0 changed alike on both sides, 1 "
       "conflict settled by theirs.\n",
       {"/o/M.000"}},
      {Request("BASE", "MINE", "THEIRS", "/o/M.000", "", MergePick::kNone,
               true),
       MergeResult::kMerged,
       std::string("  Would merge ") + kClean,
       {}},
      {Request("BASE", "MINE", "RIVAL", "/o/M.000", "", MergePick::kNone, true),
       MergeResult::kConflicts,
       kConflict + ("E Would merge" + rival.substr(8)) +
           " The conflict report would go to /o/M.t00.\n",
       {}},
      // A hidden byte changed on both sides: mine's unless theirs is picked.
      {Request("BASE", "M2", "T2", "/o/M.000", "", MergePick::kNone, true),
       MergeResult::kMerged,
       "  byte 44 of /c/M2.000, which no setting shows, changed on both "
       "sides: kept mine's\n  Would merge /c/BASE.000, /c/M2.000 and "
       "/c/T2.000 into /o/M.000: 2 settings from mine, 1 from theirs, 0 "
       "changed alike on both sides.\n",
       {}},
      {Request("BASE", "M2", "T2", "/o/M.000", "", MergePick::kTheirs, true),
       MergeResult::kMerged,
       "  byte 44 of /c/M2.000, which no setting shows, changed on both "
       "sides: kept theirs'\n  Would merge /c/BASE.000, /c/M2.000 and "
       "/c/T2.000 into /o/M.000: 2 settings from mine, 1 from theirs, 0 "
       "changed alike on both sides.\n",
       {}},
      // The same-file rule, a link included, and inputs that cannot serve.
      {Request("BASE", "MINE", "THEIRS", "/c/BASE.000"),
       MergeResult::kTrouble,
       "E /c/BASE.000: is a file the merge reads; nothing written\n",
       {}},
      {Request("BASE", "MINE", "RIVAL", "/o/M.000", "LINK.t00"),
       MergeResult::kTrouble,
       "E /c/LINK.t00: is a file the merge reads; nothing written\n",
       {}},
      {Request("BASE", "MINE", "GONE", "/o/M.000"),
       MergeResult::kTrouble,
       "E Error: File /c/GONE.000 cannot be found.\n",
       {}},
      {Request("BASE", "NOTES", "*.000", "/o/M.000"),
       MergeResult::kTrouble,
       "E Error: File /c/NOTES.000 does not match Orvalen version 7.0 "
       "format.\nE /c/*.000: names several files; a merge takes one of each\n",
       {}},
      // A failed rename leaves neither the output nor the temporary file.
      {Request("BASE", "MINE", "THEIRS", "/o/M.000"),
       MergeResult::kTrouble,
       "E Error: Cannot open file /o/M.000\n",
       {},
       "/o/M.000.quorlith-new"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request.theirs + " -o " + c.request.output);
    Sets fresh;
    fresh.fs_.fail_rename.insert(c.fail_rename);
    std::vector<std::string> paths = fresh.fs_.Paths();  // the inputs
    std::string log = fresh.Merge(c.request, c.result);
    EXPECT_EQ(log, c.log);
    paths.insert(paths.end(), c.written.begin(), c.written.end());
    EXPECT_EQ(fresh.fs_.Paths(), paths);
    for (const std::string& path : c.written) {
      const std::vector<std::uint8_t>& bytes = fresh.fs_.Find(path)->bytes;
      if (path.ends_with(".000")) {
        EXPECT_EQ(bytes, c.request.pick == MergePick::kTheirs
                             ? fresh.rival_theirs_
                             : fresh.clean_);
      } else {  // the conflict report, UTF-16 with its byte order mark
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 3),
                  (std::vector<std::uint8_t>{0xFF, 0xFE, ';'}));
      }
    }
  }
}

TEST(MergeRunTest, AsGitsDriverTheResultReplacesMine) {
  Sets sets;
  MergeRequest request = Request("BASE.000", "MINE.000", "THEIRS.000", "");
  request.git_driver = true;
  request.git_path = "set.000";
  EXPECT_EQ(sets.Merge(request, MergeResult::kMerged),
            "  Merged set.000 (base), set.000 and set.000 (theirs) into "
            "set.000: 2 settings from mine, 1 from theirs, 0 changed alike on "
            "both sides.\n");
  EXPECT_EQ(sets.fs_.Find("/c/MINE.000")->bytes, sets.clean_);
  request.mine = "RIVAL.000";
  request.theirs = "MINE.000";
  sets.Merge(request, MergeResult::kConflicts);
  EXPECT_EQ(sets.fs_.Find("/c/RIVAL.000")->bytes[0], 0xFF) << "the report";
  // BASE stays whatever happens, and git's names have no extension added.
  EXPECT_EQ(sets.fs_.Find("/c/BASE.000")->bytes.size(), kSetFileSize);
  request.base = "BASE";
  request.mine = "THEIRS.000";
  EXPECT_EQ(sets.Merge(request, MergeResult::kTrouble),
            "E Error: File /c/BASE cannot be found.\n");
}

}  // namespace
}  // namespace quorlith
