#pragma once

#include <cstddef>
#include <string_view>

#include "codecs/codec.h"
#include "report/keyword_filter.h"
#include "setfile/set_file.h"

namespace quorlith {

enum class ReportKind { kDecompile, kComparison };

// A setting line as a report wrote it, for the views that need the
// settings one by one (JSON, the list of changes, the compile's values).
// A setting line is never erased once written: a part goes only when it
// wrote none.
struct NotedSetting {
  const Setting& setting;
  std::size_t row;             // its row of AllSettings()
  std::u16string_view prefix;  // the record's ("Window#12_"), or empty
  ByteView record;             // the record the value is shown from
  // The record it was compared with: the original's in a comparison,
  // `record` itself in a decompile. A view that shows both values renders
  // the original's from here, so one rendering serves both.
  ByteView original;
  std::size_t record_offset;  // where the record lies in a set file's body
  std::size_t section_start;  // where its section's title line starts
  std::size_t line_start;     // where the line starts in the text
  std::size_t value_start;    // where its value starts
  std::size_t value_end;      // and ends, before the line's CR LF
};

// Told of every setting line just after it was written.
class SettingSink {
 public:
  virtual ~SettingSink() = default;
  virtual void Setting(const NotedSetting& noted) = 0;
};

// Counts the setting lines of a report as it is rendered: in a comparison,
// each is one setting that differs.
class SettingCounter final : public SettingSink {
 public:
  void Setting(const NotedSetting&) override { ++count; }

  std::size_t count = 0;
};

// How a report is rendered beyond its kind. The defaults make the report
// files; the other settings serve the console's views of a report.
struct ReportOptions {
  SettingSink* sink = nullptr;
  // Settings a comparison leaves out, as if they did not differ; a part
  // left without lines erases itself as always. A decompile shows every
  // setting.
  const KeywordFilter* ignore = nullptr;
  // Write the lines a record shows only for some of its values too (a
  // hyperactive window's search lines for every trigger), so that a
  // listener learns every setting a report may hold.
  bool every_line = false;
};

}  // namespace quorlith
