// Merges a busy set file with two sides changed anywhere: the input's
// first byte says how many of its patches change mine, the rest change
// theirs; each patch is a word's index in the body (two bytes, taken
// modulo its words), a length and that many bytes. The sides so differ
// in a few settings of any section, alike or not.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "merge/merge.h"
#include "setfile/busy_set_file_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  static const std::vector<std::uint8_t> base = BusySetFile(1).Bytes();
  if (size == 0) return 0;
  std::size_t mine_patches = data[0];
  ++data, --size;
  std::vector<std::uint8_t> mine = base, theirs = base;
  for (std::size_t n = 0; size >= 3; ++n) {
    std::vector<std::uint8_t>& side = n < mine_patches ? mine : theirs;
    std::size_t at =
        kHeaderSize +
        static_cast<std::size_t>(data[0] | data[1] << 8) * 2 % kBodySize;
    std::size_t length =
        std::min<std::size_t>({data[2], size - 3, side.size() - at});
    std::copy_n(data + 3, length,
                side.begin() + static_cast<std::ptrdiff_t>(at));
    data += 3 + length;
    size -= 3 + length;
  }

  MergeOutcome merge = MergeSetFiles(base, mine, theirs, MergeSide::kMine);
  if (!merge.conflicts.empty()) {
    ReportText report;
    RenderConflictReport({{"/b.000", {}}, {"/m.000", {}}}, base, merge, report);
  } else if (merge.byte_conflicts.empty() &&
             MergeSetFiles(base, theirs, mine, MergeSide::kMine).merged !=
                 merge.merged) {
    __builtin_trap();  // a clean merge does not depend on the order
  }
  // A side that did not change gives the other side back, byte for byte
  // (the merge's tests check the other identities over random files).
  if (MergeSetFiles(base, mine, base, MergeSide::kTheirs).merged != mine) {
    __builtin_trap();
  }
  return 0;
}
