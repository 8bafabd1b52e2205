#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
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
};

class Keywords final : public SettingSink {
 public:
  static const Keywords& Get();

  std::size_t size() const { return keywords_.size(); }
  const Keyword& operator[](std::size_t i) const { return keywords_[i]; }

  // The row of a keyword folded to lower case. A report lists its lines
  // in the keywords' order, so the row after `previous` is tried first.
  std::optional<std::size_t> Find(const std::u16string& folded,
                                  std::size_t previous) const;

  // The rows of the cursor keys' key lines ("Key#01"), not their delays.
  const std::vector<std::size_t>& CursorKeyRows() const {
    return cursor_key_rows_;
  }

  bool IsSectionTitle(std::u16string_view line) const;

  // The keyword nearest to `keyword` by edits of single letters, when one
  // is near enough to be what was meant.
  std::u16string_view Nearest(std::u16string_view keyword) const;

  void Setting(std::size_t section_start, std::size_t line_start,
               std::span<const StoredValue> stored,
               SettingInverse inverse) override;

 private:
  Keywords();

  const std::uint8_t* body_ = nullptr;
  std::vector<Keyword> keywords_;
  std::vector<std::size_t> line_starts_;
  std::unordered_map<std::u16string, std::size_t> index_;
  std::vector<std::size_t> section_starts_;
  std::vector<std::u16string> titles_;
  std::vector<std::size_t> cursor_key_rows_;
};

// A file's own report with every line written, read row by row in the
// keywords' order: the value each setting shows in that file.
class ReportValues final : public SettingSink {
 public:
  // Renders into `text`, which a caller may keep across files so that a
  // run over many of them allocates it once.
  ReportValues(const SetFileImage& image, ReportText& text);

  // The value of the keyword of `row`, as its line writes it.
  std::u16string_view Value(std::size_t row) const;

  void Setting(std::size_t section_start, std::size_t line_start,
               std::span<const StoredValue> stored,
               SettingInverse inverse) override;

 private:
  ReportText& text_;
  std::vector<std::size_t> line_starts_;
};

}  // namespace quorlith
