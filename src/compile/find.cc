#include "compile/find.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "compile/global_forms.h"
#include "report/fields.h"
#include "report/report_settings.h"
#include "report/value_parse.h"
#include "sections/key_names.h"

namespace quorlith {
namespace {


// The stroke `key` names, as a report writes it, folded; nullopt when it
// names none.
std::optional<std::u16string> KeyAsWritten(std::u16string_view key,
                                           KeyNameStyle style) {
  std::optional<KeyStroke> stroke = ParseKeyStroke(key, style);
  if (!stroke) return std::nullopt;
  ReportText text;
  WriteKeyStroke(text, *stroke, style);
  if (text.view().ends_with(kLineEnd)) text.resize(text.size() - kLineEnd.size());
  return Folded(text);
}

}  // namespace

FindResult FindSettings(std::u16string_view query, const SetFileImage& image) {
  FindResult result;
  std::size_t equals = query.find(u'=');
  if (equals == std::u16string_view::npos) {
    result.problem = Quoted(query) + u" is no search: write keyword = value";
    return result;
  }
  std::u16string keyword = Folded(TrimBlanks(query.substr(0, equals)));
  std::u16string_view written = TrimBlanks(query.substr(equals + 1));
  std::u16string value = Folded(written);

  // Whether the query looks at a setting (by its folded keyword and its
  // section), and how a setting's folded value is matched.
  std::function<bool(const std::u16string&, const ReportSetting&)> wanted;
  std::function<bool(const std::u16string&)> matches =
      [&](const std::u16string& v) { return TrimBlanks(v) == value; };
  std::optional<std::u16string> key;
  if (keyword == u"any_hot_key" || keyword == u"cursor_key") {
    bool hot = keyword == u"any_hot_key";
    key = KeyAsWritten(value,
                       hot ? KeyNameStyle::kHotKey : KeyNameStyle::kCursorKey);
    if (!key) {
      result.problem = Quoted(written) + u" is not a key name";
      return result;
    }
    wanted = [hot](const std::u16string& k, const ReportSetting& s) {
      if (hot) return s.section.starts_with(u"Menu 4 ");
      return k.size() == 6 && k.starts_with(u"key#");
    };
    matches = [&, hot](const std::u16string& v) {
      return hot ? v == *key : v.starts_with(*key + u" ") || v == *key;
    };
  } else if (std::optional<WindowForm> form = ParseWindowForm(keyword)) {
    std::vector<std::u16string> names;
    for (const std::u16string& id : form->ids) {
      names.push_back(u"window#" + id + u"_" + form->characteristic);
    }
    wanted = [names](const std::u16string& k, const ReportSetting&) {
      return std::find(names.begin(), names.end(), k) != names.end();
    };
  } else {
    wanted = [&](const std::u16string& k, const ReportSetting&) {
      return k == keyword;
    };
  }

  for (const ReportSetting& setting : DecompileSettings(image)) {
    std::u16string k = Folded(setting.keyword);
    if (!wanted(k, setting)) continue;
    if (matches(Folded(setting.shown.value))) {
      result.lines.push_back(setting.keyword + u" = " + setting.shown.value);
    }
  }
  return result;
}

}  // namespace quorlith
