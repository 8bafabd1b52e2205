#include "sections/key_names.h"

#include <gtest/gtest.h>

#include <string>

#include "report/report_testing.h"

namespace quorlith {
namespace {

constexpr std::uint16_t kHome = 0xF406;
constexpr std::uint16_t kInsertKey = 0xF404;

// Written after text already in the line, which must stay.
std::string Written(const KeyStroke& stroke, KeyNameStyle style) {
  ReportText out = u"Key = ";
  WriteKeyStroke(out, stroke, style);
  return Readable(out);
}

TEST(KeyStroke, BothStyles) {
  struct Case {
    const char* label;
    KeyStroke stroke;
    const char* hot_key;  // without the line end the style adds
    const char* cursor_key;
  };
  const Case kCases[] = {
      {"prefix order",
       {.control = 1,
        .alt = 1,
        .shift = 1,
        .insert = 1,
        .windows = 1,
        .application = 1,
        .key_code = 97},
       "Control-Alt-Shift-Insert-Windows-Application-a",
       "Control-Alt-Shift-a"},
      {"all zero", {}, "Undefined", "Undefined "},
      {"control 2 alone", {.control = 2}, "", ""},
      {"alt 2 with key", {.alt = 2, .key_code = kHome}, "Home", "Home"},
      {"insert 2 alone", {.insert = 2}, "", "Undefined "},
      {"insert 1 alone", {.insert = 1}, "Insert-", "Undefined "},
      {"application 0xFFFF alone", {.application = 0xFFFF}, "", "Undefined "},
      {"control with code 0", {.control = 1}, "Control-", "Control-"},
      {"code 31", {.key_code = 31}, "", ""},
      {"space", {.key_code = 32}, "Space", "Space"},
      {"255", {.key_code = 255}, "\xC3\xBF", "\xC3\xBF"},
      {"256", {.key_code = 256}, "", ""},
      {"0xF3FF", {.key_code = 0xF3FF}, "", ""},
      {"application key", {.key_code = 0xF431}, "Application", "Application"},
      {"0xF432", {.key_code = 0xF432}, "0xF432", "0xF432"},
      {"keypad code without numpad", {.key_code = 0xF433}, "0xF433", "0xF433"},
      {"0xF440", {.key_code = 0xF440}, "0xF440", "0xF440"},
      {"0xF441", {.key_code = 0xF441}, "", ""},
      {"0xFFFF", {.key_code = 0xFFFF}, "", ""},
      {"numoff slash", {.numpad = 1, .key_code = 0xF433}, "NumOff-/", "0xF433"},
      {"numon enter",
       {.numpad = 1, .key_code = 0xF43C},
       "NumOn-Enter",
       "0xF43C"},
      {"numpad past keypad",
       {.numpad = 1, .key_code = 0xF43D},
       "Numpad-0xF43D",
       "0xF43D"},
      {"numpad before keypad",
       {.numpad = 1, .key_code = 0xF432},
       "Numpad-0xF432",
       "0xF432"},
      {"numpad alone", {.numpad = 1}, "Numpad-", "Undefined "},
      {"numpad 2 keeps code",
       {.numpad = 2, .key_code = 0xF437},
       "0xF437",
       "0xF437"},
      {"insert before numpad",
       {.insert = 1,
        .numpad = 1,
        .windows = 1,
        .application = 1,
        .key_code = kInsertKey},
       "Insert-Numpad-Windows-Application-Insert",
       "Insert"},
      {"windows after numoff",
       {.shift = 1, .numpad = 1, .windows = 1, .key_code = 0xF437},
       "Shift-NumOff-Windows-Enter",
       "Shift-0xF437"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Written(c.stroke, KeyNameStyle::kHotKey),
              "Key = " + std::string(c.hot_key) + "\n");
    EXPECT_EQ(Written(c.stroke, KeyNameStyle::kCursorKey),
              "Key = " + std::string(c.cursor_key));
  }
}

}  // namespace
}  // namespace quorlith
