#include "runs/compile_run.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "compile/compiler.h"
#include "runs/file_names.h"
#include "runs/ordered_runner.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// A report larger than this is no report of ours (a whole decompile is
// about 210 KB); reading stops there.
constexpr std::size_t kLargestReport = 64u << 20;

// Reads a report into `parsed`, or returns false with the problem told to
// `fail` (which logs it, or keeps it for the run to log in order).
// `expected` is its size as a listing gave it, if known; `buffer` the
// one to read it into (see ParsedReport::Read).
bool ReadReport(
    FileSystem& fs, const std::string& path, std::u16string_view shown,
    const std::function<void(std::optional<LogCode>, std::u16string)>& fail,
    std::u16string& buffer, ParsedReport& parsed, std::size_t expected = 0) {
  std::size_t bytes = 0;
  if (!ReadWholeFile(fs, path, kLargestReport, buffer, bytes, expected)) {
    fail(LogCode::kCannotOpen, Utf8ToUtf16(path));
    return false;
  }
  if (bytes > kLargestReport) {
    fail(std::nullopt, std::u16string(shown) + u": too large to be a report");
    return false;
  }
  parsed.Read(buffer, bytes);
  if (!parsed.decoded()) {
    fail(std::nullopt,
         LocatedProblem(shown, parsed.outcome().problems.front()) +
             u"; nothing written");
    return false;
  }
  return true;
}

constexpr std::u16string_view kNoBase =
    u": the report names no set file it was made from";

// One compile of a run: a report over a base into an output.
struct Compiled {
  std::u16string report;  // as messages name it
  std::string base_path;
  // Found as the run goes, for the reports that each name their own base;
  // bases given by pattern are all among the run's inputs from the start.
  std::optional<FileId> base_id;
  std::string output_path;
  // What went wrong before any compile: a catalogue code with its path,
  // or (no code) a line of our own.
  std::optional<std::pair<std::optional<LogCode>, std::u16string>> failure;
  std::vector<CompileProblem> problems;
  std::vector<std::uint8_t> bytes;  // the output, when no problem
};

// What a worker keeps from compile to compile: a compile over many files
// then allocates its buffers once, not once per file.
struct Worker {
  std::u16string file;  // the report being read
  ParsedReport report;  // when each job has a report of its own
};

// Reads the base of `result` and compiles `report` over it. The base's
// file is read into the output's bytes, header and all, and compiled
// there: what the report does not set is the base's already.
void CompileOver(FileSystem& fs, const ParsedReport& report, Compiled& result) {
  std::vector<std::uint8_t>& bytes = result.bytes;
  if (!ReadWholeFile(fs, result.base_path, kSetFileSize, bytes)) {
    result.failure = {LogCode::kCannotOpen, Utf8ToUtf16(result.base_path)};
    return;
  }
  if (CheckSetFile(bytes, bytes.size()) != CheckResult::kOk ||
      bytes.size() != kSetFileSize) {
    result.failure = {LogCode::kWrongFormat, Utf8ToUtf16(result.base_path)};
    return;
  }
  std::span<std::uint8_t, kBodySize> body =
      std::span(bytes).subspan<kHeaderSize, kBodySize>();
  CompileOutcome outcome = report.CompileInto(SetFileView(body), body);
  result.problems = std::move(outcome.problems);
}

// Checks and writes what the compiles made, in the run's order, so that
// every decision about the files is taken as a serial run takes it.
class Committer {
 public:
  Committer(FileSystem& fs, LogBuffer& log, const std::vector<FileId>& inputs)
      : fs_(fs), log_(log), inputs_(inputs.begin(), inputs.end()) {}

