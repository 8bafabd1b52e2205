#include "text/report_text.h"

namespace quorlith {

template <typename Unit>
void TextBuffer<Unit>::Grow(std::size_t more) {
  std::size_t capacity =
      std::max({size_ + more, 2 * capacity_, std::size_t{256}});
  // Left uninitialised: every unit is written before it is read.
  auto units = std::make_unique_for_overwrite<Unit[]>(capacity);
  std::copy(begin(), end(), units.get());
  units_ = std::move(units);
  capacity_ = capacity;
}

template class TextBuffer<char16_t>;
template class TextBuffer<char>;

void AppendDecimal(std::u16string& out, std::int64_t value) {
  char16_t text[kLongestDecimal];
  out.append(text, WriteDecimal(text, value, 1));
}

void AppendZeroPadded(ReportText& out, std::int64_t value, int width) {
  std::size_t most =
      kLongestDecimal + static_cast<std::size_t>(std::max(width, 0));
  out.Commit(WriteDecimal(out.Extend(most), value, width));
}

void AppendAscii(ReportText& out, std::string_view ascii) {
  for (char c : ascii) out.push_back(static_cast<unsigned char>(c));
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length;
  char32_t code;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07u, minimum = 0x10000;
  } else {
    ++pos;
    return kNotUtf8;
  }
  if (pos + static_cast<std::size_t>(length) > s.size()) {
    ++pos;
    return kNotUtf8;
  }
  for (int i = 1; i < length; ++i) {
    unsigned char next = byte(pos + static_cast<std::size_t>(i));
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kNotUtf8;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return kNotUtf8;
  }
  pos += static_cast<std::size_t>(length);
  return code;
}

namespace {

template <typename Text>
void AppendCode(Text& out, char32_t code) {
  if (code < 0x10000) {
    out.push_back(static_cast<char16_t>(code));
  } else {
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  }
}

// Both a report and a plain string take decoded file names.
template <typename Text>
void AppendUtf8To(Text& out, std::string_view utf8) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t code = DecodeUtf8(utf8, pos);
    AppendCode(out, code == kNotUtf8 ? kReplacement : code);
  }
}

}  // namespace

void AppendUtf8(ReportText& out, std::string_view utf8) {
  AppendUtf8To(out, utf8);
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  AppendUtf8To(out, utf8);
  return out;
}

std::optional<std::size_t> DecodeValidUtf8(std::string_view utf8,
                                           std::u16string& out) {
  out.clear();
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t at = pos;
    char32_t code = DecodeUtf8(utf8, pos);
    if (code == kNotUtf8) return at;
    AppendCode(out, code);
  }
  return std::nullopt;
}

namespace {

template <bool kKeepSurrogates>
char* WriteUtf8Of(char* out, std::u16string_view text) {
  const char16_t* at = text.data();
  const char16_t* end = at + text.size();
  while (at != end) {
    // Eight or four units at a time while all are ASCII: most of every
    // report.
    constexpr std::uint64_t kNotAscii = 0xFF80FF80FF80FF80ull;
    if (end - at >= 4) {
      std::uint64_t low;
      std::memcpy(&low, at, 8);
      if ((low & kNotAscii) == 0) {
        std::uint64_t high = kNotAscii;
        if (end - at >= 8) std::memcpy(&high, at + 4, 8);
        int count = (high & kNotAscii) == 0 ? 8 : 4;
        for (int k = 0; k < count; ++k) out[k] = static_cast<char>(at[k]);
        at += count;
        out += count;
        continue;
      }
    }
    char32_t code = *at++;
    if (code < 0x80) {
      *out++ = static_cast<char>(code);
      continue;
    }
    if (code >= 0xD800 && code <= 0xDBFF && at != end && *at >= 0xDC00 &&
        *at <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (*at++ - 0xDC00u);
    } else if (!kKeepSurrogates && code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;
    }
    if (code < 0x800) {
      *out++ = static_cast<char>(0xC0 | (code >> 6));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      *out++ = static_cast<char>(0xE0 | (code >> 12));
      *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
      *out++ = static_cast<char>(0xF0 | (code >> 18));
      *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace

char* WriteUtf8(char* out, std::u16string_view text) {
  return WriteUtf8Of<false>(out, text);
}

char* WriteUtf8KeepingSurrogates(char* out, std::u16string_view text) {
  return WriteUtf8Of<true>(out, text);
}

void AppendKeptSurrogatesReplaced(Utf8Text& out, std::string_view bytes) {
  // A surrogate's three bytes are ED A0 80 to ED BF BF; a character's
  // from U+D000 to U+D7FF start ED 80 to ED 9F.
  for (std::size_t at = 0;;) {
    std::size_t lead = bytes.find('\xED', at);
    if (lead == std::string_view::npos || lead + 2 >= bytes.size()) {
      out.append(bytes.substr(at));
      return;
    }
    bool surrogate = static_cast<unsigned char>(bytes[lead + 1]) >= 0xA0;
    out.append(bytes.substr(at, lead - at));
    out.append(surrogate ? "\xEF\xBF\xBD" : bytes.substr(lead, 3));
    at = lead + 3;
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out(3 * text.size(), '\0');
  out.resize(
      static_cast<std::size_t>(WriteUtf8(out.data(), text) - out.data()));
  return out;
}

std::string EncodeReport(std::u16string_view text, ReportEncoding encoding) {
  std::string bytes;
  if (encoding == ReportEncoding::kUtf16) {
    std::span<const std::uint8_t> units = Utf16LeBytes(text);
    return {units.begin(), units.end()};
  }
  if (text.starts_with(u'\xFEFF')) text.remove_prefix(1);
  bytes = Utf16ToUtf8(text);
  if (encoding == ReportEncoding::kUtf8Lf) std::erase(bytes, '\r');
  return bytes;
}

}  // namespace quorlith
