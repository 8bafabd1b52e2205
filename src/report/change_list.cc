#include "report/change_list.h"

#include "sections/schema.h"
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

RowTexts OriginalValues(SetFileView original) {
  return FormatRows(original, [](const NotedSetting&, std::u16string_view value,
                                 Utf8Text& out) { AppendAsUtf8(out, value); });
}

namespace {

// As AppendChangeCount words it, `where` being " in all" or " in " and a
// section's name.
void AppendCount(Utf8Text& out, std::size_t count, std::string_view where,
                 std::u16string_view section = {}) {
  AppendDecimal(out, static_cast<std::int64_t>(count));
  out.append(count == 1 ? " setting differs" : " settings differ");
  out.append(where);
  AppendAsUtf8(out, section);
  out.append(".\n");
}

}  // namespace

void ChangeLines::Setting(const NotedSetting& noted) {
  std::size_t section = settings_[noted.row].section;
  if (sections_.empty() || sections_.back().first != section) {
    sections_.emplace_back(section, 0);
  }
  ++sections_.back().second;
  ++count_;
  out_.append(labels_[noted.row]);
  out_.append(": ");
  out_.append(original_[noted.row]);
  out_.append(" → ");
  AppendAsUtf8(out_,
               report_.view().substr(noted.value_start,
                                     noted.value_end - noted.value_start));
  out_.push_back('\n');
}

void ChangeLines::Finish() {
  if (count_ == 0) {
    out_.append("No differences.\n");
    return;
  }
  for (const auto& [section, count] : sections_) {
    AppendCount(out_, count, " in ", SectionName(section));
  }
  AppendCount(out_, count_, " in all");
}

}  // namespace quorlith
