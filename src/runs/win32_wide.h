#pragma once

#include <string>
#include <string_view>

#include "text/report_text.h"

namespace quorlith {

// Paths are UTF-8 inside the program and UTF-16 at every Windows call,
// which always goes to a ...W function: no ANSI code page takes part. A
// lone surrogate in a Windows name becomes U+FFFD, so such a file shows in
// the log but cannot be opened by that name.
inline std::wstring Widen(std::string_view utf8) {
  std::u16string text = Utf8ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace quorlith
