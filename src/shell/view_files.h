#pragma once

#include <string>
#include <string_view>

#include "runs/file_system.h"
#include "shell/viewer_text.h"

namespace quorlith {

// The files the viewer shows, read for it. Each returns false, with
// `error` the log's message that names the file and the reason, when a
// file cannot be found or read; none writes anything.

// The report of the set file `name` (completed as a run completes it: the
// current folder, ".000"), rendered in memory.
[[nodiscard]] bool ViewSetFileReport(FileSystem& fs, std::string_view name,
                                     ViewerText& view, std::u16string& error);

// A report file as a run wrote it, or as a user saved it (UTF-16 with its
// byte order mark, or UTF-8).
[[nodiscard]] bool ViewReportFile(FileSystem& fs, const std::string& path,
                                  ViewerText& view, std::u16string& error);

// The settings of set file `changed` that differ from `original`.
[[nodiscard]] bool ViewChanges(FileSystem& fs, const std::string& original,
                               const std::string& changed, ViewerText& view,
                               std::u16string& error);

}  // namespace quorlith
