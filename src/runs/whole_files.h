#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runs/file_system.h"
#include "runs/progress_log.h"

namespace quorlith {

// What the runs that take files whole (compile, merge) share.

// Reads the whole of `path` into `bytes`; false when it cannot be opened.
// Reading stops one byte past `limit`, so a file larger than `limit` shows
// as one of `limit + 1` bytes without being read to its end.
// `expected` is the size a listing gave, if any: the buffer starts at it,
// so a file read whole needs no second read to find its end. A caller
// that reads file after file passes the same `bytes`, whose capacity then
// serves them all: a buffer of this size freed and taken again per file
// costs a page fault for every page it touches.
bool ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t limit,
                   std::vector<std::uint8_t>& bytes, std::size_t expected = 0);

// The same into the storage of `units`, two bytes to a unit, for a report:
// one in UTF-16 LE then holds its text as read, with no copy to decode it
// (see ParsedReport::Read). `bytes` is how many were read; an odd last
// byte is the low byte of the last unit.
bool ReadWholeFile(FileSystem& fs, const std::string& path, std::size_t limit,
                   std::u16string& units, std::size_t& bytes,
                   std::size_t expected = 0);

// Writes `bytes` to a new file beside `path` (FileSystem::CreateBeside:
// a fresh name, made exclusively, with the permission bits of the file it
// replaces) and renames it over `path`, so that `path` holds either its
// old bytes or all of the new ones. A `path` that is a link is replaced
// where the link leads. False, with the new file removed, on any failure.
bool ReplaceFile(FileSystem& fs, const std::string& path,
                 const std::vector<std::uint8_t>& bytes);

// Lines outside the catalogue, `text` without its line end: an error goes
// to the error stream and counts as one; progress does not.
void LogRunError(LogBuffer& log, std::u16string_view text);
void LogRunProgress(LogBuffer& log, std::u16string_view text);

}  // namespace quorlith
