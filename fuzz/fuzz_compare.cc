// Compares a busy set file with itself changed anywhere: the input is a
// list of patches, each a word's index in the body (two bytes, taken
// modulo its words), a length and that many bytes. A few bytes of input
// so reach every section, and the reports differ in a few settings only,
// the hard case for the erase tests.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/report_json.h"
#include "report/report_settings.h"
#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"
#include "setfile/set_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  static const SetFileImage original = BusySetFile(1).Image();
  std::array<std::uint8_t, kBodySize> body;
  std::ranges::copy(original.Body(), body.begin());
  while (size >= 3) {
    std::size_t at =
        static_cast<std::size_t>(data[0] | data[1] << 8) * 2 % kBodySize;
    std::size_t length =
        std::min<std::size_t>({data[2], size - 3, kBodySize - at});
    std::copy_n(data + 3, length,
                body.begin() + static_cast<std::ptrdiff_t>(at));
    data += 3 + length;
    size -= 3 + length;
  }
  SetFileImage changed;
  LoadSetFileImage(body, changed);
  ReportText out;
  RenderComparisonReport({"/o/O.000", {}}, {"/n/N.000", {}}, original, changed,
                         out);
  // The views' two renderings, of the new values and of the original's,
  // must pair up line by line.
  std::vector<ReportSetting> settings = ComparisonSettings(original, changed);
  for (const ReportSetting& setting : settings) {
    if (setting.original.stored.size() != setting.shown.stored.size()) {
      __builtin_trap();
    }
  }
  static JsonObjects json;
  static const RowTexts original_json = OriginalJson(original);
  Utf8Text object;
  json.AppendComparison(object, {"/o/O.000", 0}, {"/n/N.000", 0}, original,
                        changed, original_json, nullptr);
  // Identical images must always say so.
  RenderComparisonReport({"/o/O.000", {}}, {"/n/N.000", {}}, changed, changed,
                         out);
  if (out.view().find(
          u";There are no differences between the two set files.") ==
      std::u16string_view::npos) {
    __builtin_trap();
  }
  return 0;
}
