#include "runs/merge_run.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "compile/compiler.h"
#include "merge/merge.h"
#include "report/keywords.h"
#include "runs/compile_run.h"
#include "runs/file_names.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

struct Input {
  std::string path;
  std::vector<std::uint8_t> bytes;
  ReportSource source;
};

// Reads one of the three files, a name without extension taken as a set
// file's unless `exact`; logs the catalogue's message when it
// cannot be found, opened or is no set file.
std::optional<Input> ReadInput(FileSystem& fs, LogBuffer& log,
                               const std::string& name, bool exact) {
  NameParts parts = SplitFileName(name, fs.CurrentDirectory(), fs.Style());
  // git names its temporary copies without an extension.
  if (parts.extension.empty() && !exact) parts.extension = kDefaultExtension;
  std::vector<DirEntry> entries =
      fs.Search(parts.Folder(), parts.name + parts.extension);
  if (entries.empty()) {
    log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(parts.Joined()));
    return std::nullopt;
  }
  if (entries.size() > 1) {
    LogRunError(log, Utf8ToUtf16(parts.Joined()) +
                         u": names several files; a merge takes one of each");
    return std::nullopt;
  }
  Input input;
  input.path = parts.Folder() + entries[0].name;
  input.source = SourceOf(input.path, entries[0]);
  if (!ReadWholeFile(fs, input.path, kSetFileSize, input.bytes)) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(input.path));
    return std::nullopt;
  }
  if (CheckSetFile(input.bytes, input.bytes.size()) != CheckResult::kOk) {
    log.LogMessage(LogCode::kWrongFormat, Utf8ToUtf16(input.path));
    return std::nullopt;
  }
  return input;
}

std::u16string Count(int n, std::u16string_view one, std::u16string_view many) {
  std::u16string text;
  AppendDecimal(text, n);
  text.push_back(u' ');
  text.append(n == 1 ? one : many);
  return text;
}

std::vector<std::uint8_t> ReportBytes(const ReportText& text,
                                      ReportEncoding encoding) {
  std::string bytes = EncodeReport(text, encoding);
  return {bytes.begin(), bytes.end()};
}

// A report larger than this is no conflict report of ours.
constexpr std::size_t kLargestReport = 64u << 20;

// The merge with each conflict settled as the edited conflict report at
// `path` says, and the report's other edits compiled over it; nullopt,
// with the problems logged, when the report cannot be read or settles
// nothing it should.
std::optional<std::vector<std::uint8_t>> SettleAsReported(
    FileSystem& fs, LogBuffer& log, const std::string& path,
    const std::array<const Input*, 3>& sides, const MergeOutcome& outcome) {
  std::u16string buffer;
  std::size_t size = 0;
  if (!ReadWholeFile(fs, path, kLargestReport, buffer, size) ||
      size > kLargestReport) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(path));
    return std::nullopt;
  }
  ParsedReport report;
  report.Read(buffer, size);
  std::vector<CompileProblem> problems;
  SettledConflicts settled;
  if (report.decoded()) {
    const Keywords& keywords = Keywords::Get();
    for (const SettingConflict& c : outcome.conflicts) {
      std::optional<std::u16string_view> value = report.ValueOf(c.row);
      if (!value) {
        problems.push_back({0, 0,
                            keywords[c.row].keyword +
                                u": a conflict that no line settles; keep one "
                                u"of its lines"});
        continue;
      }
      auto reads_as = [&](const std::u16string& shown) {
        return ReadsAs(*value, shown, report.form());
      };
      // A value of its own takes mine's bits, and is then compiled.
      settled[c.row] = reads_as(c.mine)     ? MergeSide::kMine
                       : reads_as(c.theirs) ? MergeSide::kTheirs
                       : reads_as(c.base)   ? MergeSide::kBase
                                            : MergeSide::kMine;
    }
  }
  std::vector<std::uint8_t> merged;
  if (report.decoded() && problems.empty()) {
    merged = MergeSetFiles(sides[0]->bytes, sides[1]->bytes, sides[2]->bytes,
                           MergeSide::kMine, settled)
                 .merged;
    std::span<std::uint8_t, kBodySize> body =
        std::span(merged).subspan<kHeaderSize, kBodySize>();
    problems = report.CompileInto(SetFileView(body), body).problems;
  } else if (!report.decoded()) {
    problems = report.outcome().problems;
  }
  if (problems.empty()) return merged;
  for (const CompileProblem& problem : problems) {
    LogRunError(log, LocatedProblem(Utf8ToUtf16(path), problem));
  }
  LogRunError(
      log, Count(static_cast<int>(problems.size()), u"problem", u"problems") +
               u" in " + Utf8ToUtf16(path) + u"; nothing merged");
  return std::nullopt;
}

}  // namespace

