#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "runs/progress_log.h"
#include "text/report_text.h"

namespace quorlith {

// A log that keeps what a run says as UTF-8 lines, each error marked
// "E " and each other message "  ", so a test compares a whole run's log
// as one text.
class MarkedLog {
 public:
  LogBuffer& buffer() { return buffer_; }

  // The lines so far, each ending in LF.
  std::string Text() const {
    std::string text = lines_;
    std::erase(text, '\r');
    return text;
  }

 private:
  std::string lines_;
  LogBuffer buffer_{[this](std::uint32_t code, std::u16string_view text) {
                      lines_ +=
                          (IsError(code) ? "E " : "  ") + Utf16ToUtf8(text);
                    },
                    0};
};

}  // namespace quorlith
