#include "compile/find.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "codecs/cursor_key.h"
#include "codecs/hot_key.h"
#include "codecs/key_names.h"
#include "codecs/names.h"
#include "compile/global_forms.h"
#include "report/keywords.h"
#include "report/report_writer.h"

namespace quorlith {
namespace {

// Where each setting line of a rendering starts, and its section.
// The setting lines a rendering wrote, each with its codec: what the
// search forms look through.
class ShownLines final : public SettingSink {
 public:
  struct Line {
    std::size_t row;
    const Codec* codec;
    std::size_t start;        // of the line
    std::size_t value_start;  // and of its value
    std::size_t end;          // before its CR LF
  };

  void Setting(const NotedSetting& noted) override {
    lines.push_back({noted.row, noted.setting.codec, noted.line_start,
                     noted.value_start, noted.value_end});
  }

  std::vector<Line> lines;
};

std::optional<std::u16string> KeyAsWritten(std::u16string_view key,
                                           KeyNameStyle style) {
  std::optional<KeyStroke> stroke = ParseKeyStroke(key, style);
  if (!stroke) return std::nullopt;
  ReportText text;
  WriteKeyStroke(text, *stroke, style);
  return Folded(text);
}

}  // namespace

std::vector<std::size_t> RowsNamed(std::u16string_view keyword,
                                   std::u16string& problem) {
  const Keywords& keywords = Keywords::Get();
  std::vector<std::size_t> rows;
  if (std::optional<WindowForm> form = ParseWindowForm(keyword)) {
    if (!form->problem.empty()) {
      problem = std::move(form->problem);
      return {};
    }
    rows = std::move(form->rows);
    std::sort(rows.begin(), rows.end());
  } else if (std::optional<std::size_t> row =
                 keywords.Find(keyword, keywords.size())) {
    rows.push_back(*row);
  } else {
    std::size_t budget = std::size_t{1} << 24;
    problem = keywords.Unknown(keyword, budget);
  }
  return rows;
}

FindQuery::FindQuery(std::u16string_view query) {
  std::size_t equals = query.find(u'=');
  if (equals == std::u16string_view::npos) {
    problem_ = Quoted(query) + u" is no search: write keyword = value";
    return;
  }
  std::u16string_view keyword = TrimBlanks(query.substr(0, equals));
  std::u16string folded = Folded(keyword);
  // A value as a report line holds it: after the one blank that follows
  // the "=".
  std::u16string_view value = query.substr(equals + 1);
  if (value.starts_with(u' ')) value.remove_prefix(1);
  if (folded == u"any_hot_key" || folded == u"cursor_key") {
    form_ = folded == u"any_hot_key" ? Form::kHotKey : Form::kCursorKey;
    std::optional<std::u16string> key = KeyAsWritten(
        TrimBlanks(value), form_ == Form::kHotKey ? KeyNameStyle::kHotKey
                                                  : KeyNameStyle::kCursorKey);
    if (!key) {
      problem_ = Quoted(TrimBlanks(value)) + u" is not a key name";
      return;
    }
    key_ = *key;
    return;
  }
  const Keywords& keywords = Keywords::Get();
  rows_ = RowsNamed(keyword, problem_);
  if (rows_.empty()) return;
  std::optional<std::u16string> wrong;
  (void)BitsOf(rows_.front(), value, &wrong);
  if (wrong) {
    problem_ = KeywordProblem(keywords[rows_.front()].keyword, *wrong);
    return;
  }
  value_ = value;
}

std::vector<std::u16string> FindQuery::Find(const SetFileImage& image) const {
  std::vector<std::u16string> found;
  if (!problem_.empty()) return found;
  ShownLines shown;
  ReportText text;
  RenderDecompileReport({}, image, text, {.sink = &shown});
  auto line_of = [&](const ShownLines::Line& line) {
    return std::u16string(
        text.view().substr(line.start, line.end - line.start));
  };
  if (form_ != Form::kSettings) {
    for (const ShownLines::Line& line : shown.lines) {
      std::u16string value = Folded(
          text.view().substr(line.value_start, line.end - line.value_start));
      bool hit = form_ == Form::kHotKey
                     ? line.codec == &kHotKey && value == key_
                     : line.codec == &kCursorKey &&
                           (value == key_ || value.starts_with(key_ + u" "));
      if (hit) found.push_back(line_of(line));
    }
    return found;
  }
  const Keywords& keywords = Keywords::Get();
  auto query = std::make_unique<SetFileImage>(image);
  for (std::size_t row : rows_) {
    const Keyword& entry = keywords[row];
    std::span<std::uint8_t> body = query->MutableBody();
    (void)entry.setting->codec->parse(value_, entry.Record(body),
                                      entry.setting->field);
  }
  ShownLines differing;
  ReportText comparison;
  RenderComparisonReport({}, {}, image, *query, comparison,
                         {.sink = &differing});
  auto differs = [&](std::size_t row) {
    return std::any_of(
        differing.lines.begin(), differing.lines.end(),
        [row](const ShownLines::Line& line) { return line.row == row; });
  };
  for (const ShownLines::Line& line : shown.lines) {
    if (std::binary_search(rows_.begin(), rows_.end(), line.row) &&
        !differs(line.row)) {
      found.push_back(line_of(line));
    }
  }
  return found;
}

}  // namespace quorlith
