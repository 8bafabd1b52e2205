#include "report/change_summary.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <limits>

#include "text/report_text.h"

namespace quorlith {
namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

std::uint32_t HashOf(std::size_t row, std::string_view text) {
  // FNV-1a: the values are short, and most differ early.
  std::uint64_t hash = 14695981039346656037ull ^ row;
  for (char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return static_cast<std::uint32_t>(hash ^ hash >> 32);
}

// The bits of a slot above its value's.
std::uint32_t TagsOf(int index_bits) {
  return static_cast<std::uint32_t>(~((std::uint64_t{1} << index_bits) - 1));
}

}  // namespace

void ChangeValues::Setting(const NotedSetting& noted) {
  FileChanges& changes = parts_[noted.row % parts_.size()];
  changes.rows.push_back(static_cast<std::uint32_t>(noted.row));
  changes.positions.push_back(count_++);
  std::u16string_view value = report_.view().substr(
      noted.value_start, noted.value_end - noted.value_start);
  Utf8Text& values = changes.values;
  std::size_t start = values.size();
  values.Commit(
      WriteUtf8KeepingSurrogates(values.Extend(3 * value.size()), value));
  changes.value_ends.push_back(static_cast<std::uint32_t>(values.size()));
  changes.surrogates =
      changes.surrogates ||
      std::any_of(value.begin(), value.end(), [](char16_t unit) {
        return unit >= 0xD800 && unit <= 0xDFFF;
      });
  // Hashed here, on the worker, rather than where the files meet.
  changes.hashes.push_back(HashOf(noted.row, values.view().substr(start)));
}

ChangeSummary::Header ChangeSummary::HeaderOf(std::uint32_t value) const {
  Header header;
  std::memcpy(&header, values_.at(value), sizeof header);
  return header;
}

std::string_view ChangeSummary::Text(std::uint32_t value) const {
  return {reinterpret_cast<const char*>(values_.at(value + kHeaderWords)),
          HeaderOf(value).size};
}

std::uint32_t ChangeSummary::Next(std::uint32_t value) const {
  std::size_t size = HeaderOf(value).size;
  std::size_t next = value + kHeaderWords + (size + 3) / 4;
  // Past the last value of a chunk, the next chunk's first.
  if (next == values_.ChunkEnd(value)) {
    next = ((value >> ChunkedWords::kChunkBits) + 1)
           << ChunkedWords::kChunkBits;
  }
  return static_cast<std::uint32_t>(next);
}

void ChangeSummary::Rehash(std::size_t slots, int index_bits) {
  slots_.assign(slots, 0);
  index_bits_ = index_bits;
  auto mask = static_cast<std::uint32_t>(slots - 1);
  std::uint32_t tags = TagsOf(index_bits);
  for (std::uint32_t v = 0; v < values_.end(); v = Next(v)) {
    std::uint32_t hash = HeaderOf(v).hash;
    std::size_t at = hash & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = (hash & tags) | (v + 1);
  }
}

// REQUIRES: room for one more value, with the slots at most half full so
// that a search ends soon, and its start below 1 << index_bits_.
std::uint32_t ChangeSummary::FindOrAdd(std::uint32_t row, std::string_view text,
                                       std::uint32_t hash) {
  auto mask = static_cast<std::uint32_t>(slots_.size() - 1);
  std::uint32_t tags = TagsOf(index_bits_);
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    std::uint32_t slot = slots_[at];
    if (slot == 0) {
      auto value = static_cast<std::uint32_t>(
          values_.Append(kHeaderWords + (text.size() + 3) / 4));
      assert(row <= 0xFFFF && text.size() <= 0xFFFF);
      Header header = {kNone, hash, static_cast<std::uint16_t>(row),
                       static_cast<std::uint16_t>(text.size())};
      std::memcpy(values_.at(value), &header, sizeof header);
      std::memcpy(values_.at(value + kHeaderWords), text.data(), text.size());
      slots_[at] = (hash & tags) | (value + 1);
      ++value_count_;
      return value;
    }
    if ((slot & tags) != (hash & tags)) continue;
    std::uint32_t value = (slot & ~tags) - 1;
    Header header = HeaderOf(value);
    if (header.hash == hash && header.row == row && Text(value) == text) {
      return value;
    }
  }
}

void ChangeSummary::Add(std::string_view name, const FileChanges& changes) {
  ++files_;
  if (changes.rows.empty()) return;
  surrogates_ = surrogates_ || changes.surrogates;
  names_.append(name);
  name_ends_.push_back(static_cast<std::uint32_t>(names_.size()));
  // Room for every value of the file, so that what a lookup reads can be
  // fetched ahead: most lookups wait on memory, not on work.
  std::size_t count = changes.rows.size();
  std::size_t slots = std::max<std::size_t>(64, slots_.size());
  while (2 * (value_count_ + count) > slots) slots *= 2;
  // Each value's words, and at worst a chunk's end left unused for each.
  std::size_t words =
      values_.end() + ChunkedWords::kChunkWords +
      2 * (count * (kHeaderWords + 1) + changes.values.size() / 4);
  // Bits for a summary of some thousand busy files from the start, and
  // three to spare when they must grow: each time every value is placed
  // again.
  int index_bits = std::max(index_bits_, 24);
  if (words >= std::size_t{1} << index_bits) {
    while (words >= std::size_t{1} << (index_bits - 3)) ++index_bits;
  }
  if (slots != slots_.size() || index_bits != index_bits_) {
    Rehash(slots, index_bits);
  }
  constexpr std::size_t kAhead = 16;
  auto mask = static_cast<std::uint32_t>(slots - 1);
  std::uint32_t tags = TagsOf(index_bits_);
  for (std::size_t i = 0; i < count; ++i) {
    if (i + kAhead < count) {
      __builtin_prefetch(&slots_[changes.hashes[i + kAhead] & mask]);
    }
    if (i + kAhead / 2 < count) {
      std::uint32_t hash = changes.hashes[i + kAhead / 2];
      std::uint32_t slot = slots_[hash & mask];
      if (slot != 0 && (slot & tags) == (hash & tags)) {
        __builtin_prefetch(values_.at((slot & ~tags) - 1));
      }
    }
    std::uint32_t row = changes.rows[i];
    if (row >= row_files_.size()) {
      row_files_.resize(row + 1, 0);
      first_seen_.resize(row + 1, 0);
    }
    if (row_files_[row]++ == 0) {
      rows_seen_.push_back(row);
      first_seen_[row] =
          (std::uint64_t{files_ - 1} << 32) | changes.positions[i];
    }
    std::uint32_t value = FindOrAdd(row, changes.Value(i), changes.hashes[i]);
    changes_.push_back(values_[value + kLastWord]);
    values_[value + kLastWord] = static_cast<std::uint32_t>(changes_.end() - 1);
  }
  file_ends_.push_back(static_cast<std::uint32_t>(changes_.end()));
}

