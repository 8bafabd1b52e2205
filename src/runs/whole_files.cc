#include "runs/whole_files.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>

namespace quorlith {
namespace {

// The log's codes decide only the stream a line goes to: past the
// catalogue's codes a line is an error, and the catalogue's own progress
// codes are not.
constexpr std::uint32_t kRunError = 100;
constexpr auto kRunProgress = static_cast<std::uint32_t>(LogCode::kDecompiled);

}  // namespace

namespace {

// Reads as ReadWholeFile describes into a buffer that `room(n)` makes n
// bytes long (keeping what it held) and returns as bytes; the size read,
// or nothing when the file cannot be opened.
template <typename Room>
std::optional<std::size_t> ReadInto(FileSystem& fs, const std::string& path,
                                    std::size_t limit, std::size_t expected,
                                    Room room) {
  std::unique_ptr<InputFile> file = fs.OpenForRead(path);
  if (!file) return std::nullopt;
  // The buffer grows as the file turns out longer; one byte past the
  // expected size tells the end without a second allocation.
  std::size_t start = expected > 0 ? expected + 1 : std::size_t{1} << 20;
  std::span<std::uint8_t> buffer = room(std::min(limit + 1, start));
  std::size_t size = 0;
  while (true) {
    if (size == buffer.size()) {
      if (size > limit) break;
      buffer = room(std::min(2 * size, limit + 1));
    }
    std::span<std::uint8_t> rest = buffer.subspan(size);
    std::size_t got = file->Read(rest);
    size += got;
    if (got < rest.size()) break;  // the end, as a read short of it says
  }
  (void)file->Close();  // only read
  return size;
}

}  // namespace

bool ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t limit,
                   std::vector<std::uint8_t>& bytes, std::size_t expected) {
  std::optional<std::size_t> size =
      ReadInto(fs, path, limit, expected, [&](std::size_t n) {
        bytes.resize(n);
        return std::span(bytes);
      });
  if (!size) return false;
  bytes.resize(*size);
  return true;
}

bool ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t limit,
                   std::u16string& units, std::size_t& bytes,
                   std::size_t expected) {
  // Units are written through bytes, as any object's storage may be.
  auto storage = [&](std::size_t n) {
    return std::span(reinterpret_cast<std::uint8_t*>(units.data()), n);
  };
  std::optional<std::size_t> size =
      ReadInto(fs, path, limit, expected, [&](std::size_t n) {
        units.resize((n + 1) / 2);
        return storage(n);
      });
  if (!size) return false;
  units.resize((*size + 1) / 2);
  bytes = *size;
  return true;
}

bool ReplaceFile(FileSystem& fs, const std::string& path,
                 const std::vector<std::uint8_t>& bytes) {
  // Beside the file the link names, so the rename stays on one file
  // system and the link keeps naming the new bytes.
  std::string target = fs.FollowLinks(path);
  std::string temporary;
  std::unique_ptr<OutputFile> file = fs.CreateBeside(target, temporary);
  if (!file) return false;
  bool ok = file->Write(bytes);
  ok = file->Close() && ok;
  if (ok && fs.Rename(temporary, target)) return true;
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
