#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "report/report_text.h"
#include "report/report_writer.h"
#include "runs/file_system.h"
#include "runs/progress_log.h"
#include "setfile/set_file.h"

namespace quorlith {

// The steps a decompile run and a comparison run share for one file.

// Reads a whole set file: its header is tested with the entry's size and
// its blocks loaded into `image`. Logs code 1 or 5 on failure and returns
// nullptr; on success returns the file, still open.
std::unique_ptr<InputFile> OpenSetFile(FileSystem& fs, LogBuffer& log,
                                       const std::string& path,
                                       const DirEntry& entry,
                                       SetFileImage& image);

// True iff a file exists at `path` and is one of `inputs`: a report must
// never replace a file the run reads.
bool WouldReplaceInput(FileSystem& fs, const std::string& path,
                       std::span<const FileId> inputs);

// The identities of the entries a search found.
std::vector<FileId> IdsOf(std::span<const DirEntry> entries);

// Creates `path` and writes `text` to it as UTF-16 little-endian. Logs
// code 1 when it cannot be created; returns the file still open, or
// nullptr. A failed write shows up as a failed close.
struct WrittenReport {
  std::unique_ptr<OutputFile> file;
  bool written = false;
};
WrittenReport CreateReport(FileSystem& fs, LogBuffer& log,
                           const std::string& path, const ReportText& text);

// Closes a file the run opened; logs code 2 naming `path` on failure.
bool CloseLogged(LogBuffer& log, const std::string& path, bool ok);

ReportSource SourceOf(const std::string& path, const DirEntry& entry);

}  // namespace quorlith
