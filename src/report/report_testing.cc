#include "report/report_testing.h"

#include <sstream>

#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {

std::string Readable(std::u16string_view text) {
  std::u16string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == u"\r\n") {
      plain.push_back(text[++i]);
    } else {
      plain.append(text[i] == u'\r'   ? u"<CR>"
                   : text[i] == u'\n' ? u"<LF>"
                                      : std::u16string(1, text[i]));
    }
  }
  return Utf16ToUtf8(plain);
}

std::string Utf8OfUtf16Bytes(std::span<const std::uint8_t> bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  return Utf16ToUtf8(text);
}

std::string ComparisonBody(const SetFileImage& original,
                           const SetFileImage& printed) {
  ReportText out;
  RenderComparisonReport({"/sets/ORIG.000", {1, 1, 1980, 0, 0, 0}},
                         {"/sets/NEW.000", {1, 1, 1980, 0, 0, 0}}, original,
                         printed, out);
  std::string text = Readable(out);
  constexpr std::string_view kHeaderEnd = "00:00.00\n;\n";
  std::size_t start = text.rfind(kHeaderEnd) + kHeaderEnd.size();
  return text.substr(start, text.rfind(";***END OF FILE***\n") - start);
}

std::vector<GoldenReport> GoldenReports() {
  const ReportSource kOriginal{"/sets/BUSY.000", {6, 26, 2009, 14, 7, 58}};
  const ReportSource kNew{"/sets/Grüße/NEW.000", {12, 31, 1999, 23, 59, 58}};
  SetFileImage busy = BusySetFile(0, 0).Image();
  ReportText out;
  auto compare = [&](const SetFileBuilder& printed) {
    RenderComparisonReport(kOriginal, kNew, busy, printed.Image(), out);
    return Readable(out);
  };
  RenderDecompileReport(kOriginal, busy, out);
  std::vector<GoldenReport> goldens = {
      {"decompile.txt", Readable(out)},
      {"compare_everything.txt", compare(BusySetFile(8, 1))},
      {"compare_identical.txt", compare(BusySetFile(0, 0))},
  };
  for (std::uint32_t seed = 1; seed < 8; ++seed) {
    goldens.push_back({"compare_names_" + std::to_string(seed) + ".txt",
                       compare(BusySetFile(seed, 0))});
  }
  return goldens;
}

std::string LineDifferences(std::string_view expected,
                            std::string_view actual) {
  if (expected == actual) return "";
  std::istringstream e{std::string(expected)}, a{std::string(actual)};
  std::string line_e, line_a;
  int line = 0;
  do {
    ++line;
    line_e.clear();
    line_a.clear();
    std::getline(e, line_e);
    std::getline(a, line_a);
  } while (line_e == line_a && (e || a));
  return "line " + std::to_string(line) + ":\n  expected: " + line_e +
         "\n  actual:   " + line_a + "\n";
}

}  // namespace quorlith
