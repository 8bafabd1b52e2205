#include "runs/file_names.h"
#include "runs/ordered_runner.h"
#include "runs/run.h"
#include "runs/run_files.h"

namespace quorlith {
namespace {

struct DecompileRun {
  RunContext& ctx;
  RunMode mode;
  NameParts pattern;
  NameParts output;  // mode 3 only
  std::optional<RunInputs> inputs;

  std::string OutputPathFor(const DirEntry& entry) const {
    if (mode == RunMode::kDecompile) {
      return pattern.Folder() + ReportNameNextToInput(entry.name);
    }
    return ReportPathFromOutputName(output, entry.name);
  }

  EntryResult Process(const DirEntry& entry, WorkerState& state) const {
    LogBuffer& log = state.recorder.log();
    auto done = [&](EntryOutcome outcome) {
      return state.recorder.Take(outcome);
    };
    std::string input_path = pattern.Folder() + entry.name;
    std::unique_ptr<InputFile> input =
        OpenSetFile(ctx.fs, log, input_path, entry, state.image);
    if (!input) return done(EntryOutcome::kNotCounted);
    std::string output_path = OutputPathFor(entry);
    // Reading only: a failure to close the input matters to nobody when
    // no report comes of it.
    if (LooksLikeSetFileName(output_path)) {
      log.LogMessage(LogCode::kCouldBeSetFile, Utf8ToUtf16(output_path));
      (void)input->Close();
      return done(EntryOutcome::kStop);
    }
    if (inputs->WouldReplace(ctx.fs, output_path, entry)) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(output_path));
      (void)input->Close();
      return done(EntryOutcome::kNotCounted);
    }
    RenderDecompileReport(SourceOf(input_path, entry), state.image,
                          state.report);
    WrittenReport out = WriteReport(ctx.fs, log, output_path, state.report);
    if (!out.file) {
      (void)input->Close();
      return done(EntryOutcome::kNotCounted);
    }
    log.LogMessage(LogCode::kDecompiled, Utf8ToUtf16(input_path),
                   Utf8ToUtf16(output_path));
    bool ok = CloseLogged(log, input_path, input->Close());
    ok = CloseLogged(log, output_path, out.file->Close() && out.written) && ok;
    return done(ok ? EntryOutcome::kCounted : EntryOutcome::kNotCounted);
  }
};

}  // namespace

void RunDecompile(RunContext& ctx, RunMode mode, std::string_view input,
                  std::string_view output) {
  if (mode == RunMode::kCompare) {
    RunCompare(ctx, input, output);
    return;
  }
  DecompileRun run{ctx, mode, DecompilePattern(ctx.fs, input), {}, {}};
  if (mode == RunMode::kDecompileTo) {
    run.output =
        SplitFileName(output, ctx.fs.CurrentDirectory(), ctx.fs.Style());
  }
  std::vector<DirEntry> entries = FindMatches(ctx.fs, ctx.log, run.pattern);
  if (entries.empty()) return;
  run.inputs.emplace(run.pattern.Folder(), entries);
  ctx.tally.files = entries.size();
  // An entry whose report name could be a set file ends the run if it is a
  // valid set file, and nothing after it may be written: such entries are
  // taken one at a time, the runs of entries between them in parallel.
  int workers =
      WorkersFor(ctx.fs, ctx.jobs, entries.size(),
                 [&](std::size_t i) { return run.OutputPathFor(entries[i]); });
  std::vector<WorkerState> states(static_cast<std::size_t>(workers));
  int count = 0;
  std::size_t begin = 0;
  while (begin < entries.size()) {
    std::size_t end = begin;
    while (end < entries.size() &&
           !LooksLikeSetFileName(run.OutputPathFor(entries[end]))) {
      ++end;
    }
    if (end == begin) ++end;
    bool finished = RunInOrder<EntryResult>(
        end - begin, workers,
        [&](std::size_t i, int worker) {
          return run.Process(entries[begin + i],
                             states[static_cast<std::size_t>(worker)]);
        },
        [&](EntryResult& result) { return CommitEntry(ctx, result, count); });
    if (!finished) return;
    begin = end;
  }
  ctx.log.LogMessage(LogCode::kDecompiledCount, {}, {}, count);
}

}  // namespace quorlith
