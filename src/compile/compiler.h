#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/key_names.h"
#include "report/keywords.h"
#include "setfile/set_file.h"

namespace quorlith {

// Compiles report text back into a set file: every setting line the
// report holds is parsed by the inverse of the writer that writes it, and
// stored over a base file's image. Fields no line names keep the base's
// bytes, and a line whose value reads exactly as the base's own report
// writes it changes nothing, so hidden bits survive and a report compiled
// over the file it came from gives that file back.

struct CompileProblem {
  std::size_t line = 0;    // from 1
  std::size_t column = 0;  // from 1, in UTF-16 units
  std::u16string message;  // "Key_Voice: "Onn" is not one of ..."
};

struct CompileOutcome {
  std::vector<CompileProblem> problems;  // in line order
  std::string created_from;  // the header's "Created from" path, or empty
  int settings = 0;          // setting lines read
};

// Report text as a file holds it, told by its byte order mark: FF FE (not
// followed by 00 00) is UTF-16 LE, read unit by unit as reports are
// written, lone surrogates and NULs included; EF BB BF or no mark is
// UTF-8, which must then be valid (an editor's save). Into `text`, whose
// capacity a caller may keep from report to report, and `form`. Any other
// mark, or a byte that is no UTF-8, is a problem where it stands, and
// `text` is of no use.
std::optional<CompileProblem> DecodeReport(ByteView bytes, std::u16string& text,
                                           ReportForm& form);

// The line ends of `text`: LF alone when its first line ends so.
bool EndsLinesWithLf(std::u16string_view text);

// A report read once, to be compiled over any number of bases: each line
// turned into the bits it stores.
class ParsedReport {
 public:
  ParsedReport() = default;
  explicit ParsedReport(std::u16string text);

  // Setting lines alone, as the command line's --set gives them: each is
  // read as a report's line is, problems counted by line from 1, but no
  // section title need stand before them.
  static ParsedReport SettingLines(std::span<const std::u16string> lines);

  // Reads the report a file holds (as DecodeReport decodes it) in place of
  // the one read before. A worker that reads report after report keeps one
  // ParsedReport, whose buffers then serve them all.
  void Read(ByteView file);

  // The same for a file read into the storage of `file` (`bytes` of it),
  // as ReadWholeFile reads a report. A report in UTF-16 LE becomes the
  // text as it lies there: the buffers are swapped, so `file` keeps
  // another one to read the next report into.
  void Read(std::u16string& file, std::size_t bytes);

  // False when the file holds no text of an encoding a report may be in
  // (the problem is the outcome's only one).
  bool decoded() const { return decoded_; }

  // The text read, after its byte order mark.
  std::u16string_view text() const {
    std::u16string_view text(text_);
    text.remove_prefix(std::min(text_start_, text.size()));
    if (text.starts_with(u'\xFEFF')) text.remove_prefix(1);
    return text;
  }

  // The form the text was read in.
  ReportForm form() const { return form_; }

  // The value the text's line for the keyword of `row` gives, as written;
  // nullopt when no line sets it.
  std::optional<std::u16string_view> ValueOf(std::size_t row) const;

  // The problems of the text itself, whatever the base, in line order;
  // after StoreAll() with those of every value too.
  const CompileOutcome& outcome() const { return reading_.outcome; }

  // Works out once what every line stores, for a compile over many bases:
  // each base then costs its own report and the bits that differ, and no
  // parsing. Without it a compile parses the values the base's report
  // shows otherwise, which is all that a report over its own file needs.
  void StoreAll();

  // Compiles over `base` into `image` (which starts as a copy of `base`):
  // outcome() with the problems of the values compiled and those that
  // depend on the base (a "cursor_key" form that finds no key bound)
  // among them. With any problem `image` is of no use.
  CompileOutcome Compile(const SetFileImage& base, SetFileImage& image) const;

  // As Compile, into `body`, which holds the blocks of `base` already (as
  // the bytes of the base's file after its header do). `base` may view
  // `body` itself: it is reported on before anything is stored. So a run
  // compiles in the bytes of the base's file as it read them, the bytes it
  // will write, with no copies between.
  // REQUIRES: body.size() == kBodySize.
  CompileOutcome CompileInto(SetFileView base,
                             std::span<std::uint8_t> body) const;

 private:
  friend class ReportReader;

  // What one line stores over a base whose report shows another value.
  // Small and flat: a busy report has thousands, made afresh per report.
  struct Assignment {
    std::u16string_view value;  // into `text_`; its column is told from it
    std::uint32_t row = 0;
    std::uint32_t line = 0;
    // After StoreAll(): bits_[first_bit, first_bit + bit_count).
    std::uint32_t first_bit = 0;
    std::uint32_t bit_count = 0;
    // Read over a base, as lines that together read as its value.
    bool shown = false;
  };
  // A "cursor_key" line: the assignments of every cursor key, each taken
  // where the key is bound to `stroke` when the line is applied.
  struct CursorKeyForm {
    KeyStroke stroke;
    std::u16string_view key;  // into `text_`
    std::size_t line = 0;
    std::vector<Assignment> rows;
    std::size_t before = 0;  // applied after assignments_[0, before)
  };

  // What reading a text makes of it. Read once for every base; read again
  // over a base whose report has a value of several lines, where what is
  // one line depends on that base.
  struct Reading {
    CompileOutcome outcome;
    std::vector<Assignment> assignments;
    std::vector<CursorKeyForm> cursor_key_forms;
    // For each keyword, 1 + the index in `assignments` of the line that
    // set it, or 0: kept so that the next reading reuses it.
    std::vector<std::uint32_t> set_by;
    std::vector<std::uint32_t> marks;  // as FindLineMarks finds them
  };

  // Reads `text_` afresh.
  void ReadText();

  // The column, from 1, where a problem of the value `value` (a view into
  // the text) is pointed at: its first character after any blanks.
  std::size_t ColumnOf(std::u16string_view value) const;

  // Stores what `reading` sets over the base `shown` renders into `body`;
  // `unchanged[i]` tells the assignments that read as the base shows them.
  CompileOutcome Apply(const Reading& reading,
                       const std::vector<char>& unchanged, bool stored,
                       const ReportValues& shown,
                       std::span<std::uint8_t> body) const;

  std::u16string text_;
  // Units of `text_` before the text: 1 for the byte order mark of a file
  // read in place, which DecodeReport leaves out.
  std::size_t text_start_ = 0;
  ReportForm form_;
  bool decoded_ = true;
  bool headless_ = false;  // SettingLines: no section title needed
  Reading reading_;
  bool stored_ = false;           // StoreAll() ran
  std::vector<StoredBits> bits_;  // what the assignments store
};

// Compiles `text` over `base` into `image`, as a ParsedReport of `text`
// compiles it.
CompileOutcome CompileReport(std::u16string_view text, const SetFileImage& base,
                             SetFileImage& image);

}  // namespace quorlith
