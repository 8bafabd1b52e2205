#include "report/report_settings.h"

#include <cstddef>
#include <span>

namespace quorlith {
namespace {

struct Noted {
  std::size_t section_start;
  std::size_t line_start;
  std::vector<StoredItem> stored;
};

class Collector final : public SettingSink {
 public:
  void Setting(std::size_t section_start, std::size_t line_start,
               std::span<const StoredValue> stored, SettingInverse) override {
    Noted& noted = noted_.emplace_back(Noted{section_start, line_start, {}});
    for (const StoredValue& item : stored) {
      if (item.is_text) {
        noted.stored.emplace_back(item.text);
      } else {
        noted.stored.emplace_back(item.number);
      }
    }
  }

  std::vector<Noted>& noted() { return noted_; }

 private:
  std::vector<Noted> noted_;
};

std::u16string_view LineAt(std::u16string_view text, std::size_t start) {
  std::size_t end = text.find(kLineEnd, start);
  if (end == std::u16string_view::npos) end = text.size();
  return text.substr(start, end - start);
}

// A section's title is its first line with the comment mark and the blank
// after it taken off: "Menu 2 - Keyboard".
std::u16string TitleAt(const ReportText& text, std::size_t start) {
  std::u16string_view line = LineAt(text, start);
  if (line.starts_with(u';')) line.remove_prefix(1);
  if (line.starts_with(u' ')) line.remove_prefix(1);
  return std::u16string(line);
}

std::vector<ReportSetting> Settings(const ReportText& text,
                                    std::vector<Noted>& noted) {
  std::vector<ReportSetting> settings;
  settings.reserve(noted.size());
  for (Noted& n : noted) {
    std::u16string_view line = LineAt(text, n.line_start);
    std::size_t equals = line.find(u" = ");
    ReportSetting& setting = settings.emplace_back();
    setting.section = TitleAt(text, n.section_start);
    setting.keyword = line.substr(0, equals);
    if (equals != std::u16string_view::npos) {
      setting.shown.value = line.substr(equals + 3);
    }
    setting.shown.stored = std::move(n.stored);
  }
  return settings;
}

}  // namespace

std::vector<ReportSetting> DecompileSettings(const SetFileImage& image) {
  Collector collector;
  ReportText text;
  RenderDecompileReport({}, image, text, {.sink = &collector});
  return Settings(text, collector.noted());
}

std::vector<ReportSetting> ComparisonSettings(const SetFileImage& original,
                                              const SetFileImage& printed,
                                              const KeywordFilter* ignore) {
  Collector now;
  ReportText text;
  RenderComparisonReport({}, {}, original, printed, text,
                         {.sink = &now, .ignore = ignore});
  std::vector<ReportSetting> settings = Settings(text, now.noted());
  // The same decisions again with the original's values shown: its lines
  // pair up with the first rendering's one by one.
  Collector before;
  RenderComparisonReport(
      {}, {}, original, printed, text,
      {.sink = &before, .ignore = ignore, .show_original = true});
  std::vector<ReportSetting> old = Settings(text, before.noted());
  for (std::size_t i = 0; i < settings.size() && i < old.size(); ++i) {
    settings[i].original = std::move(old[i].shown);
  }
  return settings;
}

}  // namespace quorlith
