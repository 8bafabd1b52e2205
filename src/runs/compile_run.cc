#include "runs/compile_run.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "compile/compiler.h"
#include "report/report_text.h"
#include "runs/file_names.h"
#include "runs/ordered_runner.h"
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

  // The report is read once; each base then costs its own report and the
  // bits that differ from it. The bases are compiled on `jobs` workers;
  // every check against the files and every write happens on this thread
  // in the bases' order, so a run logs and writes as a serial one would.
  ParsedReport parsed(std::move(text));
  if (entries.size() > 1) parsed.StoreAll();
  auto output_path = [&](const DirEntry& entry) {
    // A folder takes each base's own name.
    return output.name.empty() && output.extension.empty()
               ? output.Folder() + entry.name
               : output.Joined();
  };
  struct Worker {
    std::unique_ptr<SetFileImage> image = std::make_unique<SetFileImage>();
    std::unique_ptr<SetFileImage> compiled = std::make_unique<SetFileImage>();
  };
  struct Compiled {
    std::size_t entry = 0;
    std::string base_path;
    std::optional<LogCode> failure;  // the base cannot be read or used
    std::vector<CompileProblem> problems;
    std::vector<std::uint8_t> bytes;  // the output, when no problem
  };
  int workers =
      WorkersFor(fs, request.jobs, entries.size(),
                 [&](std::size_t i) { return output_path(entries[i]); });
  std::vector<Worker> states(static_cast<std::size_t>(workers));
  int written = 0;
  RunInOrder<Compiled>(
      entries.size(), workers,
      [&](std::size_t i, int w) {
        Worker& state = states[static_cast<std::size_t>(w)];
        Compiled result;
        result.entry = i;
        result.base_path = base_parts.Folder() + entries[i].name;
        std::optional<std::vector<std::uint8_t>> bytes =
            ReadWholeFile(fs, result.base_path, kSetFileSize);
        if (!bytes) {
          result.failure = LogCode::kCannotOpen;
        } else if (CheckSetFile(*bytes, bytes->size()) != CheckResult::kOk) {
          result.failure = LogCode::kWrongFormat;
        }
        if (result.failure) return result;
        LoadSetFileImage(ByteView(*bytes).subspan(kHeaderSize), *state.image);
        CompileOutcome outcome = parsed.Compile(*state.image, *state.compiled);
        result.problems = std::move(outcome.problems);
        if (!result.problems.empty()) return result;
        // The base's header, then the compiled blocks.
        bytes->resize(kHeaderSize);
        for (std::size_t b = 0; b < kBlockCount; ++b) {
          ByteView block = state.compiled->Block(static_cast<BlockId>(b));
          bytes->insert(bytes->end(), block.begin(), block.end());
        }
        result.bytes = std::move(*bytes);
        return result;
      },
      [&](Compiled& result) {
        if (result.failure) {
          log.LogMessage(*result.failure, Utf8ToUtf16(result.base_path));
          return true;
        }
        std::string out_path = output_path(entries[result.entry]);
        std::optional<FileId> target = fs.IdOf(out_path);
        if (target &&
            std::find(inputs.begin(), inputs.end(), *target) != inputs.end()) {
          LogRunError(log, Utf8ToUtf16(out_path) +
                               u": is a file the compile reads; nothing "
                               u"written");
          return true;
        }
        for (const CompileProblem& problem : result.problems) {
          LogRunError(log, Located(request.report, problem));
        }
        if (!result.problems.empty()) {
          std::u16string line;
          AppendDecimal(line,
                        static_cast<std::int64_t>(result.problems.size()));
          line.append(result.problems.size() == 1 ? u" problem" : u" problems");
          line.append(u" in " + Utf8ToUtf16(request.report) + u"; " +
                      Utf8ToUtf16(out_path) + u" not written");
          LogRunError(log, line);
          // Most problems are the report's own and would repeat over
          // every base: the run stops at the first base that has any.
          return false;
        }
        if (!ReplaceFile(fs, out_path, result.bytes)) {
          log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(out_path));
          return true;
        }
        if (auto id = fs.IdOf(out_path)) inputs.push_back(*id);
        ++written;
        LogRunProgress(log, Utf8ToUtf16(request.report) + u" compiled over " +
                                Utf8ToUtf16(result.base_path) + u" to " +
                                Utf8ToUtf16(out_path) + u".");
        return true;
      });
  return written;
}

}  // namespace quorlith
