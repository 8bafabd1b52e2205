#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runs/file_names.h"

namespace quorlith {

// The name rules of Windows paths, kept free of any Windows call so that
// the tests of every platform check them.

// Windows' limits, in UTF-16 units: a whole path of at most 259 characters
// (260 with the terminator, so what the system's calls take without the
// long-path prefix), and a directory, name and extension of at most 255
// each. Do not change: they are what Windows itself accepts.
inline constexpr std::size_t kMaxWindowsPath = 260 - 1;
inline constexpr std::size_t kMaxWindowsPart = 256 - 1;

// True iff `c` separates folders: Windows takes "/" as well as "\".
constexpr bool IsWindowsSeparator(char c) { return c == '\\' || c == '/'; }

// Splits a Windows path. The drive is a letter and ":" ("C:"), or the
// root of a UNC path ("\\server\share"), which names a drive as a letter
// does; the directory runs to the last separator, the extension from the
// last "." after it. Separators stay as the user typed them.
NameParts SplitWindowsPath(std::string_view path);

// The drive a name without one takes from the working directory `cwd`:
// its letter and ":", or its UNC root; empty when it has neither.
std::string DriveOf(std::string_view cwd);

// Splits `path` and completes it from the working directory `cwd`:
// without drive and directory it takes both from `cwd` (a separator is
// added when `cwd` lacks its last one); with a directory but no drive it
// takes the drive of `cwd`, except that a directory that does not start at
// a root stays relative when `cwd` is a UNC path, since joining a share's
// root to a relative folder would name a different place; a drive without
// directory keeps its empty directory ("C:A.000" is relative to the
// current directory of drive C). A UNC root without directory gets "\".
NameParts SplitWindowsFileName(std::string_view path, std::string_view cwd);

// True iff `path` keeps within kMaxWindowsPath, and its directory, name
// and extension within kMaxWindowsPart, counted in UTF-16 units.
bool FitsWindowsLimits(std::string_view path);

}  // namespace quorlith
