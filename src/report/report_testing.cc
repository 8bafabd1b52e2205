#include "report/report_testing.h"

#include "report/report_writer.h"

namespace quorlith {

std::string Readable(std::u16string_view text) {
  std::string out;
  std::u16string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      plain.push_back(u'\n');
      ++i;
    } else if (text[i] == u'\r') {
      plain.append(u"<CR>");
    } else if (text[i] == u'\n') {
      plain.append(u"<LF>");
    } else {
      plain.push_back(text[i]);
    }
  }
  return Utf16ToUtf8(plain);
}

std::string DecompileSectionText(SectionWriterFn writer,
                                 const SetFileImage& printed) {
  ReportText out;
  ReportContext ctx{out, ReportKind::kDecompile, printed, printed};
  writer(ctx);
  return Readable(out);
}

std::string CompareSectionText(SectionWriterFn writer,
                               const SetFileImage& original,
                               const SetFileImage& printed) {
  ReportText out;
  ReportContext ctx{out, ReportKind::kComparison, printed, original};
  writer(ctx);
  return Readable(out);
}

namespace {

const ReportSource kOriginalSource{"/sets/ORIG.000", {1, 1, 1980, 0, 0, 0}};
const ReportSource kNewSource{"/sets/NEW.000", {1, 1, 1980, 0, 0, 0}};

}  // namespace

std::string DecompileReportText(const SetFileImage& printed) {
  ReportText out;
  RenderDecompileReport(kNewSource, printed, out);
  return Readable(out);
}

std::string ComparisonReportText(const SetFileImage& original,
                                 const SetFileImage& printed) {
  ReportText out;
  RenderComparisonReport(kOriginalSource, kNewSource, original, printed, out);
  return Readable(out);
}

std::string ComparisonBody(const SetFileImage& original,
                           const SetFileImage& printed) {
  std::string text = ComparisonReportText(original, printed);
  constexpr std::string_view kHeaderEnd = "00:00.00\n;\n";
  constexpr std::string_view kFooter = ";***END OF FILE***\n";
  std::size_t start = text.rfind(kHeaderEnd);
  std::size_t end = text.rfind(kFooter);
  if (start == std::string::npos || end == std::string::npos) return text;
  start += kHeaderEnd.size();
  return text.substr(start, end - start);
}

}  // namespace quorlith
