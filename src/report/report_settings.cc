#include "report/report_settings.h"

#include <cstddef>
#include <span>
#include <utility>

namespace quorlith {
namespace {

// Each setting line as it is written: its section's title, its keyword,
// its value from the text, and its stored fields as its format gives them;
// in a comparison the original's value and fields as well.
class Collector final : public SettingSink {
 public:
  Collector(const ReportText& text, bool comparing)
      : text_(text), comparing_(comparing) {}

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
    Stored(noted, noted.record, setting.shown);
    if (!comparing_) return;
    original_.clear();
    noted.setting.codec->render(original_, noted.original, noted.setting.field);
    setting.original.value = original_.view();
    Stored(noted, noted.original, setting.original);
  }

  std::vector<ReportSetting> settings;

 private:
  void Stored(const NotedSetting& noted, ByteView record, ShownSetting& shown) {
    stored_.clear();
    noted.setting.codec->stored(record, noted.setting.field, true, stored_);
    for (const StoredValue& item : stored_) {
      if (item.is_text) {
        shown.stored.emplace_back(item.text);
      } else {
        shown.stored.emplace_back(item.number);
      }
    }
  }

  const ReportText& text_;
  bool comparing_;
  ReportText original_;
  std::vector<StoredValue> stored_;
};

}  // namespace

std::vector<ReportSetting> DecompileSettings(const SetFileImage& image) {
  ReportText text;
  Collector collector(text, false);
  RenderDecompileReport({}, image, text, {.sink = &collector});
  return std::move(collector.settings);
}

std::vector<ReportSetting> ComparisonSettings(const SetFileImage& original,
                                              const SetFileImage& printed,
                                              const KeywordFilter* ignore) {
  ReportText text;
  Collector collector(text, true);
  RenderComparisonReport({}, {}, original, printed, text,
                         {.sink = &collector, .ignore = ignore});
  return std::move(collector.settings);
}

}  // namespace quorlith
