#include "report/keywords.h"

#include <algorithm>
#include <array>
#include <memory>

#include "codecs/cursor_key.h"
#include "codecs/names.h"
#include "report/report_writer.h"
#include "text/fields.h"

namespace quorlith {

const Keywords& Keywords::Get() {
  static const Keywords keywords;
  return keywords;
}

Keywords::Keywords() {
  for (const SchemaSetting& s : AllSettings()) {
    std::size_t row = keywords_.size();
    keywords_.push_back(
        {s.keyword, Folded(s.keyword), s.setting, s.record_offset});
    by_hash_.emplace_back(FoldedHash(s.keyword), row);
    if (s.setting->codec == &kCursorKey) cursor_key_rows_.push_back(row);
  }
  std::sort(by_hash_.begin(), by_hash_.end());
}

std::vector<StoredBits> BitsOf(std::size_t row, std::u16string_view value,
                               std::optional<std::u16string>* problem) {
  // A thread's file of zeros, each value's bits cleared again after it.
  static thread_local std::vector<std::uint8_t> zeros(kBodySize, 0);
  const Keyword& entry = Keywords::Get()[row];
  const Setting& setting = *entry.setting;
  std::span<std::uint8_t> record = entry.Record(zeros);
  ParseResult wrong = setting.codec->parse(value, record, setting.field);
  if (problem != nullptr && wrong) *problem = std::move(wrong);
  std::vector<OwnedBits> owned;
  setting.codec->owned(record, setting.field, owned);
  std::vector<StoredBits> stored;
  for (const OwnedBits& b : owned) {
    std::uint8_t& byte = record[b.offset];
    stored.push_back({entry.record_offset + b.offset, b.mask,
                      static_cast<std::uint8_t>(byte & b.mask)});
  }
  std::fill(zeros.begin(), zeros.end(), 0);
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
    if (SameUnits(entry.keyword, keyword)) {
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

namespace {

// `text` with every number in it written without leading zeros.
std::u16string WithoutLeadingZeros(std::u16string_view text) {
  std::u16string plain;
  auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool leading = text[i] == u'0' && (i == 0 || !digit(text[i - 1])) &&
                   i + 1 < text.size() && digit(text[i + 1]);
    if (leading) {
      while (i + 1 < text.size() && text[i] == u'0' && digit(text[i + 1])) {
        ++i;
      }
    }
    plain.push_back(text[i]);
  }
  return plain;
}

}  // namespace

std::u16string_view Keywords::Nearest(std::u16string_view keyword,
                                      std::size_t& budget) const {
  std::u16string folded = Folded(keyword);
  // A record's number written with more or fewer zeros ("Window#05",
  // "Key#5") means that record, nearer than any one edit away.
  if (folded.find_first_of(u"0123456789") != std::u16string::npos) {
    std::u16string plain = WithoutLeadingZeros(folded);
    for (const Keyword& entry : keywords_) {
      if (budget < entry.folded.size()) return {};
      budget -= entry.folded.size();
      if (entry.folded.size() + 4 >= plain.size() &&
          WithoutLeadingZeros(entry.folded) == plain) {
        return entry.keyword;
      }
    }
  }
  std::size_t best = folded.size() / 3 + 2;
  std::u16string_view nearest;
  std::vector<std::size_t> row(folded.size() + 1);
  // How many of each letter (by its low seven bits) `folded` has to spare.
  std::array<int, 128> spare{};
  for (char16_t c : folded) ++spare[c & 127];
  for (const Keyword& entry : keywords_) {
    const std::u16string& candidate = entry.folded;
    if (candidate.size() > folded.size() + best ||
        folded.size() > candidate.size() + best) {
      continue;
    }
    // An edit adds at most one letter the other lacks and removes at most
    // one it has too many of, so the larger of the two counts is no more
    // than the edits: a cheap test that rules most candidates out before
    // the table of edits is filled.
    if (budget < 2 * candidate.size()) return {};
    budget -= 2 * candidate.size();
    std::size_t lacking = 0;
    for (char16_t c : candidate) lacking += --spare[c & 127] < 0;
    for (char16_t c : candidate) ++spare[c & 127];
    std::size_t extra = folded.size() + lacking - candidate.size();
    if (std::max(lacking, extra) >= best) continue;
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

std::u16string Keywords::Unknown(std::u16string_view keyword,
                                 std::size_t& budget) const {
  std::u16string message = u"unknown keyword " + Quoted(keyword);
  std::u16string_view nearest = Nearest(keyword, budget);
  if (!nearest.empty()) {
    message += u"; did you mean " + std::u16string(nearest) + u"?";
  }
  return message;
}

bool Keywords::IsSectionTitle(std::u16string_view line) const {
  const std::vector<std::u16string_view>& titles = SectionTitles();
  return std::find(titles.begin(), titles.end(), line) != titles.end();
}

ReportValues::ReportValues(SetFileView image, ReportText& text) : text_(text) {
  values_.clear();
  values_.reserve(Keywords::Get().size());
  RenderDecompileReport({}, image, text_, {.sink = this, .every_line = true});
}

void ReportValues::Setting(const NotedSetting& noted) {
  // Every file's report notes the schema's settings, row by row.
  values_.emplace_back(noted.value_start, noted.value_end);
}

std::u16string_view ReportValues::Value(std::size_t row) const {
  if (row >= values_.size()) return {};
  auto [start, end] = values_[row];
  return text_.view().substr(start, end - start);
}

namespace {

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

// Whether `a` and `b` are the same but for blanks that end them or stand
// before a CR or LF: what an editor that strips trailing blanks leaves,
// however it splits lines.
bool SameButLineEndBlanks(std::u16string_view a, std::u16string_view b) {
  // Values that differ do so mostly early, far from any blank or line end.
  auto [at_a, at_b] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  auto plain = [](auto at, std::u16string_view text) {
    return at != text.end() && !IsBlank(*at) && *at != u'\r' && *at != u'\n';
  };
  if (plain(at_a, a) && plain(at_b, b)) return false;
  std::size_t i = 0;
  std::size_t j = 0;
  auto run_end = [](std::u16string_view text, std::size_t k) {
    while (k < text.size() && IsBlank(text[k])) ++k;
    return k;
  };
  auto ends_line = [](std::u16string_view text, std::size_t k) {
    return k == text.size() || text[k] == u'\r' || text[k] == u'\n';
  };
  while (true) {
    std::size_t ra = run_end(a, i);
    std::size_t rb = run_end(b, j);
    // Blanks inside a line are the value's own.
    if (!(ends_line(a, ra) && ends_line(b, rb)) &&
        a.substr(i, ra - i) != b.substr(j, rb - j)) {
      return false;
    }
    i = ra;
    j = rb;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (a[i] != b[j]) return false;
    ++i;
    ++j;
  }
}

bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// `shown` as a report of `form` writes it.
std::u16string InForm(std::u16string_view shown, ReportForm form) {
  std::u16string written;
  written.reserve(shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    char16_t unit = shown[i];
    if (form.lf && unit == u'\r') continue;
    if (form.utf8 && IsSurrogate(unit)) {
      bool pair = unit < 0xDC00 && i + 1 < shown.size() &&
                  shown[i + 1] >= 0xDC00 && shown[i + 1] <= 0xDFFF;
      if (!pair) {
        written.push_back(0xFFFD);
        continue;
      }
      written.push_back(unit);
      unit = shown[++i];
    }
    written.push_back(unit);
  }
  return written;
}

}  // namespace

bool ReadsAs(std::u16string_view typed, std::u16string_view shown,
             ReportForm form) {
  if (SameButLineEndBlanks(typed, shown)) return true;
  if (!form.utf8 && !form.lf) return false;
  return SameButLineEndBlanks(typed, InForm(shown, form));
}

bool ReportValues::Shows(std::size_t row, std::u16string_view value,
                         ReportForm form) const {
  std::u16string_view shown = Value(row);
  // Nearly every line of a report reads exactly as written.
  if (SameUnits(shown, value)) {
    return true;
  }
  return ReadsAs(value, shown, form);
}

bool ReportValues::SpansLines(std::size_t row, ReportForm form) const {
  std::u16string_view shown = Value(row);
  for (std::size_t at = shown.find(u'\n'); at != shown.npos;
       at = shown.find(u'\n', at + 1)) {
    if (form.lf || (at > 0 && shown[at - 1] == u'\r')) return true;
  }
  return false;
}

std::optional<ReportValues::Lines> ReportValues::MatchLines(
    std::size_t row, std::u16string_view text, std::size_t at,
    ReportForm form) const {
  std::u16string_view line_end = form.lf ? u"\n" : kLineEnd;
  std::u16string_view shown = Value(row);
  // As the value was rendered, or as the form could hold it.
  for (const std::u16string& value :
       {std::u16string(shown), InForm(shown, form)}) {
    std::u16string_view rest = value;
    Lines lines;
    for (std::size_t pos = at;;) {
      ++lines.count;
      std::size_t piece_end = rest.find(line_end);
      std::u16string_view piece = rest.substr(0, piece_end);
      std::size_t end = std::min(text.find(line_end, pos), text.size());
      std::u16string_view line = text.substr(pos, end - pos);
      if (form.lf && line.ends_with(u'\r')) line.remove_suffix(1);
      if (!SameButLineEndBlanks(line, piece)) break;
      if (piece_end == rest.npos) {
        lines.end = std::min(end + line_end.size() - 1, text.size());
        return lines;
      }
      if (end == text.size()) break;
      rest.remove_prefix(piece_end + line_end.size());
      pos = end + line_end.size();
    }
  }
  return std::nullopt;
}

}  // namespace quorlith
