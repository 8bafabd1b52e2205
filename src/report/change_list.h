#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report_settings.h"
#include "report/row_texts.h"
#include "sections/schema.h"

namespace quorlith {

// The changes of a comparison as a listener follows them: one
// self-contained line per setting that differs, and counts that say how
// many. The console's list of changes and the desktop programs' viewer
// word them alike through these.

// "Menu 2 - Keyboard › Key_Rate: 60 → 70" and a line feed.
void AppendChangeLine(std::u16string& text, const ReportSetting& setting);

// "1 setting differs" or "N settings differ", then `where` (" in all",
// " in Menu 2 - Keyboard"), a full stop and a line feed.
void AppendChangeCount(std::u16string& text, std::size_t count,
                       std::u16string_view where);

// The sections of `settings` in report order, each with how many of its
// settings differ. The views point into `settings`.
std::vector<std::pair<std::u16string_view, std::size_t>> ChangesBySection(
    std::span<const ReportSetting> settings);

// The original's value of each row as a change line shows it, from
// `original`'s fields: formatted once for all the files compared with it.
RowTexts OriginalValues(SetFileView original);

// Formats the list of changes of one comparison into `out`, in UTF-8, as
// its report is rendered: give it to RenderComparisonReport as its sink,
// then call Finish. The lines are worded as the functions above word them.
class ChangeLines final : public SettingSink {
 public:
  // `original` from OriginalValues; `report` is the text rendered into.
  ChangeLines(const RowTexts& original, const ReportText& report, Utf8Text& out)
      : original_(original), report_(report), out_(out) {}

  void Setting(const NotedSetting& noted) override;

  // Appends the counts of each section and of all, or "No differences."
  // when no setting differed.
  void Finish();
  std::size_t count() const { return count_; }

 private:
  const RowTexts& original_;
  const ReportText& report_;
  Utf8Text& out_;
  // Looked up once, not once a setting: each lookup is a call and a check
  // that the tables are made.
  const std::vector<SchemaSetting>& settings_ = AllSettings();
  const RowTexts& labels_ = ChangeLabels();
  std::size_t count_ = 0;
  std::vector<std::pair<std::size_t, std::size_t>> sections_;  // index, count
};

}  // namespace quorlith
