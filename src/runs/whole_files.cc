#include "runs/whole_files.h"

#include <algorithm>
#include <memory>
#include <span>

namespace quorlith {
namespace {

// The log's codes decide only the stream a line goes to: past the
// catalogue's codes a line is an error, and the catalogue's own progress
// codes are not.
constexpr std::uint32_t kRunError = 100;
constexpr auto kRunProgress = static_cast<std::uint32_t>(LogCode::kDecompiled);

}  // namespace

bool ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t limit,
                   std::vector<std::uint8_t>& bytes, std::size_t expected) {
  std::unique_ptr<InputFile> file = fs.OpenForRead(path);
  if (!file) return false;
  // The buffer grows as the file turns out longer; one byte past the
  // expected size tells the end without a second allocation.
  std::size_t start = expected > 0 ? expected + 1 : std::size_t{1} << 20;
  bytes.resize(std::min(limit + 1, start));
  std::size_t size = 0;
  while (true) {
    if (size == bytes.size()) {
      if (size > limit) break;
      bytes.resize(std::min(2 * size, limit + 1));
    }
    std::span<std::uint8_t> rest = std::span(bytes).subspan(size);
    std::size_t got = file->Read(rest);
    size += got;
    if (got < rest.size()) break;  // the end, as a read short of it says
  }
  bytes.resize(size);
  (void)file->Close();  // only read
  return true;
}

bool ReplaceFile(FileSystem& fs, const std::string& path,
                 const std::vector<std::uint8_t>& bytes) {
  std::string temporary = path + ".quorlith-new";
  std::unique_ptr<OutputFile> file = fs.Create(temporary);
  if (!file) return false;
  bool ok = file->Write(bytes);
  ok = file->Close() && ok;
  if (ok && fs.Rename(temporary, path)) return true;
  fs.Remove(temporary);
  return false;
}

void LogRunError(LogBuffer& log, std::u16string_view text) {
  log.LogFormatted(kRunError, std::u16string(text) + u"\r\n");
}

void LogRunProgress(LogBuffer& log, std::u16string_view text) {
  log.LogFormatted(kRunProgress, std::u16string(text) + u"\r\n");
}

}  // namespace quorlith
