#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_settings.h"

namespace quorlith {

// What the viewer window of both desktop programs shows: a report, or the
// changes of a comparison, as lines a screen reader reads one by one.
struct ViewerText {
  std::u16string title;               // the window's title
  std::u16string name;                // what a screen reader calls the text
  std::u16string text;                // the lines, each ended by a line feed
  std::vector<std::size_t> sections;  // the lines that begin a section
  std::size_t first_line = 0;  // where the caret starts: the first setting

  // The lines of `text`, without their line feeds.
  std::vector<std::u16string_view> Lines() const;
};

// A report's text as its file holds it (a byte order mark, CR LF) or as
// it is rendered; a NUL character (a tone of 0) shows as U+2400. The caret
// starts on its first setting; its sections begin at the titles of the menus
// and of the window characteristics.
ViewerText ReportViewerText(std::u16string_view title,
                            std::u16string_view report);

// The changes of a comparison as the console's list of changes words
// them, with the count first: the count in all, then each section's count
// before its changes. The sections begin at those counts.
ViewerText ChangesViewerText(std::u16string_view title,
                             std::span<const ReportSetting> settings);

// The section line after (or before) `line`, if there is one.
std::optional<std::size_t> NextSection(const ViewerText& view, std::size_t line,
                                       bool forward);

// Where `needle` occurs in `text` at or after `from` (forward), or before
// it, letters compared without regard to case; none for an empty needle.
std::optional<std::size_t> FindInText(std::u16string_view text,
                                      std::u16string_view needle,
                                      std::size_t from, bool forward);

}  // namespace quorlith
