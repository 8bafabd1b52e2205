#include "compile/compiler.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "compile/global_forms.h"
#include "compile/keywords.h"
#include "report/fields.h"
#include "report/report_text.h"
#include "report/units.h"
#include "report/value_parse.h"
#include "sections/key_names.h"
#include "sections/window_tables.h"

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
constexpr std::u16string_view kComparisonLead = u"; Comparison list between ";

}  // namespace

// Reads a report's lines into what they set. Nothing here depends on a
// base but the "cursor_key" form, which sets the keys bound to its key in
// the image as the lines before it left it.
class ReportReader {
 public:
  explicit ReportReader(ParsedReport& report)
      : keywords_(Keywords::Get()), report_(report), set_by_(report.set_by_) {
    set_by_.assign(keywords_.size(), 0);
  }

  void Run(std::u16string_view text) {
    if (text.size() >= kLargestText) {
      Problem(1, 1, u"the report is too large to be read");
      return;
    }
    std::vector<std::uint32_t>& marks = report_.marks_;
    FindLineMarks(text, marks);
    std::size_t number = 0;
    std::size_t next = 0;
    for (std::size_t start = 0;;) {
      std::size_t end = text.size();
      std::size_t equals = end;
      for (; next < marks.size(); ++next) {
        std::size_t at = marks[next] / 2;
        if (marks[next] % 2 == 1) {
          equals = at;
          continue;
        }
        end = at;
        ++next;
        break;
      }
      std::u16string_view line = text.substr(start, end - start);
      if (line.ends_with(u'\r')) line.remove_suffix(1);
      ++number;
      Line(line, std::min(equals - start, line.size()), number);
      if (end == text.size()) break;
      start = end + 1;
    }
  }

 private:
  void Problem(std::size_t line, std::size_t column, std::u16string message) {
    report_.outcome_.problems.push_back({line, column, std::move(message)});
  }

  // `equals` is where the line's first "=" is, or its size.
  void Line(std::u16string_view line, std::size_t equals, std::size_t number) {
    if (line.size() > kLongestLine) {
      Problem(number, 1, u"the line is too long to be a setting line");
      return;
    }
    if (line.starts_with(u';')) {
      Comment(line, number);
      return;
    }
    if (equals == line.size()) {
      if (TrimBlanks(line).empty()) return;
      Problem(number, 1,
              u"not a setting line: " + Quoted(line) + u" has no \"=\"");
      return;
    }
    std::u16string_view keyword = TrimBlanks(line.substr(0, equals));
    std::size_t value_start = equals + 1;
    if (value_start < line.size() && line[value_start] == u' ') ++value_start;
    std::u16string_view value = line.substr(value_start);
    std::size_t column = value_start + 1;
    ++report_.outcome_.settings;
    if (!in_section_) {
      Problem(
          number, 1,
          Printable(keyword) + u": a setting line before any section header");
      return;
    }
    // No keyword of a report has the form of a global one, so the plain
    // keywords, nearly every line, are looked up first.
    std::optional<std::size_t> row = keywords_.Find(keyword, previous_row_);
    if (!row) {
      folded_ = Folded(keyword);
      if (!GlobalForm(keyword, value, number, column)) Unknown(keyword, number);
      return;
    }
    previous_row_ = *row;
    if (std::uint32_t earlier = set_by_[*row]; earlier != 0) {
      const ParsedReport::Assignment& first = report_.assignments_[earlier - 1];
      if (first.value != value) {
        std::u16string on_line;
        AppendDecimal(on_line, static_cast<std::int64_t>(first.line));
        Problem(number, column,
                keywords_[*row].keyword +
                    u": set twice with different values: " +
                    Quoted(first.value) + u" on line " + on_line + u", " +
                    Quoted(value) + u" here");
      }
      return;
    }
    set_by_[*row] = static_cast<std::uint32_t>(report_.assignments_.size() + 1);
    Set(*row, value, number, column);
  }

  // Records that the line sets `row` to `value`; whether it parses is
  // told when it is stored.
  void Set(std::size_t row, std::u16string_view value, std::size_t number,
           std::size_t column) {
    report_.assignments_.push_back(Assigned(row, value, number, column));
  }

  // Line numbers and columns fit 32 bits: a report is at most 64 MB and
  // its setting lines at most kLongestLine units.
  static ParsedReport::Assignment Assigned(std::size_t row,
                                           std::u16string_view value,
                                           std::size_t number,
                                           std::size_t column) {
    return {.value = value,
            .row = static_cast<std::uint32_t>(row),
            .line = static_cast<std::uint32_t>(number),
            .column = static_cast<std::uint32_t>(column)};
  }

