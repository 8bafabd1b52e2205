#include "compile/find.h"

#include <algorithm>
#include <functional>
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

// Hands each setting line on as it is written.
class Lines final : public SettingSink {
 public:
  explicit Lines(std::function<void(const NotedSetting&)> each)
      : each_(std::move(each)) {}

  void Setting(const NotedSetting& noted) override { each_(noted); }

 private:
  std::function<void(const NotedSetting&)> each_;
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

std::vector<std::u16string> FindQuery::Find(const SetFileImage& image,
                                            ReportText& text) const {
  std::vector<std::u16string> found;
  if (!problem_.empty()) return found;
  auto line_of = [&](const NotedSetting& noted) {
    return std::u16string(text.view().substr(
        noted.line_start, noted.value_end - noted.line_start));
  };
  if (form_ != Form::kSettings) {
    Lines hits([&](const NotedSetting& noted) {
      if (noted.setting.codec !=
          (form_ == Form::kHotKey ? &kHotKey : &kCursorKey)) {
        return;
      }
      std::u16string value = Folded(text.view().substr(
          noted.value_start, noted.value_end - noted.value_start));
      if (value == key_ ||
          (form_ == Form::kCursorKey && value.starts_with(key_ + u" "))) {
        found.push_back(line_of(noted));
      }
    });
    RenderDecompileReport({}, image, text, {.sink = &hits});
    return found;
  }
  // The rows named that a file with the value set there differs in.
  const Keywords& keywords = Keywords::Get();
  auto query = std::make_unique<SetFileImage>(image);
  for (std::size_t row : rows_) {
    const Keyword& entry = keywords[row];
    std::span<std::uint8_t> body = query->MutableBody();
    (void)entry.setting->codec->parse(value_, entry.Record(body),
                                      entry.setting->field);
  }
  std::vector<std::size_t> differing;
  Lines differs([&](const NotedSetting& noted) {
    if (std::binary_search(rows_.begin(), rows_.end(), noted.row)) {
      differing.push_back(noted.row);
    }
  });
  RenderComparisonReport({}, {}, image, *query, text, {.sink = &differs});
  Lines shown([&](const NotedSetting& noted) {
    if (std::binary_search(rows_.begin(), rows_.end(), noted.row) &&
        std::find(differing.begin(), differing.end(), noted.row) ==
            differing.end()) {
      found.push_back(line_of(noted));
    }
  });
  RenderDecompileReport({}, image, text, {.sink = &shown});
  return found;
}

}  // namespace quorlith
