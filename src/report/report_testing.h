#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// Helpers for tests of section writers and whole reports.

// How many random files a property runs over: all of `count` as built for
// use, a tenth where the sanitizers make every step some fifty times
// slower (their build checks memory, the release build the property).
constexpr int RandomFiles(int count) {
#ifdef NDEBUG
  return count;
#else
  return count / 10;
#endif
}

// UTF-8 of report text with each CR LF turned into "\n", so goldens read
// as plain multi-line strings. A CR or LF that is not part of a CR LF pair
// shows as "<CR>" or "<LF>" and makes any golden comparison fail.
std::string Readable(std::u16string_view text);

// The UTF-8 of the UTF-16 LE bytes of a report file (an odd last byte left
// out).
std::string Utf8OfUtf16Bytes(std::span<const std::uint8_t> bytes);

// The body of a comparison report, readable: what lies between the
// header's ";" line and the footer. Empty-report comparisons give
// ";There are no differences between the two set files.\n".
std::string ComparisonBody(const SetFileImage& original,
                           const SetFileImage& printed);

// A report kept as a golden file under testdata/: the file's name and the
// report's readable text, which the file holds.
struct GoldenReport {
  std::string file_name;
  std::string text;
};

// The goldens, made from busy set files: a decompile, a comparison in which
// every setting differs, comparisons whose new files take seeds 1 to 7 of
// the six small blocks (so that, with the decompile, every value name shows
// in every setting) and a comparison of identical files.
std::vector<GoldenReport> GoldenReports();

// Empty when `actual` equals `expected`; otherwise the first line that
// differs, with its number and both texts.
std::string LineDifferences(std::string_view expected, std::string_view actual);

}  // namespace quorlith
