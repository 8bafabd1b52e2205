#include "compile/global_forms.h"

#include <cstdint>

#include "codecs/names.h"
#include "report/keywords.h"
#include "sections/window_tables.h"
#include "text/text_parse.h"

namespace quorlith {

std::optional<WindowForm> ParseWindowForm(std::u16string_view keyword) {
  std::u16string folded = Folded(keyword);
  std::u16string_view rest = folded;
  if (!rest.starts_with(u"window#")) return std::nullopt;
  rest.remove_prefix(7);
  std::size_t underscore = rest.find(u'_');
  if (underscore == std::u16string_view::npos) return std::nullopt;
  std::u16string_view which = rest.substr(0, underscore);
  std::u16string_view characteristic = rest.substr(underscore + 1);
  // The records named, by their index: [first, last].
  const Records* records = &kStandardWindows;
  std::int64_t first = 0;
  std::int64_t last = static_cast<std::int64_t>(kStandardWindowCount) - 1;
  std::size_t dash = which.find(u'-');
  std::u16string_view from = which.substr(0, dash);
  std::u16string_view to =
      dash == which.npos ? std::u16string_view() : which.substr(dash + 1);
  auto letter = [](std::u16string_view t) -> std::optional<std::int64_t> {
    if (t.size() != 1 || t[0] < u'a' || t[0] >= u'a' + kHyperactiveWindowCount)
      return std::nullopt;
    return t[0] - u'a';
  };
  std::optional<std::int64_t> a = ParseInteger(from);
  std::optional<std::int64_t> b = ParseInteger(to);
  if (which == u"*h" || (letter(from) && letter(to))) {
    records = &kHyperactiveWindows;
    last = static_cast<std::int64_t>(kHyperactiveWindowCount) - 1;
    if (which != u"*h") {
      first = *letter(from);
      last = *letter(to);
    }
  } else if (dash != which.npos && a && b && *a >= 0 && *b <= last) {
    first = *a;
    last = *b;
  } else if (which != u"*s") {
    return std::nullopt;
  }
  WindowForm form;
  if (first > last) {
    form.problem = Printable(keyword) + u": the range holds no window";
    return form;
  }
  const Keywords& keywords = Keywords::Get();
  for (auto i = static_cast<std::size_t>(first);
       i <= static_cast<std::size_t>(last); ++i) {
    std::u16string name;
    AppendRecordPrefix(name, *records, i);
    name += characteristic;
    std::optional<std::size_t> row = keywords.Find(name, keywords.size());
    if (!row) {
      form.rows.clear();
      form.problem = Printable(keyword) + u": no such window characteristic " +
                     Quoted(characteristic);
      return form;
    }
    form.rows.push_back(*row);
  }
  return form;
}

}  // namespace quorlith