std::size_t ChangeSummary::Finish() {
  slots_ = {};
  // Each row's values in the order first seen.
  row_starts_.assign(row_files_.size() + 1, 0);
  for (std::uint32_t v = 0; v < values_.end(); v = Next(v)) {
    ++row_starts_[HeaderOf(v).row + 1];
  }
  for (std::size_t i = 1; i < row_starts_.size(); ++i) {
    row_starts_[i] += row_starts_[i - 1];
  }
  by_row_.resize(value_count_);
  std::vector<std::uint32_t> next(row_starts_.begin(), row_starts_.end() - 1);
  for (std::uint32_t v = 0; v < values_.end(); v = Next(v)) {
    by_row_[next[HeaderOf(v).row]++] = v;
  }
  std::stable_sort(rows_seen_.begin(), rows_seen_.end(),
                   [&](std::uint32_t a, std::uint32_t b) {
                     return row_files_[a] > row_files_[b];
                   });
  block_files_.clear();
  for (std::uint32_t file = 0; file < file_ends_.size(); ++file) {
    while (block_files_.size() << kBlockBits < file_ends_[file]) {
      block_files_.push_back(file);
    }
  }
  return rows_seen_.size();
}

void ChangeSummary::AppendLine(std::size_t line, const RowTexts& original,
                               LineScratch& scratch, Utf8Text& out) const {
  std::uint32_t row = rows_seen_[line];
  auto& [shown, files, walks, found, fill] = scratch;
  // The files of each value, from its last change back: all of the row's
  // values a step at a time, so that their links are read side by side
  // rather than each after the one before. A file differs in a row at
  // most once, so a row's files are a few.
  shown.clear();
  walks.clear();
  for (std::uint32_t i = row_starts_[row]; i < row_starts_[row + 1]; ++i) {
    walks.emplace_back(static_cast<std::uint32_t>(shown.size()),
                       HeaderOf(by_row_[i]).last);
    shown.push_back({by_row_[i], 0, 0});
  }
  // First the counts, then each file in its place from the end.
  found.clear();
  while (!walks.empty()) {
    for (std::size_t w = 0; w < walks.size();) {
      auto& [at, change] = walks[w];
      found.emplace_back(at, change);
      ++shown[at].count;
      change = changes_[change];
      if (change == kNone) {
        walks[w] = walks.back();
        walks.pop_back();
      } else {
        ++w;
      }
    }
  }
  files.resize(found.size());
  fill.clear();
  std::uint32_t start = 0;
  for (LineScratch::Shown& value : shown) {
    value.start = start;
    start += value.count;
    fill.push_back(start);
  }
  for (const auto& [at, change] : found) {
    // A file's changes are many, so the file that starts the change's
    // block is at most a few before its own.
    std::uint32_t file = block_files_[change >> kBlockBits];
    while (file_ends_[file] <= change) ++file;
    files[--fill[at]] = file;
  }
  std::stable_sort(
      shown.begin(), shown.end(),
      [](const LineScratch::Shown& a, const LineScratch::Shown& b) {
        return a.count > b.count;
      });
  out.append(ChangeLabels()[row]);
  out.append(": ");
  out.append(original[row]);
  for (std::size_t v = 0; v < shown.size(); ++v) {
    out.append(v == 0 ? " → " : "; → ");
    if (surrogates_) {
      AppendKeptSurrogatesReplaced(out, Text(shown[v].value));
    } else {
      out.append(Text(shown[v].value));
    }
    out.append(" in ");
    for (std::uint32_t f = 0; f < shown[v].count; ++f) {
      if (f > 0) out.append(", ");
      std::uint32_t file = files[shown[v].start + f];
      std::size_t name_start = file == 0 ? 0 : name_ends_[file - 1];
      out.append(
          names_.view().substr(name_start, name_ends_[file] - name_start));
    }
  }
  out.push_back('\n');
}

void AppendSummaryTotal(Utf8Text& out, std::size_t settings,
                        std::size_t differing, std::size_t files) {
  AppendDecimal(out, static_cast<std::int64_t>(settings));
  out.append(settings == 1 ? " setting differs in " : " settings differ in ");
  AppendDecimal(out, static_cast<std::int64_t>(differing));
  out.append(" of ");
  AppendDecimal(out, static_cast<std::int64_t>(files));
  out.append(files == 1 ? " file.\n" : " files.\n");
}

}  // namespace quorlith
