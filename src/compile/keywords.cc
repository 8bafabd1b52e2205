#include "compile/keywords.h"

#include <algorithm>
#include <memory>

#include "report/fields.h"
#include "report/report_writer.h"
#include "report/units.h"
#include "report/value_parse.h"

namespace quorlith {

const Keywords& Keywords::Get() {
  static const Keywords keywords;
  return keywords;
}

Keywords::Keywords() {
  auto empty = std::make_unique<SetFileImage>();
  body_ = empty->Block(BlockId::kScreen).data();
  ReportText text;
  RenderDecompileReport({}, *empty, text, {.sink = this, .every_line = true});
  for (std::size_t i = 0; i < keywords_.size(); ++i) {
    std::size_t start = line_starts_[i];
    std::u16string_view line = std::u16string_view(text).substr(start);
    keywords_[i].keyword = line.substr(0, line.find(u" = "));
    keywords_[i].folded = Folded(keywords_[i].keyword);
    by_hash_.emplace_back(FoldedHash(keywords_[i].keyword), i);
    const std::u16string& folded = keywords_[i].folded;
    if (folded.size() == 6 && folded.starts_with(u"key#")) {
      cursor_key_rows_.push_back(i);
    }
  }
  for (std::size_t start : section_starts_) {
    std::size_t end = text.view().find(kLineEnd, start);
    titles_.emplace_back(text.view().substr(start, end - start));
  }
  for (const Keyword& entry : keywords_) {
    field_starts_.insert(field_starts_.end(), entry.fields.begin(),
                         entry.fields.end());
  }
  std::sort(by_hash_.begin(), by_hash_.end());
  std::sort(field_starts_.begin(), field_starts_.end());
  field_starts_.erase(std::unique(field_starts_.begin(), field_starts_.end()),
                      field_starts_.end());
}

std::size_t Keywords::FieldEnd(std::size_t offset) const {
  constexpr std::size_t kLongestField = 2 * 261;
  auto next =
      std::upper_bound(field_starts_.begin(), field_starts_.end(), offset);
  std::size_t end = next == field_starts_.end() ? kBodySize : *next;
  return std::min(
      {std::max(end, offset + 2), offset + kLongestField, kBodySize});
}

FieldProbe::FieldProbe() : zeros_(kBodySize, 0x00), ones_(kBodySize, 0xFF) {}

std::vector<StoredBits> FieldProbe::Store(
    const Keyword& entry, std::span<const std::u16string_view> values,
    std::optional<std::u16string>* problem) {
  for (std::u16string_view value : values) {
    std::optional<std::u16string> wrong =
        entry.inverse.parse(entry.inverse.table, value, zeros_, entry.fields);
    (void)entry.inverse.parse(entry.inverse.table, value, ones_, entry.fields);
    if (problem != nullptr && wrong && !*problem) *problem = std::move(wrong);
  }
  const Keywords& keywords = Keywords::Get();
  std::vector<StoredBits> stored;
  for (std::size_t field : entry.fields) {
    for (std::size_t i = field, end = keywords.FieldEnd(field); i < end; ++i) {
      auto mask = static_cast<std::uint8_t>(~(zeros_[i] ^ ones_[i]));
      if (mask == 0) continue;
      stored.push_back({i, mask, zeros_[i]});
      zeros_[i] = 0x00;
      ones_[i] = 0xFF;
    }
  }
  return stored;
}

std::uint32_t FoldedHash(std::u16string_view keyword) {
  std::uint32_t hash = 2166136261u;  // 32-bit FNV-1a
  for (char16_t unit : keyword) hash = (hash ^ FoldAz(unit)) * 16777619u;
  return hash;
}

std::size_t Keywords::FindRow(std::u16string_view keyword,
                              std::size_t previous) const {
  auto is = [&](std::size_t row) {
    const Keyword& entry = keywords_[row];
    if (entry.keyword.size() != keyword.size()) return false;
    // Most keywords are spelt as the report wrote them: one compare of
    // their bytes tells them.
    if (SameUnits(entry.keyword.data(), keyword.data(), keyword.size())) {
      return true;
    }
    return std::equal(
        entry.folded.begin(), entry.folded.end(), keyword.begin(),
        [](char16_t folded, char16_t unit) { return folded == FoldAz(unit); });
  };
  // The report's lines are a subset of the model's, so the next few rows
  // find nearly every line without a search.
  constexpr std::size_t kLookahead = 32;
  for (std::size_t row = previous + 1;
       row < keywords_.size() && row <= previous + kLookahead; ++row) {
    if (is(row)) return row;
  }
  std::uint32_t hash = FoldedHash(keyword);
  auto it = std::lower_bound(by_hash_.begin(), by_hash_.end(),
                             std::pair<std::uint32_t, std::size_t>{hash, 0});
  for (; it != by_hash_.end() && it->first == hash; ++it) {
    if (is(it->second)) return it->second;
  }
  return keywords_.size();
}

bool Keywords::IsSectionTitle(std::u16string_view line) const {
  return std::find(titles_.begin(), titles_.end(), line) != titles_.end();
}

std::u16string_view Keywords::Nearest(std::u16string_view keyword,
                                      std::size_t& budget) const {
  std::u16string folded = Folded(keyword);
  std::size_t best = folded.size() / 3 + 2;
  std::u16string_view nearest;
  std::vector<std::size_t> row(folded.size() + 1);
  for (const Keyword& entry : keywords_) {
    const std::u16string& candidate = entry.folded;
    if (candidate.size() > folded.size() + best ||
        folded.size() > candidate.size() + best) {
      continue;
    }
    for (std::size_t j = 0; j < row.size(); ++j) row[j] = j;
    bool near = true;
    for (std::size_t i = 1; i <= candidate.size() && near; ++i) {
      if (budget < row.size()) return {};
      budget -= row.size();
      std::size_t diagonal = row[0];
      row[0] = i;
      std::size_t least = row[0];
      for (std::size_t j = 1; j <= folded.size(); ++j) {
        std::size_t above = row[j];
        row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                           diagonal + (candidate[i - 1] != folded[j - 1])});
        diagonal = above;
        least = std::min(least, row[j]);
      }
      // No later row is below this one's least: the candidate is out.
      near = least < best;
    }
    if (near && row.back() < best) {
      best = row.back();
      nearest = entry.keyword;
    }
  }
  return nearest;
}

