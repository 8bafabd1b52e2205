#pragma once

#include <string>

#include "runs/file_system.h"
#include "runs/progress_log.h"

namespace quorlith {

// Which side a merge takes where both changed a setting differently.
enum class MergePick { kNone, kMine, kTheirs };

struct MergeRequest {
  std::string base;
  std::string mine;
  std::string theirs;
  // The merged set file. Under git (`git_driver`) it is MINE itself.
  std::string output;
  // Where a conflict report goes; empty: beside the output, named as a
  // decompile would name the output's report (MERGED.000: MERGED.t00).
  std::string conflicts;
  MergePick pick = MergePick::kNone;
  // A conflict report edited down to one line per conflict: each conflict
  // takes the side whose value its line shows, with every bit of that
  // side's setting, and a line the user changed otherwise is compiled over
  // the merge. Empty: none.
  std::string resolved;
  bool dry_run = false;  // say what would happen; write nothing
  // As git's merge driver (%O %A %B): git hands a temporary copy of MINE
  // and takes the result, merged file or conflict report, from it. The
  // names are taken as they are, and `git_path` (%P) is the name shown.
  // The conflict report is then UTF-8 with LF line ends, as the files of
  // a working tree are for git and the editors there.
  bool git_driver = false;
  std::string git_path;
};

enum class MergeResult { kMerged, kConflicts, kTrouble };

// Merges THEIRS' changes from BASE into MINE. Without conflicts, or with
// `pick` naming a side, writes the merge through a temporary file that is
// renamed into place; with conflicts and no side picked, writes the
// conflict report instead and leaves the output alone. Never writes one
// of the three inputs (but MINE under git). Says on the progress stream
// how many settings came from each side; lists each conflict on the
// error stream.
MergeResult RunMerge(FileSystem& fs, LogBuffer& log,
                     const MergeRequest& request);

}  // namespace quorlith
