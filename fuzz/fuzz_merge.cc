// Merges three arbitrary images: the input is cut where its first four
// bytes say into the base, mine and theirs; short parts leave the rest of
// an image zero, so the sides differ in a few settings, alike or not.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "merge/merge.h"
#include "setfile/set_file_builder.h"

namespace {

using quorlith::ByteView;

std::vector<std::uint8_t> FileOf(ByteView body) {
  static const std::vector<std::uint8_t> empty =
      quorlith::SetFileBuilder().Bytes();
  std::vector<std::uint8_t> file = empty;
  body = body.first(std::min(body.size(), quorlith::kBodySize));
  std::copy(body.begin(), body.end(), file.begin() + quorlith::kHeaderSize);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  if (size < 4) return 0;
  ByteView rest(data + 4, size - 4);
  std::size_t first =
      std::min(static_cast<std::size_t>(data[0] | data[1] << 8), rest.size());
  std::size_t second = std::min<std::size_t>(
      first + static_cast<std::size_t>(data[2] | data[3] << 8), rest.size());
  std::vector<std::uint8_t> base = FileOf(rest.first(first));
  std::vector<std::uint8_t> mine = FileOf(rest.subspan(first, second - first));
  std::vector<std::uint8_t> theirs = FileOf(rest.subspan(second));

  MergeOutcome merge = MergeSetFiles(base, mine, theirs, MergeSide::kMine);
  if (!merge.conflicts.empty()) {
    ReportText report;
    RenderConflictReport({{"/b.000", {}}, {"/m.000", {}}}, base, merge, report);
  } else if (merge.byte_conflicts.empty() &&
             MergeSetFiles(base, theirs, mine, MergeSide::kMine).merged !=
                 merge.merged) {
    __builtin_trap();  // a clean merge does not depend on the order
  }
  // A side that did not change gives the other side back, byte for byte.
  if (MergeSetFiles(base, mine, base, MergeSide::kTheirs).merged != mine ||
      MergeSetFiles(base, mine, mine, MergeSide::kTheirs).merged != mine) {
    __builtin_trap();
  }
  return 0;
}
