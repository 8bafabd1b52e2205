#include "runs/run_files.h"

#include <algorithm>
#include <array>
#include <thread>

#include "runs/case_folding.h"
#include "runs/dos_time.h"

namespace quorlith {

std::unique_ptr<InputFile> OpenSetFile(FileSystem& fs, LogBuffer& log,
                                       const std::string& path,
                                       const DirEntry& entry,
                                       SetFileImage& image) {
  std::unique_ptr<InputFile> file = fs.OpenForRead(path);
  if (!file) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(path));
    return nullptr;
  }
  std::array<std::uint8_t, kHeaderSize> header;
  std::size_t got = file->Read(header);
  if (CheckSetFile(ByteView(header).first(got), entry.size) !=
      CheckResult::kOk) {
    log.LogMessage(LogCode::kWrongFormat, Utf8ToUtf16(path));
    // The file was only read; a failure to close it changes nothing.
    (void)file->Close();
    return nullptr;
  }
  image.ClearFrom(file->Read(image.MutableBody()));
  return file;
}

namespace {

// True iff `path` holds a set file that the run must not destroy. One that
// cannot be read cannot be shown to be anything else, so it is kept too.
bool HoldsSetFile(FileSystem& fs, const std::string& path, std::uint64_t size) {
  std::unique_ptr<InputFile> file = fs.OpenForRead(path);
  if (!file) return true;
  std::array<std::uint8_t, kHeaderSize> header;
  std::size_t got = file->Read(header);
  (void)file->Close();  // only read
  return CheckSetFile(ByteView(header).first(got), size) == CheckResult::kOk;
}

}  // namespace

RunInputs::RunInputs(std::string folder, std::span<const DirEntry> entries)
    : folder_(std::move(folder)) {
  matched_.reserve(entries.size());
  for (const DirEntry& entry : entries) {
    if (entry.id) matched_.emplace_back(*entry.id, &entry);
  }
  std::sort(matched_.begin(), matched_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool RunInputs::WouldReplace(FileSystem& fs, const std::string& path,
                             const DirEntry& entry) const {
  std::optional<FileId> id = fs.IdOf(path);
  if (!id) return false;
  if (*id == entry.id ||
      std::find(kept_.begin(), kept_.end(), *id) != kept_.end()) {
    return true;
  }
  auto other = std::lower_bound(
      matched_.begin(), matched_.end(), *id,
      [](const auto& item, const FileId& value) { return item.first < value; });
  return other != matched_.end() && other->first == *id &&
         HoldsSetFile(fs, folder_ + other->second->name, other->second->size);
}

WrittenReport WriteReport(FileSystem& fs, LogBuffer& log,
                          const std::string& path, const ReportText& text) {
  WrittenReport report;
  // "*" and "?" are wildcards, never part of a file's name, as on Windows,
  // where no file can have such a name: an output name `out/*.txt` would
  // otherwise gather every report of the run in one file.
  // Only the name counts: "\\?\" opens a Windows path that is no pattern.
  NameParts parts = SplitPath(path, fs.Style());
  if ((parts.name + parts.extension).find_first_of("*?") == std::string::npos) {
    report.file = fs.Create(path);
  }
  if (!report.file) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(path));
    return report;
  }
  report.written = report.file->Write(Utf16LeBytes(text));
  return report;
}

NameParts DecompilePattern(FileSystem& fs, std::string_view name) {
  NameParts parts = SplitFileName(name, fs.CurrentDirectory(), fs.Style());
  if (parts.extension.empty()) parts.extension = kDefaultExtension;
  return parts;
}

std::optional<NameParts> OriginalPattern(FileSystem& fs, LogBuffer& log,
                                         std::string_view name) {
  NameParts parts = SplitFileName(name, fs.CurrentDirectory(), fs.Style());
  if (parts.Joined().find('*') != std::string::npos) {
    log.LogMessage(LogCode::kCompareNeedsNames);
    return std::nullopt;
  }
  return parts;
}

NameParts NewFilesPattern(FileSystem& fs, std::string_view name,
                          const NameParts& original) {
  NameParts parts = SplitFileName(name, fs.CurrentDirectory(), fs.Style());
  if (parts.name.empty()) parts.name = original.name;
  if (parts.extension.empty()) parts.extension = original.extension;
  return parts;
}

