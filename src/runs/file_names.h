#pragma once

#include <string>
#include <string_view>

namespace quorlith {

// A path in the four parts the runs work with. With POSIX names the drive
// is always empty and a directory that is not empty ends with "/"; with
// Windows names (see windows_file_names.h) it ends with "\" or "/".
struct NameParts {
  std::string drive;
  std::string directory;
  std::string name;
  std::string extension;  // with its leading "."

  std::string Joined() const { return drive + directory + name + extension; }
  // The directory part a report header and an entry's path are built on.
  std::string Folder() const { return drive + directory; }
};

// Which platform's rules split and complete a name.
enum class PathStyle { kPosix, kWindows };

// Splits `path` into its parts: the directory runs to the last "/", the
// extension from the last "." after it. Windows names: SplitWindowsPath.
NameParts SplitPath(std::string_view path, PathStyle style = PathStyle::kPosix);

// Splits `path` and completes it: a path without a directory takes
// `current_directory`. POSIX has no drive to add; Windows names are
// completed by SplitWindowsFileName.
NameParts SplitFileName(std::string_view path,
                        std::string_view current_directory,
                        PathStyle style = PathStyle::kPosix);

// True iff `name` matches `pattern`, where "*" matches any run of
// characters, "?" exactly one, and letters match without regard to case
// (FoldCase). Both are UTF-8; a character is a code point, not a byte.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// Orders names by their folded characters (FoldCase), then by bytes.
int CompareNames(std::string_view a, std::string_view b);

// The report name of a decompile report next to its input: the entry's
// name up to its first ".", then the rest with its first character
// replaced by "t" (DEFAULT.000 gives DEFAULT.t00, MY.OLD.000 MY.tLD.000).
std::string ReportNameNextToInput(std::string_view entry_name);

// Replaces the first character after the "." of `extension` by "t".
std::string ReportExtension(std::string_view extension);

// The report path of a decompile into a given output name: parts that
// `output` leaves empty come from the entry.
std::string ReportPathFromOutputName(const NameParts& output,
                                     std::string_view entry_name);

// True iff the first "." of `path` is followed by "0": such a name could
// be a set file, and a report must never take one.
bool LooksLikeSetFileName(std::string_view path);

}  // namespace quorlith