MergeResult RunMerge(FileSystem& fs, LogBuffer& log,
                     const MergeRequest& request) {
  std::array<std::optional<Input>, 3> inputs;
  const std::array<const std::string*, 3> names = {&request.base, &request.mine,
                                                   &request.theirs};
  bool readable = true;
  for (std::size_t i = 0; i < 3; ++i) {
    inputs[i] = ReadInput(fs, log, *names[i], request.git_driver);
    readable = readable && inputs[i].has_value();
  }
  if (!readable) return MergeResult::kTrouble;
  const Input& base = *inputs[0];
  const Input& mine = *inputs[1];
  const Input& theirs = *inputs[2];

  std::string cwd = fs.CurrentDirectory();
  PathStyle style = fs.Style();
  std::string output = request.git_driver
                           ? mine.path
                           : SplitFileName(request.output, cwd, style).Joined();
  std::string conflicts = output;
  if (!request.git_driver) {
    NameParts parts = SplitFileName(request.output, cwd, style);
    conflicts = request.conflicts.empty()
                    ? parts.Folder() +
                          ReportNameNextToInput(parts.name + parts.extension)
                    : SplitFileName(request.conflicts, cwd, style).Joined();
  }
  // The same-file rule, links included; under git MINE is git's own copy,
  // made to be replaced.
  for (const std::string* target : {&output, &conflicts}) {
    std::optional<FileId> id = fs.IdOf(*target);
    if (!id) continue;
    for (const Input* input : {&base, &mine, &theirs}) {
      if (request.git_driver && input == &mine) continue;
      if (fs.IdOf(input->path) == id) {
        LogRunError(log, Utf8ToUtf16(*target) +
                             u": is a file the merge reads; nothing written");
        return MergeResult::kTrouble;
      }
    }
  }

  MergeSide preferred = request.pick == MergePick::kTheirs ? MergeSide::kTheirs
                                                           : MergeSide::kMine;
  MergeOutcome outcome =
      MergeSetFiles(base.bytes, mine.bytes, theirs.bytes, preferred);
  const bool settled_by_report = !request.resolved.empty();
  if (settled_by_report) {
    std::optional<std::vector<std::uint8_t>> merged = SettleAsReported(
        fs, log, request.resolved, {&base, &mine, &theirs}, outcome);
    if (!merged) return MergeResult::kTrouble;
    outcome.merged = std::move(*merged);
  }
  const Keywords& keywords = Keywords::Get();
  // Under git the three files are temporary copies: messages and the
  // conflict report name the file of the repository instead.
  const bool git = request.git_driver;
  const std::u16string path = Utf8ToUtf16(request.git_path);
  std::u16string shown_base = git ? path + u" (base)" : Utf8ToUtf16(base.path);
  std::u16string shown_mine = git ? path : Utf8ToUtf16(mine.path);
  std::u16string shown_theirs =
      git ? path + u" (theirs)" : Utf8ToUtf16(theirs.path);
  std::u16string shown_output = git ? path : Utf8ToUtf16(output);
  std::u16string shown_report = git ? path : Utf8ToUtf16(conflicts);
  for (const ByteConflict& c : outcome.byte_conflicts) {
    std::u16string line = u"byte ";
    AppendDecimal(line, static_cast<std::int64_t>(c.offset));
    line.append(u" of ");
    line.append(shown_mine);
    line.append(u", which no setting shows, changed on both sides: kept ");
    line.append(c.kept == MergeSide::kMine ? u"mine's" : u"theirs'");
    LogRunProgress(log, line);
  }
  bool resolved = outcome.conflicts.empty() ||
                  request.pick != MergePick::kNone || settled_by_report;
  if (!resolved) {
    for (const SettingConflict& c : outcome.conflicts) {
      LogRunError(log, u"conflict: " + keywords[c.row].keyword + u" = " +
                           c.base + u" in base, " + c.mine + u" in mine, " +
                           c.theirs + u" in theirs");
    }
  }

  std::u16string summary = Count(outcome.from_mine, u"setting", u"settings");
  summary += u" from mine, ";
  AppendDecimal(summary, outcome.from_theirs);
  summary += u" from theirs, ";
  AppendDecimal(summary, outcome.from_both);
  summary += u" changed alike on both sides";
  if (!outcome.conflicts.empty()) {
    summary += u", " + Count(static_cast<int>(outcome.conflicts.size()),
                             u"conflict", u"conflicts");
    if (settled_by_report) {
      summary += u" settled by " + Utf8ToUtf16(request.resolved);
    } else if (resolved) {
      summary += request.pick == MergePick::kMine ? u" settled by mine"
                                                  : u" settled by theirs";
    }
  }
  summary.push_back(u'.');
  std::u16string heading = (request.dry_run ? u"Would merge " : u"Merged ") +
                           shown_base + u", " + shown_mine + u" and " +
                           shown_theirs;

  if (!resolved) {
    if (request.dry_run) {
      LogRunError(log, heading + u": " + summary +
                           u" The conflict report "
                           u"would go to " +
                           shown_report + u".");
      return MergeResult::kConflicts;
    }
    ReportText report;
    // The merge as MINE's file with THEIRS' changes brought in: it
    // carries MINE's date.
    MergeSources sources{base.source, {output, mine.source.modified}};
    if (git) {
      sources.base.path = Utf16ToUtf8(shown_base);
      sources.merged.path = request.git_path;
    }
    RenderConflictReport(sources, base.bytes, outcome, report);
    if (!ReplaceFile(fs, conflicts,
                     ReportBytes(report, git ? ReportEncoding::kUtf8Lf
                                             : ReportEncoding::kUtf16))) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(conflicts));
      return MergeResult::kTrouble;
    }
    LogRunError(log, heading + u": " + summary +
                         u" Nothing merged; the "
                         u"conflict report is " +
                         shown_report + u".");
    return MergeResult::kConflicts;
  }
  if (!request.dry_run && !ReplaceFile(fs, output, outcome.merged)) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(output));
    return MergeResult::kTrouble;
  }
  LogRunProgress(log, heading + u" into " + shown_output + u": " + summary);
  return MergeResult::kMerged;
}

}  // namespace quorlith
