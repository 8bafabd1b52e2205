// Compiles one report line, as hostile text reaches the compile: the first
// byte chooses the section title the line stands under, the rest is the
// line, read as a report file is read (valid UTF-8, or one problem). Run
// with fuzz/compile.dict, the keywords and value names, so that most
// inputs reach a value's parser. A compile must end with problems or with
// an image; and compiling the same line again over that image must change
// nothing, since the line then either reads as the image shows it or
// stores the same value once more.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "compile/compiler.h"
#include "sections/schema.h"
#include "setfile/busy_set_file_builder.h"
#include "text/report_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  if (size == 0) return 0;
  static const SetFileImage base = BusySetFile(1).Image();
  const std::vector<std::u16string_view>& titles = SectionTitles();
  std::string report = Utf16ToUtf8(titles[data[0] % titles.size()]) + "\n";
  report.append(reinterpret_cast<const char*>(data + 1), size - 1);
  ParsedReport parsed;
  parsed.Read(ByteView(reinterpret_cast<const std::uint8_t*>(report.data()),
                       report.size()));
  auto image = std::make_unique<SetFileImage>();
  if (!parsed.Compile(base, *image).problems.empty()) return 0;
  auto again = std::make_unique<SetFileImage>();
  if (!parsed.Compile(*image, *again).problems.empty()) __builtin_trap();
  if (!std::ranges::equal(image->Body(), again->Body())) __builtin_trap();
  return 0;
}
