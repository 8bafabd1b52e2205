#include "runs/file_names.h"
#include "runs/run.h"
#include "runs/run_files.h"

namespace quorlith {
namespace {

constexpr char kDefaultExtension[] = ".000";

// What happened to one entry; only kStop ends the run early.
enum class EntryOutcome { kCounted, kNotCounted, kStop };

struct DecompileRun {
  RunContext& ctx;
  RunMode mode;
  NameParts pattern;
  NameParts output;  // mode 3 only
  std::vector<FileId> inputs;
  SetFileImage image;
  ReportText report;

  std::string OutputPathFor(const DirEntry& entry) const {
    if (mode == RunMode::kDecompile) {
      return pattern.Folder() + ReportNameNextToInput(entry.name);
    }
    return ReportPathFromOutputName(output, entry.name);
  }

  EntryOutcome Process(const DirEntry& entry) {
    LogBuffer& log = ctx.log;
    std::string input_path = pattern.Folder() + entry.name;
    std::unique_ptr<InputFile> input =
        OpenSetFile(ctx.fs, log, input_path, entry, image);
    if (!input) return EntryOutcome::kNotCounted;
    std::string output_path = OutputPathFor(entry);
    if (LooksLikeSetFileName(output_path)) {
      log.LogMessage(LogCode::kCouldBeSetFile, Utf8ToUtf16(output_path));
      (void)input->Close();
      return EntryOutcome::kStop;
    }
    if (WouldReplaceInput(ctx.fs, output_path, inputs)) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(output_path));
      (void)input->Close();
      return EntryOutcome::kNotCounted;
    }
    RenderDecompileReport(SourceOf(input_path, entry), image, report);
    WrittenReport out = CreateReport(ctx.fs, log, output_path, report);
    if (!out.file) {
      (void)input->Close();
      return EntryOutcome::kNotCounted;
    }
    log.LogMessage(LogCode::kDecompiled, Utf8ToUtf16(input_path),
                   Utf8ToUtf16(output_path));
    bool ok = CloseLogged(log, input_path, input->Close());
    ok = CloseLogged(log, output_path, out.file->Close() && out.written) && ok;
    return ok ? EntryOutcome::kCounted : EntryOutcome::kNotCounted;
  }
};

}  // namespace

void RunDecompile(RunContext& ctx, RunMode mode, std::string_view input,
                  std::string_view output) {
  if (mode == RunMode::kCompare) {
    RunCompare(ctx, input, output);
    return;
  }
  std::string cwd = ctx.fs.CurrentDirectory();
  DecompileRun run{ctx, mode, SplitFileName(input, cwd), {}, {}, {}, {}};
  if (run.pattern.extension.empty()) run.pattern.extension = kDefaultExtension;
  if (mode == RunMode::kDecompileTo) run.output = SplitFileName(output, cwd);

  std::vector<DirEntry> entries = ctx.fs.Search(
      run.pattern.Folder(), run.pattern.name + run.pattern.extension);
  if (entries.empty()) {
    ctx.log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(run.pattern.Joined()));
    return;
  }
  run.inputs = IdsOf(entries);
  int count = 0;
  for (const DirEntry& entry : entries) {
    EntryOutcome outcome = run.Process(entry);
    if (outcome == EntryOutcome::kStop) return;
    if (outcome == EntryOutcome::kCounted) ++count;
    if (ctx.pump && ctx.pump()) return;
  }
  ctx.log.LogMessage(LogCode::kDecompiledCount, {}, {}, count);
}

}  // namespace quorlith
