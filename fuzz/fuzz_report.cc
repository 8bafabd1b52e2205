// Feeds arbitrary bytes to the validity test and, behind a header that
// passes it, to a whole decompile report. The first byte chooses how the
// rest is used, so one corpus reaches both the header checks and every
// section writer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "report/report_writer.h"
#include "runs/dos_time.h"
#include "setfile/set_file.h"
#include "setfile/set_file_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  quorlith::ByteView rest(data + 1, size - 1);

  // The bytes as a whole file, with their own size as the listed size.
  CheckResult check = CheckSetFile(rest, rest.size());
  SetFileImage image;
  ReportText out;
  if (check == CheckResult::kOk) {
    LoadSetFileImage(rest.subspan(kHeaderSize), image);
    RenderDecompileReport({"/f/A.000", {}}, image, out);
  }
  if (mode % 2 == 1) {
    // The bytes as blocks behind a valid header, short or long.
    LoadSetFileImage(rest, image);
    RenderDecompileReport(
        {"/f/B.000", ToDosDateTime(static_cast<std::int64_t>(size) << 24)},
        image, out);
  }
  return 0;
}
