#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report_context.h"
#include "sections/schema.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// Every keyword a report may hold, row by row in report order, as the
// schema has them: the model the compile, the merge and --find work from.
struct Keyword {
  std::u16string keyword;
  std::u16string folded;
  const Setting* setting;
  std::size_t record_offset;  // where its record lies in a set file's body

  // The setting's record in `body`, a set file's blocks.
  template <typename Body>
  auto Record(Body&& body) const {
    return std::span(body).subspan(record_offset);
  }
};

// How a report came to be read: the encoding and line ends it was saved
// with. A value that reads as the base's own rendering would in that form
// changes nothing, whatever the form could not hold.
struct ReportForm {
  bool utf8 = false;  // each lone surrogate became U+FFFD
  bool lf = false;    // lines end in LF alone, and CRs may be gone
};

class Keywords {
 public:
  static const Keywords& Get();

  std::size_t size() const { return keywords_.size(); }
  const Keyword& operator[](std::size_t i) const { return keywords_[i]; }

  // The row of `keyword`, its letters A to Z in either case. A report
  // lists its lines in the keywords' order, so the rows after `previous`
  // are tried first.
  std::optional<std::size_t> Find(std::u16string_view keyword,
                                  std::size_t previous) const {
    // Inline, so that the optional is made in registers: returned from a
    // call, g++ builds it on the stack (a byte stored, a word loaded), and
    // that stall was a tenth of a compile's time.
    std::size_t row = FindRow(keyword, previous);
    if (row == keywords_.size()) return std::nullopt;
    return row;
  }

  // The rows of the cursor keys' key lines ("Key#01"), not their delays.
  const std::vector<std::size_t>& CursorKeyRows() const {
    return cursor_key_rows_;
  }

  bool IsSectionTitle(std::u16string_view line) const;

  // The keyword nearest to `keyword` by edits of single letters, when one
  // is near enough to be what was meant. Each step of the comparison
  // costs one of `budget`; none is suggested once it is spent.
  std::u16string_view Nearest(std::u16string_view keyword,
                              std::size_t& budget) const;

  // "unknown keyword ..." and the nearest keyword, as Nearest finds it.
  std::u16string Unknown(std::u16string_view keyword,
                         std::size_t& budget) const;

 private:
  Keywords();

  // Find, with size() for no row.
  std::size_t FindRow(std::u16string_view keyword, std::size_t previous) const;

  std::vector<Keyword> keywords_;
  // (hash, row) of every keyword, sorted: rows whose hash matches are
  // compared in full, so keywords that share a hash are told apart.
  std::vector<std::pair<std::uint32_t, std::size_t>> by_hash_;
  std::vector<std::size_t> cursor_key_rows_;
};

// A hash of a keyword as keywords compare, with A to Z folded: a lookup
// compares it before it compares the keyword itself.
std::uint32_t FoldedHash(std::u16string_view keyword);

// The bits a setting stores, in the body's offsets: `bits` is what it
// stores under `mask`.
struct StoredBits {
  std::size_t offset = 0;
  std::uint8_t mask = 0;
  std::uint8_t bits = 0;
};

// The bits `value` stores into the setting of `row` over any base, as its
// format reads it: parsed into a file of zeros, the bits its format owns
// there. `problem` gets what does not parse.
std::vector<StoredBits> BitsOf(std::size_t row, std::u16string_view value,
                               std::optional<std::u16string>* problem);

// A file's own report with every line written, read row by row in the
// keywords' order: the value each setting shows in that file.
class ReportValues final : public SettingSink {
 public:
  // Renders into `text`, which a caller may keep across files so that a
  // run over many of them allocates it once.
  ReportValues(SetFileView image, ReportText& text);

  // The value of the keyword of `row`, as its line writes it: a text whole,
  // whatever line ends it holds.
  std::u16string_view Value(std::size_t row) const;

  // Whether `value`, read from a report of `form`, reads as Value(row)
  // would in that form: trailing blanks aside (editors strip them), and
  // with what the form could not hold (the CRs an LF report drops, lone
  // surrogates in UTF-8) as the form writes it.
  bool Shows(std::size_t row, std::u16string_view value,
             ReportForm form = {}) const;

  // Whether Value(row) holds a line end of `form`, so that its line is
  // more than one line of such a report.
  bool SpansLines(std::size_t row, ReportForm form) const;

  // Where the lines of `text` from `at` (a value's start) end when
  // together they read as Value(row) of SpansLines: the position of the
  // last one's LF (or text.size()), and how many lines there are; nullopt
  // when they read otherwise.
  struct Lines {
    std::size_t end = 0;
    std::size_t count = 0;
  };
  std::optional<Lines> MatchLines(std::size_t row, std::u16string_view text,
                                  std::size_t at, ReportForm form) const;

  void Setting(const NotedSetting& noted) override;

 private:
  ReportText& text_;
  // Where each row's value starts and ends in `text_`.
  std::vector<std::pair<std::size_t, std::size_t>> values_;
};

// Whether `typed` reads as `shown` written in a report of `form`, trailing
// blanks aside: the comparison ReportValues::Shows makes.
bool ReadsAs(std::u16string_view typed, std::u16string_view shown,
             ReportForm form);

}  // namespace quorlith
