#include "compile/compiler.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>

#include "codecs/cursor_key.h"
#include "codecs/names.h"
#include "compile/global_forms.h"
#include "report/keywords.h"
#include "sections/window_tables.h"
#include "text/fields.h"
#include "text/report_text.h"
#include "text/units.h"

namespace quorlith {
namespace {

// Longer lines hold no setting (the longest text field is 261 units); they
// are refused before any parsing, so no hostile line costs more than its
// reading.
constexpr std::size_t kLongestLine = 4096;
// Suggestions cost a comparison with every keyword; a report gets them
// for as many unknown keywords as this many steps of comparing allow, so
// that one of nothing but unknown keywords costs little more to read than
// any other (a typical suggestion takes well under a million).
constexpr std::size_t kSuggestionBudget = 5'000'000;
// Positions in a text are read as 32-bit numbers, twice over.
constexpr std::size_t kLargestText = std::size_t{1} << 31;

constexpr std::u16string_view kVersionLead =
    u"; Human readable SET file for Orvalen version ";
constexpr std::u16string_view kCreatedFromLead = u"; Created from ";

// The column, from 1, of `pos` in `line`, counting characters: a surrogate
// pair is one, as an editor counts it.
std::size_t ColumnOf(std::u16string_view line, std::size_t pos) {
  std::size_t column = 1;
  for (std::size_t i = 0; i < pos && i < line.size(); ++i) {
    bool second_of_pair = i > 0 && line[i] >= 0xDC00 && line[i] <= 0xDFFF &&
                          line[i - 1] >= 0xD800 && line[i - 1] <= 0xDBFF;
    if (!second_of_pair) ++column;
  }
  return column;
}

std::size_t FirstNonBlank(std::u16string_view text, std::size_t from) {
  while (from < text.size() && (text[from] == u' ' || text[from] == u'\t')) {
    ++from;
  }
  return from;
}

// The column of `value`'s first character after its blanks, on its line
// of `text`, which `value` views (lines ending in LF alone when `lf`).
std::size_t ColumnIn(std::u16string_view text, std::u16string_view value,
                     bool lf) {
  auto at = static_cast<std::size_t>(value.data() - text.data());
  std::size_t start = at;
  while (start > 0 && !(text[start - 1] == u'\n' &&
                        (lf || (start >= 2 && text[start - 2] == u'\r')))) {
    --start;
  }
  return ColumnOf(text.substr(start), at - start + FirstNonBlank(value, 0));
}

}  // namespace

// Reads a report's lines into what they set. Nothing here depends on a
// base but the "cursor_key" form, which sets the keys bound to its key in
// the image as the lines before it left it, and, given the base's values,
// which lines of the text are one setting's: a text may hold line ends.
class ReportReader {
 public:
  ReportReader(ParsedReport::Reading& reading, ReportForm form, bool in_section,
               const ReportValues* base = nullptr)
      : keywords_(Keywords::Get()),
        reading_(reading),
        set_by_(reading.set_by),
        form_(form),
        base_(base),
        in_section_(in_section) {
    reading_.outcome = {};
    reading_.assignments.clear();
    reading_.cursor_key_forms.clear();
    set_by_.assign(keywords_.size(), 0);
  }

  void Run(std::u16string_view text) {
    if (text.size() >= kLargestText) {
      Problem(1, 1, u"the report is too large to be read");
      return;
    }
    text_ = text;
    std::vector<std::uint32_t>& marks = reading_.marks;
    FindLineMarks(text, marks);
    std::size_t number = 0;
    std::size_t next = 0;
    for (std::size_t start = 0;;) {
      std::size_t end = text.size();
      std::size_t equals = end;
      for (; next < marks.size(); ++next) {
        std::size_t at = marks[next] / 2;
        if (marks[next] % 2 == 1) {
          equals = std::min(equals, at);
          continue;
        }
        // In a report of CR LF line ends a lone LF is a value's own.
        if (!form_.lf && (at == 0 || text[at - 1] != u'\r')) continue;
        end = at;
        ++next;
        break;
      }
      std::u16string_view line = text.substr(start, end - start);
      if (line.ends_with(u'\r')) line.remove_suffix(1);
      ++number;
      std::optional<ReportValues::Lines> lines =
          Line(line, start, std::min(equals - start, line.size()), number);
      if (lines) {
        end = lines->end;
        number += lines->count - 1;
        while (next < marks.size() && marks[next] / 2 <= end) ++next;
      }
      if (end >= text.size()) break;
      start = end + 1;
    }
    if (reading_.outcome.settings == 0) Problem(0, 0, u"no setting line");
  }