void Keywords::Setting(std::size_t section_start, std::size_t line_start,
                       std::span<const StoredValue> stored,
                       SettingInverse inverse) {
  Keyword& entry = keywords_.emplace_back();
  entry.inverse = inverse;
  for (const StoredValue& item : stored) {
    entry.fields.push_back(static_cast<std::size_t>(item.field - body_));
  }
  line_starts_.push_back(line_start);
  if (section_starts_.empty() || section_starts_.back() != section_start) {
    section_starts_.push_back(section_start);
  }
}

ReportValues::ReportValues(SetFileView image, ReportText& text) : text_(text) {
  value_starts_.reserve(keywords_.size());
  RenderDecompileReport({}, image, text_, {.sink = this, .every_line = true});
}

std::u16string_view ReportValues::Value(std::size_t row) const {
  if (row >= value_starts_.size()) return {};
  std::u16string_view line =
      text_.view().substr(std::min(text_.size(), value_starts_[row]));
  return line.substr(0, line.find(kLineEnd));
}

bool ReportValues::Shows(std::size_t row, std::u16string_view value) const {
  if (row >= value_starts_.size()) return value.empty();
  std::u16string_view rest =
      text_.view().substr(std::min(text_.size(), value_starts_[row]));
  if (rest.size() < value.size() ||
      !SameUnits(rest.data(), value.data(), value.size())) {
    return false;
  }
  // Without an LF in `value`, its first CR LF is where the line ends.
  rest.remove_prefix(value.size());
  return rest.empty() || rest.starts_with(kLineEnd);
}

void ReportValues::Setting(std::size_t, std::size_t line_start,
                           std::span<const StoredValue>, SettingInverse) {
  // Every file's report notes the model's lines, row by row.
  std::size_t row = value_starts_.size();
  std::size_t lead = row < keywords_.size()
                         ? keywords_[row].keyword.size() + kEquals.size()
                         : 0;
  value_starts_.push_back(line_start + lead);
}

}  // namespace quorlith