  // False when the run must stop: a report's problems would repeat over
  // every base (`stop_on_problems`).
  bool Commit(Compiled& result, bool stop_on_problems) {
    if (result.failure) {
      auto& [code, text] = *result.failure;
      if (code) {
        log_.LogMessage(*code, text);
      } else {
        LogRunError(log_, text);
      }
      return true;
    }
    std::u16string out_name = Utf8ToUtf16(result.output_path);
    std::optional<FileId> target = fs_.IdOf(result.output_path);
    // Written already comes first: a base that an earlier output replaced
    // is that output or the file before it, as the reading fell, and the
    // message must not depend on which.
    if (target && written_.contains(*target)) {
      LogRunError(
          log_, out_name + u": this compile wrote it already; nothing written");
      return true;
    }
    if (target && (inputs_.contains(*target) || result.base_id == target)) {
      LogRunError(log_,
                  out_name + u": is a file the compile reads; nothing written");
      return true;
    }
    if (result.base_id && written_.contains(*result.base_id)) {
      LogRunError(log_, Utf8ToUtf16(result.base_path) +
                            u": this compile wrote it, so it cannot be a base "
                            u"too; compile " +
                            result.report + u" in a second run");
      return true;
    }
    if (result.base_id) inputs_.insert(*result.base_id);
    for (const CompileProblem& problem : result.problems) {
      LogRunError(log_, LocatedProblem(result.report, problem));
    }
    if (!result.problems.empty()) {
      std::u16string line;
      AppendDecimal(line, static_cast<std::int64_t>(result.problems.size()));
      line.append(result.problems.size() == 1 ? u" problem" : u" problems");
      line.append(u" in " + result.report + u"; " + out_name + u" not written");
      LogRunError(log_, line);
      return !stop_on_problems;
    }
    if (!ReplaceFile(fs_, result.output_path, result.bytes)) {
      log_.LogMessage(LogCode::kCannotOpen, out_name);
      return true;
    }
    if (auto id = fs_.IdOf(result.output_path)) written_.insert(*id);
    ++written_count_;
    LogRunProgress(log_, result.report + u" compiled over " +
                             Utf8ToUtf16(result.base_path) + u" to " +
                             out_name + u".");
    return true;
  }

  int written() const { return written_count_; }

 private:
  FileSystem& fs_;
  LogBuffer& log_;
  // Sets, not lists: every commit looks up its output in both, and a run
  // over ten thousand files would otherwise spend more time searching
  // them than compiling.
  std::set<FileId> inputs_;   // the reports, and each base once used
  std::set<FileId> written_;  // the outputs so far
  int written_count_ = 0;
};

// Compiles `count` jobs, each filled in by `compile` on one of `workers`
// workers, and commits them in the run's order; returns the files written.
int CompileInOrder(
    FileSystem& fs, LogBuffer& log, const std::vector<FileId>& inputs,
    std::size_t count, int workers, bool stop_on_problems,
    const std::function<void(std::size_t, Worker&, Compiled&)>& compile) {
  std::vector<Worker> states(static_cast<std::size_t>(workers));
  Committer committer(fs, log, inputs);
  RunInOrder<Compiled>(
      count, workers,
      [&](std::size_t i, int w) {
        Compiled result;
        compile(i, states[static_cast<std::size_t>(w)], result);
        return result;
      },
      [&](Compiled& result) {
        return committer.Commit(result, stop_on_problems);
      });
  return committer.written();
}

