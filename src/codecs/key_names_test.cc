#include "codecs/key_names.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace quorlith {
namespace {

std::string Readable(const ReportText& text) { return Utf16ToUtf8(text); }

// Written after text already in the line, which must stay.
std::string Written(const KeyStroke& stroke, KeyNameStyle style) {
  ReportText out(u"Key = ");
  WriteKeyStroke(out, stroke, style);
  return Readable(out);
}

TEST(KeyStroke, BothStyles) {
  std::ifstream table(std::string(QUORLITH_TESTDATA_DIR) +
                      "/tables/key_strokes.txt");
  int rows = 0;
  for (std::string row; std::getline(table, row);) {
    if (row.starts_with("#")) continue;
    SCOPED_TRACE(row);
    std::size_t bar = row.find(" | "), last = row.rfind(" | ");
    ASSERT_NE(bar, last);
    auto shown = [](std::string text) { return text == "(none)" ? "" : text; };
    std::string cursor_key = shown(row.substr(bar + 3, last - bar - 3));
    std::string hot_key = shown(row.substr(last + 3));
    KeyStroke stroke;
    std::map<std::string, std::uint16_t*> words = {
        {"control", &stroke.control},
        {"alt", &stroke.alt},
        {"shift", &stroke.shift},
        {"insert", &stroke.insert},
        {"numpad", &stroke.numpad},
        {"windows", &stroke.windows},
        {"application", &stroke.application},
        {"key", &stroke.key_code}};
    std::istringstream fields(row.substr(0, bar));
    for (std::string field; fields >> field && field != "(none)";) {
      std::size_t equals = field.find('=');
      ASSERT_TRUE(words.count(field.substr(0, equals))) << field;
      *words[field.substr(0, equals)] = static_cast<std::uint16_t>(
          std::stoul(field.substr(equals + 1), nullptr, 0));
    }
    EXPECT_EQ(Written(stroke, KeyNameStyle::kHotKey), "Key = " + hot_key);
    EXPECT_EQ(Written(stroke, KeyNameStyle::kCursorKey), "Key = " + cursor_key);
    ++rows;
  }
  EXPECT_GT(rows, 20);
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
      KeyStroke stroke;
      stroke.key_code = static_cast<std::uint16_t>(code);
      ReportText out;
      WriteKeyStroke(out, stroke, style);
      std::u16string_view text = out.view();
      // A cursor key's undefined stroke ends at a blank.
      if (text.ends_with(u' ')) text.remove_suffix(1);
      std::optional<KeyStroke> back = ParseKeyStroke(text, style);
      ASSERT_TRUE(back) << code << " " << Readable(out);
      ReportText again;
      WriteKeyStroke(again, *back, style);
      ASSERT_EQ(Readable(again), Readable(out)) << code;
      if (back->key_code == code) ++exact;
      // A code in hex reads only where the writer writes it so.
      char digits[8];
      std::snprintf(digits, sizeof digits, "0x%04X", code);
      std::u16string hex = Utf8ToUtf16(digits);
      EXPECT_EQ(ParseKeyStroke(hex, style).has_value(), text.ends_with(hex))
          << digits;
    }
  }
  // In each style: the 7 control keys, the characters 33 to 255, the 50
  // named keys and the hex codes 0xF432 to 0xF440 read back as themselves.
  EXPECT_EQ(exact, 2 * (7 + 223 + 50 + 15));
  // Hex digits as a user may type them: in either case, and no others.
  const std::pair<std::u16string_view, int> kHex[] = {
      {u"0xF43A", 0xF43A}, {u"0Xf43a", 0xF43A}, {u"0xF43G", -1},
      {u"0xF43g", -1},     {u"0xF43:", -1},     {u"0xF43@", -1},
  };
  for (KeyNameStyle style : {KeyNameStyle::kHotKey, KeyNameStyle::kCursorKey}) {
    for (auto [text, code] : kHex) {
      std::optional<KeyStroke> stroke = ParseKeyStroke(text, style);
      EXPECT_EQ(stroke ? stroke->key_code : -1, code) << Utf16ToUtf8(text);
    }
  }
}

}  // namespace
}  // namespace quorlith
