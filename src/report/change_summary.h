#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "report/chunked_words.h"
#include "report/report_context.h"
#include "report/row_texts.h"
#include "text/report_text.h"

namespace quorlith {

// One file's changes as a summary takes them: each setting that differs,
// in report order, and its new value.
struct FileChanges {
  std::vector<std::uint32_t> rows;
  std::vector<std::uint32_t> positions;   // among all the file's changes
  std::vector<std::uint32_t> value_ends;  // where each value ends in values
  std::vector<std::uint32_t> hashes;      // of each row and value
  Utf8Text values;                        // WriteUtf8KeepingSurrogates'
  bool surrogates = false;  // whether a value holds one, lone or paired

  std::string_view Value(std::size_t i) const {
    std::size_t start = i == 0 ? 0 : value_ends[i - 1];
    return values.view().substr(start, value_ends[i] - start);
  }
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
  std::uint32_t count_ = 0;
};

// The summary of the comparisons of many files with one original: one
// line per setting that differs in any of them, with the original's value,
// then each new value with the names of the files that hold it. The
// settings most files changed come first; among equals, the report's
// order; likewise the values.
//
// Only that is kept, each value's text once and each file as a number, so
// memory grows with what the summary prints, not with files times
// settings.
class ChangeSummary {
 public:
  // Adds the next file compared with the original, under `name`: its
  // changes in this summary's part, if any.
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
    std::vector<std::pair<std::uint32_t, std::uint32_t>> walks;  // shown, at
    std::vector<std::pair<std::uint32_t, std::uint32_t>> found;  // shown, at
    std::vector<std::uint32_t> fill;
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
  // files changed first, then the first seen (by file, then by its place
  // among the file's changes).
  struct LineOrder {
    std::uint32_t files;
    std::uint64_t first_seen;
    friend bool operator<(const LineOrder& a, const LineOrder& b) {
      return a.files != b.files ? a.files > b.files
                                : a.first_seen < b.first_seen;
    }
  };
  LineOrder OrderOf(std::size_t line) const {
    std::uint32_t row = rows_seen_[line];
    return {row_files_[row], first_seen_[row]};
  }

 private:
  // Each value is kept in values_ as its header's words, then its text:
  // one read brings a lookup both. A value is known by where it starts.
  // Rows are some thousands, and a value's text some hundred bytes at
  // most (a text field's units, three bytes each).
  struct Header {
    std::uint32_t last;  // its latest change, in changes_
    std::uint32_t hash;
    std::uint16_t row;
    std::uint16_t size;  // of its text
  };
  static constexpr std::size_t kHeaderWords = sizeof(Header) / 4;
  static_assert(sizeof(Header) == 4 * kHeaderWords);
  static constexpr std::size_t kLastWord = offsetof(Header, last) / 4;

  Header HeaderOf(std::uint32_t value) const;
  std::string_view Text(std::uint32_t value) const;
  // Where the value after `value` starts.
  std::uint32_t Next(std::uint32_t value) const;
  std::uint32_t FindOrAdd(std::uint32_t row, std::string_view text,
                          std::uint32_t hash);
  void Rehash(std::size_t slots, int index_bits);

  std::size_t files_ = 0;
  Utf8Text names_;  // the files', one after the other
  std::vector<std::uint32_t> name_ends_;
  ChunkedWords values_;  // in the order first seen
  std::size_t value_count_ = 0;
  // An open-addressed table of the values plus one (0 is free) in the low
  // index_bits_; the bits above hold those of the value's hash, so that
  // most probes that miss end without reading the value.
  std::vector<std::uint32_t> slots_;
  int index_bits_ = 0;
  // Each change of a value links to its change before, or to kNone: the
  // files of a value are found from its last change backwards, each
  // change's file from file_ends_.
  ChunkedWords changes_;
  std::vector<std::uint32_t> file_ends_;  // where each file's changes end
  // The file of the first change of each block of 1 << kBlockBits.
  static constexpr int kBlockBits = 10;
  std::vector<std::uint32_t> block_files_;
  bool surrogates_ = false;                // whether any file's values held one
  std::vector<std::uint32_t> row_files_;   // per row, the files it differs in
  std::vector<std::uint64_t> first_seen_;  // per row, as LineOrder has it
  std::vector<std::uint32_t> rows_seen_;   // in the order first seen, then
                                           // as written
  // From Finish(): each row's values in the order first seen.
  std::vector<std::uint32_t> row_starts_;
  std::vector<std::uint32_t> by_row_;
};

// "N settings differ in D of F files." and a line feed, the last line of a
// summary of F files of which D differ in N settings in all.
void AppendSummaryTotal(Utf8Text& out, std::size_t settings,
                        std::size_t differing, std::size_t files);

}  // namespace quorlith
