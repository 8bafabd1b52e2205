#include "report/change_summary.h"

#include <algorithm>
#include <numeric>

#include "text/report_text.h"

namespace quorlith {

void ChangeValues::Setting(const NotedSetting& noted) {
  changes_.rows.push_back(static_cast<std::uint32_t>(noted.row));
  std::u16string_view value = report_.view().substr(
      noted.value_start, noted.value_end - noted.value_start);
  Utf8Text& values = changes_.values;
  values.Commit(
      WriteUtf8KeepingSurrogates(values.Extend(3 * value.size()), value));
  changes_.value_ends.push_back(static_cast<std::uint32_t>(values.size()));
}

namespace {

std::size_t HashOf(std::uint32_t row, std::string_view text) {
  // FNV-1a: the values are short, and most differ early.
  std::size_t hash = 14695981039346656037ull ^ row;
  for (char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return hash;
}

}  // namespace

void ChangeSummary::Rehash(std::size_t slots) {
  slots_.assign(slots, 0);
  for (std::uint32_t i = 0; i < values_.size(); ++i) {
    const Value& value = values_[i];
    std::size_t at =
        HashOf(value.row, texts_.view().substr(value.start, value.size)) &
        (slots - 1);
    while (slots_[at] != 0) at = (at + 1) & (slots - 1);
    slots_[at] = i + 1;
  }
}

std::uint32_t ChangeSummary::FindOrAdd(std::uint32_t row,
                                       std::string_view text) {
  // Kept at most half full, so that a search ends soon.
  if (2 * (values_.size() + 1) > slots_.size()) {
    Rehash(std::max<std::size_t>(64, 2 * slots_.size()));
  }
  std::size_t mask = slots_.size() - 1;
  for (std::size_t at = HashOf(row, text) & mask;; at = (at + 1) & mask) {
    std::uint32_t slot = slots_[at];
    if (slot == 0) {
      auto index = static_cast<std::uint32_t>(values_.size());
      values_.push_back({row, static_cast<std::uint32_t>(texts_.size()),
                         static_cast<std::uint32_t>(text.size())});
      texts_.append(text);
      slots_[at] = index + 1;
      return index;
    }
    const Value& value = values_[slot - 1];
    if (value.row == row &&
        texts_.view().substr(value.start, value.size) == text) {
      return slot - 1;
    }
  }
}

void ChangeSummary::Add(std::string_view name, const FileChanges& changes) {
  ++files_;
  if (changes.rows.empty()) return;
  ++differing_;
  names_.append(name);
  name_ends_.push_back(static_cast<std::uint32_t>(names_.size()));
  for (std::size_t i = 0; i < changes.rows.size(); ++i) {
    std::uint32_t row = changes.rows[i];
    if (row >= row_files_.size()) row_files_.resize(row + 1, 0);
    if (row_files_[row]++ == 0) rows_seen_.push_back(row);
    changes_.push_back(FindOrAdd(row, changes.Value(i)));
  }
  file_ends_.push_back(static_cast<std::uint32_t>(changes_.size()));
}

void ChangeSummary::Write(const RowTexts& original,
                          const std::function<void(std::string_view)>& write) {
  if (empty()) {
    write("No differences.\n");
    return;
  }
  slots_ = {};
  // The files of each value, in the order they were added: counted, then
  // placed, as a counting sort places them.
  std::vector<std::uint32_t> starts(values_.size() + 1, 0);
  for (std::uint32_t value : changes_) ++starts[value + 1];
  std::partial_sum(starts.begin(), starts.end(), starts.begin());
  std::vector<std::uint32_t> files(changes_.size());
  {
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    std::uint32_t file = 0;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
      while (i >= file_ends_[file]) ++file;
      files[next[changes_[i]]++] = file;
    }
  }
  changes_ = {};
  // Each row's values in the order first seen.
  std::vector<std::uint32_t> row_starts(row_files_.size() + 1, 0);
  for (const Value& value : values_) ++row_starts[value.row + 1];
  std::partial_sum(row_starts.begin(), row_starts.end(), row_starts.begin());
  std::vector<std::uint32_t> by_row(values_.size());
  {
    std::vector<std::uint32_t> next(row_starts.begin(), row_starts.end() - 1);
    for (std::uint32_t v = 0; v < values_.size(); ++v) {
      by_row[next[values_[v].row]++] = v;
    }
  }
  std::stable_sort(rows_seen_.begin(), rows_seen_.end(),
                   [&](std::uint32_t a, std::uint32_t b) {
                     return row_files_[a] > row_files_[b];
                   });
  auto files_of = [&](std::uint32_t value) {
    return starts[value + 1] - starts[value];
  };
  auto name = [&](std::uint32_t file) {
    std::size_t start = file == 0 ? 0 : name_ends_[file - 1];
    return names_.view().substr(start, name_ends_[file] - start);
  };
  Utf8Text line;
  for (std::uint32_t row : rows_seen_) {
    auto first = by_row.begin() + row_starts[row];
    auto last = by_row.begin() + row_starts[row + 1];
    std::stable_sort(first, last, [&](std::uint32_t a, std::uint32_t b) {
      return files_of(a) > files_of(b);
    });
    line.clear();
    line.append(ChangeLabels()[row]);
    line.append(": ");
    line.append(original[row]);
    for (auto value = first; value != last; ++value) {
      line.append(value == first ? " → " : "; → ");
      const Value& v = values_[*value];
      AppendKeptSurrogatesReplaced(line, texts_.view().substr(v.start, v.size));
      line.append(" in ");
      for (std::uint32_t f = starts[*value]; f < starts[*value + 1]; ++f) {
        if (f > starts[*value]) line.append(", ");
        line.append(name(files[f]));
      }
    }
    line.push_back('\n');
    write(line.view());
  }
  line.clear();
  AppendDecimal(line, static_cast<std::int64_t>(rows_seen_.size()));
  line.append(rows_seen_.size() == 1 ? " setting differs in "
                                     : " settings differ in ");
  AppendDecimal(line, static_cast<std::int64_t>(differing_));
  line.append(" of ");
  AppendDecimal(line, static_cast<std::int64_t>(files_));
  line.append(files_ == 1 ? " file.\n" : " files.\n");
  write(line.view());
}

}  // namespace quorlith
