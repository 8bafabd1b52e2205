#include "runs/compile_run.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "compile/compiler.h"
#include "report/report_text.h"
#include "runs/file_names.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"

namespace quorlith {
namespace {

// A report larger than this is no report of ours (a whole decompile is
// about 210 KB); reading stops there.
constexpr std::size_t kLargestReport = 64u << 20;

std::u16string Located(const std::string& report, const CompileProblem& p) {
  std::u16string line = Utf8ToUtf16(report);
  line.push_back(u':');
  AppendDecimal(line, static_cast<std::int64_t>(p.line));
  line.push_back(u':');
  AppendDecimal(line, static_cast<std::int64_t>(p.column));
  line.append(u": ");
  line.append(p.message);
  return line;
}

}  // namespace

int RunCompile(FileSystem& fs, LogBuffer& log, const CompileRequest& request) {
  std::string cwd = fs.CurrentDirectory();
  PathStyle style = fs.Style();
  std::string report_path = SplitFileName(request.report, cwd, style).Joined();
  std::optional<std::vector<std::uint8_t>> report_bytes =
      ReadWholeFile(fs, report_path, kLargestReport);
  if (!report_bytes) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(report_path));
    return 0;
  }
  if (report_bytes->size() > kLargestReport) {
    LogRunError(log,
                Utf8ToUtf16(request.report) + u": too large to be a report");
    return 0;
  }
  std::u16string text = DecodeReport(*report_bytes);

  std::string base_name = request.base;
  if (base_name.empty()) base_name = CreatedFrom(text);
  if (base_name.empty()) {
    LogRunError(log, Utf8ToUtf16(request.report) +
                         u": the report names no set file it was made "
                         u"from; name the base with --base");
    return 0;
  }
  NameParts base_parts = SplitFileName(base_name, cwd, style);
  std::vector<DirEntry> entries =
      fs.Search(base_parts.Folder(), base_parts.name + base_parts.extension);
  if (entries.empty()) {
    log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(base_parts.Joined()));
    return 0;
  }
  NameParts output = SplitFileName(request.output, cwd, style);
  if (entries.size() > 1 && !output.name.empty()) {
    LogRunError(log, u"several bases match " + Utf8ToUtf16(base_name) +
                         u": name a folder for the outputs, ending "
                         u"with a separator");
    return 0;
  }

  // Every file the compile reads stays, the bases that are no set files
  // included.
  std::vector<FileId> inputs;
  if (auto id = fs.IdOf(report_path)) inputs.push_back(*id);
  for (const DirEntry& entry : entries) {
    if (entry.id) inputs.push_back(*entry.id);
  }

  // One base at a time, so a run over many files holds one of them.
  int written = 0;
  auto image = std::make_unique<SetFileImage>();
  auto compiled = std::make_unique<SetFileImage>();
  for (const DirEntry& entry : entries) {
    std::string base_path = base_parts.Folder() + entry.name;
    std::optional<std::vector<std::uint8_t>> bytes =
        ReadWholeFile(fs, base_path, kSetFileSize);
    if (!bytes) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(base_path));
      continue;
    }
    if (CheckSetFile(*bytes, bytes->size()) != CheckResult::kOk) {
      log.LogMessage(LogCode::kWrongFormat, Utf8ToUtf16(base_path));
      continue;
    }
    // A folder takes each base's own name.
    std::string output_path = output.name.empty() && output.extension.empty()
                                  ? output.Folder() + entry.name
                                  : output.Joined();
    std::optional<FileId> target = fs.IdOf(output_path);
    if (target &&
        std::find(inputs.begin(), inputs.end(), *target) != inputs.end()) {
      LogRunError(log, Utf8ToUtf16(output_path) +
                           u": is a file the compile reads; nothing "
                           u"written");
      continue;
    }
    LoadSetFileImage(ByteView(*bytes).subspan(kHeaderSize), *image);
    CompileOutcome outcome = CompileReport(text, *image, *compiled);
    for (const CompileProblem& problem : outcome.problems) {
      LogRunError(log, Located(request.report, problem));
    }
    if (!outcome.problems.empty()) {
      std::u16string line;
      AppendDecimal(line, static_cast<std::int64_t>(outcome.problems.size()));
      line.append(outcome.problems.size() == 1 ? u" problem" : u" problems");
      line.append(u" in " + Utf8ToUtf16(request.report) + u"; " +
                  Utf8ToUtf16(output_path) + u" not written");
      LogRunError(log, line);
      // Most problems are the report's own and would repeat over every
      // base: the run stops at the first base that has any.
      break;
    }
    // The base's header, then the compiled blocks.
    bytes->resize(kHeaderSize);
    for (std::size_t i = 0; i < kBlockCount; ++i) {
      ByteView block = compiled->Block(static_cast<BlockId>(i));
      bytes->insert(bytes->end(), block.begin(), block.end());
    }
    if (!ReplaceFile(fs, output_path, *bytes)) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(output_path));
      continue;
    }
    if (auto id = fs.IdOf(output_path)) inputs.push_back(*id);
    ++written;
    LogRunProgress(log, Utf8ToUtf16(request.report) + u" compiled over " +
                            Utf8ToUtf16(base_path) + u" to " +
                            Utf8ToUtf16(output_path) + u".");
  }
  return written;
}

}  // namespace quorlith
