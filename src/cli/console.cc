#include "cli/console.h"

#include <CLI/CLI.hpp>
#include <string>
#include <thread>
#include <vector>

#include "report/report_text.h"
#include "runs/command_line.h"

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
  app.add_flag("-h,--help", help, "Print this help and exit");
  app.add_flag("--version", version, "Print the version and exit");
  app.add_option("-j,--jobs", jobs, "Files to work on at once")
      ->check(CLI::Range(1, 256));
  app.add_option("names", names, "INPUT [OUTPUT], or ORIGINAL NEW ANY");
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
    out << kUsageText
        << "\nOptions:\n  -h, --help   print this help\n"
           "  --version    print the version\n"
           "  -j N         work on N files at once (default: one per\n"
           "               processor); the log and reports are the same\n"
           "  --           end of options, for a first name that begins with "
           "-\n"
           "\nOptions go before the names: from the first name on, every\n"
           "argument is a name (quorlith -j 4 'sets/*' out/).\n";
    return kExitOk;
  }
  if (version) {
    out << kVersionText << '\n';
    return kExitOk;
  }
  std::optional<CommandLineRun> run = RunForArguments(names);
  if (!run) {
    err << kUsageText;
    return kExitUsage;
  }

  LogBuffer log(
      [&](std::uint32_t code, std::u16string_view text) {
        Print(IsError(code) ? err : out, text);
      },
      0);
  RunContext ctx{fs, log, {}, jobs};
  RunDecompile(ctx, run->mode, run->input, run->output);
  return log.ErrorLogged() ? kExitRunError : kExitOk;
}

}  // namespace quorlith
