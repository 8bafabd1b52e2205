#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "report/report_writer.h"

namespace quorlith {

// A report taken apart into its settings, for the console's views of it
// (JSON and the list of changes). Each view gets its text from the same
// rendering as the report files, so a value reads exactly as a report
// writes it.

// What a field stores: a number, or the text of a text field.
using StoredItem = std::variant<std::int64_t, std::u16string>;

struct ShownSetting {
  std::u16string value;            // as the report writes it after " = "
  std::vector<StoredItem> stored;  // one item per field behind the line
};

struct ReportSetting {
  std::u16string section;  // the title line of its section, without ";"
  std::u16string keyword;  // before " = ", record prefix included
  ShownSetting shown;      // the printed file's value
  ShownSetting original;   // comparisons only: the original's value
};

// The settings of a decompile report of `image`, in report order.
std::vector<ReportSetting> DecompileSettings(const SetFileImage& image);

// The settings a comparison report of `printed` against `original` shows,
// in report order, each with both files' values; `ignore` leaves settings
// out as in the report.
std::vector<ReportSetting> ComparisonSettings(
    const SetFileImage& original, const SetFileImage& printed,
    const KeywordFilter* ignore = nullptr);

}  // namespace quorlith
