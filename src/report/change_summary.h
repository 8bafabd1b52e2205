#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
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
  std::vector<std::uint32_t> hashes;      // of each row and value
  Utf8Text values;                        // WriteUtf8KeepingSurrogates'

  std::string_view Value(std::size_t i) const {
    std::size_t start = i == 0 ? 0 : value_ends[i - 1];
    return values.view().substr(start, value_ends[i] - start);
  }
};

// Gathers a comparison's FileChanges as its report is rendered into
// `report`: give it to RenderComparisonReport as its sink.
class ChangeValues final : public SettingSink {
 public:
  ChangeValues(const ReportText& report, FileChanges& changes)
      : report_(report), changes_(changes) {}

  void Setting(const NotedSetting& noted) override;

 private:
  const ReportText& report_;
  FileChanges& changes_;
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
  // Adds the next file compared with the original, under `name`.
  void Add(std::string_view name, const FileChanges& changes);

  // True iff no file had a setting that differs.
  bool empty() const { return rows_seen_.empty(); }

  // Hands the summary to `write` piece by piece, "No differences." when
  // empty(); `original` holds the original's values (OriginalValues).
  // Call it once: it gives up its memory as it goes.
  void Write(const RowTexts& original,
             const std::function<void(std::string_view)>& write);

 private:
  struct Value {
    std::uint32_t row;
    std::uint32_t start;  // of its text in texts_; it ends where the next
                          // value's starts
    std::uint32_t hash;
    std::uint32_t last;  // its latest change, in changes_
  };

  std::string_view Text(std::uint32_t value) const;
  std::uint32_t FindOrAdd(std::uint32_t row, std::string_view text,
                          std::uint32_t hash);
  void Rehash(std::size_t slots);

  std::size_t files_ = 0;
  std::size_t differing_ = 0;
  Utf8Text names_;  // the files', one after the other
  std::vector<std::uint32_t> name_ends_;
  std::vector<Value> values_;  // in the order first seen
  Utf8Text texts_;
  // An open-addressed table of values_' indices plus one; 0 is free.
  std::vector<std::uint32_t> slots_;
  // Each change of a value links to its change before, or to kNone: the
  // files of a value are found from its last change backwards, each
  // change's file from file_ends_.
  std::vector<std::uint32_t> changes_;
  std::vector<std::uint32_t> file_ends_;  // where each file's changes end
  std::vector<std::uint32_t> row_files_;  // per row, the files it differs in
  std::vector<std::uint32_t> rows_seen_;  // in the order first seen
};

}  // namespace quorlith
