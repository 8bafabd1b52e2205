#include "report/change_summary.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstring>
#include <limits>

#include "text/report_text.h"

namespace quorlith {
namespace {

// Files summed up together: enough that a setting's values, read once a
// batch, serve many files, few enough that the batch's changes stay small
// beside the summary's own (a thousand busy files keep a summary under
// 64 MiB).
constexpr std::size_t kBatchFiles = 256;
constexpr std::size_t kMostBatchFiles = 1024;
// Settings summed up together, whose values stay in the cache meanwhile.
constexpr std::uint32_t kBlockRows = 16;

char* WriteNumber(char* out, std::uint32_t number) {
  while (number >= 0x80) {
    *out++ = static_cast<char>(number | 0x80);
    number >>= 7;
  }
  *out++ = static_cast<char>(number);
  return out;
}

std::uint32_t ReadNumber(std::string_view in, std::size_t& at) {
  std::uint32_t number = 0;
  for (int shift = 0;; shift += 7) {
    auto byte = static_cast<unsigned char>(in[at++]);
    number |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return number;
  }
}

}  // namespace

std::uint32_t ValueHash(std::string_view text) {
  // Eight bytes a step, then mixed as splitmix64 ends: a byte a step, the
  // hashing of millions of values was a good part of a summary's work.
  std::uint64_t hash = text.size();
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 32;
  }
  // The last bytes, read as two words that may overlap (or, below four,
  // as first, middle and last byte): each byte in one of them.
  const auto* rest = reinterpret_cast<const unsigned char*>(text.data() + i);
  std::size_t count = text.size() - i;
  if (count >= 4) {
    std::uint32_t first;
    std::uint32_t second;
    std::memcpy(&first, rest, 4);
    std::memcpy(&second, rest + count - 4, 4);
    hash ^= first | std::uint64_t{second} << 32;
  } else if (count > 0) {
    hash ^= std::uint64_t{rest[0]} | std::uint64_t{rest[count / 2]} << 8 |
            std::uint64_t{rest[count - 1]} << 16;
  }
  hash = (hash ^ hash >> 30) * 0xBF58476D1CE4E5B9ull;
  hash = (hash ^ hash >> 27) * 0x94D049BB133111EBull;
  return static_cast<std::uint32_t>(hash ^ hash >> 31);
}

void ChangeValues::Setting(const NotedSetting& noted) {
  FileChanges& changes = parts_[noted.row % parts_.size()];
  assert(changes.rows.empty() || changes.rows.back() < noted.row);
  changes.rows.push_back(static_cast<std::uint32_t>(noted.row));
  std::u16string_view value = report_.view().substr(
      noted.value_start, noted.value_end - noted.value_start);
  Utf8Text& values = changes.values;
  std::size_t start = values.size();
  values.Commit(
      WriteUtf8KeepingSurrogates(values.Extend(3 * value.size()), value));
  changes.value_ends.push_back(static_cast<std::uint32_t>(values.size()));
  // Hashed here, on the worker, rather than where the files meet.
  changes.hashes.push_back(ValueHash(values.view().substr(start)));
}

std::string_view ChangeSummary::Row::Text(std::uint32_t value) const {
  std::size_t start = value == 0 ? 0 : text_ends[value - 1];
  return std::string_view(texts).substr(start, text_ends[value] - start);
}

std::uint32_t ChangeSummary::Row::FindOrAdd(std::string_view text,
                                            std::uint32_t hash) {
  if (4 * (text_ends.size() + 1) > 3 * slots.size()) {
    // Each value again in a table twice the size: its hash from its text.
    slots.assign(std::max<std::size_t>(8, 2 * slots.size()), 0);
    auto mask = static_cast<std::uint32_t>(slots.size() - 1);
    for (std::uint32_t v = 0; v < text_ends.size(); ++v) {
      std::uint32_t h = ValueHash(Text(v));
      std::size_t at = h & mask;
      while (slots[at] != 0) at = (at + 1) & mask;
      slots[at] = (h & ~mask) | (v + 1);
    }
  }
  // Values fill at most three slots in four, so their numbers plus one
  // stay below the mask's bits.
  auto mask = static_cast<std::uint32_t>(slots.size() - 1);
  for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
    std::uint32_t slot = slots[at];
    if (slot == 0) {
      auto value = static_cast<std::uint32_t>(text_ends.size());
      texts.append(text);
      text_ends.push_back(static_cast<std::uint32_t>(texts.size()));
      slots[at] = (hash & ~mask) | (value + 1);
      return value;
    }
    std::uint32_t value = (slot & mask) - 1;
    if ((slot & ~mask) == (hash & ~mask) && Text(value) == text) return value;
  }
}

void ChangeSummary::Add(std::string_view name, const FileChanges& changes) {
  if (changes.rows.empty()) return;
  batch_files_.push_back(static_cast<std::uint32_t>(name_ends_.size()));
  names_.append(", ");
  names_.append(name);
  name_ends_.push_back(static_cast<std::uint32_t>(names_.size()));
  // Copied rather than kept: the batch's own buffers hold no room to spare
  // and are used again for the next batch.
  if (batch_rows_.capacity() == 0) {
    // Room for a batch of files like the first, and an eighth to spare,
    // rather than twice what the most changed batch needs.
    std::size_t changes_room = kBatchFiles * (changes.rows.size() * 9 / 8);
    batch_rows_.reserve(changes_room);
    batch_hashes_.reserve(changes_room);
    batch_value_ends_.reserve(changes_room);
    batch_text_.reserve(kBatchFiles * (changes.values.size() * 9 / 8));
  }
  auto text_start = static_cast<std::uint32_t>(batch_text_.size());
  batch_text_.append(changes.values.view());
  batch_rows_.insert(batch_rows_.end(), changes.rows.begin(),
                     changes.rows.end());
  batch_hashes_.insert(batch_hashes_.end(), changes.hashes.begin(),
                       changes.hashes.end());
  for (std::uint32_t end : changes.value_ends) {
    batch_value_ends_.push_back(text_start + end);
  }
  batch_ends_.push_back(batch_rows_.size());
  // A batch grows with the files summed up (so does what they keep, which
  // a batch must read), up to a bound.
  std::size_t batch_files =
      std::clamp(name_ends_.size() / 4, kBatchFiles, kMostBatchFiles);
  if (batch_files_.size() >= batch_files) SumUpBatch();
}

