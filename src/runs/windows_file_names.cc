#include "runs/windows_file_names.h"

#include "text/report_text.h"

namespace quorlith {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsUncRoot(std::string_view drive) {
  return drive.size() >= 2 && IsWindowsSeparator(drive[0]) &&
         IsWindowsSeparator(drive[1]);
}

std::size_t NextSeparator(std::string_view path, std::size_t from) {
  for (std::size_t i = from; i < path.size(); ++i) {
    if (IsWindowsSeparator(path[i])) return i;
  }
  return path.size();
}

std::size_t DriveLength(std::string_view path) {
  if (IsUncRoot(path)) {
    std::size_t server_end = NextSeparator(path, 2);
    if (server_end == path.size()) return server_end;
    return NextSeparator(path, server_end + 1);
  }
  if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') return 2;
  return 0;
}

}  // namespace

NameParts SplitWindowsPath(std::string_view path) {
  NameParts parts;
  std::size_t drive_length = DriveLength(path);
  parts.drive = path.substr(0, drive_length);
  std::string_view rest = path.substr(drive_length);
  std::size_t file_start = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (IsWindowsSeparator(rest[i])) file_start = i + 1;
  }
  parts.directory = rest.substr(0, file_start);
  std::string_view file = rest.substr(file_start);
  std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) dot = file.size();
  parts.name = file.substr(0, dot);
  parts.extension = file.substr(dot);
  return parts;
}

std::string DriveOf(std::string_view cwd) {
  return std::string(cwd.substr(0, DriveLength(cwd)));
}

NameParts SplitWindowsFileName(std::string_view path, std::string_view cwd) {
  NameParts parts = SplitWindowsPath(path);
  if (parts.drive.empty() && parts.directory.empty()) {
    std::string here(cwd);
    if (!here.empty() && !IsWindowsSeparator(here.back())) here.push_back('\\');
    NameParts folder = SplitWindowsPath(here);
    parts.drive = std::move(folder.drive);
    parts.directory = std::move(folder.directory);
  } else if (parts.drive.empty()) {
    std::string drive = DriveOf(cwd);
    if (!IsUncRoot(drive) || IsWindowsSeparator(parts.directory.front())) {
      parts.drive = std::move(drive);
    }
  }
  if (IsUncRoot(parts.drive) && parts.directory.empty()) {
    parts.directory = "\\";
  }
  return parts;
}

bool FitsWindowsLimits(std::string_view path) {
  auto units = [](std::string_view text) { return Utf8ToUtf16(text).size(); };
  if (units(path) > kMaxWindowsPath) return false;
  NameParts parts = SplitWindowsPath(path);
  return units(parts.directory) <= kMaxWindowsPart &&
         units(parts.name) <= kMaxWindowsPart &&
         units(parts.extension) <= kMaxWindowsPart;
}

}  // namespace quorlith
