#include "codecs/key_names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

namespace quorlith {
namespace {

std::string Written(const KeyStroke& stroke, KeyNameStyle style) {
  ReportText out(u"Key = ");  // text already in the line, which must stay
  WriteKeyStroke(out, stroke, style);
  return Utf16ToUtf8(out);
}

// The words of a stroke: control, alt, shift, insert, numpad, windows,
// application and key code. The cursor-key style leaves the line open, so
// a trailing blank shows. (The goldens show the other kinds of strokes.)
TEST(KeyStroke, BothStyles) {
  // Each case: the stroke, then how each style writes it.
  const std::pair<KeyStroke, const char*> kCases[] = {
      {{1, 1, 1, 1, 0, 1, 1, 97},
       "Control-Alt-Shift-a|Control-Alt-Shift-Insert-Windows-Application-a"},
      {{2}, "|"},
      {{0, 0, 0, 2}, "Undefined |"},
      {{0, 0, 0, 0, 1}, "Undefined |Numpad-"},
      {{0, 0, 0, 1, 1, 1, 1, 0xF404},
       "Insert|Insert-Numpad-Windows-Application-Insert"},
      {{0, 0, 1, 0, 1, 1, 0, 0xF437},
       "Shift-0xF437|Shift-NumOff-Windows-Enter"},
  };
  for (const auto& [stroke, both] : kCases) {
    EXPECT_EQ(Written(stroke, KeyNameStyle::kCursorKey) + "|" +
                  Written(stroke, KeyNameStyle::kHotKey).substr(6),
              "Key = " + std::string(both));
  }
}

// Every key code's text must read back as a key that is written the same
// (the codes that have no name are all written as none): the ranges of
// names, characters and hex codes meet at edges that the random files of
// the round trips seldom hit.
TEST(KeyStroke, EveryKeyCodeReadsBackAsWritten) {
  int exact = 0;
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    for (KeyNameStyle style :
         {KeyNameStyle::kHotKey, KeyNameStyle::kCursorKey}) {
      KeyStroke stroke{.key_code = static_cast<std::uint16_t>(code)};
      ReportText out;
      WriteKeyStroke(out, stroke, style);
      std::u16string_view text = out.view();
      // A cursor key's undefined stroke ends at a blank.
      if (text.ends_with(u' ')) text.remove_suffix(1);
      std::optional<KeyStroke> back = ParseKeyStroke(text, style);
      ASSERT_TRUE(back) << code << " " << Utf16ToUtf8(out);
      ASSERT_EQ(Written(*back, style), "Key = " + Utf16ToUtf8(out)) << code;
      if (back->key_code == code) ++exact;
      // A code in hex reads only where the writer writes it so, its hex
      // digits in either case.
      char hex[8], typed[8];
      std::snprintf(hex, sizeof hex, "0x%04X", code);
      std::snprintf(typed, sizeof typed, code % 2 ? "0x%04X" : "0X%04x", code);
      std::optional<KeyStroke> read = ParseKeyStroke(Utf8ToUtf16(typed), style);
      EXPECT_EQ(read ? int{read->key_code} : -1,
                text.ends_with(Utf8ToUtf16(hex)) ? int(code) : -1)
          << typed;
    }
  }
  // In each style: the 7 control keys, the characters 33 to 255, the 50
  // named keys and the hex codes 0xF432 to 0xF440 read back as themselves.
  EXPECT_EQ(exact, 2 * (7 + 223 + 50 + 15));
  // Only hex digits make a hex code.
  for (std::u16string_view text :
       {u"0xF43G", u"0xF43g", u"0xF43:", u"0xF43@"}) {
    EXPECT_FALSE(ParseKeyStroke(text, KeyNameStyle::kHotKey));
    EXPECT_FALSE(ParseKeyStroke(text, KeyNameStyle::kCursorKey));
  }
}

}  // namespace
}  // namespace quorlith
