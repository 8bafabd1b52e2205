#pragma once

#include <optional>
#include <span>
#include <string>

#include "runs/run.h"

namespace quorlith {

// How the programs are called: the console program prints it for a wrong
// command line, the desktop program shows it in its log pane.
extern const char kUsageText[];

// The console's help with its examples spelled for Windows' shells: double
// quotes for single ones, "\" for "/". Each phrase replaced is one of the
// help's own; everything else stays as it is.
std::string SpelledForWindows(std::string help);

inline constexpr char kVersionText[] = "Quorlith v. 7.0";

// A run as a command line names it.
struct CommandLineRun {
  RunMode mode;
  std::string input;
  std::string output;  // empty in mode 2
};

// The run that `names` (the arguments after the program name) ask for: the
// mode is their count plus one. No names, or more than three, name no run.
std::optional<CommandLineRun> RunForArguments(
    std::span<const std::string> names);

}  // namespace quorlith
