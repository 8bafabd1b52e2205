#include "runs/file_names.h"
#include "runs/ordered_runner.h"
#include "runs/run.h"
#include "runs/run_files.h"

namespace quorlith {
namespace {

struct CompareRun {
  RunContext& ctx;
  NameParts pattern;
  std::string original_path;
  ReportSource original_source;
  SetFileImage original_image;
  std::optional<RunInputs> inputs;  // the new files and the original

  std::string OutputPathFor(const std::string& new_path) const {
    NameParts parts = SplitPath(new_path, ctx.fs.Style());
    parts.extension = ReportExtension(parts.extension);
    return parts.Joined();
  }

  EntryResult Process(const DirEntry& entry, WorkerState& state) const {
    LogBuffer& log = state.recorder.log();
    auto done = [&](EntryOutcome outcome) {
      return state.recorder.Take(outcome);
    };
    std::string new_path = pattern.Folder() + entry.name;
    std::unique_ptr<InputFile> input =
        OpenSetFile(ctx.fs, log, new_path, entry, state.image);
    if (!input) return done(EntryOutcome::kNotCounted);
    std::string output_path = OutputPathFor(new_path);
    if (inputs->WouldReplace(ctx.fs, output_path, entry)) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(output_path));
      (void)input->Close();
      return done(EntryOutcome::kNotCounted);
    }
    SettingCounter counter;
    RenderComparisonReport(original_source, SourceOf(new_path, entry),
                           original_image, state.image, state.report,
                           {.sink = &counter});
    WrittenReport out = WriteReport(ctx.fs, log, output_path, state.report);
    if (!out.file) {
      (void)input->Close();
      return done(EntryOutcome::kNotCounted);
    }
    log.LogMessage(LogCode::kCompared, Utf8ToUtf16(original_path),
                   Utf8ToUtf16(new_path));
    bool ok = CloseLogged(log, new_path, input->Close());
    ok = CloseLogged(log, output_path, out.file->Close() && out.written) && ok;
    EntryResult result =
        done(ok ? EntryOutcome::kCounted : EntryOutcome::kNotCounted);
    result.settings_differ = static_cast<std::int64_t>(counter.count);
    return result;
  }
};

}  // namespace

void RunCompare(RunContext& ctx, std::string_view original_name,
                std::string_view new_pattern) {
  LogBuffer& log = ctx.log;
  std::optional<NameParts> original =
      OriginalPattern(ctx.fs, log, original_name);
  if (!original) return;
  std::vector<DirEntry> originals = FindMatches(ctx.fs, log, *original);
  if (originals.empty()) return;
  const DirEntry& original_entry = originals.front();
  auto run = std::make_unique<CompareRun>(CompareRun{ctx, {}, {}, {}, {}, {}});
  run->original_path = original->Folder() + original_entry.name;
  run->original_source = SourceOf(run->original_path, original_entry);
  std::unique_ptr<InputFile> original_file = OpenSetFile(
      ctx.fs, log, run->original_path, original_entry, run->original_image);
  if (!original_file) return;

  run->pattern = NewFilesPattern(ctx.fs, new_pattern, *original);
  NameParts& pattern = run->pattern;
  std::vector<DirEntry> entries = FindMatches(ctx.fs, log, pattern);
  if (entries.empty()) {
    (void)original_file->Close();
    return;
  }
  run->inputs.emplace(pattern.Folder(), entries);
  ctx.tally.files = entries.size();
  if (original_entry.id) run->inputs->Keep(*original_entry.id);

  int workers =
      WorkersFor(ctx.fs, ctx.jobs, entries.size(), [&](std::size_t i) {
        return run->OutputPathFor(pattern.Folder() + entries[i].name);
      });
  std::vector<WorkerState> states(static_cast<std::size_t>(workers));
  int count = 0;
  bool finished = RunInOrder<EntryResult>(
      entries.size(), workers,
      [&](std::size_t i, int worker) {
        return run->Process(entries[i],
                            states[static_cast<std::size_t>(worker)]);
      },
      [&](EntryResult& result) { return CommitEntry(ctx, result, count); });
  if (!finished) return;
  (void)CloseLogged(log, run->original_path, original_file->Close());
  log.LogMessage(LogCode::kComparedCount, {}, {}, count);
}

}  // namespace quorlith
