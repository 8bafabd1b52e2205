// Compares two arbitrary images: the input is split where its first two
// bytes say, the first part loaded as the original, the second as the new
// file. Short parts leave the rest of an image zero, so small inputs make
// reports that differ in a few settings only, the hard case for the
// erase tests.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/report_json.h"
#include "report/report_settings.h"
#include "report/report_writer.h"
#include "setfile/set_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  if (size < 2) return 0;
  std::size_t split = static_cast<std::size_t>(data[0] | data[1] << 8);
  ByteView rest(data + 2, size - 2);
  if (split > rest.size()) split = rest.size();
  SetFileImage original;
  SetFileImage changed;
  LoadSetFileImage(rest.first(split), original);
  LoadSetFileImage(rest.subspan(split), changed);
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
  (void)ComparisonJson({"/o/O.000", 0}, {"/n/N.000", 0}, settings);
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
