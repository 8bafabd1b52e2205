#include "runs/command_line.h"

#include <string_view>
#include <utility>

namespace quorlith {

namespace {

// Each keeps its phrase's length, so the help's columns stay aligned.
constexpr std::pair<std::string_view, std::string_view> kWindowsSpellings[] = {
    {"--find 'K = V' INPUT", "--find \"K = V\" INPUT"},
    {"--set 'K = V' NAME", "--set \"K = V\" NAME"},
    {"(a folder, out/, for", "(a folder, out\\, for"},
    {"(out/)", "(out\\)"},
    {"--compile 'R/*' -o OUT/", "--compile \"R\\*\" -o OUT\\"},
    {"(quorlith -j 4 'sets/*' out/)", "(quorlith -j 4 \"sets\\*\" out\\)"},
};

}  // namespace

// Windows' shells keep single quotes and expand no wildcards, and a folder
// ends in "\": the examples are spelled as cmd takes them.
#ifdef _WIN32
const char kUsageText[] =
    "Usage: quorlith [options] INPUT [OUTPUT]\n"
    "       quorlith [options] ORIGINAL NEW ANY\n"
    "\n"
    "  quorlith INPUT           decompile each set file matching INPUT into a\n"
    "                           report next to it (DEFAULT.000 -> "
    "DEFAULT.t00)\n"
    "  quorlith INPUT OUTPUT    decompile, naming reports from OUTPUT (a "
    "folder\n"
    "                           ending in \\, or a file name)\n"
    "  quorlith ORIGINAL NEW X  compare ORIGINAL with each set file matching\n"
    "                           NEW; the third argument may be anything\n"
    "\n"
    "INPUT and NEW may hold the wildcards * and ?; a name without extension\n"
    "means .000. Put a name with blanks in double quotes, a folder too:\n"
    "  quorlith \"C:\\My Sets\\*.000\" \"D:\\Out Put\\\"\n"
    "\n"
    "Exit status: 0 when every file went well, 1 when an error was logged,\n"
    "2 for a wrong command line.\n";
#else
const char kUsageText[] =
    "Usage: quorlith [options] INPUT [OUTPUT]\n"
    "       quorlith [options] ORIGINAL NEW ANY\n"
    "\n"
    "  quorlith INPUT           decompile each set file matching INPUT into a\n"
    "                           report next to it (DEFAULT.000 -> "
    "DEFAULT.t00)\n"
    "  quorlith INPUT OUTPUT    decompile, naming reports from OUTPUT (a "
    "folder\n"
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
#endif

std::string SpelledForWindows(std::string help) {
  for (const auto& [posix, windows] : kWindowsSpellings) {
    for (std::size_t at = help.find(posix); at != std::string::npos;
         at = help.find(posix, at + windows.size())) {
      help.replace(at, posix.size(), windows);
    }
  }
  return help;
}

std::optional<CommandLineRun> RunForArguments(
    std::span<const std::string> names) {
  if (names.empty() || names.size() > 3) return std::nullopt;
  return CommandLineRun{static_cast<RunMode>(names.size() + 1), names[0],
                        names.size() >= 2 ? names[1] : std::string()};
}

}  // namespace quorlith
