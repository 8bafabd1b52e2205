#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlith {

// Message codes of the progress log. Do not renumber: users quote them.
enum class LogCode : std::uint32_t {
  kCannotFind = 0,
  kCannotOpen = 1,
  kCannotClose = 2,
  kCompareNeedsNames = 3,
  kCouldBeSetFile = 4,
  kWrongFormat = 5,
  kDecompiled = 6,
  kCompared = 7,
  kDecompiledCount = 8,
  kComparedCount = 9,
  kMarker = 10,
};

// True iff `code` reports a failure rather than progress.
constexpr bool IsError(std::uint32_t code) {
  return code <= static_cast<std::uint32_t>(LogCode::kWrongFormat) ||
         code > static_cast<std::uint32_t>(LogCode::kMarker);
}

// The text of a catalogue message with "%s" replaced by `text1` then
// `text2` and "%d" by `number`. Codes above 10 give the unknown-error text.
std::u16string FormatLogMessage(std::uint32_t code, std::u16string_view text1,
                                std::u16string_view text2, std::int32_t number);

// Turns every LF into CR LF (a CR before it stays, so "\r\n" becomes
// "\r\r\n", which the log pane shows as one line break) and drops text
// after the last LF. Text without any LF is taken whole.
std::u16string ConvertLineEnds(std::u16string_view text);

// The log of one run: at most kCapacity characters, kept for the desktop
// program's log pane, plus an optional echo that sees every message as it
// is logged, whether it fits or not (the console program prints there).
class LogBuffer {
 public:
  static constexpr std::size_t kCapacity = 128000;
  // The code of text appended as it is, outside the catalogue.
  static constexpr std::uint32_t kNoCode = 0xFFFFFFFF;
  using Echo = std::function<void(std::uint32_t code, std::u16string_view)>;

  // A `capacity` of 0 keeps no text at all: the console program prints
  // every message through the echo and has no pane to fill.
  explicit LogBuffer(Echo echo = {}, std::size_t capacity = kCapacity)
      : echo_(std::move(echo)), capacity_(capacity) {}

  // Obtains room for the whole capacity at once, so that a run never
  // allocates for its log; returns false when the memory is not there.
  [[nodiscard]] bool ReserveCapacity();

  // Empties the log before a run.
  void ResetLog();

  // Appends converted text unless it would bring the log to its capacity
  // or more; then the text is dropped, and later shorter text
  // may still fit. `code` is the message's, kept for each line appended.
  void AppendLogText(std::u16string_view formatted,
                     std::uint32_t code = kNoCode);

  // Logs message `code` (see FormatLogMessage) and passes its formatted
  // text to the echo.
  void LogMessage(LogCode code, std::u16string_view text1 = {},
                  std::u16string_view text2 = {}, std::int32_t number = 0);
  void LogMessage(std::uint32_t code, std::u16string_view text1,
                  std::u16string_view text2, std::int32_t number);

  // Logs a message that FormatLogMessage already formatted, as a worker
  // of a parallel run recorded it.
  void LogFormatted(std::uint32_t code, std::u16string_view formatted);

  std::u16string_view Text() const { return text_; }
  // True iff a message of an error code was logged since ResetLog.
  bool ErrorLogged() const { return errors_ > 0; }
  // Messages of an error code logged since ResetLog, whether the log had
  // room for them or not.
  std::size_t ErrorCount() const { return errors_; }
  // Lines of the messages the log had no room for since ResetLog.
  std::size_t LinesLeftOut() const { return lines_left_out_; }
  // The code of the message each line of Text() belongs to, in order: a
  // pane tells error lines and the lines that name a report by it.
  const std::vector<std::uint32_t>& LineCodes() const { return line_codes_; }

 private:
  std::u16string text_;
  std::vector<std::uint32_t> line_codes_;
  std::size_t errors_ = 0;
  std::size_t lines_left_out_ = 0;
  Echo echo_;
  std::size_t capacity_;
};

}  // namespace quorlith
