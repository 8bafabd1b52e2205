#include "report/change_summary.h"

#include <algorithm>
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

}  // namespace

void ChangeValues::Setting(const NotedSetting& noted) {
  changes_.rows.push_back(static_cast<std::uint32_t>(noted.row));
  std::u16string_view value = report_.view().substr(
      noted.value_start, noted.value_end - noted.value_start);
  Utf8Text& values = changes_.values;
  std::size_t start = values.size();
  values.Commit(
      WriteUtf8KeepingSurrogates(values.Extend(3 * value.size()), value));
  changes_.value_ends.push_back(static_cast<std::uint32_t>(values.size()));
  changes_.surrogates =
      changes_.surrogates ||
      std::any_of(value.begin(), value.end(), [](char16_t unit) {
        return unit >= 0xD800 && unit <= 0xDFFF;
      });
  // Hashed here, on the worker, rather than where the files meet.
  changes_.hashes.push_back(HashOf(noted.row, values.view().substr(start)));
}

std::string_view ChangeSummary::Text(std::uint32_t value) const {
  std::size_t end =
      value + 1 < values_.size() ? values_[value + 1].start : texts_.size();
  return texts_.view().substr(values_[value].start, end - values_[value].start);
}

void ChangeSummary::Rehash(std::size_t slots) {
  slots_.assign(slots, 0);
  auto mask = static_cast<std::uint32_t>(slots - 1);
  for (std::uint32_t i = 0; i < values_.size(); ++i) {
    std::uint32_t hash = values_[i].hash;
    std::size_t at = hash & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = (hash & ~mask) | (i + 1);
  }
}

// REQUIRES: room for one more value with the slots at most half full, so
// that a search ends soon.
std::uint32_t ChangeSummary::FindOrAdd(std::uint32_t row, std::string_view text,
                                       std::uint32_t hash) {
  auto mask = static_cast<std::uint32_t>(slots_.size() - 1);
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    std::uint32_t slot = slots_[at];
    if (slot == 0) {
      auto index = static_cast<std::uint32_t>(values_.size());
      values_.push_back(
          {row, static_cast<std::uint32_t>(texts_.size()), hash, kNone});
      texts_.append(text);
      slots_[at] = (hash & ~mask) | (index + 1);
      return index;
    }
    if ((slot & ~mask) != (hash & ~mask)) continue;
    std::uint32_t index = (slot & mask) - 1;
    const Value& value = values_[index];
    if (value.hash == hash && value.row == row && Text(index) == text) {
      return index;
    }
  }
}

void ChangeSummary::Add(std::string_view name, const FileChanges& changes) {
  ++files_;
  if (changes.rows.empty()) return;
  ++differing_;
  surrogates_ = surrogates_ || changes.surrogates;
  names_.append(name);
  name_ends_.push_back(static_cast<std::uint32_t>(names_.size()));
  // Room for every value of the file, so that what a lookup reads can be
  // fetched ahead: most lookups wait on memory, not on work.
  std::size_t count = changes.rows.size();
  std::size_t slots = std::max<std::size_t>(64, slots_.size());
  while (2 * (values_.size() + count) > slots) slots *= 2;
  if (slots != slots_.size()) Rehash(slots);
  constexpr std::size_t kAhead = 16;
  for (std::size_t i = 0; i < count; ++i) {
    if (i + kAhead < count) {
      __builtin_prefetch(&slots_[changes.hashes[i + kAhead] & (slots - 1)]);
    }
    if (i + kAhead / 2 < count) {
      auto mask = static_cast<std::uint32_t>(slots - 1);
      std::uint32_t hash = changes.hashes[i + kAhead / 2];
      std::uint32_t slot = slots_[hash & mask];
      if (slot != 0 && (slot & ~mask) == (hash & ~mask)) {
        __builtin_prefetch(&values_[(slot & mask) - 1]);
      }
    }
    std::uint32_t row = changes.rows[i];
    if (row >= row_files_.size()) row_files_.resize(row + 1, 0);
    if (row_files_[row]++ == 0) rows_seen_.push_back(row);
    std::uint32_t value = FindOrAdd(row, changes.Value(i), changes.hashes[i]);
    changes_.push_back(values_[value].last);
    values_[value].last = static_cast<std::uint32_t>(changes_.size() - 1);
  }
  file_ends_.push_back(static_cast<std::uint32_t>(changes_.size()));
}

std::size_t ChangeSummary::Finish() {
  slots_ = {};
  // Each row's values in the order first seen.
  row_starts_.assign(row_files_.size() + 1, 0);
  for (const Value& value : values_) ++row_starts_[value.row + 1];
  for (std::size_t i = 1; i < row_starts_.size(); ++i) {
    row_starts_[i] += row_starts_[i - 1];
  }
  by_row_.resize(values_.size());
  std::vector<std::uint32_t> next(row_starts_.begin(), row_starts_.end() - 1);
  for (std::uint32_t v = 0; v < values_.size(); ++v) {
    by_row_[next[values_[v].row]++] = v;
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
                       values_[by_row_[i]].last);
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

void ChangeSummary::AppendTotal(Utf8Text& out) const {
  AppendDecimal(out, static_cast<std::int64_t>(rows_seen_.size()));
  out.append(rows_seen_.size() == 1 ? " setting differs in "
                                    : " settings differ in ");
  AppendDecimal(out, static_cast<std::int64_t>(differing_));
  out.append(" of ");
  AppendDecimal(out, static_cast<std::int64_t>(files_));
  out.append(files_ == 1 ? " file.\n" : " files.\n");
}

}  // namespace quorlith
