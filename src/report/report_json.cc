#include "report/report_json.h"

#include <cstddef>

#include "report/report_writer.h"
#include "sections/schema.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

bool HasLoneSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
      ++i;
    } else if (IsHigh(text[i]) || IsLow(text[i])) {
      return true;
    }
  }
  return false;
}

void AppendStored(Utf8Text& out, const std::vector<StoredValue>& stored) {
  auto item = [&](const StoredValue& one) {
    if (!one.is_text) {
      AppendDecimal(out, one.number);
      return;
    }
    if (!HasLoneSurrogate(one.text)) {
      AppendJsonString(out, one.text);
      return;
    }
    // No JSON string holds a lone surrogate that every reader takes: the
    // units themselves, so that none is lost.
    out.append("{\"units\":[");
    for (std::size_t i = 0; i < one.text.size(); ++i) {
      if (i > 0) out.push_back(',');
      AppendDecimal(out, one.text[i]);
    }
    out.append("]}");
  };
  if (stored.size() == 1) {
    item(stored.front());
    return;
  }
  out.push_back('[');
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (i > 0) out.push_back(',');
    item(stored[i]);
  }
  out.push_back(']');
}

// "value" and "stored" of a setting line, `value` as its line shows it.
void AppendShown(Utf8Text& out, const NotedSetting& noted, ByteView record,
                 std::u16string_view value, std::vector<StoredValue>& stored) {
  out.append("\"value\":");
  AppendJsonString(out, value);
  out.append(",\"stored\":");
  stored.clear();
  noted.setting.codec->stored(record, noted.setting.field, true, stored);
  AppendStored(out, stored);
}

void AppendSource(Utf8Text& out, const JsonSource& file) {
  out.append("\"path\":");
  AppendJsonString(out, Utf8ToUtf16(file.path));
  out.append(",\"modified\":\"");
  out.append(IsoTime(file.modified));
  out.push_back('"');
}

// {"section":"Menu 2 - Keyboard","keyword":"Key_Rate", for each row: how
// its setting's object begins.
const RowTexts& JsonLabels() {
  static const RowTexts labels = [] {
    RowTexts made;
    for (const SchemaSetting& setting : AllSettings()) {
      Utf8Text& text = made.text();
      text.append("{\"section\":");
      AppendJsonString(text, SectionName(setting.section));
      text.append(",\"keyword\":");
      AppendJsonString(text, setting.keyword);
      text.push_back(',');
      made.EndRow();
    }
    return made;
  }();
  return labels;
}

// The settings of a report as it is rendered, one object each, between
// commas.
class SettingObjects final : public SettingSink {
 public:
  SettingObjects(Utf8Text& out, const ReportText& report,
                 std::vector<StoredValue>& stored, const RowTexts* original)
      : out_(out), report_(report), stored_(stored), original_(original) {}

  std::size_t count() const { return count_; }

  void Setting(const NotedSetting& noted) override {
    if (count_++ > 0) out_.push_back(',');
    out_.append(JsonLabels()[noted.row]);
    AppendShown(out_, noted, noted.record,
                report_.view().substr(noted.value_start,
                                      noted.value_end - noted.value_start),
                stored_);
    if (original_ != nullptr) {
      out_.append((*original_)[noted.row]);
    } else {
      out_.push_back('}');
    }
  }

 private:
  Utf8Text& out_;
  const ReportText& report_;
  std::vector<StoredValue>& stored_;
  const RowTexts* original_;
  std::size_t count_ = 0;
};

}  // namespace

void AppendJsonString(Utf8Text& out, std::u16string_view text) {
  constexpr std::size_t kMostBytes = 6;  // a control's "\u001F"
  char* at = out.Extend(2 + kMostBytes * text.size());
  *at++ = '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
      *at++ = static_cast<char>(unit);  // most of every report
    } else if (unit == u'"' || unit == u'\\') {
      *at++ = '\\';
      *at++ = static_cast<char>(unit);
    } else if (unit < 0x20 || unit == 0x7F) {
      *at++ = '\\';
      *at++ = 'u';
      for (int shift = 12; shift >= 0; shift -= 4) {
        *at++ = "0123456789ABCDEF"[(unit >> shift) & 0xF];
      }
    } else {
      // A pair is written whole; a lone surrogate becomes U+FFFD.
      std::size_t units =
          IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1]) ? 2 : 1;
      at = WriteUtf8(at, text.substr(i, units));
      i += units - 1;
    }
  }
  *at++ = '"';
  out.Commit(at);
}

std::string IsoTime(std::int64_t seconds) {
  // Days to a civil date by the proleptic Gregorian calendar, the same on
  // every platform and for any time a directory listing may report.
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  std::int64_t doe = days - era * 146097;
  std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  std::int64_t mp = (5 * doy + 2) / 153;
  std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
  std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  auto two = [](std::int64_t n) {
    return std::string{static_cast<char>('0' + n / 10),
                       static_cast<char>('0' + n % 10)};
  };
  std::string y = std::to_string(year);
  if (year >= 0 && year < 1000) y.insert(0, 4 - y.size(), '0');
  return y + '-' + two(month) + '-' + two(day) + 'T' + two(rest / 3600) + ':' +
         two(rest / 60 % 60) + ':' + two(rest % 60) + 'Z';
}

RowTexts OriginalJson(SetFileView original) {
  std::vector<StoredValue> stored;
  return FormatRows(original, [&](const NotedSetting& noted,
                                  std::u16string_view value, Utf8Text& out) {
    out.append(",\"original\":{");
    AppendShown(out, noted, noted.record, value, stored);
    out.append("}}");
  });
}

void JsonObjects::AppendDecompile(Utf8Text& out, const JsonSource& file,
                                  SetFileView image) {
  out.push_back('{');
  AppendSource(out, file);
  out.append(",\"settings\":[");
  SettingObjects settings(out, report_, stored_, nullptr);
  RenderDecompileReport({}, image, report_, {.sink = &settings});
  out.append("]}");
}

std::size_t JsonObjects::AppendComparison(
    Utf8Text& out, const JsonSource& original_file, const JsonSource& file,
    SetFileView original, SetFileView printed, const RowTexts& original_json,
    const KeywordFilter* ignore) {
  out.push_back('{');
  AppendSource(out, file);
  out.append(",\"original\":{");
  AppendSource(out, original_file);
  out.append("},\"settings\":[");
  SettingObjects settings(out, report_, stored_, &original_json);
  RenderComparisonReport({}, {}, original, printed, report_,
                         {.sink = &settings, .ignore = ignore});
  out.append("]}");
  return settings.count();
}

}  // namespace quorlith
