#include "report/report_writer.h"

#include "sections/sections.h"

namespace quorlith {
namespace {

using SectionWriter = void (*)(ReportContext&);

// Sections 1 to 10 in report order; each is followed by a ";" line and
// erased with it when the section left nothing of its own.
constexpr SectionWriter kWrappedSections[] = {
    WriteScreenSection,     WriteKeyboardSection,  WriteMouseSection,
    WriteHotKeySection,     WriteCursorKeySection, WriteGeneralSection,
    WriteBrailleSection,    WriteVerbositySection, WriteGlobalSection,
    WriteDictionarySection,
};
static_assert(std::size(kWrappedSections) == 10);

// The ";" line alone.
constexpr std::size_t kSectionThreshold =
    kSeparatorLine.size() + kLineEnd.size();
constexpr std::size_t kBodyThreshold = 21;

void AppendModified(ReportText& out, std::u16string_view lead,
                    const DosDateTime& t) {
  out.append(lead);
  out.append(u" last modified on ");
  AppendZeroPadded(out, t.month, 2);
  out.push_back(u'/');
  AppendZeroPadded(out, t.day, 2);
  out.push_back(u'/');
  AppendZeroPadded(out, t.year, 2);
  out.append(u" at ");
  AppendZeroPadded(out, t.hours, 2);
  out.push_back(u':');
  AppendZeroPadded(out, t.minutes, 2);
  out.push_back(u'.');
  AppendZeroPadded(out, t.seconds, 2);
  out.append(kLineEnd);
}

void AppendVersionLines(ReportText& out) {
  out.push_back(kByteOrderMark);
  out.append(u"; Human readable SET file for Orvalen version ");
  AppendLine(out, kOrvalenVersion);
  out.append(u"; Created by Quorlith for Orvalen Version ");
  AppendLine(out, kOrvalenVersion);
}

void AppendBodyAndFooter(ReportContext& ctx) {
  ReportText& out = ctx.out;
  AppendLine(out, kSeparatorLine);
  auto body = out.size();
  for (SectionWriter write : kWrappedSections) {
    auto mark = out.size();
    ctx.section_start = mark;
    write(ctx);
    AppendLine(out, kSeparatorLine);
    EraseIfShort(out, mark, kSectionThreshold);
  }
  WriteWindowSections(ctx);
  if (ctx.comparing() && out.size() - body <= kBodyThreshold) {
    out.resize(body);
    AppendLine(out, u";There are no differences between the two set files.");
  }
  AppendLine(out, u";***END OF FILE***");
}

}  // namespace

void RenderDecompileReport(const ReportSource& input, SetFileView printed,
                           ReportText& out, const ReportOptions& options) {
  out.clear();
  AppendVersionLines(out);
  out.append(u"; Created from ");
  AppendUtf8(out, input.path);
  out.append(kLineEnd);
  AppendModified(out, u"; Set file", input.modified);
  ReportContext ctx{out, ReportKind::kDecompile, printed, printed, options};
  AppendBodyAndFooter(ctx);
}

void RenderComparisonReport(const ReportSource& original_source,
                            const ReportSource& new_source,
                            SetFileView original, SetFileView printed,
                            ReportText& out, const ReportOptions& options) {
  out.clear();
  AppendVersionLines(out);
  out.append(u"; Comparison list between ");
  AppendUtf8(out, original_source.path);
  out.append(u" and ");
  AppendUtf8(out, new_source.path);
  out.append(kLineEnd);
  AppendModified(out, u"; Original set file", original_source.modified);
  AppendModified(out, u"; New set file", new_source.modified);
  ReportContext ctx{out, ReportKind::kComparison, printed, original, options};
  AppendBodyAndFooter(ctx);
}

}  // namespace quorlith
