#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/codec.h"
#include "report/report_context.h"
#include "report/row_texts.h"
#include "text/report_text.h"

namespace quorlith {

// JSON views of reports: one object per file. The names of the members
// are what scripts rely on; docs/quorlith-json.schema.json describes them.

struct JsonSource {
  std::string path;           // as the report's header names the file
  std::int64_t modified = 0;  // last write, seconds since the epoch (UTC)
};

// Each row's original value and stored fields as a comparison's setting
// objects end (,"original":{"value","stored"}}), from `original`'s fields:
// formatted once for all the files compared with it.
RowTexts OriginalJson(SetFileView original);

// Formats each file's object straight into an output buffer as its report
// is rendered. A worker keeps one for all its files, and with it its
// buffers.
class JsonObjects {
 public:
  // {"path", "modified", "settings": [{"section", "keyword", "value",
  // "stored"}]}
  void AppendDecompile(Utf8Text& out, const JsonSource& file,
                       SetFileView image);

  // The same for the new file of a comparison, with "original" naming the
  // original file and, in each setting, holding the original's "value" and
  // "stored" (`original_json`, from OriginalJson(original)). `ignore`
  // leaves settings out as in the report. Returns how many settings
  // differ.
  std::size_t AppendComparison(Utf8Text& out, const JsonSource& original_file,
                               const JsonSource& file, SetFileView original,
                               SetFileView printed,
                               const RowTexts& original_json,
                               const KeywordFilter* ignore);

 private:
  ReportText report_;
  std::vector<StoredValue> stored_;
};

// `seconds` since the epoch as ISO 8601 in UTC: "2009-06-26T14:07:58Z".
std::string IsoTime(std::int64_t seconds);

// Appends `text` as a JSON string. Report text may hold lone surrogates (a
// text field is any UTF-16), which UTF-8 cannot carry; their "\uD800"
// escapes, though JSON's grammar allows them, are refused by many readers
// (jq among them), so each becomes U+FFFD, as the UTF-8 views show it. A
// text field that holds one is stored as its units as well (see
// AppendComparison), so no unit is lost.
void AppendJsonString(Utf8Text& out, std::u16string_view text);

}  // namespace quorlith