// One report over each base that `base_name` matches.
int CompileOverBases(FileSystem& fs, LogBuffer& log,
                     const CompileRequest& request,
                     const std::string& report_path) {
  std::string cwd = fs.CurrentDirectory();
  PathStyle style = fs.Style();
  auto fail = [&](std::optional<LogCode> code, std::u16string text) {
    if (code) {
      log.LogMessage(*code, text);
    } else {
      LogRunError(log, text);
    }
  };
  // The report is named in messages as the request names it.
  const std::u16string report_name = Utf8ToUtf16(request.report);
  std::u16string buffer;
  ParsedReport parsed;
  if (!ReadReport(fs, report_path, report_name, fail, buffer, parsed)) {
    return 0;
  }
  std::string base_name = request.base;
  if (base_name.empty()) base_name = parsed.outcome().created_from;
  if (base_name.empty()) {
    LogRunError(log, report_name + std::u16string(kNoBase) +
                         u"; name the base with --base");
    return 0;
  }
  NameParts base_parts = SplitFileName(base_name, cwd, style);
  std::vector<DirEntry> entries = FindMatches(fs, log, base_parts);
  if (entries.empty()) return 0;
  NameParts output = SplitFileName(request.output, cwd, style);
  bool folder = output.name.empty() && output.extension.empty();
  if (entries.size() > 1 && !folder) {
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
  // bits that differ from it.
  if (entries.size() > 1) parsed.StoreAll();
  auto output_path = [&](const DirEntry& entry) {
    // A folder takes each base's own name.
    return folder ? output.Folder() + entry.name : output.Joined();
  };
  int workers =
      WorkersFor(fs, request.jobs, entries.size(),
                 [&](std::size_t i) { return output_path(entries[i]); });
  // Most problems are the report's own and would repeat over every base:
  // the run stops at the first base that has any.
  return CompileInOrder(fs, log, inputs, entries.size(), workers, true,
                        [&](std::size_t i, Worker&, Compiled& result) {
                          result.report = report_name;
                          result.base_path =
                              base_parts.Folder() + entries[i].name;
                          result.output_path = output_path(entries[i]);
                          CompileOver(fs, parsed, result);
                        });
}

// Each report over the set file it was made from, into one folder.
int CompileEachReport(FileSystem& fs, LogBuffer& log,
                      const CompileRequest& request, const NameParts& reports,
                      const std::vector<DirEntry>& entries) {
  std::string cwd = fs.CurrentDirectory();
  PathStyle style = fs.Style();
  NameParts output = SplitFileName(request.output, cwd, style);
  if (!request.base.empty() || !output.name.empty() ||
      !output.extension.empty()) {
    LogRunError(log, u"several reports match " + Utf8ToUtf16(request.report) +
                         u": each compiles over the set file it was made "
                         u"from into a folder; give no --base and a folder "
                         u"ending with a separator");
    return 0;
  }
  std::vector<FileId> inputs;
  for (const DirEntry& entry : entries) {
    if (entry.id) inputs.push_back(*entry.id);
  }
  // Outputs are named after the bases, which only the reports tell; two
  // reports of one base meet at the commit, which writes the first and
  // refuses the second, whichever worker compiled them. (A base that only
  // an earlier output of the same run creates is the one case the order
  // of reading could decide: it is found or not as the reading happens.)
  int workers =
      std::max(1, std::min(request.jobs, static_cast<int>(std::min<std::size_t>(
                                             entries.size(), 256))));
  return CompileInOrder(
      fs, log, inputs, entries.size(), workers, false,
      [&](std::size_t i, Worker& worker, Compiled& result) {
        std::string path = reports.Folder() + entries[i].name;
        result.report = Utf8ToUtf16(path);
        auto fail = [&](std::optional<LogCode> code, std::u16string text) {
          result.failure = {code, std::move(text)};
        };
        if (!ReadReport(fs, path, result.report, fail, worker.file,
                        worker.report, entries[i].size)) {
          return;
        }
        std::string base_name = worker.report.outcome().created_from;
        if (base_name.empty()) {
          fail(std::nullopt, result.report + std::u16string(kNoBase));
          return;
        }
        // The header names one file: it is looked up, not searched for,
        // so a run over a class of reports does not list the bases'
        // folder once for each.
        NameParts base = SplitFileName(base_name, cwd, style);
        result.base_path = base.Joined();
        result.base_id = fs.IdOf(result.base_path);
        if (!result.base_id) {
          fail(LogCode::kCannotFind, Utf8ToUtf16(result.base_path));
          return;
        }
        result.output_path = output.Folder() + base.name + base.extension;
        CompileOver(fs, worker.report, result);
      });
}

}  // namespace

std::u16string LocatedProblem(std::u16string_view report,
                              const CompileProblem& p) {
  // A problem of the whole report has no line.
  if (p.line == 0) return p.message + u" in " + std::u16string(report);
  std::u16string line(report);
  line.push_back(u':');
  AppendDecimal(line, static_cast<std::int64_t>(p.line));
  line.push_back(u':');
  AppendDecimal(line, static_cast<std::int64_t>(p.column));
  line.append(u": ");
  line.append(p.message);
  return line;
}

int RunCompile(FileSystem& fs, LogBuffer& log, const CompileRequest& request) {
  NameParts reports =
      SplitFileName(request.report, fs.CurrentDirectory(), fs.Style());
  std::vector<DirEntry> entries =
      fs.Search(reports.Folder(), reports.name + reports.extension);
  if (entries.size() > 1) {
    return CompileEachReport(fs, log, request, reports, entries);
  }
  // One report, found or not: opening it says what is wrong.
  std::string path =
      entries.empty() ? reports.Joined() : reports.Folder() + entries[0].name;
  return CompileOverBases(fs, log, request, path);
}

}  // namespace quorlith
