#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report_context.h"
#include "report/row_texts.h"
#include "text/report_text.h"

namespace quorlith {

// One file's changes as a summary takes them: each setting that differs,
// in report order, and its new value.
struct FileChanges {
  std::vector<std::uint32_t> rows;
  std::vector<std::uint32_t> value_ends;  // where each value ends in values
  std::vector<std::uint32_t> hashes;      // ValueHash of each value
  Utf8Text values;                        // WriteUtf8KeepingSurrogates'
};

// Gathers a comparison's FileChanges as its report is rendered into
// `report`: give it to RenderComparisonReport as its sink. Row r's change
// goes to parts[r % parts.size()], so that each part can be summed up
// apart from the others.
class ChangeValues final : public SettingSink {
 public:
  ChangeValues(const ReportText& report, std::span<FileChanges> parts)
      : report_(report), parts_(parts) {}

  void Setting(const NotedSetting& noted) override;

 private:
  const ReportText& report_;
  std::span<FileChanges> parts_;
};

// The hash of a value's text that FileChanges keeps.
std::uint32_t ValueHash(std::string_view text);

// The summary of the comparisons of many files with one original: one
// line per setting that differs in any of them, with the original's value,
// then each new value with the names of the files that hold it. The
// settings most files changed come first; among equals, the report's
// order; likewise the values.
//
// Only that is kept, each value's text once and each file as a number, so
// memory grows with what the summary prints, not with files times
// settings. Files are summed up a batch at a time, setting by setting:
// what one setting keeps is then read from memory once for the whole
// batch rather than once for every file, which is what summing up a
// busy class costs most.
class ChangeSummary {
 public:
  // Adds the next file compared with the original, under `name`: its
  // changes in this summary's part, if any. REQUIRES: the changes in
  // ascending rows, as a report has them.
  void Add(std::string_view name, const FileChanges& changes);

  // What a worker reuses from line to line.
  struct LineScratch {
    struct Shown {
      std::uint32_t value;
      std::uint32_t start;  // of its files in `files`
      std::uint32_t count;
    };
    std::vector<Shown> shown;
    std::vector<std::uint32_t> files;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> changes;  // file,
                                                                   // value
  };

  // Ends the adding and orders the lines; returns how many there are.
  // Lines are many and long, so they can be formatted side by side:
  // AppendLine only reads.
  std::size_t Finish();

  // Appends line `line` (below Finish()'s count); `original` holds the
  // original's values (OriginalValues).
  void AppendLine(std::size_t line, const RowTexts& original,
                  LineScratch& scratch, Utf8Text& out) const;

  // Where line `line` goes among the lines of all parts: the settings most
  // files changed first, then the first seen (by file, then in the
  // report's order).
  struct LineOrder {
    std::uint32_t files;
    std::uint64_t first_seen;
    friend bool operator<(const LineOrder& a, const LineOrder& b) {
      return a.files != b.files ? a.files > b.files
                                : a.first_seen < b.first_seen;
    }
  };
  LineOrder OrderOf(std::size_t line) const {
    return rows_[rows_seen_[line]].Order();
  }

 private:
  // What one setting (row) keeps: its values and the changes to them.
  struct Row {
    std::uint32_t files = 0;  // that differ in it
    std::uint64_t first_seen = 0;
    std::uint32_t last_file = 0;  // of its latest change, plus one
    // An open-addressed table of the values plus one (0 is free); the bits
    // above a value's hold those of its hash, so that most probes that
    // miss end without reading a text.
    std::vector<std::uint32_t> slots;
    std::vector<std::uint32_t> text_ends;  // of each value in `texts`
    std::string texts;                     // in the order first seen
    // Each change as two LEB128 numbers: how many files after the one
    // before it (the first: its file plus one) and its value.
    Utf8Text changes;

    LineOrder Order() const { return {files, first_seen}; }
    std::string_view Text(std::uint32_t value) const;
    std::uint32_t FindOrAdd(std::string_view text, std::uint32_t hash);
  };

  void SumUpBatch();

  // ", " and a file's name, as a line lists it after another's.
  std::string_view NameOf(std::uint32_t file) const;

  Utf8Text names_;  // the files', each after ", "
  std::vector<std::uint32_t> name_ends_;
  // The files of the batch: the number of each, where its changes end
  // and, in SumUpBatch, its next; then the changes of them all.
  std::vector<std::uint32_t> batch_files_;
  std::vector<std::size_t> batch_ends_;
  std::vector<std::size_t> batch_at_;
  std::vector<std::uint32_t> batch_rows_;
  std::vector<std::uint32_t> batch_hashes_;
  std::vector<std::uint32_t> batch_value_ends_;  // in batch_text_
  std::string batch_text_;
  std::vector<Row> rows_;
  std::vector<std::uint32_t> rows_seen_;  // that differ; from Finish(), in
                                          // the order written
};

// "N settings differ in D of F files." and a line feed, the last line of a
// summary of F files of which D differ in N settings in all.
void AppendSummaryTotal(Utf8Text& out, std::size_t settings,
                        std::size_t differing, std::size_t files);

}  // namespace quorlith
