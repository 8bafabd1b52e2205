#include "runs/file_names.h"

#include <algorithm>
#include <vector>

#include "report/fields.h"
#include "runs/file_system.h"
#include "runs/windows_file_names.h"

namespace quorlith {
namespace {

unsigned char Folded(char c) {
  return static_cast<unsigned char>(FoldAz(static_cast<unsigned char>(c)));
}

}  // namespace

NameParts SplitPath(std::string_view path, PathStyle style) {
  if (style == PathStyle::kWindows) return SplitWindowsPath(path);
  NameParts parts;
  std::size_t slash = path.rfind('/');
  std::size_t file_start = slash == std::string_view::npos ? 0 : slash + 1;
  parts.directory = path.substr(0, file_start);
  std::string_view file = path.substr(file_start);
  std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) dot = file.size();
  parts.name = file.substr(0, dot);
  parts.extension = file.substr(dot);
  return parts;
}

NameParts SplitFileName(std::string_view path,
                        std::string_view current_directory, PathStyle style) {
  if (style == PathStyle::kWindows) {
    return SplitWindowsFileName(path, current_directory);
  }
  NameParts parts = SplitPath(path);
  if (parts.directory.empty()) {
    parts.directory = current_directory;
    if (!parts.directory.empty() && parts.directory.back() != '/') {
      parts.directory.push_back('/');
    }
  }
  return parts;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  // Greedy matching that backtracks only to the last "*": linear in
  // practice and never recursive, whatever the pattern.
  std::size_t p = 0, n = 0;
  std::size_t star = std::string_view::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || Folded(pattern[p]) == Folded(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

int CompareNames(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (Folded(a[i]) != Folded(b[i]))
      return Folded(a[i]) < Folded(b[i]) ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  int bytes = a.compare(b);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

void SortEntries(std::vector<DirEntry>& entries) {
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) {
              return CompareNames(a.name, b.name) < 0;
            });
}

std::string ReportExtension(std::string_view extension) {
  std::string result(extension);
  if (result.size() >= 2) result[1] = 't';
  return result;
}

std::string ReportNameNextToInput(std::string_view entry_name) {
  std::size_t dot = entry_name.find('.');
  if (dot == std::string_view::npos) return std::string(entry_name);
  return std::string(entry_name.substr(0, dot)) +
         ReportExtension(entry_name.substr(dot));
}

std::string ReportPathFromOutputName(const NameParts& output,
                                     std::string_view entry_name) {
  NameParts entry = SplitPath(entry_name);
  NameParts report = output;
  if (report.name.empty()) report.name = entry.name;
  if (report.extension.empty())
    report.extension = ReportExtension(entry.extension);
  return report.Joined();
}

bool LooksLikeSetFileName(std::string_view path) {
  std::size_t dot = path.find('.');
  return dot != std::string_view::npos && dot + 1 < path.size() &&
         path[dot + 1] == '0';
}

}  // namespace quorlith
