#include "report/row_texts.h"

#include <cassert>

#include "report/report_writer.h"
#include "sections/schema.h"

namespace quorlith {

std::u16string_view SectionName(std::size_t section) {
  // "; Menu 2 - Keyboard" is "Menu 2 - Keyboard".
  std::u16string_view title = SectionTitles()[section];
  if (title.starts_with(u';')) title.remove_prefix(1);
  if (title.starts_with(u' ')) title.remove_prefix(1);
  return title;
}

const RowTexts& ChangeLabels() {
  static const RowTexts labels = [] {
    RowTexts made;
    for (const SchemaSetting& setting : AllSettings()) {
      Utf8Text& text = made.text();
      AppendAsUtf8(text, SectionName(setting.section));
      text.append(" › ");
      AppendAsUtf8(text, setting.keyword);
      made.EndRow();
    }
    return made;
  }();
  return labels;
}

RowTexts FormatRows(SetFileView image,
                    const std::function<void(const NotedSetting& noted,
                                             std::u16string_view value,
                                             Utf8Text& out)>& format) {
  class Sink final : public SettingSink {
   public:
    Sink(const ReportText& text, decltype(format) each, RowTexts& rows)
        : text_(text), format_(each), rows_(rows) {}
    void Setting(const NotedSetting& noted) override {
      assert(noted.row == rows_.size());
      format_(noted,
              text_.view().substr(noted.value_start,
                                  noted.value_end - noted.value_start),
              rows_.text());
      rows_.EndRow();
    }

   private:
    const ReportText& text_;
    decltype(format) format_;
    RowTexts& rows_;
  };
  RowTexts rows;
  ReportText text;
  Sink sink(text, format, rows);
  RenderDecompileReport({}, image, text, {.sink = &sink, .every_line = true});
  assert(rows.size() == AllSettings().size());
  return rows;
}

}  // namespace quorlith