 private:
  void Problem(std::size_t line, std::size_t column, std::u16string message) {
    reading_.outcome.problems.push_back({line, column, std::move(message)});
  }

  // `equals` is where the line's first "=" is, or its size; `start` where
  // the line starts in the text. Returns the lines read as one setting's,
  // when its value spans several.
  std::optional<ReportValues::Lines> Line(std::u16string_view line,
                                          std::size_t start, std::size_t equals,
                                          std::size_t number) {
    if (line.size() > kLongestLine) {
      Problem(number, 1, u"the line is too long to be a setting line");
      return std::nullopt;
    }
    if (line.starts_with(u';')) {
      Comment(line, number);
      return std::nullopt;
    }
    if (equals == line.size()) {
      if (TrimBlanks(line).empty()) return std::nullopt;
      Problem(number, ColumnOf(line, FirstNonBlank(line, 0)),
              u"not a setting line: " + Quoted(line) + u" has no \"=\"");
      return std::nullopt;
    }
    std::u16string_view keyword = TrimBlanks(line.substr(0, equals));
    // Columns are counted only for a problem: most lines have none.
    auto keyword_column = [&] {
      return ColumnOf(line, FirstNonBlank(line, 0));
    };
    std::size_t value_start = equals + 1;
    if (value_start < line.size() && line[value_start] == u' ') ++value_start;
    std::u16string_view value = line.substr(value_start);
    // Problems point at the value itself, past any blanks before it.
    auto column = [&] {
      return ColumnOf(line, FirstNonBlank(line, equals + 1));
    };
    ++reading_.outcome.settings;
    if (!in_section_) {
      Problem(
          number, keyword_column(),
          Printable(keyword) + u": a setting line before any section header");
      return std::nullopt;
    }
    // No keyword of a report has the form of a global one, so the plain
    // keywords, nearly every line, are looked up first.
    std::optional<std::size_t> row = keywords_.Find(keyword, previous_row_);
    if (!row) {
      if (!GlobalForm(keyword, value, number, keyword_column())) {
        Unknown(keyword, number, keyword_column());
      }
      return std::nullopt;
    }
    previous_row_ = *row;
    std::optional<ReportValues::Lines> lines;
    bool shown = false;
    if (base_ != nullptr && base_->SpansLines(*row, form_)) {
      lines = base_->MatchLines(*row, text_, start + value_start, form_);
      if (lines) {
        value = text_.substr(start + value_start,
                             lines->end - (start + value_start));
        shown = true;
      }
    }
    if (std::uint32_t earlier = set_by_[*row]; earlier != 0) {
      const ParsedReport::Assignment& first = reading_.assignments[earlier - 1];
      if (first.value != value) {
        std::u16string on_line;
        AppendDecimal(on_line, static_cast<std::int64_t>(first.line));
        Problem(number, column(),
                keywords_[*row].keyword +
                    u": set twice with different values: " +
                    Quoted(first.value) + u" on line " + on_line + u", " +
                    Quoted(value) + u" here");
      }
      return lines;
    }
    set_by_[*row] = static_cast<std::uint32_t>(reading_.assignments.size() + 1);
    ParsedReport::Assignment& a =
        reading_.assignments.emplace_back(Assigned(*row, value, number));
    a.shown = shown;
    return lines;
  }

  // Line numbers fit 32 bits: a report is at most 64 MB.
  static ParsedReport::Assignment Assigned(std::size_t row,
                                           std::u16string_view value,
                                           std::size_t number) {
    return {.value = value,
            .row = static_cast<std::uint32_t>(row),
            .line = static_cast<std::uint32_t>(number)};
  }

  // The forms the reports' comment lines announce, which set many records
  // at once: "cursor_key = key_name command_1 [command_2]" for every cursor
  // key bound to the key, "window#*s_" and "window#*h_" for every standard
  // or hyperactive window, "window#xx-xx_" and "window#x-x_" for a range.
  // False when `keyword` is none of them.
  bool GlobalForm(std::u16string_view keyword, std::u16string_view value,
                  std::size_t number, std::size_t keyword_column) {
    std::u16string folded = Folded(keyword);
    if (folded == u"any_hot_key") {
      Problem(number, keyword_column,
              u"any_hot_key: searches for a hot key; use it with --find");
      return true;
    }
    if (folded == u"cursor_key") {
      CursorKeyForm(value, number);
      return true;
    }
    std::optional<WindowForm> form = ParseWindowForm(keyword);
    if (!form) return false;
    if (!form->problem.empty()) {
      Problem(number, keyword_column, std::move(form->problem));
    }
    for (std::size_t row : form->rows) {
      reading_.assignments.push_back(Assigned(row, value, number));
    }
    return true;
  }