  // The forms the reports' comment lines announce, which set many records
  // at once: "cursor_key = key_name command_1 [command_2]" for every cursor
  // key bound to the key, "window#*s_" and "window#*h_" for every standard
  // or hyperactive window, "window#xx-xx_" and "window#x-x_" for a range.
  // False when `keyword` is none of them.
  bool GlobalForm(std::u16string_view keyword, std::u16string_view value,
                  std::size_t number, std::size_t column) {
    const std::u16string& folded = folded_;
    if (folded == u"any_hot_key") {
      Problem(number, 1,
              u"any_hot_key: searches for a hot key; use it with --find");
      return true;
    }
    if (folded == u"cursor_key") {
      CursorKeyForm(value, number, column);
      return true;
    }
    std::optional<WindowForm> form = ParseWindowForm(folded);
    if (!form) return false;
    if (form->ids.empty()) {
      Problem(number, 1, Printable(keyword) + u": the range holds no window");
      return true;
    }
    for (const std::u16string& id : form->ids) {
      std::optional<std::size_t> row = keywords_.Find(
          u"window#" + id + u"_" + form->characteristic, keywords_.size());
      if (!row) {
        Problem(number, 1,
                Printable(keyword) + u": no such window characteristic " +
                    Quoted(form->characteristic));
        return true;
      }
      Set(*row, value, number, column);
    }
    return true;
  }

  // Every cursor key may be bound to the key by the time the line is
  // applied, so each gets its assignment, taken only where it is.
  void CursorKeyForm(std::u16string_view value, std::size_t number,
                     std::size_t column) {
    std::u16string_view key = value.substr(0, value.find(u' '));
    std::optional<KeyStroke> stroke =
        ParseKeyStroke(key, KeyNameStyle::kCursorKey);
    if (!stroke) {
      Problem(number, column,
              u"cursor_key: " + Quoted(key) + u" is not a key name");
      return;
    }
    ParsedReport::CursorKeyForm form{*stroke, key, number, column, {}, 0};
    for (std::size_t row : keywords_.CursorKeyRows()) {
      form.rows.push_back(Assigned(row, value, number, column));
    }
    // In line order with the plain assignments: before the next one.
    form.before = report_.assignments_.size();
    report_.cursor_key_forms_.push_back(std::move(form));
  }

  void Unknown(std::u16string_view keyword, std::size_t number) {
    std::u16string message = u"unknown keyword " + Quoted(keyword);
    std::u16string_view nearest = keywords_.Nearest(keyword, budget_);
    if (!nearest.empty()) {
      message.append(u"; did you mean ");
      message.append(nearest);
      message.append(u"?");
    }
    Problem(number, 1, std::move(message));
  }

  void Comment(std::u16string_view line, std::size_t number) {
    CompileOutcome& outcome = report_.outcome_;
    if (line.starts_with(kVersionLead)) {
      std::u16string_view version = line.substr(kVersionLead.size());
      if (TrimBlanks(version) != kOrvalenVersion) {
        Problem(number, kVersionLead.size() + 1,
                u"a report of Orvalen version " + Quoted(version) +
                    u"; this compile reads version " +
                    std::u16string(kOrvalenVersion));
      }
    } else if (line.starts_with(kCreatedFromLead) &&
               outcome.created_from.empty()) {
      outcome.created_from = Utf16ToUtf8(line.substr(kCreatedFromLead.size()));
    } else if (line.starts_with(kComparisonLead)) {
      outcome.comparison = true;
    } else if (keywords_.IsSectionTitle(line)) {
      in_section_ = true;
    }
  }

  const Keywords& keywords_;
  ParsedReport& report_;
  std::vector<std::uint32_t>& set_by_;
  std::u16string folded_;  // a keyword no row has, for the global forms
  std::size_t previous_row_ = 0;
  bool in_section_ = false;
  std::size_t budget_ = kSuggestionBudget;
};

namespace {

// The base's report goes to a buffer each thread keeps, so that a run
// over many bases allocates it once rather than once per base.
ReportText& BaseReportBuffer() {
  static thread_local ReportText buffer;
  return buffer;
}

void Store(std::span<const StoredBits> bits, std::span<std::uint8_t> body) {
  for (const StoredBits& b : bits) {
    body[b.offset] =
        static_cast<std::uint8_t>((body[b.offset] & ~b.mask) | b.bits);
  }
}

}  // namespace

// A report's UTF-16 LE units are taken as they lie, as the machines
// Quorlith is built for (x86-64) store units.
static_assert(std::endian::native == std::endian::little);

void DecodeReport(ByteView bytes, std::u16string& text) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    text.resize((bytes.size() - 2) / 2);
    std::memcpy(text.data(), bytes.data() + 2, 2 * text.size());
    if (bytes.size() % 2 != 0) text.push_back(0xFFFD);  // a half unit
    return;
  }
  std::string_view utf8(reinterpret_cast<const char*>(bytes.data()),
                        bytes.size());
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  text = Utf8ToUtf16(utf8);
}

std::u16string DecodeReport(ByteView bytes) {
  std::u16string text;
  DecodeReport(bytes, text);
  return text;
}

