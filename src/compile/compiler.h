#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "setfile/set_file.h"

namespace quorlith {

// Compiles report text back into a set file: every setting line the
// report holds is parsed by the inverse of the writer that writes it, and
// stored over a base file's image. Fields no line names keep the base's
// bytes, and a line whose value reads exactly as the base's own report
// writes it changes nothing, so hidden bits survive and a report compiled
// over the file it came from gives that file back.

struct CompileProblem {
  std::size_t line = 0;    // from 1
  std::size_t column = 0;  // from 1, in UTF-16 units
  std::u16string message;  // "Key_Voice: "Onn" is not one of ..."
};

struct CompileOutcome {
  std::vector<CompileProblem> problems;  // in line order
  std::string created_from;  // the header's "Created from" path, or empty
  bool comparison = false;   // the header is a comparison report's
  int settings = 0;          // setting lines read
};

// Report text as a file holds it: UTF-16 little-endian after a byte order
// mark, otherwise UTF-8 with or without one (an editor's save). Bytes that
// are no UTF-8 become U+FFFD.
std::u16string DecodeReport(ByteView bytes);

// The path the header's "Created from" line names, or empty: the base a
// compile takes when none is given.
std::string CreatedFrom(std::u16string_view text);

// Compiles `text` over `base` into `image` (which starts as a copy of
// `base`). When problems are found `image` is of no use.
CompileOutcome CompileReport(std::u16string_view text, const SetFileImage& base,
                             SetFileImage& image);

}  // namespace quorlith
