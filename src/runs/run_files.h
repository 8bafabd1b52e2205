#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "runs/file_names.h"
#include "runs/file_system.h"
#include "runs/progress_log.h"
#include "runs/run.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// The extension a set-file name without one is given.
inline constexpr char kDefaultExtension[] = ".000";

// The steps a decompile run and a comparison run share for one file.

// Reads a whole set file: its header is tested with the entry's size and
// its blocks loaded into `image`. Logs code 1 or 5 on failure and returns
// nullptr; on success returns the file, still open.
// How a run names the files it reads, the console's views as well: each
// name split against the current folder.
//
// A decompile's files, ".000" when the name has no extension.
NameParts DecompilePattern(FileSystem& fs, std::string_view name);
// A comparison's original: one file, so a name with "*" is refused
// (logged); with "?" the first match in search order is the original.
std::optional<NameParts> OriginalPattern(FileSystem& fs, LogBuffer& log,
                                         std::string_view name);
// A comparison's new files, taking the original's name and extension
// where the pattern leaves them out.
NameParts NewFilesPattern(FileSystem& fs, std::string_view name,
                          const NameParts& original);
// The entries `pattern` matches, in search order; when none, logs that it
// cannot find them.
std::vector<DirEntry> FindMatches(FileSystem& fs, LogBuffer& log,
                                  const NameParts& pattern);

std::unique_ptr<InputFile> OpenSetFile(FileSystem& fs, LogBuffer& log,
                                       const std::string& path,
                                       const DirEntry& entry,
                                       SetFileImage& image);

// The files a run reads, known by identity, so that no report replaces
// one that must stay: the entry's own file, a comparison's original, or
// another matched entry that is a valid set file. An old report that the
// pattern matched too is no set file and is replaced like any output.
class RunInputs {
 public:
  // `entries` as the search found them in `folder`.
  RunInputs(std::string folder, std::span<const DirEntry> entries);

  // Keeps `id` whatever it holds: the original of a comparison.
  void Keep(FileId id) { kept_.push_back(id); }

  // True iff a report at `path` for `entry` would replace a file that
  // must stay.
  [[nodiscard]] bool WouldReplace(FileSystem& fs, const std::string& path,
                                  const DirEntry& entry) const;

 private:
  std::string folder_;
  std::vector<std::pair<FileId, const DirEntry*>> matched_;  // sorted
  std::vector<FileId> kept_;
};

// Creates `path` and writes the whole report `text` to it in one go, as
// UTF-16 little-endian. Logs code 1 when it cannot be created, as for a
// file name holding "*" or "?"; returns the
// file still open, or none. A failed write shows up as a failed close.
struct WrittenReport {
  std::unique_ptr<OutputFile> file;
  bool written = false;
};
WrittenReport WriteReport(FileSystem& fs, LogBuffer& log,
                          const std::string& path, const ReportText& text);

// Closes a file the run opened; logs code 2 naming `path` on failure.
bool CloseLogged(LogBuffer& log, const std::string& path, bool ok);

ReportSource SourceOf(const std::string& path, const DirEntry& entry);

// What one entry of a run did; only kStop ends the run early.
enum class EntryOutcome { kCounted, kNotCounted, kStop };

// The messages one entry logged, kept until the run logs them in order.
struct EntryResult {
  std::vector<std::pair<std::uint32_t, std::u16string>> messages;
  EntryOutcome outcome = EntryOutcome::kNotCounted;
  std::int64_t settings_differ = 0;  // a comparison report's setting lines
};

// A worker's own log: records what an entry logs for EntryResult.
class RecordingLog {
 public:
  RecordingLog()
      : log_(
            [this](std::uint32_t code, std::u16string_view text) {
              result_.messages.emplace_back(code, std::u16string(text));
            },
            0) {}
  RecordingLog(const RecordingLog&) = delete;
  RecordingLog& operator=(const RecordingLog&) = delete;

  LogBuffer& log() { return log_; }
  // Hands over what was recorded with `outcome` and starts afresh.
  EntryResult Take(EntryOutcome outcome);

 private:
  EntryResult result_;
  LogBuffer log_;
};

// Logs an entry's messages into the run's log; returns false when the run
// must end here: the entry stopped it, or the pump says the run was
// cancelled. Counts the entry into `count`.
bool CommitEntry(RunContext& ctx, EntryResult& result, int& count);

// Everything a worker of a run reuses from file to file.
struct WorkerState {
  SetFileImage image;
  ReportText report;
  RecordingLog recorder;
};

// The number of workers a run may use: one when two of its `count` report
// paths (`output_path` of 0 to count - 1) name one file, since then the
// order of writing decides which report survives. Paths are told apart by
// identity: an existing file by its device and inode, whatever links lead
// there; a new one by its folder's identity and its name folded
// (FoldCase), as a file system that ignores case would see it. Only a
// hash of each is kept, so a run of many files stays small; a collision
// merely makes the run serial.
int WorkersFor(FileSystem& fs, int jobs, std::size_t count,
               const std::function<std::string(std::size_t)>& output_path);

}  // namespace quorlith
