#include "report/report_settings.h"

#include <cstddef>
#include <span>
#include <utility>

namespace quorlith {
namespace {

// Each setting line as it is written: its section's title, its keyword,
// its value from the text, and its stored fields as its format gives them.
class Collector final : public SettingSink {
 public:
  explicit Collector(const ReportText& text) : text_(text) {}

  void Setting(const NotedSetting& noted) override {
    ReportSetting& setting = settings.emplace_back();
    std::u16string_view title = text_.view().substr(noted.section_start);
    title = title.substr(0, title.find(kLineEnd));
    // "; Menu 2 - Keyboard" is "Menu 2 - Keyboard".
    if (title.starts_with(u';')) title.remove_prefix(1);
    if (title.starts_with(u' ')) title.remove_prefix(1);
    setting.section = title;
    setting.keyword = noted.prefix;
    setting.keyword += noted.setting.keyword;
    setting.shown.value = text_.view().substr(
        noted.value_start, noted.value_end - noted.value_start);
    stored_.clear();
    noted.setting.codec->stored(noted.record, noted.setting.field, true,
                                stored_);
    for (const StoredValue& item : stored_) {
      if (item.is_text) {
        setting.shown.stored.emplace_back(item.text);
      } else {
        setting.shown.stored.emplace_back(item.number);
      }
    }
  }

  std::vector<ReportSetting> settings;

 private:
  const ReportText& text_;
  std::vector<StoredValue> stored_;
};

}  // namespace

std::vector<ReportSetting> DecompileSettings(const SetFileImage& image) {
  ReportText text;
  Collector collector(text);
  RenderDecompileReport({}, image, text, {.sink = &collector});
  return std::move(collector.settings);
}

std::vector<ReportSetting> ComparisonSettings(const SetFileImage& original,
                                              const SetFileImage& printed,
                                              const KeywordFilter* ignore) {
  ReportText text;
  Collector now(text);
  RenderComparisonReport({}, {}, original, printed, text,
                         {.sink = &now, .ignore = ignore});
  std::vector<ReportSetting> settings = std::move(now.settings);
  // The same decisions again with the original's values shown: its lines
  // pair up with the first rendering's one by one.
  Collector before(text);
  RenderComparisonReport(
      {}, {}, original, printed, text,
      {.sink = &before, .ignore = ignore, .show_original = true});
  std::vector<ReportSetting>& old = before.settings;
  for (std::size_t i = 0; i < settings.size() && i < old.size(); ++i) {
    settings[i].original = std::move(old[i].shown);
  }
  return settings;
}

}  // namespace quorlith
