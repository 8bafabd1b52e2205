#include "report/report_testing.h"

#include <algorithm>

#include "report/report_writer.h"
#include "sections/schema.h"
#include "setfile/busy_set_file_builder.h"

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

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::string Utf8OfUtf16Bytes(std::span<const std::uint8_t> bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  return Utf16ToUtf8(text);
}

namespace {

std::string SectionOf(const std::string& report, std::string_view title) {
  std::size_t start = report.find("\n" + std::string(title) + "\n");
  if (start == std::string::npos) return {};
  ++start;
  std::size_t end = report.find(";***END OF FILE***\n", start);
  for (std::u16string_view other : SectionTitles()) {
    std::size_t next = report.find("\n" + Utf16ToUtf8(other) + "\n", start);
    if (next != std::string::npos) end = std::min(end, next + 1);
  }
  return report.substr(start, end - start);
}

const ReportSource kOriginalSource{"/sets/ORIG.000", {1, 1, 1980, 0, 0, 0}};
const ReportSource kNewSource{"/sets/NEW.000", {1, 1, 1980, 0, 0, 0}};

}  // namespace

std::string DecompileSectionText(std::string_view title,
                                 const SetFileImage& printed) {
  return SectionOf(DecompileReportText(printed), title);
}

std::string CompareSectionText(std::string_view title,
                               const SetFileImage& original,
                               const SetFileImage& printed) {
  return SectionOf(ComparisonReportText(original, printed), title);
}

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

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

std::string LineDifferences(std::string_view expected,
                            std::string_view actual) {
  constexpr int kShown = 3;
  std::vector<std::string_view> want = SplitLines(expected);
  std::vector<std::string_view> got = SplitLines(actual);
  std::string report;
  int shown = 0;
  for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
    std::string_view a = i < want.size() ? want[i] : "<no line>";
    std::string_view b = i < got.size() ? got[i] : "<no line>";
    if (a == b && i < want.size() && i < got.size()) continue;
    if (shown++ == kShown) break;
    report += "line " + std::to_string(i + 1) +
              ":\n  expected: " + std::string(a) +
              "\n  actual:   " + std::string(b) + "\n";
  }
  if (report.empty() && expected != actual)
    report = "only the last line end differs\n";
  return report;
}

}  // namespace quorlith
