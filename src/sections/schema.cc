#include "sections/schema.h"

#include "sections/braille_tables.h"
#include "sections/cursor_key_tables.h"
#include "sections/general_tables.h"
#include "sections/hot_key_tables.h"
#include "sections/mouse_tables.h"
#include "sections/screen_keyboard_tables.h"
#include "sections/verbosity_tables.h"
#include "sections/window_tables.h"

namespace quorlith {

std::span<const Part> ReportParts() {
  // Sections 1 to 10, each closed by ";", then the window characteristics.
  static constexpr Part kParts[] = {
      kScreenSection,     kKeyboardSection,     kMouseSection,
      kHotKeySection,     kCursorKeySection,    kGeneralSection,
      kBrailleSection,    kVerbositySection,    kGlobalSection,
      kDictionarySection, kCharacteristicsPart, kStandardPart,
      kHyperactivePart,
  };
  return kParts;
}

namespace {

struct Schema {
  std::vector<SchemaSetting> settings;
  std::vector<std::u16string_view> titles;

  void Add(const Part& part, std::u16string_view prefix, std::size_t offset,
           std::u16string_view group) {
    if (part.section) {
      titles.push_back(part.title);
    } else if (prefix.empty() && !part.title.empty()) {
      group = part.title.substr(part.title.find_first_not_of(u"; "));
    }
    auto settings_of = [&](std::span<const Setting> run) {
      for (const Setting& setting : run) {
        settings.push_back(
            {std::u16string(prefix) + std::u16string(setting.keyword), &setting,
             offset, titles.size() - 1, std::u16string(group)});
      }
    };
    settings_of(part.settings);
    for (const Item& item : part.items) {
      settings_of(item.settings);
      if (item.part != nullptr) Add(*item.part, prefix, offset, group);
      if (item.records == nullptr) continue;
      const Records& records = *item.records;
      for (std::size_t i = 0; i < records.count; ++i) {
        std::u16string record_prefix;
        if (!AppendRecordPrefix(record_prefix, records, i)) continue;
        std::u16string_view record = record_prefix;
        if (record.ends_with(u'_')) record.remove_suffix(1);
        Add(*records.part, record_prefix,
            offset + records.offset + i * records.size, record);
      }
    }
  }
};

const Schema& TheSchema() {
  static const Schema schema = [] {
    Schema made;
    for (const Part& part : ReportParts()) {
      made.Add(part, {}, Layout(part.block).file_offset - kHeaderSize, {});
    }
    return made;
  }();
  return schema;
}

}  // namespace

const std::vector<SchemaSetting>& AllSettings() { return TheSchema().settings; }

const std::vector<std::u16string_view>& SectionTitles() {
  return TheSchema().titles;
}

}  // namespace quorlith
