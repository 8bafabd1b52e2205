#include "report/change_list.h"

#include "text/report_text.h"

namespace quorlith {

void AppendChangeLine(std::u16string& text, const ReportSetting& setting) {
  text.append(setting.section);
  text.append(u" › ");
  text.append(setting.keyword);
  text.append(u": ");
  text.append(setting.original.value);
  text.append(u" → ");
  text.append(setting.shown.value);
  text.push_back(u'\n');
}

void AppendChangeCount(std::u16string& text, std::size_t count,
                       std::u16string_view where) {
  AppendDecimal(text, static_cast<std::int64_t>(count));
  text.append(count == 1 ? u" setting differs" : u" settings differ");
  text.append(where);
  text.append(u".\n");
}

std::vector<std::pair<std::u16string_view, std::size_t>> ChangesBySection(
    std::span<const ReportSetting> settings) {
  std::vector<std::pair<std::u16string_view, std::size_t>> counts;
  for (const ReportSetting& s : settings) {
    if (counts.empty() || counts.back().first != s.section) {
      counts.emplace_back(s.section, 0);
    }
    ++counts.back().second;
  }
  return counts;
}

}  // namespace quorlith