std::string CreatedFrom(std::u16string_view text) {
  // The header's lines come first; a setting line ends it.
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find(u'\n', start), text.size());
    std::u16string_view line = text.substr(start, end - start);
    if (line.starts_with(u'\xFEFF')) line.remove_prefix(1);
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    if (line.starts_with(kCreatedFromLead)) {
      return Utf16ToUtf8(line.substr(kCreatedFromLead.size()));
    }
    if (!line.starts_with(u';')) break;
    start = end + 1;
  }
  return {};
}

ParsedReport::ParsedReport(std::u16string text) : text_(std::move(text)) {
  ReadText();
}

void ParsedReport::Read(ByteView file) {
  DecodeReport(file, text_);
  text_start_ = 0;
  ReadText();
}

void ParsedReport::Read(std::u16string& file, std::size_t bytes) {
  ByteView raw(reinterpret_cast<const std::uint8_t*>(file.data()),
               std::min(bytes, 2 * file.size()));
  bool utf16 = raw.size() >= 2 && raw[0] == 0xFF && raw[1] == 0xFE;
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
  ReadText();
}

void ParsedReport::ReadText() {
  outcome_ = {};
  assignments_.clear();
  cursor_key_forms_.clear();
  stored_ = false;
  ReportReader(*this).Run(text());
}

void ParsedReport::StoreAll() {
  if (stored_) return;
  stored_ = true;
  const Keywords& keywords = Keywords::Get();
  FieldProbe probe;
  std::size_t failed_line = 0;
  bits_.clear();
  auto store = [&](Assignment& a) {
    ParseResult problem;
    std::vector<StoredBits> bits =
        probe.Store(keywords[a.row], {&a.value, 1}, &problem);
    a.first_bit = static_cast<std::uint32_t>(bits_.size());
    a.bit_count = static_cast<std::uint32_t>(bits.size());
    bits_.insert(bits_.end(), bits.begin(), bits.end());
    // A form over many records fails alike for each: said once.
    if (problem && a.line != failed_line) {
      failed_line = a.line;
      outcome_.problems.push_back(
          {a.line, a.column, keywords[a.row].keyword + u": " + *problem});
    }
  };
  for (Assignment& a : assignments_) store(a);
  for (CursorKeyForm& form : cursor_key_forms_) {
    for (Assignment& a : form.rows) store(a);
  }
  std::stable_sort(outcome_.problems.begin(), outcome_.problems.end(),
                   [](const CompileProblem& a, const CompileProblem& b) {
                     return a.line < b.line;
                   });
}

CompileOutcome ParsedReport::Compile(const SetFileImage& base,
                                     SetFileImage& image) const {
  image = base;
  return CompileInto(base, image.MutableBody());
}

CompileOutcome ParsedReport::CompileInto(SetFileView base,
                                         std::span<std::uint8_t> body) const {
  // A value that reads as the base's own report shows it changes nothing.
  // The report is all that is read of `base`, before `body` changes.
  ReportValues shown(base, BaseReportBuffer());
  CompileOutcome outcome = outcome_;
  std::vector<CompileProblem>& problems = outcome.problems;
  const Keywords& keywords = Keywords::Get();
  std::size_t failed_line = 0;
  auto assign = [&](const Assignment& a) {
    if (shown.Shows(a.row, a.value)) return;
    if (stored_) {
      // A value that does not parse is a problem of the outcome, which
      // leaves the image of no use: what its probe stored does not matter.
      Store(std::span(bits_).subspan(a.first_bit, a.bit_count), body);
      return;
    }
    const Keyword& entry = keywords[a.row];
    ParseResult problem =
        entry.inverse.parse(entry.inverse.table, a.value, body, entry.fields);
    if (problem && a.line != failed_line) {
      failed_line = a.line;
      problems.push_back({a.line, a.column, entry.keyword + u": " + *problem});
    }
  };
  std::size_t next = 0;
  for (const CursorKeyForm& form : cursor_key_forms_) {
    for (; next < form.before; ++next) assign(assignments_[next]);
    bool bound = false;
    for (const Assignment& a : form.rows) {
      const std::vector<std::size_t>& f = keywords[a.row].fields;
      KeyStroke held;
      held.control = ReadWord(body, f[0]);
      held.alt = ReadWord(body, f[1]);
      held.shift = ReadWord(body, f[2]);
      held.key_code = ReadWord(body, f[3]);
      if (held != form.stroke) continue;
      bound = true;
      assign(a);
    }
    if (!bound) {
      problems.push_back(
          {form.line, form.column,
           u"cursor_key: no cursor key is bound to " + Quoted(form.key)});
    }
  }
  for (; next < assignments_.size(); ++next) assign(assignments_[next]);
  std::stable_sort(problems.begin(), problems.end(),
                   [](const CompileProblem& a, const CompileProblem& b) {
                     return a.line < b.line;
                   });
  return outcome;
}

CompileOutcome CompileReport(std::u16string_view text, const SetFileImage& base,
                             SetFileImage& image) {
  return ParsedReport(std::u16string(text)).Compile(base, image);
}

}  // namespace quorlith
