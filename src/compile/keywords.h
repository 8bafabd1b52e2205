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
#include "report/report_text.h"
#include "setfile/set_file.h"

namespace quorlith {

// Every keyword a report may hold, with the inverse of its writer and the
// fields it shows: the model the compile and the merge work from. Which
// lines a decompile writes does not depend on the file (with every line
// written), so one model serves every file; it is made from the report of
// an empty file, once.
struct Keyword {
  std::u16string keyword;
  std::u16string folded;
  SettingInverse inverse;
  std::vector<std::size_t> fields;  // offsets from the start of the blocks
  // A text field's length in units; 0 for every other value. Only a text
  // may hold a line end of its own.
  std::size_t text_units = 0;
};

// How a report came to be read: the encoding and line ends it was saved
// with. A value that reads as the base's own rendering would in that form
// changes nothing, whatever the form could not hold.
struct ReportForm {
  bool utf8 = false;  // each lone surrogate became U+FFFD
  bool lf = false;    // lines end in LF alone, and CRs may be gone
};

class Keywords final : public SettingSink {
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
  // The rows whose value is a text field.
  const std::vector<std::size_t>& TextRows() const { return text_rows_; }
  // 1 + the place of `row` in TextRows(), 0 for a row that is no text: a
  // small table, looked up for every line a compile reads.
  std::size_t TextPlace(std::size_t row) const { return text_places_[row]; }

  bool IsSectionTitle(std::u16string_view line) const;

  // The keyword nearest to `keyword` by edits of single letters, when one
  // is near enough to be what was meant. Each step of the comparison
  // costs one of `budget`; none is suggested once it is spent.
  std::u16string_view Nearest(std::u16string_view keyword,
                              std::size_t& budget) const;

  // Where the field that starts at `offset` ends at the latest: at the
  // next field of any keyword (a field is a word at least), or where no
  // field reaches (the longest is a text of 261 units).
  std::size_t FieldEnd(std::size_t offset) const;

  void Setting(std::size_t section_start, std::size_t line_start,
               std::span<const StoredValue> stored,
               SettingInverse inverse) override;
  NoteDetail Detail() const override { return NoteDetail::kFields; }

 private:
  Keywords();

  // Find, with size() for no row.
  std::size_t FindRow(std::u16string_view keyword, std::size_t previous) const;

  const std::uint8_t* body_ = nullptr;
  std::vector<Keyword> keywords_;
  std::vector<std::size_t> line_starts_;
  // (hash, row) of every keyword, sorted: rows whose hash matches are
  // compared in full, so keywords that share a hash are told apart.
  std::vector<std::pair<std::uint32_t, std::size_t>> by_hash_;
  std::vector<std::size_t> section_starts_;
  std::vector<std::u16string> titles_;
  std::vector<std::size_t> cursor_key_rows_;
  std::vector<std::size_t> text_rows_;
  std::vector<std::uint16_t> text_places_;
  std::vector<std::size_t> field_starts_;  // sorted, each once
};

// A hash of a keyword as keywords compare, with A to Z folded: a lookup
// compares it before it compares the keyword itself.
std::uint32_t FoldedHash(std::u16string_view keyword);

// The bits a setting line stores, in the blocks' offsets: `bits` is what
// the line stores under `mask`.
struct StoredBits {
  std::size_t offset = 0;
  std::uint8_t mask = 0;
  std::uint8_t bits = 0;
};

// Finds which bits a line stores, and what, by letting its own inverse
// store a value into a body of zero bits and into one of one bits: a bit
// it stores is then the same in both, a bit it leaves is not. So no table
// of field sizes is kept beside the writers.
class FieldProbe {
 public:
  FieldProbe();

  // The bits the line of `entry` stores for `values`, one after the
  // other; `problem` is the first value's that does not parse.
  std::vector<StoredBits> Store(
      const Keyword& entry, std::span<const std::u16string_view> values,
      std::optional<std::u16string>* problem = nullptr);

 private:
  std::vector<std::uint8_t> zeros_;
  std::vector<std::uint8_t> ones_;
};

// A file's own report with every line written, read row by row in the
// keywords' order: the value each setting shows in that file.
class ReportValues final : public SettingSink {
 public:
  // Renders into `text`, which a caller may keep across files so that a
  // run over many of them allocates it once.
  ReportValues(SetFileView image, ReportText& text);

  // The value of the keyword of `row`, as its line writes it: a text
  // whole, whatever line ends it holds.
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

  void Setting(std::size_t section_start, std::size_t line_start,
               std::span<const StoredValue> stored,
               SettingInverse inverse) override;
  NoteDetail Detail() const override { return NoteDetail::kPlaces; }

 private:
  // Where the value of a text row ends; nullopt for other rows.
  std::optional<std::size_t> TextEnd(std::size_t row) const;

  const Keywords& keywords_ = Keywords::Get();
  ReportText& text_;
  std::vector<std::size_t> value_starts_;  // where each row's value starts
  // Where each text row's value ends, in the order of TextRows(): a text
  // may hold a CR LF, and the end of every other value is its line's end.
  std::vector<std::size_t> text_ends_;
};

// Whether `typed` reads as `shown` written in a report of `form`, trailing
// blanks aside: the comparison ReportValues::Shows makes.
bool ReadsAs(std::u16string_view typed, std::u16string_view shown,
             ReportForm form);

}  // namespace quorlith