void ChangeSummary::SumUpBatch() {
  batch_at_.assign(1, 0);
  batch_at_.insert(batch_at_.end(), batch_ends_.begin(), batch_ends_.end() - 1);
  // A few settings at a time, each file's changes to them in the files'
  // order: what those settings keep stays in the cache, and each file's
  // changes are read one after the other.
  std::uint32_t block_end = 0;
  for (bool more = true; more;) {
    block_end += kBlockRows;
    more = false;
    for (std::size_t f = 0; f < batch_files_.size(); ++f) {
      std::uint32_t file = batch_files_[f];
      std::size_t& at = batch_at_[f];
      for (; at < batch_ends_[f] && batch_rows_[at] < block_end; ++at) {
        std::uint32_t row = batch_rows_[at];
        if (row >= rows_.size()) rows_.resize(row + 1);
        Row& kept = rows_[row];
        if (kept.files++ == 0) {
          rows_seen_.push_back(row);
          kept.first_seen = (std::uint64_t{file} << 32) | row;
        }
        std::size_t start = at == 0 ? 0 : batch_value_ends_[at - 1];
        std::uint32_t value =
            kept.FindOrAdd(std::string_view(batch_text_)
                               .substr(start, batch_value_ends_[at] - start),
                           batch_hashes_[at]);
        char* to = kept.changes.Extend(10);  // two numbers, five bytes each
        to = WriteNumber(to, file + 1 - kept.last_file);
        kept.changes.Commit(WriteNumber(to, value));
        kept.last_file = file + 1;
      }
      more = more || at < batch_ends_[f];
    }
  }
  batch_files_.clear();
  batch_ends_.clear();
  batch_rows_.clear();
  batch_hashes_.clear();
  batch_value_ends_.clear();
  batch_text_.clear();
}

std::size_t ChangeSummary::Finish() {
  if (!batch_files_.empty()) SumUpBatch();
  for (Row& row : rows_) row.slots = {};  // only lookups read them
  std::sort(rows_seen_.begin(), rows_seen_.end(),
            [&](std::uint32_t a, std::uint32_t b) {
              return rows_[a].Order() < rows_[b].Order();
            });
  return rows_seen_.size();
}

std::string_view ChangeSummary::NameOf(std::uint32_t file) const {
  std::size_t start = file == 0 ? 0 : name_ends_[file - 1];
  return names_.view().substr(start, name_ends_[file] - start);
}

void ChangeSummary::AppendLine(std::size_t line, const RowTexts& original,
                               LineScratch& scratch, Utf8Text& out) const {
  std::uint32_t row_number = rows_seen_[line];
  const Row& row = rows_[row_number];
  auto& [shown, files, changes] = scratch;
  shown.clear();
  for (std::uint32_t v = 0; v < row.text_ends.size(); ++v) {
    shown.push_back({v, 0, 0});
  }
  // The changes are in the files' order: counted, then each file in its
  // value's place.
  changes.clear();
  std::uint32_t file = 0;
  for (std::size_t at = 0; at < row.changes.size();) {
    file += ReadNumber(row.changes, at);
    std::uint32_t value = ReadNumber(row.changes, at);
    changes.emplace_back(file - 1, value);
    ++shown[value].count;
  }
  std::uint32_t start = 0;
  for (LineScratch::Shown& value : shown) {
    value.start = start;
    start += value.count;
    value.count = 0;
  }
  files.resize(changes.size());
  for (const auto& [changed, value] : changes) {
    LineScratch::Shown& to = shown[value];
    files[to.start + to.count++] = changed;
  }
  auto commoner = [](const LineScratch::Shown& a, const LineScratch::Shown& b) {
    return a.count > b.count;
  };
  // Most often already so: each value in one file, or one value in all.
  if (!std::is_sorted(shown.begin(), shown.end(), commoner)) {
    std::stable_sort(shown.begin(), shown.end(), commoner);
  }
  out.append(ChangeLabels()[row_number]);
  out.append(": ");
  out.append(original[row_number]);
  for (std::size_t v = 0; v < shown.size(); ++v) {
    out.append(v == 0 ? " → " : "; → ");
    AppendKeptSurrogatesReplaced(out, row.Text(shown[v].value));
    out.append(" in ");
    // The names one after the other, each but the first after its ", ".
    std::span<const std::uint32_t> names(files.data() + shown[v].start,
                                         shown[v].count);
    std::string_view first = NameOf(names[0]).substr(2);
    std::size_t size = first.size();
    for (std::uint32_t name : names.subspan(1)) size += NameOf(name).size();
    char* to = out.Extend(size);
    std::memcpy(to, first.data(), first.size());
    to += first.size();
    for (std::uint32_t name : names.subspan(1)) {
      std::string_view kept = NameOf(name);
      std::memcpy(to, kept.data(), kept.size());
      to += kept.size();
    }
    out.Commit(to);
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
