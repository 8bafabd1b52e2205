#include "cli/console.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/views.h"
#include "runs/command_line.h"
#include "runs/compile_run.h"
#include "runs/merge_run.h"
#include "runs/set_run.h"
#include "text/report_text.h"

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

int UsageError(std::ostream& err, std::string_view problem) {
  err << "quorlith: " << problem << "\n\n" << kUsageText;
  return kExitUsage;
}

// The console's options: their names, how many values each takes, and
// whether it makes the command line an action's (a view, a compile or a
// merge), whose options may stand anywhere among its names.
struct OptionSpec {
  std::string_view name;
  std::string_view other_name;
  int values;
  bool action;
};

constexpr OptionSpec kOptions[] = {
    {"-h", "--help", 0, false},   {"--version", "", 0, false},
    {"-j", "--jobs", 1, false},   {"--show", "", 0, true},
    {"--encoding", "", 1, true},  {"--crlf", "", 0, true},
    {"--textconv", "", 0, true},  {"--changes", "", 0, true},
    {"--summary", "", 0, true},   {"--ignore", "", 1, true},
    {"--json", "", 0, true},      {"--json-lines", "", 0, true},
    {"--find", "", 1, true},      {"--compile", "", 1, true},
    {"--base", "", 1, true},      {"-o", "--output", 1, true},
    {"--merge", "", 3, true},     {"--mine", "", 0, true},
    {"--theirs", "", 0, true},    {"--dry-run", "", 0, true},
    {"--conflicts", "", 1, true}, {"--git-driver", "", 1, true},
    {"--resolved", "", 1, true},  {"--values", "", 1, true},
    {"--set", "", 1, true},       {"--get", "", 1, true},
};

// A command line with each option's values after it and the names last,
// as the command-line library reads it, or what is wrong with it. Until
// the first name, arguments that begin with "-" are options; after it,
// every argument is a name, so that a comparison's third argument may be
// anything, unless an action's option came first: then options may stand
// anywhere, and one that wants values takes the next arguments that are
// no options ("--merge --theirs B M T" as "--theirs --merge B M T").
struct Arranged {
  std::vector<std::string> args;
  std::string problem;
};

