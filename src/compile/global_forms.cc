#include "compile/global_forms.h"

#include <cstdint>

#include "codecs/names.h"
#include "sections/window_tables.h"
#include "text/report_text.h"

namespace quorlith {

std::optional<WindowForm> ParseWindowForm(std::u16string_view folded) {
  if (!folded.starts_with(u"window#")) return std::nullopt;
  folded.remove_prefix(7);
  std::size_t underscore = folded.find(u'_');
  if (underscore == std::u16string_view::npos) return std::nullopt;
  std::u16string_view which = folded.substr(0, underscore);
  // A single window's keyword, the common case, costs no allocation.
  if (!which.starts_with(u'*') &&
      which.find(u'-') == std::u16string_view::npos) {
    return std::nullopt;
  }
  WindowForm form{{}, std::u16string(folded.substr(underscore + 1))};
  auto numbers = [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t n = first; n <= last; ++n) {
      std::u16string id;
      AppendDecimal(id, n);
      form.ids.push_back(id);
    }
  };
  auto letters = [&](char16_t first, char16_t last) {
    for (char16_t c = first; c <= last; ++c) form.ids.emplace_back(1, c);
  };
  if (which == u"*s") {
    numbers(0, kStandardWindowCount - 1);
    return form;
  }
  if (which == u"*h") {
    letters(u'a', static_cast<char16_t>(u'a' + kHyperactiveWindowCount - 1));
    return form;
  }
  std::size_t dash = which.find(u'-');
  if (dash == std::u16string_view::npos) return std::nullopt;
  std::u16string_view from = which.substr(0, dash);
  std::u16string_view to = which.substr(dash + 1);
  std::optional<std::int64_t> a = ParseInteger(from);
  std::optional<std::int64_t> b = ParseInteger(to);
  auto letter = [](std::u16string_view t) {
    return t.size() == 1 && t[0] >= u'a' &&
           t[0] < u'a' + kHyperactiveWindowCount;
  };
  if (a && b && *a >= 0 &&
      *b < static_cast<std::int64_t>(kStandardWindowCount)) {
    numbers(*a, *b);
  } else if (letter(from) && letter(to)) {
    letters(from[0], to[0]);
  } else {
    return std::nullopt;
  }
  return form;
}

}  // namespace quorlith
