#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report_settings.h"

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

}  // namespace quorlith
