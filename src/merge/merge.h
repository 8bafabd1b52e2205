#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// A three-way merge of set files, setting by setting: each setting line of
// the report owns the bits its value is stored in, and takes the value of
// the side that changed it. Bits no changed setting owns (hidden bits,
// unused bytes, the header) merge byte by byte by the same rule.

// kBase only where a conflict is settled back to the base's value.
enum class MergeSide { kMine, kTheirs, kBase };

// A byte whose hidden bits both sides changed, to different values: bits
// no setting owns, or bits of a setting's field that its line does not
// show (two values that read alike).
struct ByteConflict {
  std::size_t offset = 0;  // in the file, header included
  std::uint8_t base = 0;
  std::uint8_t mine = 0;
  std::uint8_t theirs = 0;
  // The side whose bits the merge holds: the side that changed the
  // setting owning them, else the preferred one.
  MergeSide kept = MergeSide::kMine;
};

// A setting changed on both sides to different values.
struct SettingConflict {
  std::size_t row = 0;  // the keyword's row
  std::u16string base;  // its value in each file, as its line shows it
  std::u16string mine;
  std::u16string theirs;
};

struct MergeOutcome {
  std::vector<std::uint8_t> merged;  // a whole set file
  // Settings whose value came from each side, or from both (changed alike).
  int from_mine = 0;
  int from_theirs = 0;
  int from_both = 0;
  // In report order. `merged` holds the value of the side the merge was
  // asked to prefer; a merge that names no side must not write it.
  std::vector<SettingConflict> conflicts;
  std::vector<ByteConflict> byte_conflicts;  // in file order
};

// The side each conflicting setting takes, by its row, where a conflict
// report settled it; the others take the preferred side.
using SettledConflicts = std::map<std::size_t, MergeSide>;

// Merges three whole set files of valid format (kSetFileSize bytes each).
MergeOutcome MergeSetFiles(ByteView base, ByteView mine, ByteView theirs,
                           MergeSide preferred,
                           const SettledConflicts& settled = {});

// The files a conflict report names: the base as the original, the merge
// as the new file.
struct MergeSources {
  ReportSource base;
  ReportSource merged;
};

// A comparison report of `outcome`, a merge that preferred mine, against
// the base, in
// which each conflicting setting shows three lines, base's, mine's and
// theirs', each after a comment line saying whose it is. Edited down to one
// line per setting it compiles over the base or the merge. Byte conflicts
// are listed as comment lines after the header.
void RenderConflictReport(const MergeSources& sources, ByteView base,
                          const MergeOutcome& outcome, ReportText& out);

}  // namespace quorlith
