#include "report/report_json.h"

#include <cstddef>

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

void AppendStored(std::string& out, const std::vector<StoredItem>& stored) {
  auto item = [&](const StoredItem& one) {
    if (const auto* number = std::get_if<std::int64_t>(&one)) {
      out += std::to_string(*number);
      return;
    }
    const std::u16string& text = std::get<std::u16string>(one);
    if (!HasLoneSurrogate(text)) {
      AppendJsonString(out, text);
      return;
    }
    // No JSON string holds a lone surrogate that every reader takes: the
    // units themselves, so that none is lost.
    out += "{\"units\":[";
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (i > 0) out += ',';
      out += std::to_string(static_cast<unsigned>(text[i]));
    }
    out += "]}";
  };
  if (stored.size() == 1) {
    item(stored.front());
    return;
  }
  out += '[';
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (i > 0) out += ',';
    item(stored[i]);
  }
  out += ']';
}

void AppendShown(std::string& out, const ShownSetting& shown) {
  out += "\"value\":";
  AppendJsonString(out, shown.value);
  out += ",\"stored\":";
  AppendStored(out, shown.stored);
}

void AppendSource(std::string& out, const JsonSource& file) {
  out += "\"path\":";
  AppendJsonString(out, Utf8ToUtf16(file.path));
  out += ",\"modified\":\"";
  out += IsoTime(file.modified);
  out += '"';
}

std::string FileJson(const JsonSource* original, const JsonSource& file,
                     const std::vector<ReportSetting>& settings) {
  std::string out = "{";
  AppendSource(out, file);
  if (original != nullptr) {
    out += ",\"original\":{";
    AppendSource(out, *original);
    out += '}';
  }
  out += ",\"settings\":[";
  for (std::size_t i = 0; i < settings.size(); ++i) {
    const ReportSetting& setting = settings[i];
    if (i > 0) out += ',';
    out += "{\"section\":";
    AppendJsonString(out, setting.section);
    out += ",\"keyword\":";
    AppendJsonString(out, setting.keyword);
    out += ',';
    AppendShown(out, setting.shown);
    if (original != nullptr) {
      out += ",\"original\":{";
      AppendShown(out, setting.original);
      out += '}';
    }
    out += '}';
  }
  out += "]}";
  return out;
}

}  // namespace

void AppendJsonString(std::string& out, std::u16string_view text) {
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (unit == u'"' || unit == u'\\') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit < 0x20 || unit == 0x7F) {
      out += "\\u";
      AppendHex(out, unit, 4);
    } else if (IsHigh(unit) && i + 1 < text.size() && IsLow(text[i + 1])) {
      out += Utf16ToUtf8(text.substr(i, 2));
      ++i;
    } else if (IsHigh(unit) || IsLow(unit)) {
      out += "\xEF\xBF\xBD";  // U+FFFD
    } else {
      out += Utf16ToUtf8(text.substr(i, 1));
    }
  }
  out += '"';
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

std::string DecompileJson(const JsonSource& file,
                          const std::vector<ReportSetting>& settings) {
  return FileJson(nullptr, file, settings);
}

std::string ComparisonJson(const JsonSource& original, const JsonSource& file,
                           const std::vector<ReportSetting>& settings) {
  return FileJson(&original, file, settings);
}

}  // namespace quorlith
