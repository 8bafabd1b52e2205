#include "runs/file_names.h"

#include <algorithm>
#include <random>
#include <vector>

#include "runs/case_folding.h"
#include "runs/file_system.h"
#include "runs/windows_file_names.h"

namespace quorlith {
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
  // practice and never recursive, whatever the pattern. Positions are
  // bytes, steps are whole characters; "*" and "?" are ASCII, so they are
  // never part of a longer UTF-8 sequence.
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t p = 0, n = 0;
  std::size_t star = kNone, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
      continue;
    }
    std::size_t next_n = n;
    char32_t c = NextFoldedCharacter(name, next_n);
    std::size_t next_p = p;
    if (p < pattern.size() &&
        (pattern[p] == '?' || NextFoldedCharacter(pattern, next_p) == c)) {
      p = pattern[p] == '?' ? p + 1 : next_p;
      n = next_n;
    } else if (star != kNone) {
      p = star + 1;
      (void)NextFoldedCharacter(name, star_n);
      n = star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

int CompareNames(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t ca = NextFoldedCharacter(a, i);
    char32_t cb = NextFoldedCharacter(b, j);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  int bytes = a.compare(b);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

std::string UnguessableLetters(std::size_t count) {
  constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  // The system's source of randomness, not a generator seeded from it.
  std::random_device random;
  std::string letters;
  for (std::size_t i = 0; i < count; ++i) {
    letters.push_back(kLetters[random() % kLetters.size()]);
  }
  return letters;
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
