#include "runs/file_names.h"
#include "runs/run.h"
#include "runs/run_files.h"

namespace quorlith {

void RunCompare(RunContext& ctx, std::string_view original_name,
                std::string_view new_pattern) {
  LogBuffer& log = ctx.log;
  std::string cwd = ctx.fs.CurrentDirectory();
  NameParts original = SplitFileName(original_name, cwd);
  std::string original_path = original.Joined();
  if (original_path.find('*') != std::string::npos) {
    log.LogMessage(LogCode::kCompareNeedsNames);
    return;
  }
  std::vector<DirEntry> originals =
      ctx.fs.Search(original.Folder(), original.name + original.extension);
  if (originals.empty()) {
    log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(original_path));
    return;
  }
  // A "?" in the original's name may match several files; the first one
  // in search order is the original.
  const DirEntry& original_entry = originals.front();
  original_path = original.Folder() + original_entry.name;
  SetFileImage original_image;
  std::unique_ptr<InputFile> original_file =
      OpenSetFile(ctx.fs, log, original_path, original_entry, original_image);
  if (!original_file) return;

  NameParts pattern = SplitFileName(new_pattern, cwd);
  if (pattern.name.empty()) pattern.name = original.name;
  if (pattern.extension.empty()) pattern.extension = original.extension;
  std::vector<DirEntry> entries =
      ctx.fs.Search(pattern.Folder(), pattern.name + pattern.extension);
  if (entries.empty()) {
    log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(pattern.Joined()));
    (void)original_file->Close();
    return;
  }

  std::vector<FileId> inputs = IdsOf(entries);
  if (original_entry.id) inputs.push_back(*original_entry.id);
  ReportSource original_source = SourceOf(original_path, original_entry);
  SetFileImage image;
  ReportText report;
  int count = 0;
  for (const DirEntry& entry : entries) {
    std::string new_path = pattern.Folder() + entry.name;
    if (std::unique_ptr<InputFile> input =
            OpenSetFile(ctx.fs, log, new_path, entry, image)) {
      NameParts new_parts = SplitPath(new_path);
      new_parts.extension = ReportExtension(new_parts.extension);
      std::string output_path = new_parts.Joined();
      WrittenReport out;
      if (WouldReplaceInput(ctx.fs, output_path, inputs)) {
        log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(output_path));
      } else {
        RenderComparisonReport(original_source, SourceOf(new_path, entry),
                               original_image, image, report);
        out = CreateReport(ctx.fs, log, output_path, report);
      }
      if (out.file) {
        log.LogMessage(LogCode::kCompared, Utf8ToUtf16(original_path),
                       Utf8ToUtf16(new_path));
        bool ok = CloseLogged(log, new_path, input->Close());
        ok = CloseLogged(log, output_path, out.file->Close() && out.written) &&
             ok;
        if (ok) ++count;
      } else {
        (void)input->Close();
      }
    }
    if (ctx.pump && ctx.pump()) return;
  }
  CloseLogged(log, original_path, original_file->Close());
  log.LogMessage(LogCode::kComparedCount, {}, {}, count);
}

}  // namespace quorlith