Arranged ArrangeArguments(const std::vector<std::string>& given) {
  struct Group {
    std::string name;
    std::vector<std::string> values;
    int wanted;
  };
  std::vector<Group> groups;
  std::vector<std::size_t> waiting;  // groups still short of values
  std::vector<std::string> names;
  bool action = false;
  bool only_names = false;
  for (const std::string& arg : given) {
    if (only_names) {
      names.push_back(arg);
      continue;
    }
    bool option = arg.size() > 1 && arg[0] == '-';
    if (arg == "--") {
      only_names = true;
    } else if (option && (action || names.empty())) {
      std::string name = arg.substr(0, arg.find('='));
      auto known = std::find_if(
          std::begin(kOptions), std::end(kOptions), [&](const OptionSpec& o) {
            return o.name == name ||
                   (!o.other_name.empty() && o.other_name == name);
          });
      if (known == std::end(kOptions)) return {{}, "unknown option " + name};
      action = action || known->action;
      Group& group = groups.emplace_back(Group{name, {}, known->values});
      if (name.size() < arg.size()) {
        if (known->values != 1)
          return {{}, name + " takes no value after \"=\""};
        group.values.push_back(arg.substr(name.size() + 1));
      } else if (known->values > 0) {
        waiting.push_back(groups.size() - 1);
      }
    } else if (!waiting.empty()) {
      // The option given last takes the argument after it first.
      Group& group = groups[waiting.back()];
      group.values.push_back(arg);
      if (static_cast<int>(group.values.size()) == group.wanted) {
        waiting.pop_back();
      }
    } else {
      names.push_back(arg);
      only_names = !action;
    }
  }
  if (!waiting.empty()) {
    const Group& group = groups[waiting.back()];
    return {{},
            group.name == "--merge" ? "--merge takes BASE MINE THEIRS"
                                    : group.name + " needs a value"};
  }
  Arranged arranged;
  for (const Group& group : groups) {
    arranged.args.push_back(group.name);
    for (const std::string& value : group.values) {
      arranged.args.push_back(value);
    }
  }
  arranged.args.push_back("--");
  arranged.args.insert(arranged.args.end(), names.begin(), names.end());
  return arranged;
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
    return "--show, --changes, --json, --json-lines, --find and --get go "
           "alone";
  }
  if (!showing && (encoding || request.crlf || request.textconv)) {
    return "--encoding, --crlf and --textconv go with --show";
  }
  if (request.kind == ViewKind::kGet) {
    if (!request.ignore.empty()) return "--ignore goes with a comparison";
    return count < 1 ? "--get KEYWORD takes the set files to read" : nullptr;
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
  std::string jobs_text;
  // CLI11 prints no help of its own: what each option does is told by
  // the help text below alone.
  app.add_flag("-h,--help", help);
  app.add_flag("--version", version);
  app.add_option("-j,--jobs", jobs_text);
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
  app.add_option("--encoding", encoding);
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
  std::string resolved;
  app.add_option("--resolved", resolved);
  std::string values;
  app.add_option("--values", values);
  std::vector<std::string> set_lines;
  std::string get;
  app.add_option("--set", set_lines)->allow_extra_args(false);
  app.add_option("--get", get);
  app.add_option("names", names);
  app.allow_extras(false);
  Arranged arranged =
      ArrangeArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!arranged.problem.empty()) return UsageError(err, arranged.problem);
  std::vector<const char*> arguments = {argv[0]};
  for (const std::string& arg : arranged.args) arguments.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(arguments.size()), arguments.data());
  } catch (const CLI::ParseError&) {
    // The arrangement has checked every option: the library's own words
    // never reach the user.
    return UsageError(err, "cannot read this command line");
  }
  unsigned hardware = std::thread::hardware_concurrency();
  int jobs = hardware == 0 ? 1 : static_cast<int>(hardware);
  if (!jobs_text.empty()) {
    std::optional<long> n;
    if (jobs_text.size() <= 3 &&
        std::all_of(jobs_text.begin(), jobs_text.end(),
                    [](char c) { return c >= '0' && c <= '9'; })) {
      n = std::stol(jobs_text);
    }
    if (!n || *n < 1 || *n > 256) {
      return UsageError(err, "-j takes a number of files from 1 to 256");
    }
    jobs = static_cast<int>(*n);
  }
  if (!encoding.empty() && encoding != "utf-8" && encoding != "utf-16") {
    return UsageError(err, "--encoding takes utf-8 or utf-16");
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
           "  --values KEYWORD         the names a setting's value may take\n"
           "  --get KEYWORD NAMES      the line of that setting in each set "
           "file\n"
           "\nCompiling a report back into a set file:\n"
           "  --compile REPORT -o OUT  compile REPORT (UTF-16 or UTF-8) over "
           "the\n"
           "                           set file its header names, into OUT\n"
           "  --base PATTERN           compile over these set files instead;\n"
           "                           with several, OUT is a folder (out/)\n"
           "  --compile 'R/*' -o OUT/  each report that matches over the set\n"
           "                           file it was made from, into OUT/\n"
           "  -o, --output OUT         the set file or folder to write\n"
           "\nChanging settings without a report:\n"
           "  --set 'K = V' NAMES      set K to V in each set file that NAMES\n"
           "                           match, in place; K = V is a report's\n"
           "                           line (window#*h_X = v too); give --set\n"
           "                           again for more; if the compile refuses\n"
           "                           one, no file is written\n"
           "  --set 'K = V' NAME -o OUT\n"
           "                           write the changed file to OUT instead\n"
           "                           (a folder, out/, for several)\n"
           "\nMerging set files (git: *.000 merge=quorlith):\n"
           "  --merge BASE MINE THEIRS -o OUT\n"
           "                           bring THEIRS' changes since BASE into\n"
           "                           MINE; exit status 0 merged, 1 "
           "conflicts\n"
           "                           (then the conflict report OUT's report\n"
           "                           name holds them), 2 trouble\n"
           "  --mine, --theirs         settle every conflict with that side\n"
           "  --resolved REPORT        settle each conflict as the conflict\n"
           "                           report, one line kept of each, says\n"
           "  --conflicts REPORT       where the conflict report goes\n"
           "  --dry-run                say what the merge would do; write\n"
           "                           nothing\n"
           "  --git-driver PATH        as git's merge driver: --merge %O %A "
           "%B\n"
           "                           --git-driver %P; the result replaces "
           "%A\n"
           "\nThe options of a decompile or comparison go before the names:\n"
           "from the first name on, every argument is a name\n"
           "(quorlith -j 4 'sets/*' out/). A view's, compile's or merge's\n"
           "options may stand anywhere once one of them came first; --\n"
           "ends the options.\n";
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
  if (!values.empty()) {
    if (!names.empty()) return UsageError(err, "--values takes one keyword");
    return ListValues(values, out, err);
  }
  bool merging = !merge.empty() || mine || theirs || dry_run ||
                 !git_driver.empty() || !conflicts.empty() || !resolved.empty();
  if (merging) {
    const char* problem =
        merge.empty() ? "--mine, --theirs, --dry-run, --conflicts, "
                        "--resolved and --git-driver go with --merge"
        : !compile.empty() || !base.empty() || !set_lines.empty()
            ? "--merge goes alone"
        : mine && theirs ? "--mine or --theirs, not both"
        : !resolved.empty() && (mine || theirs || !git_driver.empty())
            ? "--resolved settles the conflicts as its report says: give no "
              "--mine, --theirs or --git-driver"
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
    request.resolved = resolved;
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
  int views = int{show} + int{changes || summary} + int{json} +
              int{json_lines} + int{!find.empty()} + int{!get.empty()};
  if (!set_lines.empty()) {
    bool multi_line = std::any_of(
        set_lines.begin(), set_lines.end(), [](const std::string& line) {
          return line.find_first_of("\r\n") != std::string::npos;
        });
    const char* problem = !compile.empty() || !base.empty() || views > 0
                              ? "--set goes with set files and -o alone"
                          : names.empty()
                              ? "--set needs the set files to change"
                          : multi_line ? "each --set takes one line"
                                       : nullptr;
    if (problem != nullptr) return UsageError(err, problem);
    LogBuffer log = ConsoleLog(out, err);
    RunSet(fs, log, {set_lines, names, output});
    return log.ErrorLogged() ? kExitRunError : kExitOk;
  }
  if (!compile.empty() || !base.empty() || !output.empty()) {
    const char* problem =
        compile.empty()  ? "--base goes with --compile, -o with --compile or "
                           "--set"
        : output.empty() ? "--compile needs -o, the set file to write"
        : !names.empty() ? "--compile takes no further names"
                         : nullptr;
    if (problem != nullptr) return UsageError(err, problem);
    LogBuffer log = ConsoleLog(out, err);
    int written = RunCompile(fs, log, {compile, base, output, jobs});
    return log.ErrorLogged() || written == 0 ? kExitRunError : kExitOk;
  }
  if (views > 0 || !encoding.empty() || crlf || textconv || !ignore.empty()) {
    ViewRequest request;
    request.kind = show            ? ViewKind::kShow
                   : summary       ? ViewKind::kSummary
                   : changes       ? ViewKind::kChanges
                   : json          ? ViewKind::kJson
                   : !find.empty() ? ViewKind::kFind
                   : !get.empty()  ? ViewKind::kGet
                                   : ViewKind::kJsonLines;
    request.query = request.kind == ViewKind::kGet ? get : find;
    request.jobs = jobs;
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