  // Every cursor key may be bound to the key by the time the line is
  // applied, so each gets its assignment, taken only where it is.
  void CursorKeyForm(std::u16string_view value, std::size_t number) {
    std::u16string_view key = TrimBlanks(value);
    key = key.substr(0, key.find(u' '));
    std::optional<KeyStroke> stroke =
        ParseKeyStroke(key, KeyNameStyle::kCursorKey);
    if (!stroke) {
      Problem(number, ColumnIn(text_, key, form_.lf),
              u"cursor_key: " + Quoted(key) + u" is not a key name");
      return;
    }
    ParsedReport::CursorKeyForm form{*stroke, key, number, {}, 0};
    for (std::size_t row : keywords_.CursorKeyRows()) {
      form.rows.push_back(Assigned(row, value, number));
    }
    // In line order with the plain assignments: before the next one.
    form.before = reading_.assignments.size();
    reading_.cursor_key_forms.push_back(std::move(form));
  }

  void Unknown(std::u16string_view keyword, std::size_t number,
               std::size_t column) {
    Problem(number, column, keywords_.Unknown(keyword, budget_));
  }

  void Comment(std::u16string_view line, std::size_t number) {
    CompileOutcome& outcome = reading_.outcome;
    if (line.starts_with(kVersionLead)) {
      std::u16string_view version = line.substr(kVersionLead.size());
      if (TrimBlanks(version) != kOrvalenVersion) {
        Problem(number, ColumnOf(line, kVersionLead.size()),
                u"a report of Orvalen version " + Quoted(version) +
                    u"; this compile reads version " +
                    std::u16string(kOrvalenVersion));
      }
    } else if (line.starts_with(kCreatedFromLead) &&
               outcome.created_from.empty() && outcome.settings == 0) {
      // The header's line names the base; one among the settings is a
      // comment.
      outcome.created_from = Utf16ToUtf8(line.substr(kCreatedFromLead.size()));
    } else if (keywords_.IsSectionTitle(TrimTrailingBlanks(line))) {
      in_section_ = true;
    }
  }

  static std::u16string_view TrimTrailingBlanks(std::u16string_view text) {
    while (text.ends_with(u' ') || text.ends_with(u'\t')) text.remove_suffix(1);
    return text;
  }

  const Keywords& keywords_;
  ParsedReport::Reading& reading_;
  std::vector<std::uint32_t>& set_by_;
  ReportForm form_;
  const ReportValues* base_;
  std::u16string_view text_;
  std::size_t previous_row_ = 0;
  bool in_section_;
  std::size_t budget_ = kSuggestionBudget;
};

namespace {

// The base's report goes to a buffer each thread keeps, so that a run
// over many bases allocates it once rather than once per base.
ReportText& BaseReportBuffer() {
  static thread_local ReportText buffer;
  return buffer;
}

void SortByLine(std::vector<CompileProblem>& problems) {
  std::stable_sort(problems.begin(), problems.end(),
                   [](const CompileProblem& a, const CompileProblem& b) {
                     return a.line < b.line;
                   });
}

void Store(std::span<const StoredBits> bits, std::span<std::uint8_t> body) {
  for (const StoredBits& b : bits) {
    body[b.offset] =
        static_cast<std::uint8_t>((body[b.offset] & ~b.mask) | b.bits);
  }
}

}  // namespace

namespace {

constexpr std::u16string_view kNotText =
    u"not UTF-8 or UTF-16 LE: save the report as UTF-8 or Unicode";

// Where the text that decoded before a bad byte leaves off, as a problem
// of the line and column the byte stands in.
CompileProblem NotTextAt(std::u16string_view before) {
  bool lf = EndsLinesWithLf(before);
  std::size_t line = 1;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == u'\n' && (lf || (i > 0 && before[i - 1] == u'\r'))) {
      ++line;
      line_start = i + 1;
    }
  }
  std::u16string_view last = before.substr(line_start);
  return {line, ColumnOf(last, last.size()), std::u16string(kNotText)};
}

}  // namespace

