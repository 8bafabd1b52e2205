#include "sections/key_names.h"

#include <gtest/gtest.h>

#include <string>

#include "report/report_testing.h"
#include "report/value_names.h"

namespace quorlith {
namespace {

constexpr std::uint16_t kHome = 0xF406;
constexpr std::uint16_t kInsertKey = 0xF404;

// Strokes built by flag name so that the table rows read like key names.
KeyStroke Key(std::uint16_t code) {
  KeyStroke stroke;
  stroke.key_code = code;
  return stroke;
}
KeyStroke Control(KeyStroke s, std::uint16_t w = 1) {
  s.control = w;
  return s;
}
KeyStroke Alt(KeyStroke s, std::uint16_t w = 1) {
  s.alt = w;
  return s;
}
KeyStroke Shift(KeyStroke s, std::uint16_t w = 1) {
  s.shift = w;
  return s;
}
KeyStroke Insert(KeyStroke s, std::uint16_t w = 1) {
  s.insert = w;
  return s;
}
KeyStroke Numpad(KeyStroke s, std::uint16_t w = 1) {
  s.numpad = w;
  return s;
}
KeyStroke Windows(KeyStroke s, std::uint16_t w = 1) {
  s.windows = w;
  return s;
}
KeyStroke Application(KeyStroke s, std::uint16_t w = 1) {
  s.application = w;
  return s;
}

std::string Written(const KeyStroke& stroke, KeyNameStyle style) {
  ReportText out;
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
      {"control alt home", Control(Alt(Key(kHome))), "Control-Alt-Home",
       "Control-Alt-Home"},
      {"prefix order",
       Application(Windows(Insert(Shift(Alt(Control(Key(97))))))),
       "Control-Alt-Shift-Insert-Windows-Application-a", "Control-Alt-Shift-a"},
      {"letters as given", Shift(Key(65)), "Shift-A", "Shift-A"},
      {"lower x", Alt(Key(120)), "Alt-x", "Alt-x"},
      {"upper X", Key(88), "X", "X"},
      {"all zero", Key(0), "Undefined", "Undefined "},
      {"control 2 alone", Control(Key(0), 2), "", ""},
      {"alt 2 with key", Alt(Key(kHome), 2), "Home", "Home"},
      {"insert 2 alone", Insert(Key(0), 2), "", "Undefined "},
      {"insert 1 alone", Insert(Key(0)), "Insert-", "Undefined "},
      {"windows 2 alone", Windows(Key(0), 2), "", "Undefined "},
      {"application 0xFFFF alone", Application(Key(0), 0xFFFF), "",
       "Undefined "},
      {"control with code 0", Control(Key(0)), "Control-", "Control-"},
      {"space", Key(32), "Space", "Space"},
      {"backspace", Key(8), "Backspace", "Backspace"},
      {"tab", Key(9), "Tab", "Tab"},
      {"enter", Key(13), "Enter", "Enter"},
      {"escape", Key(27), "Escape", "Escape"},
      {"code 1", Control(Key(1)), "Control-", "Control-"},
      {"code 31", Key(31), "", ""},
      {"exclamation", Key(33), "!", "!"},
      {"slash", Key(47), "/", "/"},
      {"255", Key(255), "\xC3\xBF", "\xC3\xBF"},
      {"256", Key(256), "", ""},
      {"0xF3FF", Key(0xF3FF), "", ""},
      {"caps lock", Key(0xF400), "Caps_Lock", "Caps_Lock"},
      {"num lock", Key(0xF411), "Num_Lock", "Num_Lock"},
      {"F1", Key(0xF412), "F1", "F1"},
      {"F10", Key(0xF41B), "F10", "F10"},
      {"F24", Key(0xF429), "F24", "F24"},
      {"seperator", Key(0xF42F), "Seperator", "Seperator"},
      {"application key", Key(0xF431), "Application", "Application"},
      {"0xF432", Key(0xF432), "0xF432", "0xF432"},
      {"keypad code without numpad", Key(0xF433), "0xF433", "0xF433"},
      {"0xF43C without numpad", Key(0xF43C), "0xF43C", "0xF43C"},
      {"0xF440", Key(0xF440), "0xF440", "0xF440"},
      {"0xF441", Key(0xF441), "", ""},
      {"0xFFFF", Key(0xFFFF), "", ""},
      {"numoff slash", Numpad(Key(0xF433)), "NumOff-/", "0xF433"},
      {"numoff star", Numpad(Key(0xF434)), "NumOff-*", "0xF434"},
      {"numoff minus", Numpad(Key(0xF435)), "NumOff--", "0xF435"},
      {"numoff plus", Numpad(Key(0xF436)), "NumOff-+", "0xF436"},
      {"numoff enter", Numpad(Key(0xF437)), "NumOff-Enter", "0xF437"},
      {"numon slash", Numpad(Key(0xF438)), "NumOn-/", "0xF438"},
      {"numon minus", Numpad(Key(0xF43A)), "NumOn--", "0xF43A"},
      {"numon enter", Numpad(Key(0xF43C)), "NumOn-Enter", "0xF43C"},
      {"numpad past keypad", Numpad(Key(0xF43D)), "Numpad-0xF43D", "0xF43D"},
      {"numpad before keypad", Numpad(Key(0xF432)), "Numpad-0xF432", "0xF432"},
      {"numpad insert", Numpad(Key(kInsertKey)), "Numpad-Insert", "Insert"},
      {"numpad alone", Numpad(Key(0)), "Numpad-", "Undefined "},
      {"numpad 2 keeps code", Numpad(Key(0xF437), 2), "0xF437", "0xF437"},
      {"insert before numpad",
       Application(Windows(Numpad(Insert(Key(kInsertKey))))),
       "Insert-Numpad-Windows-Application-Insert", "Insert"},
      {"windows after numoff", Windows(Numpad(Shift(Key(0xF437)))),
       "Shift-NumOff-Windows-Enter", "Shift-0xF437"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Written(c.stroke, KeyNameStyle::kHotKey),
              std::string(c.hot_key) + "\n");
    EXPECT_EQ(Written(c.stroke, KeyNameStyle::kCursorKey), c.cursor_key);
  }
}

TEST(KeyStroke, HotKeyStyleEndsTheLineWithCrLf) {
  ReportText out;
  WriteKeyStroke(out, Control(Key(kHome)), KeyNameStyle::kHotKey);
  EXPECT_EQ(out, u"Control-Home\r\n");
  out.clear();
  WriteKeyStroke(out, Key(0), KeyNameStyle::kHotKey);
  EXPECT_EQ(out, u"Undefined\r\n");
}

TEST(KeyStroke, WritesAtTheEndOfTheOutput) {
  ReportText out = u"Key = ";
  WriteKeyStroke(out, Key(32), KeyNameStyle::kCursorKey);
  EXPECT_EQ(out, u"Key = Space");
}

TEST(KeyStroke, EqualityLooksAtEveryWord) {
  EXPECT_EQ(Key(5), Key(5));
  EXPECT_NE(Control(Key(5), 2), Key(5));
  EXPECT_NE(Application(Key(5)), Key(5));
  EXPECT_NE(Key(65), Key(97));
}

TEST(KeyNames, FunctionKeysFollowTheirNumber) {
  constexpr std::size_t kF1Row = 0xF412 - kFirstNamedKeyCode;
  for (std::size_t n = 1; n <= 24; ++n) {
    SCOPED_TRACE(n);
    std::u16string expected = u"F";
    AppendDecimal(expected, static_cast<std::int64_t>(n));
    EXPECT_EQ(KeyNames[kF1Row + n - 1], expected);
  }
}

TEST(HotKeyCommandNames, EmptyRowsAndEnds) {
  std::size_t named = 0;
  for (std::size_t i = 0; i < std::size(HotKeyCommandNames); ++i) {
    bool empty = HotKeyCommandNames[i].empty();
    bool expected_empty = i == 246 || (i >= 265 && i <= 269);
    EXPECT_EQ(empty, expected_empty) << "row " << i;
    if (!empty && i < 284) ++named;
  }
  EXPECT_EQ(named, 278u);
  EXPECT_EQ(HotKeyCommandNames[0], u"Prior_Character");
  EXPECT_EQ(HotKeyCommandNames[283], u"Reload_Script");
  EXPECT_EQ(HotKeyCommandNames[284], u"Any_Hot_Key");
}

TEST(HotKeyCommandNames, RowsAsIndexed) {
  struct Case {
    std::int32_t row;
    std::u16string_view name;
  };
  const Case kCases[] = {
      {4, u"Word"},
      {7, u"Line"},
      {19, u"Window_0"},
      {39, u"Read_Any_Window"},
      {126, u"Read_Entire_Screen"},
      {182, u"NextVisitted_Link"},
      {245, u"Line_Prior"},
      {247, u"Current_Cell"},
      {264, u"Previous_Cell"},
      {270, u"Toggle_All_Voices_Global"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(HotKeyCommandNames[static_cast<std::size_t>(c.row)], c.name);
  }
}

TEST(HotKeyCommandNames, OutOfRangeRowsWriteTheNumber) {
  struct Case {
    std::int32_t row;
    std::u16string_view expected;
  };
  const Case kCases[] = {
      {-1, u"-1"},           {0, u"Prior_Character"}, {246, u""},
      {284, u"Any_Hot_Key"}, {285, u"285"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.row);
    ReportText out;
    AppendName(out, HotKeyCommandNames, c.row);
    EXPECT_EQ(out, c.expected);
  }
}

TEST(CursorCommandNames, Ends) {
  EXPECT_EQ(CursorCommandNames[0], u"Undefined");
  EXPECT_EQ(CursorCommandNames[21], u"Title/Status");
  EXPECT_EQ(CursorCommandNames[24], u"Mouse_to_Window");
  EXPECT_EQ(CursorCommandNames[31], u"Office_Smart_Tab");
  EXPECT_EQ(OfficeAttributeNames[3], u"Show_All");
}

}  // namespace
}  // namespace quorlith
