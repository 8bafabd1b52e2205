#include "merge/merge_testing.h"

#include "merge/merge.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {

GoldenReport MergeConflictsGolden() {
  const ReportSource kOriginal{"/sets/BUSY.000", {6, 26, 2009, 14, 7, 58}};
  const ReportSource kNew{"/sets/Grüße/NEW.000", {12, 31, 1999, 23, 59, 58}};
  ReportText out;
  SetFileBuilder base = BusySetFile(0, 0);
  SetFileBuilder mine = base;
  SetFileBuilder theirs = base;
  mine.SetWord(BlockId::kKeyboard, 2, 70).SetWord(BlockId::kScreen, 2, 55);
  mine.SetWord(BlockId::kScreen, 4, 44).SetByte(BlockId::kScreen, 18, 5);
  theirs.SetWord(BlockId::kKeyboard, 2, 80).SetWord(BlockId::kScreen, 4, 44);
  theirs.SetByte(BlockId::kScreen, 18, 6).SetWord(BlockId::kMouse, 0, 1);
  MergeOutcome merge = MergeSetFiles(base.Bytes(), mine.Bytes(), theirs.Bytes(),
                                     MergeSide::kMine);
  RenderConflictReport({kOriginal, {"/sets/MERGED.000", kNew.modified}},
                       base.Bytes(), merge, out);
  return {"merge_conflicts.txt", Readable(out)};
}

}  // namespace quorlith
