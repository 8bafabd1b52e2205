#pragma once

#include <cstddef>

#include "report/report_text.h"
#include "setfile/set_file.h"

namespace quorlith {

enum class ReportKind { kDecompile, kComparison };

// The same block, or the same record inside it, in both images. Values are
// always shown from `printed`; `original` is only compared with it.
struct BlockPair {
  ByteView printed;
  ByteView original;

  BlockPair Sub(std::size_t offset, std::size_t size) const {
    return {printed.subspan(offset, size), original.subspan(offset, size)};
  }
};

// Everything a section writer reads and writes. In a decompile report
// `original` is the printed image itself, so every comparison finds the
// two equal and no section needs a null check.
struct ReportContext {
  ReportText& out;
  ReportKind kind;
  const SetFileImage& printed;
  const SetFileImage& original;

  bool comparing() const { return kind == ReportKind::kComparison; }

  BlockPair Blocks(BlockId id) const {
    return {printed.Block(id), original.Block(id)};
  }

  // The comparison filter: a line is written in a decompile always, in a
  // comparison only when the field it shows differs.
  bool ShouldWrite(bool differs) const { return !comparing() || differs; }
};

}  // namespace quorlith
