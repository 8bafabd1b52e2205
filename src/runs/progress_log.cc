#include "runs/progress_log.h"

#include <algorithm>
#include <array>
#include <new>

#include "text/report_text.h"

namespace quorlith {
namespace {

constexpr std::array<std::u16string_view, 11> kFormats = {
    u"Error: File %s cannot be found.\r\n",
    u"Error: Cannot open file %s\r\n",
    u"Error: Cannot close file %s\r\n",
    u"Error: You must specify the file names to be used with the compare "
    u"feature.\r\n",
    u"Error: %s could be a set file name. Please enter a file name that does "
    u"not\r\nuse an extension of the type .0*\r\n",
    u"Error: File %s does not match Orvalen version %s format.\r\n",
    u"%s decompiled to %s.\r\n",
    u"%s compared with %s\r\n",
    u"%d file(s) decompiled.\r\n",
    u"%d file(s) compared.\r\n",
    u"Marker reached\r\n",
};
static_assert(kFormats.size() ==
              static_cast<std::size_t>(LogCode::kMarker) + 1);
constexpr std::u16string_view kUnknownFormat =
    u"An unknown error has occurred.\r\n";

}  // namespace

std::u16string FormatLogMessage(std::uint32_t code, std::u16string_view text1,
                                std::u16string_view text2,
                                std::int32_t number) {
  std::u16string_view format =
      code < kFormats.size() ? kFormats[code] : kUnknownFormat;
  // Code 5 names the format version as its second text, whatever the
  // caller passed.
  if (code == static_cast<std::uint32_t>(LogCode::kWrongFormat)) {
    text2 = u"7.0";
  }
  std::u16string out;
  out.reserve(format.size() + text1.size() + text2.size());
  int texts_used = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u's') {
        out.append(texts_used++ == 0 ? text1 : text2);
        ++i;
        continue;
      }
      if (format[i + 1] == u'd') {
        AppendDecimal(out, number);
        ++i;
        continue;
      }
    }
    out.push_back(format[i]);
  }
  return out;
}

std::u16string ConvertLineEnds(std::u16string_view text) {
  std::size_t last_lf = text.rfind(u'\n');
  if (last_lf == std::u16string_view::npos) return std::u16string(text);
  std::u16string out;
  out.reserve(text.size() + 4);
  for (std::size_t i = 0; i <= last_lf; ++i) {
    if (text[i] == u'\n') {
      out.append(u"\r\n");
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

bool LogBuffer::ReserveCapacity() {
  try {
    text_.reserve(capacity_);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void LogBuffer::ResetLog() {
  text_.clear();
  line_codes_.clear();
  errors_ = 0;
  lines_left_out_ = 0;
}

void LogBuffer::AppendLogText(std::u16string_view formatted,
                              std::uint32_t code) {
  std::u16string converted = ConvertLineEnds(formatted);
  auto lines = static_cast<std::size_t>(
      std::count(converted.begin(), converted.end(), u'\n'));
  if (text_.size() + converted.size() >= capacity_) {
    // A log without room at all (the console's) leaves nothing out: it
    // was never meant to keep anything.
    if (capacity_ > 0) lines_left_out_ += lines;
    return;
  }
  text_.append(converted);
  line_codes_.insert(line_codes_.end(), lines, code);
}

void LogBuffer::LogMessage(LogCode code, std::u16string_view text1,
                           std::u16string_view text2, std::int32_t number) {
  LogMessage(static_cast<std::uint32_t>(code), text1, text2, number);
}

void LogBuffer::LogMessage(std::uint32_t code, std::u16string_view text1,
                           std::u16string_view text2, std::int32_t number) {
  LogFormatted(code, FormatLogMessage(code, text1, text2, number));
}

void LogBuffer::LogFormatted(std::uint32_t code,
                             std::u16string_view formatted) {
  if (IsError(code)) ++errors_;
  AppendLogText(formatted, code);
  if (echo_) echo_(code, formatted);
}

}  // namespace quorlith
