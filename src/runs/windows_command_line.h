#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlith {

// Splits a Windows command line (GetCommandLineW's text, as UTF-8) into
// its arguments, the program's own name first, by the rules of
// CommandLineToArgvW with one exception. Those rules read `\"` as a quote
// that belongs to the argument, so cmd's most natural way of naming a
// folder with a blank, "D:\Out Put\", would swallow the closing quote and
// everything after it. A `"` can never be part of a Windows file name: where
// an odd run of backslashes and a quote ends a quoted argument (a blank or
// the end of the line follows), the last backslash stays and the quote
// closes.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

}  // namespace quorlith
