// Renders whole reports of a busy set file in memory: the cost of one
// report, without any file system.
#include <benchmark/benchmark.h>

#include "compile/compiler.h"
#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

void BM_DecompileReport(benchmark::State& state) {
  SetFileImage image = BusySetFile(1).Image();
  ReportText out;
  for (auto _ : state) {
    RenderDecompileReport({"/sets/BUSY.000", {}}, image, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kSetFileSize));
  state.counters["report_chars"] = static_cast<double>(out.size());
}
BENCHMARK(BM_DecompileReport);

void BM_ComparisonReport(benchmark::State& state) {
  SetFileImage original = BusySetFile(1).Image();
  SetFileImage changed = BusySetFile(2).Image();
  ReportText out;
  for (auto _ : state) {
    RenderComparisonReport({"/sets/A.000", {}}, {"/sets/B.000", {}}, original,
                           changed, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(2 * kSetFileSize));
  state.counters["report_chars"] = static_cast<double>(out.size());
}
BENCHMARK(BM_ComparisonReport);

void BM_IdenticalComparison(benchmark::State& state) {
  SetFileImage image = BusySetFile(1).Image();
  ReportText out;
  for (auto _ : state) {
    RenderComparisonReport({"/sets/A.000", {}}, {"/sets/B.000", {}}, image,
                           image, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_IdenticalComparison);

// A whole decompile report of one busy file compiled over another: every
// line differs from the base, so every line is parsed and stored.
void BM_CompileReport(benchmark::State& state) {
  ReportText report;
  RenderDecompileReport({"/sets/A.000", {}}, BusySetFile(1).Image(), report);
  SetFileImage base = BusySetFile(2).Image();
  SetFileImage out;
  for (auto _ : state) {
    CompileOutcome outcome = CompileReport(report, base, out);
    benchmark::DoNotOptimize(outcome.settings);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(2 * report.size()));
}
BENCHMARK(BM_CompileReport);

// A file's own report compiled over it, as a compile of a class's reports
// does it: every line is read, and every value found as the base shows
// it, so nothing is stored. The report is read from its file's bytes into
// one ParsedReport, as each worker keeps one.
void BM_CompileOverItsOwnFile(benchmark::State& state) {
  SetFileImage base = BusySetFile(1).Image();
  ReportText report;
  RenderDecompileReport({"/sets/A.000", {}}, base, report);
  std::vector<std::uint8_t> file;
  for (char16_t unit : report) {
    file.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    file.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  ParsedReport parsed;
  SetFileImage out;
  for (auto _ : state) {
    parsed.Read(file);
    CompileOutcome outcome = parsed.Compile(base, out);
    benchmark::DoNotOptimize(outcome.settings);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_CompileOverItsOwnFile);

// The same report read once and compiled over the base again and again, as
// a compile over many bases does: the cost each further base adds.
void BM_CompileOverEachBase(benchmark::State& state) {
  ReportText report;
  RenderDecompileReport({"/sets/A.000", {}}, BusySetFile(1).Image(), report);
  ParsedReport parsed{std::u16string(report.view())};
  parsed.StoreAll();
  SetFileImage base = BusySetFile(2).Image();
  SetFileImage out;
  for (auto _ : state) {
    CompileOutcome outcome = parsed.Compile(base, out);
    benchmark::DoNotOptimize(outcome.settings);
  }
}
BENCHMARK(BM_CompileOverEachBase);

}  // namespace
}  // namespace quorlith
