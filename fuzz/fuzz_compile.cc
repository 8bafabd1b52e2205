// Compiles arbitrary bytes, read as a report file is read (UTF-16 after its
// byte order mark, valid UTF-8 otherwise), over a busy set file. A compile must
// end with problems or with an image; and compiling the same text again
// over that image must change nothing, since every line then either reads
// as the image shows it or stores the same value once more.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "compile/compiler.h"
#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  static const SetFileImage base = BusySetFile(1).Image();
  ParsedReport report;
  report.Read(ByteView(data, size));
  auto image = std::make_unique<SetFileImage>();
  CompileOutcome outcome = report.Compile(base, *image);
  if (!outcome.problems.empty()) return 0;
  auto again = std::make_unique<SetFileImage>();
  if (!report.Compile(*image, *again).problems.empty()) __builtin_trap();
  for (std::size_t i = 0; i < kBlockCount; ++i) {
    auto id = static_cast<BlockId>(i);
    if (!std::ranges::equal(image->Block(id), again->Block(id))) {
      __builtin_trap();
    }
  }
  ReportText rendered;
  RenderDecompileReport({}, *image, rendered);
  return 0;
}
