#include "runs/run_files.h"

#include <algorithm>
#include <array>
#include <bit>

#include "report/dos_time.h"
#include "report/fields.h"

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

bool WouldReplaceInput(FileSystem& fs, const std::string& path,
                       std::span<const FileId> inputs) {
  std::optional<FileId> id = fs.IdOf(path);
  return id && std::find(inputs.begin(), inputs.end(), *id) != inputs.end();
}

std::vector<FileId> IdsOf(std::span<const DirEntry> entries) {
  std::vector<FileId> ids;
  ids.reserve(entries.size());
  for (const DirEntry& entry : entries) {
    if (entry.id) ids.push_back(*entry.id);
  }
  return ids;
}

WrittenReport WriteReport(FileSystem& fs, LogBuffer& log,
                          const std::string& path, const ReportText& text) {
  WrittenReport report;
  report.file = fs.Create(path);
  if (!report.file) {
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(path));
    return report;
  }
  static_assert(sizeof(char16_t) == 2);
  if constexpr (std::endian::native == std::endian::little) {
    report.written = report.file->Write(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(text.data()), text.size() * 2));
  } else {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
      bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    report.written = report.file->Write(bytes);
  }
  return report;
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
  if (result.outcome == EntryOutcome::kStop) return false;
  if (result.outcome == EntryOutcome::kCounted) ++count;
  return !(ctx.pump && ctx.pump());
}

int WorkersFor(int jobs, std::size_t count,
               const std::function<std::string(std::size_t)>& output_path) {
  if (jobs <= 1) return 1;
  std::vector<std::size_t> hashes(count);
  for (std::size_t i = 0; i < count; ++i) {
    // Folded: where the file system ignores case (Windows, a memory
    // stick), A.t00 and a.t00 are one file that two workers must not share.
    std::string path = output_path(i);
    for (char& c : path) {
      c = static_cast<char>(FoldAz(static_cast<unsigned char>(c)));
    }
    hashes[i] = std::hash<std::string>{}(path);
  }
  std::sort(hashes.begin(), hashes.end());
  bool unique =
      std::adjacent_find(hashes.begin(), hashes.end()) == hashes.end();
  return unique ? jobs : 1;
}

}  // namespace quorlith