bool EndsLinesWithLf(std::u16string_view text) {
  std::size_t lf = text.find(u'\n');
  return lf != text.npos && (lf == 0 || text[lf - 1] != u'\r');
}

std::optional<CompileProblem> DecodeReport(ByteView bytes, std::u16string& text,
                                           ReportForm& form) {
  auto starts = [&](std::initializer_list<std::uint8_t> mark) {
    return bytes.size() >= mark.size() &&
           std::equal(mark.begin(), mark.end(), bytes.begin());
  };
  text.clear();
  form = {};
  // UTF-32 in either order, and UTF-16 big-endian.
  if (starts({0xFF, 0xFE, 0x00, 0x00}) || starts({0x00, 0x00, 0xFE, 0xFF}) ||
      starts({0xFE, 0xFF})) {
    return CompileProblem{1, 1, std::u16string(kNotText)};
  }
  if (starts({0xFF, 0xFE})) {
    text.resize((bytes.size() - 2) / 2);
    std::memcpy(text.data(), bytes.data() + 2, 2 * text.size());
    if (bytes.size() % 2 != 0) text.push_back(0xFFFD);  // a half unit
    form.lf = EndsLinesWithLf(text);
    return std::nullopt;
  }
  std::string_view utf8(reinterpret_cast<const char*>(bytes.data()),
                        bytes.size());
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  form.utf8 = true;
  if (DecodeValidUtf8(utf8, text)) return NotTextAt(text);
  form.lf = EndsLinesWithLf(text);
  return std::nullopt;
}

ParsedReport::ParsedReport(std::u16string text) : text_(std::move(text)) {
  form_.lf = EndsLinesWithLf(text_);
  ReadText();
}

void ParsedReport::Read(ByteView file) {
  text_start_ = 0;
  std::optional<CompileProblem> problem = DecodeReport(file, text_, form_);
  decoded_ = !problem;
  if (problem) {
    reading_.outcome = {};
    reading_.outcome.problems.push_back(std::move(*problem));
    reading_.assignments.clear();
    reading_.cursor_key_forms.clear();
    stored_ = false;
    return;
  }
  ReadText();
}

void ParsedReport::Read(std::u16string& file, std::size_t bytes) {
  ByteView raw(reinterpret_cast<const std::uint8_t*>(file.data()),
               std::min(bytes, 2 * file.size()));
  bool utf16 = raw.size() >= 2 && raw[0] == 0xFF && raw[1] == 0xFE &&
               !(raw.size() >= 4 && raw[2] == 0 && raw[3] == 0);
  if (!utf16) {
    Read(raw);
    return;
  }
  // The units as they lie are the text, after its mark; a half unit at
  // the end reads as one that is not valid, as DecodeReport reads it.
  file.resize(raw.size() / 2);
  std::swap(text_, file);
  if (raw.size() % 2 != 0) text_.push_back(0xFFFD);
  text_start_ = 1;
  decoded_ = true;
  form_ = {.utf8 = false, .lf = EndsLinesWithLf(text())};
  ReadText();
}

ParsedReport ParsedReport::SettingLines(std::span<const std::u16string> lines) {
  ParsedReport parsed;
  for (const std::u16string& line : lines) {
    parsed.text_.append(line);
    parsed.text_.append(kLineEnd);
  }
  parsed.headless_ = true;
  parsed.ReadText();
  return parsed;
}

void ParsedReport::ReadText() {
  stored_ = false;
  ReportReader(reading_, form_, headless_).Run(text());
}

std::size_t ParsedReport::ColumnOf(std::u16string_view value) const {
  return ColumnIn(text(), value, form_.lf);
}

std::optional<std::u16string_view> ParsedReport::ValueOf(
    std::size_t row) const {
  if (row >= reading_.set_by.size() || reading_.set_by[row] == 0) {
    return std::nullopt;
  }
  return reading_.assignments[reading_.set_by[row] - 1].value;
}

