#include "cli/console.h"

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "report/report_text.h"
#include "runs/run.h"

namespace quorlith {

const char kUsageText[] =
    "Usage: quorlith [options] INPUT [OUTPUT]\n"
    "       quorlith [options] ORIGINAL NEW ANY\n"
    "\n"
    "  quorlith INPUT           decompile each set file matching INPUT into a\n"
    "                           report next to it (DEFAULT.000 -> DEFAULT.t00)\n"
    "  quorlith INPUT OUTPUT    decompile, naming reports from OUTPUT (a folder\n"
    "                           ending in '/', or a file name)\n"
    "  quorlith ORIGINAL NEW X  compare ORIGINAL with each set file matching\n"
    "                           NEW; the third argument may be anything\n"
    "\n"
    "INPUT and NEW may hold the wildcards * and ?; a name without extension\n"
    "means .000. Put patterns in quotes, as in quorlith 'sets/*.000': the\n"
    "shell would otherwise expand them into many arguments, and three names\n"
    "make a comparison.\n"
    "\n"
    "Exit status: 0 when every file went well, 1 when an error was logged,\n"
    "2 for a wrong command line.\n";

namespace {

constexpr char kVersionText[] = "Quorlith v. 7.0";

// Prints a log message as a console line: the catalogue's CR LF becomes
// the terminal's LF.
void Print(std::ostream& stream, std::u16string_view text) {
  std::string utf8 = Utf16ToUtf8(text);
  std::erase(utf8, '\r');
  stream << utf8 << std::flush;
}

}  // namespace

int RunConsole(int argc, const char* const* argv, std::ostream& out,
               std::ostream& err, FileSystem& fs) {
  CLI::App app{"Turns Orvalen set files into text reports.", "quorlith"};
  app.set_help_flag();
  bool help = false;
  bool version = false;
  std::vector<std::string> names;
  app.add_flag("-h,--help", help, "Print this help and exit");
  app.add_flag("--version", version, "Print the version and exit");
  app.add_option("names", names, "INPUT [OUTPUT], or ORIGINAL NEW ANY");
  app.allow_extras(false);
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
           "  --           end of options: later arguments are names\n";
    return kExitOk;
  }
  if (version) {
    out << kVersionText << '\n';
    return kExitOk;
  }
  if (names.empty() || names.size() > 3) {
    err << kUsageText;
    return kExitUsage;
  }

  LogBuffer log([&](std::uint32_t code, std::u16string_view text) {
    Print(IsError(code) ? err : out, text);
  });
  RunContext ctx{fs, log, {}};
  auto mode = static_cast<RunMode>(names.size() + 1);
  RunDecompile(ctx, mode, names[0], names.size() >= 2 ? names[1] : "");
  return log.ErrorLogged() ? kExitRunError : kExitOk;
}

}  // namespace quorlith