std::vector<DirEntry> FindMatches(FileSystem& fs, LogBuffer& log,
                                  const NameParts& pattern) {
  std::vector<DirEntry> entries =
      fs.Search(pattern.Folder(), pattern.name + pattern.extension);
  if (entries.empty()) {
    log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(pattern.Joined()));
  }
  return entries;
}

bool CloseLogged(LogBuffer& log, const std::string& path, bool ok) {
  if (!ok) log.LogMessage(LogCode::kCannotClose, Utf8ToUtf16(path));
  return ok;
}

ReportSource SourceOf(const std::string& path, const DirEntry& entry) {
  return {path, ToDosDateTime(entry.modified)};
}

EntryResult RecordingLog::Take(EntryOutcome outcome) {
  EntryResult result = std::move(result_);
  result.outcome = outcome;
  result_ = {};
  log_.ResetLog();
  return result;
}

bool CommitEntry(RunContext& ctx, EntryResult& result, int& count) {
  for (const auto& [code, text] : result.messages) {
    ctx.log.LogFormatted(code, text);
  }
  ++ctx.tally.done;
  ctx.tally.settings_differ += result.settings_differ;
  if (result.outcome == EntryOutcome::kStop) return false;
  if (result.outcome == EntryOutcome::kCounted) ctx.tally.counted = ++count;
  return !(ctx.pump && ctx.pump());
}

namespace {

void AppendId(std::string& key, const FileId& id) {
  key.append(reinterpret_cast<const char*>(&id.device), sizeof id.device);
  key.append(reinterpret_cast<const char*>(&id.inode), sizeof id.inode);
}

// Hashes the report paths `first`, `first + step`, ... of WorkersFor.
void HashOutputs(FileSystem& fs, std::size_t first, std::size_t step,
                 const std::function<std::string(std::size_t)>& output_path,
                 std::vector<std::size_t>& hashes) {
  std::string key;
  std::string last_folder;
  std::optional<FileId> folder_id;
  for (std::size_t i = first; i < hashes.size(); i += step) {
    std::string path = output_path(i);
    key.clear();
    if (std::optional<FileId> id = fs.IdOf(path)) {
      key.push_back('=');
      AppendId(key, *id);
    } else {
      std::size_t slash = path.rfind('/') + 1;  // npos + 1 is 0
      std::string_view folder = std::string_view(path).substr(0, slash);
      if (i == first || folder != last_folder) {
        last_folder = folder;
        folder_id = fs.IdOf(folder.empty() ? "." : last_folder);
      }
      std::size_t pos = 0;
      if (folder_id) {
        key.push_back('/');
        AppendId(key, *folder_id);
        pos = slash;
      }
      while (pos < path.size()) {
        char32_t c = NextFoldedCharacter(path, pos);
        key.append(reinterpret_cast<const char*>(&c), sizeof c);
      }
    }
    hashes[i] = std::hash<std::string>{}(key);
  }
}

}  // namespace

int WorkersFor(FileSystem& fs, int jobs, std::size_t count,
               const std::function<std::string(std::size_t)>& output_path) {
  if (jobs <= 1) return 1;
  std::vector<std::size_t> hashes(count);
  // Every path is looked up before any worker may start; done on one
  // thread, the lookups kept a parallel run of a thousand files on one
  // core for two milliseconds, so the workers-to-be share them.
  constexpr std::size_t kPathsPerThread = 128;
  auto threads = static_cast<std::size_t>(jobs);
  threads =
      std::max<std::size_t>(1, std::min(threads, count / kPathsPerThread));
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < threads; ++t) {
    helpers.emplace_back(
        [&, t] { HashOutputs(fs, t, threads, output_path, hashes); });
  }
  HashOutputs(fs, 0, threads, output_path, hashes);
  for (std::thread& helper : helpers) helper.join();
  std::sort(hashes.begin(), hashes.end());
  bool unique =
      std::adjacent_find(hashes.begin(), hashes.end()) == hashes.end();
  return unique ? jobs : 1;
}

}  // namespace quorlith
