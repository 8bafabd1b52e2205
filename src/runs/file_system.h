#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runs/file_names.h"

namespace quorlith {

// Identifies a file whatever name reaches it (hard and symbolic links):
// device and inode on POSIX, volume serial and file index on Windows.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  auto operator<=>(const FileId&) const = default;
};

// One match of a search, as a directory listing reports it.
struct DirEntry {
  std::string name;           // name and extension, no directory
  std::uint64_t size = 0;     // bytes, as the listing reported them
  std::int64_t modified = 0;  // last write, seconds since the epoch (UTC)
  std::optional<FileId> id;   // absent when the entry could not be looked up
};

class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `buffer.size()` bytes from the current position; returns
  // how many arrived. Fewer means end of file or a read error.
  virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
  // Returns false when closing failed.
  [[nodiscard]] virtual bool Close() = 0;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Returns false when not every byte could be written.
  [[nodiscard]] virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  [[nodiscard]] virtual bool Close() = 0;
};

// What a run needs from the system. The real ones are PosixFileSystem and
// Win32FileSystem; tests use FakeFileSystem to make any step fail.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The rules by which the runs split and complete names on this system.
  virtual PathStyle Style() const { return PathStyle::kPosix; }

  // The current working directory, ending with its separator; empty when
  // unknown.
  virtual std::string CurrentDirectory() = 0;

  // Lists the entries of `directory` (ending with a separator, a bare
  // drive such as "C:", or empty for the current one) whose names match
  // `pattern` (see MatchesWildcard), sorted by SortEntryNames' order. An
  // unreadable directory gives no entries.
  virtual std::vector<DirEntry> Search(const std::string& directory,
                                       std::string_view pattern) = 0;

  // Opens a regular file for reading; nullptr when that fails. Folders,
  // pipes and devices fail to open, so a run never blocks on one.
  virtual std::unique_ptr<InputFile> OpenForRead(const std::string& path) = 0;

  // Creates a file for writing, or opens one to be written over: once it
  // is closed it holds what was written and nothing of what it held
  // before. nullptr when that fails.
  virtual std::unique_ptr<OutputFile> Create(const std::string& path) = 0;

  // Creates a new file beside `path`, in its folder, under a fresh name
  // that no one can guess ("PATH.quorlith-" and random letters) and only
  // where nothing stands: never over a file, nor through a link planted
  // there. It takes the permission bits of the file at `path`, if there
  // is one. `name` gets its path; nullptr when that fails.
  virtual std::unique_ptr<OutputFile> CreateBeside(const std::string& path,
                                                   std::string& name) = 0;

  // What `path` names once the symbolic links it is are followed, one
  // after the other: a file replaced through a link is replaced where it
  // lies. `path` itself when it is no link.
  virtual std::string FollowLinks(const std::string& path) { return path; }

  // The identity of the file at `path`, if one exists there.
  virtual std::optional<FileId> IdOf(const std::string& path) = 0;
  // Gives the file at `from` the name `to`, replacing what was there, in
  // one step where the system allows it; false when that fails.
  [[nodiscard]] virtual bool Rename(const std::string& from,
                                    const std::string& to) = 0;
  // Removes the file at `path`; false when that fails.
  virtual bool Remove(const std::string& path) = 0;
};

// `count` letters and digits that no one can guess, for the names of
// temporary files.
std::string UnguessableLetters(std::size_t count);

// Sorts entries by name without regard to case (CompareNames), then by
// bytes, so every run visits the same files in the same order.
void SortEntries(std::vector<DirEntry>& entries);

}  // namespace quorlith
