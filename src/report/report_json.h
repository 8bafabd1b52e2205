#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_settings.h"

namespace quorlith {

// JSON views of reports: one object per file. The names of the members
// are what scripts rely on; docs/quorlith-json.schema.json describes them.

struct JsonSource {
  std::string path;           // as the report's header names the file
  std::int64_t modified = 0;  // last write, seconds since the epoch (UTC)
};

// {"path", "modified", "settings": [{"section", "keyword", "value",
// "stored"}]}
std::string DecompileJson(const JsonSource& file,
                          const std::vector<ReportSetting>& settings);

// The same for the new file of a comparison, with "original" naming the
// original file and, in each setting, holding the original's "value" and
// "stored".
std::string ComparisonJson(const JsonSource& original, const JsonSource& file,
                           const std::vector<ReportSetting>& settings);

// `seconds` since the epoch as ISO 8601 in UTC: "2009-06-26T14:07:58Z".
std::string IsoTime(std::int64_t seconds);

// Appends `text` as a JSON string. Report text may hold lone surrogates (a
// text field is any UTF-16), which UTF-8 cannot carry; their "\uD800"
// escapes, though JSON's grammar allows them, are refused by many readers
// (jq among them), so each becomes U+FFFD, as the UTF-8 views show it. A
// text field that holds one is stored as its units as well (see
// ComparisonJson), so no unit is lost.
void AppendJsonString(std::string& out, std::u16string_view text);

}  // namespace quorlith
