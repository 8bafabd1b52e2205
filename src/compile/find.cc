#include "compile/find.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "codecs/key_names.h"
#include "codecs/names.h"
#include "compile/global_forms.h"
#include "report/keywords.h"
#include "report/report_writer.h"

namespace quorlith {
namespace {

// Where each setting line of a rendering starts, and its section.
class LineStarts final : public SettingSink {
 public:
  void Setting(const NotedSetting& noted) override {
    starts.emplace_back(noted.section_start, noted.line_start);
  }

  std::vector<std::pair<std::size_t, std::size_t>> starts;
};

// Each setting line of `text`, as LineStarts found them, with its row and
// its section's title line.
template <typename Use>
void ForEachLine(const ReportText& text, const LineStarts& lines, Use use) {
  const Keywords& keywords = Keywords::Get();
  std::size_t previous = 0;
  for (auto [section, start] : lines.starts) {
    std::u16string_view line = text.view().substr(start);
    line = line.substr(0, line.find(kLineEnd));
    std::optional<std::size_t> row =
        keywords.Find(line.substr(0, line.find(kEquals)), previous);
    if (!row) continue;
    previous = *row;
    use(*row, line, text.view().substr(section));
  }
}

// The stroke `key` names, as a report writes it, folded; nullopt when it
// names none.
std::optional<std::u16string> KeyAsWritten(std::u16string_view key,
                                           KeyNameStyle style) {
  std::optional<KeyStroke> stroke = ParseKeyStroke(key, style);
  if (!stroke) return std::nullopt;
  ReportText text;
  WriteKeyStroke(text, *stroke, style);
  return Folded(text);
}

}  // namespace

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
  if (std::optional<WindowForm> form = ParseWindowForm(folded)) {
    for (const std::u16string& id : form->ids) {
      std::optional<std::size_t> row = keywords.Find(
          u"window#" + id + u"_" + form->characteristic, keywords.size());
      if (!row) {
        problem_ = Printable(keyword) + u": no such window characteristic " +
                   Quoted(form->characteristic);
        return;
      }
      rows_.push_back(*row);
    }
  } else if (std::optional<std::size_t> row =
                 keywords.Find(keyword, keywords.size())) {
    rows_.push_back(*row);
  } else {
    std::size_t budget = std::size_t{1} << 24;
    problem_ = u"unknown keyword " + Quoted(keyword);
    std::u16string_view nearest = keywords.Nearest(keyword, budget);
    if (!nearest.empty()) {
      problem_ += u"; did you mean " + std::u16string(nearest) + u"?";
    }
    return;
  }
  if (rows_.empty()) {
    problem_ = Printable(keyword) + u": the range holds no window";
    return;
  }
  // The value is read as the compile reads it, here into a file of zeros:
  // what a row's reading says of it does not depend on the file.
  std::optional<std::u16string> wrong;
  (void)BitsOf(rows_.front(), value, &wrong);
  if (wrong) {
    problem_ = KeywordProblem(keywords[rows_.front()].keyword, *wrong);
    return;
  }
  value_ = value;
  std::sort(rows_.begin(), rows_.end());
}

std::vector<std::u16string> FindQuery::Find(const SetFileImage& image) const {
  std::vector<std::u16string> found;
  if (!problem_.empty()) return found;
  LineStarts shown;
  ReportText text;
  RenderDecompileReport({}, image, text, {.sink = &shown});
  if (form_ != Form::kSettings) {
    const std::vector<std::size_t>& cursor_keys =
        Keywords::Get().CursorKeyRows();
    ForEachLine(
        text, shown,
        [&](std::size_t row, std::u16string_view line,
            std::u16string_view section) {
          std::u16string value = Folded(
              line.substr(std::min(line.size(), line.find(kEquals) + 3)));
          bool hit =
              form_ == Form::kHotKey
                  ? section.starts_with(u"; Menu 4 ") && value == key_
                  : std::binary_search(cursor_keys.begin(), cursor_keys.end(),
                                       row) &&
                        (value == key_ || value.starts_with(key_ + u" "));
          if (hit) found.emplace_back(line);
        });
    return found;
  }
  // The file with the query's value stored in each setting it names: a
  // comparison of the two shows the settings that do not hold the value.
  const Keywords& keywords = Keywords::Get();
  auto query = std::make_unique<SetFileImage>(image);
  for (std::size_t row : rows_) {
    const Keyword& entry = keywords[row];
    std::span<std::uint8_t> body = query->MutableBody();
    (void)entry.setting->codec->parse(value_, entry.Record(body),
                                      entry.setting->field);
  }
  LineStarts differing;
  ReportText comparison;
  RenderComparisonReport({}, {}, image, *query, comparison,
                         {.sink = &differing});
  std::vector<std::size_t> different;
  ForEachLine(comparison, differing,
              [&](std::size_t row, std::u16string_view, std::u16string_view) {
                different.push_back(row);
              });
  ForEachLine(
      text, shown,
      [&](std::size_t row, std::u16string_view line, std::u16string_view) {
        if (std::binary_search(rows_.begin(), rows_.end(), row) &&
            std::find(different.begin(), different.end(), row) ==
                different.end()) {
          found.emplace_back(line);
        }
      });
  return found;
}

}  // namespace quorlith
