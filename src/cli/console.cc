#include "cli/console.h"

#include <CLI/CLI.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/views.h"
#include "report/report_text.h"
#include "runs/command_line.h"
#include "runs/compile_run.h"
#include "runs/merge_run.h"

namespace quorlith {

namespace {

// Prints a log message as a console line: the catalogue's CR LF becomes
// the terminal's LF. A stream that failed once (a closed pipe: `quorlith
// ... | head -1`) is written no more; the run goes on without it.
void Print(std::ostream& stream, std::u16string_view text) {
  if (!stream) return;
  std::string utf8 = Utf16ToUtf8(text);
  std::erase(utf8, '\r');
  stream << utf8 << std::flush;
}

// The log of a run of the console: each message printed as it is logged,
// progress to `out` and errors to `err`; no text is kept.
LogBuffer ConsoleLog(std::ostream& out, std::ostream& err) {
  return LogBuffer(
      [&out, &err](std::uint32_t code, std::u16string_view text) {
        Print(IsError(code) ? err : out, text);
      },
      0);
}

int UsageError(std::ostream& err, const char* problem) {
  err << "quorlith: " << problem << "\n\n" << kUsageText;
  return kExitUsage;
}

// What is wrong with a view's command line, or nullptr.
const char* ViewUsageProblem(const ViewRequest& request, int views,
                             bool encoding) {
  bool showing = request.kind == ViewKind::kShow;
  std::size_t count = request.names.size();
  if (views == 0) {
    return "--encoding, --crlf, --textconv and --ignore go with a view";
  }
  if (views > 1) {
    return "--show, --changes, --json, --json-lines and --find go alone";
  }
  if (!showing && (encoding || request.crlf || request.textconv)) {
    return "--encoding, --crlf and --textconv go with --show";
  }
  if (count < 1 || count > 2) return "a view takes one name, or two to compare";
  bool comparing = count == 2;
  if (!comparing && (request.kind == ViewKind::kChanges ||
                     request.kind == ViewKind::kSummary)) {
    return "--changes compares: it takes ORIGINAL and NEW";
  }
  if (comparing && request.textconv) return "--textconv takes one name";
  if (comparing && request.kind == ViewKind::kFind) {
    return "--find searches set files: give one name or pattern";
  }
  if (!comparing && !request.ignore.empty()) {
    return "--ignore leaves settings out of a comparison: give two names";
  }
  if (request.utf16 && request.crlf) return "--crlf goes with utf-8";
  return nullptr;
}

}  // namespace

int RunConsole(int argc, const char* const* argv, std::ostream& out,
               std::ostream& err, FileSystem& fs) {
  CLI::App app{"Turns Orvalen set files into text reports.", "quorlith"};
  app.set_help_flag();
  // On Windows CLI11 would take "/out/" for an option; names may begin
  // with "/" there too.
  app.allow_windows_style_options(false);
  bool help = false;
  bool version = false;
  std::vector<std::string> names;
  unsigned hardware = std::thread::hardware_concurrency();
  int jobs = hardware == 0 ? 1 : static_cast<int>(hardware);
  // CLI11 prints no help of its own: what each option does is told by
  // the help text below alone.
  app.add_flag("-h,--help", help);
  app.add_flag("--version", version);
  app.add_option("-j,--jobs", jobs)->check(CLI::Range(1, 256));
  bool show = false;
  bool changes = false;
  bool summary = false;
  bool json = false;
  bool json_lines = false;
  bool crlf = false;
  bool textconv = false;
  std::string encoding;
  std::vector<std::string> ignore;
  app.add_flag("--show", show);
  app.add_option("--encoding", encoding)
      ->check(CLI::IsMember({"utf-8", "utf-16"}));
  app.add_flag("--crlf", crlf);
  app.add_flag("--textconv", textconv);
  app.add_flag("--changes", changes);
  app.add_flag("--summary", summary);
  app.add_option("--ignore", ignore)->allow_extra_args(false);
  app.add_flag("--json", json);
  app.add_flag("--json-lines", json_lines);
  std::string compile;
  std::string base;
  std::string output;
  std::string find;
  app.add_option("--find", find);
  app.add_option("--compile", compile);
  app.add_option("--base", base);
  app.add_option("-o,--output", output);
  std::vector<std::string> merge;
  bool mine = false;
  bool theirs = false;
  bool dry_run = false;
  std::string git_driver;
  std::string conflicts;
  app.add_option("--merge", merge)->expected(3);
  app.add_flag("--mine", mine);
  app.add_flag("--theirs", theirs);
  app.add_flag("--dry-run", dry_run);
  app.add_option("--conflicts", conflicts);
  app.add_option("--git-driver", git_driver);
  app.add_option("names", names);
  app.allow_extras(false);
  // Options stand before the names. From the first name on every argument
  // is a name, so a comparison's third argument may be anything, "-c" or
  // "--help" included.
  app.positionals_at_end();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    err << "quorlith: " << e.what() << "\n\n" << kUsageText;
    return kExitUsage;
  }
  if (help) {
    // Collected whole, so that Windows gets its examples as cmd takes them.
    std::ostringstream all;
    all << kUsageText
        << "\nOptions:\n  -h, --help   print this help\n"
           "  --version    print the version\n"
           "  -j N         work on N files at once (default: one per\n"
           "               processor); the log and reports are the same\n"
           "  --           end of options, for a first name that begins with "
           "-\n"
           "\nViews on standard output (no report file is written):\n"
           "  --show INPUT             the decompile report, as UTF-8 with LF\n"
           "  --show ORIGINAL NEW      the comparison report; exit status 0\n"
           "                           same, 1 different, 2 trouble\n"
           "  --encoding utf-16        --show: the report file's own bytes\n"
           "  --crlf                   --show: keep CR LF line ends\n"
           "  --textconv               --show: leave out the lines naming the\n"
           "                           file and its date (for git diff)\n"
           "  --changes ORIGINAL NEW   one line per differing setting, old "
           "and\n"
           "                           new value\n"
           "  --summary                with --changes: per setting, which new\n"
           "                           files differ and how\n"
           "  --ignore K[,K...]        leave keywords (wildcards allowed) out\n"
           "                           of a comparison\n"
           "  --json NAMES             the settings as a JSON array\n"
           "  --json-lines NAMES       one JSON object per line\n"
           "  --find 'K = V' INPUT     the settings that match: any_hot_key =\n"
           "                           key, cursor_key = key, window#*s_X = "
           "v,\n"
           "                           window#*h_X = v, ranges, or K = v\n"
           "\nCompiling a report back into a set file:\n"
           "  --compile REPORT -o OUT  compile REPORT (UTF-16 or UTF-8) over "
           "the\n"
           "                           set file its header names, into OUT\n"
           "  --base PATTERN           compile over these set files instead;\n"
           "                           with several, OUT is a folder (out/)\n"
           "  --compile 'R/*' -o OUT/  each report that matches over the set\n"
           "                           file it was made from, into OUT/\n"
           "  -o, --output OUT         the set file or folder to write\n"
           "\nMerging set files (git: *.000 merge=quorlith):\n"
           "  --merge BASE MINE THEIRS -o OUT\n"
           "                           bring THEIRS' changes since BASE into\n"
           "                           MINE; exit status 0 merged, 1 "
           "conflicts\n"
           "                           (then the conflict report OUT's report\n"
           "                           name holds them), 2 trouble\n"
           "  --mine, --theirs         settle every conflict with that side\n"
           "  --conflicts REPORT       where the conflict report goes\n"
           "  --dry-run                say what the merge would do; write\n"
           "                           nothing\n"
           "  --git-driver PATH        as git's merge driver: --merge %O %A "
           "%B\n"
           "                           --git-driver %P; the result replaces "
           "%A\n"
           "\nOptions go before the names: from the first name on, every\n"
           "argument is a name (quorlith -j 4 'sets/*' out/).\n";
#ifdef _WIN32
    out << SpelledForWindows(all.str());
#else
    out << all.str();
#endif
    return kExitOk;
  }
  if (version) {
    out << kVersionText << '\n';
    return kExitOk;
  }
  bool merging = !merge.empty() || mine || theirs || dry_run ||
                 !git_driver.empty() || !conflicts.empty();
  if (merging) {
    const char* problem =
        merge.empty() ? "--mine, --theirs, --dry-run, --conflicts and "
                        "--git-driver go with --merge"
        : !compile.empty() || !base.empty() ? "--merge goes alone"
        : mine && theirs                    ? "--mine or --theirs, not both"
        : !git_driver.empty() && !(output.empty() && conflicts.empty())
            ? "--git-driver writes MINE: give no -o or --conflicts"
        : git_driver.empty() && output.empty()
            ? "--merge needs -o, the set file to write"
        : !names.empty() ? "--merge takes no further names"
                         : nullptr;
    if (problem != nullptr) return UsageError(err, problem);
    LogBuffer log = ConsoleLog(out, err);
    MergeRequest request;
    request.base = merge[0];
    request.mine = merge[1];
    request.theirs = merge[2];
    request.output = output;
    request.conflicts = conflicts;
    request.pick = mine     ? MergePick::kMine
                   : theirs ? MergePick::kTheirs
                            : MergePick::kNone;
    request.dry_run = dry_run;
    request.git_driver = !git_driver.empty();
    request.git_path = git_driver;
    switch (RunMerge(fs, log, request)) {
      case MergeResult::kMerged:
        return kExitOk;
      case MergeResult::kConflicts:
        return kExitRunError;
      case MergeResult::kTrouble:
        break;
    }
    return kExitUsage;
  }
  if (!compile.empty() || !base.empty() || !output.empty()) {
    const char* problem =
        compile.empty()  ? "--base and --output go with --compile"
        : output.empty() ? "--compile needs -o, the set file to write"
        : !names.empty() ? "--compile takes no further names"
                         : nullptr;
    if (problem != nullptr) return UsageError(err, problem);
    LogBuffer log = ConsoleLog(out, err);
    int written = RunCompile(fs, log, {compile, base, output, jobs});
    return log.ErrorLogged() || written == 0 ? kExitRunError : kExitOk;
  }
  int views = int{show} + int{changes || summary} + int{json} +
              int{json_lines} + int{!find.empty()};
  if (views > 0 || !encoding.empty() || crlf || textconv || !ignore.empty()) {
    ViewRequest request;
    request.kind = show            ? ViewKind::kShow
                   : summary       ? ViewKind::kSummary
                   : changes       ? ViewKind::kChanges
                   : json          ? ViewKind::kJson
                   : !find.empty() ? ViewKind::kFind
                                   : ViewKind::kJsonLines;
    request.query = find;
    request.names = names;
    request.utf16 = encoding == "utf-16";
    request.crlf = crlf;
    request.textconv = textconv;
    std::string joined;
    for (const std::string& list : ignore) joined += list + ",";
    request.ignore = KeywordFilter(Utf8ToUtf16(joined));
    if (const char* problem =
            ViewUsageProblem(request, views, !encoding.empty())) {
      return UsageError(err, problem);
    }
    return RunView(request, fs, out, err);
  }
  std::optional<CommandLineRun> run = RunForArguments(names);
  if (!run) {
    err << kUsageText;
    return kExitUsage;
  }

  LogBuffer log = ConsoleLog(out, err);
  RunContext ctx{fs, log, {}, jobs};
  RunDecompile(ctx, run->mode, run->input, run->output);
  return log.ErrorLogged() ? kExitRunError : kExitOk;
}

}  // namespace quorlith