void ParsedReport::StoreAll() {
  if (stored_ || !decoded_) return;
  stored_ = true;
  const Keywords& keywords = Keywords::Get();
  std::size_t failed_line = 0;
  bits_.clear();
  CompileOutcome& outcome = reading_.outcome;
  auto store = [&](Assignment& a) {
    ParseResult problem;
    std::vector<StoredBits> bits = BitsOf(a.row, a.value, &problem);
    a.first_bit = static_cast<std::uint32_t>(bits_.size());
    a.bit_count = static_cast<std::uint32_t>(bits.size());
    bits_.insert(bits_.end(), bits.begin(), bits.end());
    // A form over many records fails alike for each: said once.
    if (problem && a.line != failed_line) {
      failed_line = a.line;
      outcome.problems.push_back(
          {a.line, ColumnOf(a.value),
           KeywordProblem(keywords[a.row].keyword, *problem)});
    }
  };
  for (Assignment& a : reading_.assignments) store(a);
  for (CursorKeyForm& form : reading_.cursor_key_forms) {
    for (Assignment& a : form.rows) store(a);
  }
  SortByLine(outcome.problems);
}

CompileOutcome ParsedReport::Compile(const SetFileImage& base,
                                     SetFileImage& image) const {
  image = base;
  return CompileInto(base, image.MutableBody());
}

CompileOutcome ParsedReport::CompileInto(SetFileView base,
                                         std::span<std::uint8_t> body) const {
  if (!decoded_) return reading_.outcome;
  // A value that reads as the base's own report shows it changes nothing.
  // The report is all that is read of `base`, before `body` changes.
  ReportValues shown(base, BaseReportBuffer());
  static thread_local std::vector<char> unchanged;
  auto tell_unchanged = [&](const Reading& reading) {
    bool spans = false;
    unchanged.assign(reading.assignments.size(), 0);
    for (std::size_t i = 0; i < reading.assignments.size(); ++i) {
      const Assignment& a = reading.assignments[i];
      unchanged[i] = a.shown || shown.Shows(a.row, a.value, form_);
      // The base's value is on several lines: what is one line of the
      // text depends on the base.
      if (!unchanged[i] && shown.SpansLines(a.row, form_)) spans = true;
    }
    return spans;
  };
  if (tell_unchanged(reading_)) {
    Reading reading;
    ReportReader(reading, form_, headless_, &shown).Run(text());
    tell_unchanged(reading);
    return Apply(reading, unchanged, false, shown, body);
  }
  return Apply(reading_, unchanged, stored_, shown, body);
}

CompileOutcome ParsedReport::Apply(const Reading& reading,
                                   const std::vector<char>& unchanged,
                                   bool stored, const ReportValues& shown,
                                   std::span<std::uint8_t> body) const {
  CompileOutcome outcome = reading.outcome;
  std::vector<CompileProblem>& problems = outcome.problems;
  const Keywords& keywords = Keywords::Get();
  std::size_t failed_line = 0;
  auto assign = [&](const Assignment& a, bool same) {
    if (same) return;
    if (stored) {
      // A value that does not parse is a problem of the outcome, which
      // leaves the image of no use: what its probe stored does not matter.
      Store(std::span(bits_).subspan(a.first_bit, a.bit_count), body);
      return;
    }
    const Keyword& entry = keywords[a.row];
    const Setting& setting = *entry.setting;
    ParseResult problem =
        setting.codec->parse(a.value, entry.Record(body), setting.field);
    if (problem && a.line != failed_line) {
      failed_line = a.line;
      problems.push_back(
          {a.line, ColumnOf(a.value), KeywordProblem(entry.keyword, *problem)});
    }
  };
  std::size_t next = 0;
  auto assign_up_to = [&](std::size_t end) {
    for (; next < end; ++next) {
      assign(reading.assignments[next], unchanged[next] != 0);
    }
  };
  for (const CursorKeyForm& form : reading.cursor_key_forms) {
    assign_up_to(form.before);
    bool bound = false;
    for (const Assignment& a : form.rows) {
      if (ReadCursorKeyStroke(keywords[a.row].Record(body)) != form.stroke) {
        continue;
      }
      bound = true;
      assign(a, shown.Shows(a.row, a.value, form_));
    }
    if (!bound) {
      problems.push_back(
          {form.line, ColumnOf(form.key),
           u"cursor_key: no cursor key is bound to " + Quoted(form.key)});
    }
  }
  assign_up_to(reading.assignments.size());
  SortByLine(problems);
  return outcome;
}

CompileOutcome CompileReport(std::u16string_view text, const SetFileImage& base,
                             SetFileImage& image) {
  return ParsedReport(std::u16string(text)).Compile(base, image);
}

}  // namespace quorlith
