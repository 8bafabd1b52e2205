#include "compile/compiler.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "compile/keywords.h"
#include "report/report_settings.h"
#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

std::u16string Decompiled(const SetFileImage& image) {
  ReportText text;
  RenderDecompileReport({"/sets/A.000", {}}, image, text);
  return std::u16string(text.view());
}

bool SameImage(const SetFileImage& a, const SetFileImage& b) {
  for (std::size_t i = 0; i < kBlockCount; ++i) {
    auto id = static_cast<BlockId>(i);
    if (!std::ranges::equal(a.Block(id), b.Block(id))) return false;
  }
  return true;
}

std::string Problems(const CompileOutcome& outcome) {
  std::string text;
  for (const CompileProblem& p : outcome.problems) {
    text += std::to_string(p.line) + ":" + std::to_string(p.column) + ": " +
            Utf16ToUtf8(p.message) + "\n";
  }
  return text.substr(0, 3000);
}

TEST(CompilerTest, AReportOverItsOwnFileGivesTheFileBack) {
  std::mt19937 random(14);
  for (int i = 0; i < 500; ++i) {
    SetFileImage file = RandomSetFile(random).Image();
    SetFileImage compiled;
    CompileOutcome outcome = CompileReport(Decompiled(file), file, compiled);
    ASSERT_EQ(Problems(outcome), "") << i;
    ASSERT_TRUE(SameImage(compiled, file)) << i;
    EXPECT_EQ(outcome.created_from, "/sets/A.000");
  }
}

// The compile tells unchanged lines by Shows, the merge reads Value: the
// two must agree on every row, at a value's end and one unit either side.
TEST(CompilerTest, ShowsAgreesWithValueOnEveryRow) {
  SetFileImage file = BusySetFile(3).Image();
  ReportText text;
  ReportValues values(file, text);
  for (std::size_t row = 0; row <= Keywords::Get().size(); ++row) {
    std::u16string value(values.Value(row));
    SCOPED_TRACE(Utf16ToUtf8(value));
    EXPECT_TRUE(values.Shows(row, value));
    EXPECT_FALSE(values.Shows(row, value + u"\r"));
    EXPECT_FALSE(values.Shows(row, value + u"x"));
    if (!value.empty()) {
      EXPECT_FALSE(values.Shows(row, value.substr(0, value.size() - 1)));
    }
  }
}

TEST(CompilerTest, AnUnknownKeywordAfterTheLastRowIsLookedUpWithinTheRows) {
  // The rows after the one read last are tried first: after the model's
  // last row there are none, and the lookup must stop at its end.
  const Keywords& keywords = Keywords::Get();
  std::u16string last = keywords[keywords.size() - 1].keyword;
  std::u16string text =
      u"; Menu 2 - Keyboard\r\n" + last + u" = 1\r\nNo_Such_Keyword = 1\r\n";
  ParsedReport report{text};
  ASSERT_FALSE(report.outcome().problems.empty());
  EXPECT_EQ(Utf16ToUtf8(report.outcome().problems.back().message.substr(0, 33)),
            "unknown keyword \"No_Such_Keyword\"");
}

TEST(CompilerTest, AReportOverAnotherFileShowsEverySettingAsTheReportDoes) {
  std::mt19937 random(15);
  for (int i = 0; i < 500; ++i) {
    SetFileImage file = RandomSetFile(random).Image();
    SetFileImage base = RandomSetFile(random).Image();
    std::u16string report = Decompiled(file);
    SetFileImage compiled;
    CompileOutcome outcome = CompileReport(report, base, compiled);
    ASSERT_EQ(Problems(outcome), "") << i;
    ASSERT_TRUE(Decompiled(compiled) == report) << i;
    // Stored once for many bases, the report compiles to the same bytes.
    ParsedReport parsed(report);
    parsed.StoreAll();
    SetFileImage stored;
    ASSERT_EQ(Problems(parsed.Compile(base, stored)), "") << i;
    ASSERT_TRUE(SameImage(stored, compiled)) << i;
  }
}

TEST(CompilerTest, AComparisonOverItsOriginalLeavesNoDifferences) {
  std::mt19937 random(16);
  for (int i = 0; i < 500; ++i) {
    SetFileImage original = RandomSetFile(random).Image();
    SetFileImage changed = RandomSetFile(random).Image();
    ReportText report;
    RenderComparisonReport({"/o.000", {}}, {"/n.000", {}}, original, changed,
                           report);
    SetFileImage compiled;
    CompileOutcome outcome = CompileReport(report, original, compiled);
    ASSERT_EQ(Problems(outcome), "") << i;
    EXPECT_TRUE(outcome.comparison);
    // What is left differs only where no report can show it: a flag word
    // of 2 and one of 0 both read "not held", so both files show the line
    // alike.
    std::string visible;
    for (const ReportSetting& s : ComparisonSettings(compiled, changed)) {
      if (s.original.value == s.shown.value) continue;
      visible += Utf16ToUtf8(s.keyword + u": " + s.original.value + u" -> " +
                             s.shown.value) +
                 "\n";
    }
    ASSERT_EQ(visible.substr(0, 2000), "") << i;
  }
}

}  // namespace
}  // namespace quorlith

namespace quorlith {
namespace {

TEST(CompilerTest, AReportReadInPlaceReadsAsOneDecoded) {
  // A file read into a buffer of units becomes the text where it lies, its
  // mark skipped: it must read as the same bytes decoded, whatever came
  // before in the buffers that are swapped from report to report.
  auto utf16 = [](std::u16string_view text, bool half_unit) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
    if (half_unit) bytes.push_back('x');
    return bytes;
  };
  const std::string kFiles[] = {
      utf16(u"; a\r\nKey_Rate = 60\r\n", false),
      "\xEF\xBB\xBF; a\nKey_Rate = 60\n",
      utf16(u"\xFEFF; a mark twice\r\n", true),
      "",
      "\xFF",
      utf16(u"", false),
      "Key_Rate = 60",
  };
  ParsedReport decoded;
  ParsedReport in_place;
  std::u16string buffer = u"left from before";
  for (const std::string& file : kFiles) {
    SCOPED_TRACE(file.size());
    ByteView bytes(reinterpret_cast<const std::uint8_t*>(file.data()),
                   file.size());
    decoded.Read(bytes);
    buffer.resize((file.size() + 1) / 2);
    std::copy(file.begin(), file.end(), reinterpret_cast<char*>(buffer.data()));
    in_place.Read(buffer, file.size());
    EXPECT_EQ(in_place.text(), decoded.text());
    EXPECT_EQ(Problems(in_place.outcome()), Problems(decoded.outcome()));
    EXPECT_EQ(in_place.outcome().settings, decoded.outcome().settings);
  }
}

TEST(CompilerTest, EveryProblemOfAReportWithItsLineAndColumn) {
  struct Case {
    std::u16string line;
    std::size_t column;  // 0: the line compiles
    std::u16string message;
  };
  const std::u16string long_name(262, u'n');
  const Case kCases[] = {
      {u"; Menu 2 - Keyboard", 0, u""},
      {u"Key_Voice = Onn", 13,
       u"Key_Voice: \"Onn\" is not one of its values: Off, "
       u"On_with_Characters, On_with_Words, On_with_Words_And_Numbers, "
       u"On_with_Characters_And_Words, On_with_Characters_Words_And_Numbers, "
       u"On_With_Words_Interrupt, On_With_Words_And_Numbers_Interrupt"},
      {u"function_KEYS = on", 0, u""},  // letters without case
      {u"Key_Rate = 70000", 12,
       u"Key_Rate: \"70000\" is out of range: -32768 to 32767"},
      {u"Key_Pitch = 5x", 13, u"Key_Pitch: \"5x\" is not a number"},
      {u"Key_Volume =  12 ", 0, u""},  // blanks around a number
      {u"Key_Rat = 60", 1,
       u"unknown keyword \"Key_Rat\"; did you mean Key_Rate?"},
      {u"Key_Rate 60", 1, u"not a setting line: \"Key_Rate 60\" has no \"=\""},
      {u"Key_Textual = 1", 0, u""},
      {u"Key_Textual = 2", 15,
       u"Key_Textual: set twice with different values: \"1\" on line 11, "
       u"\"2\" here"},
      {u"Key_Textual = 1", 0, u""},  // the same value again is no conflict
      {u"; Menu 3 - Mouse Settings", 0, u""},
      {u"Bold = maybe", 8,
       u"Bold: \"maybe\" is not one of its values: off, on"},
      // The nearest by every letter, the first and the last too; of two
      // as near, the one the report writes first.
      {u"Bord = on", 1, u"unknown keyword \"Bord\"; did you mean Bold?"},
      {u"Key#1 = Home", 1, u"unknown keyword \"Key#1\"; did you mean Key#01?"},
      {u"; Menu 5 - Cursor Key Settings", 0, u""},
      {u"Key#01 = Alt-Nowhere Line", 10,
       u"Key#01: \"Alt-Nowhere\" is not a key name"},
      {u"Key#02 = Undefined Line", 10,
       u"Key#02: an undefined key runs no commands: \"Line\""},
      {u"Key#03 = Home Speak_Window", 10,
       u"Key#03: \"Speak_Window\" needs its argument after \"_\""},
      {u"Key#04 = Home Speak_Window_x", 10, u"Key#04: \"x\" is not a number"},
      {u"Key#05 = Home Line Jump", 10,
       u"Key#05: \"Jump\" is not one of its values: " +
           std::u16string(u"Undefined, Prior_Character_Before")},
      {u"; Menu 7 - Braille Settings", 0, u""},
      {u"Graphic_Symbol = 129", 18,
       u"Graphic_Symbol: \"129\" is not a set of braille dots: the digits 1 "
       u"to 8, each once"},
      {u"; Menu 10 - Dictionary Settings", 0, u""},
      {u"Exception_Dictionary_File = " + long_name, 29,
       u"Exception_Dictionary_File: \"" + long_name.substr(0, 60) +
           u"...\" is longer than its field: 262 units, 261 at most"},
      {u"; Hyperactive Window Characteristics", 0, u""},
      {u"Window#A_First_Command = Beep 3", 26,
       u"Window#A_First_Command: \"Beep\" takes no argument"},
      {u"Window#A_Second_Command = Speak_Window Q", 0, u""},
      // Commands past the table's, given by number, take no argument
      // either, the first past its end among them.
      {u"Window#B_First_Command = 9 x", 26,
       u"Window#B_First_Command: \"9\" takes no argument"},
      {u"Window#B_Second_Command = -1 x", 27,
       u"Window#B_Second_Command: \"-1\" takes no argument"},
      // A form over many windows fails alike for each: said once.
      {u"window#*h_First_Command = Beep 3", 27,
       u"Window#A_First_Command: \"Beep\" takes no argument"},
      // Past the last window a range is no form at all.
      {u"window#48-50_Left = 1", 1, u"unknown keyword \"window#48-50_Left\""},
      {u"window#y-{_Left = 1", 1, u"unknown keyword \"window#y-{_Left\""},
      {std::u16string(5000, u'x'), 1,
       u"the line is too long to be a setting line"},
  };
  std::u16string report =
      u"; Human readable SET file for Orvalen version 6.0\r\n"
      u"Screen_Voice = On\r\n";
  for (const Case& c : kCases) report += c.line + u"\r\n";
  SetFileImage base = BusySetFile(1).Image();
  SetFileImage image;
  std::vector<CompileProblem> expected = {
      {1, 47,
       u"a report of Orvalen version \"6.0\"; this compile reads version 7.0"},
      {2, 1, u"Screen_Voice: a setting line before any section header"},
  };
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    if (kCases[i].column != 0) {
      expected.push_back({i + 3, kCases[i].column, kCases[i].message});
    }
  }
  // Parsed as one base needs it, and stored once for many.
  ParsedReport stored(report);
  stored.StoreAll();
  for (const CompileOutcome& outcome :
       {CompileReport(report, base, image), stored.Compile(base, image)}) {
    ASSERT_EQ(outcome.problems.size(), expected.size()) << Problems(outcome);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const CompileProblem& got = outcome.problems[i];
      EXPECT_EQ(got.line, expected[i].line) << i;
      EXPECT_EQ(got.column, expected[i].column) << i;
      // A prefix for the long lists of names.
      EXPECT_EQ(Utf16ToUtf8(got.message.substr(0, expected[i].message.size())),
                Utf16ToUtf8(expected[i].message))
          << i;
    }
  }
}

}  // namespace
}  // namespace quorlith

namespace quorlith {
namespace {

// The global forms, each against the lines it must equal: a report that
// sets every record one by one.
TEST(CompilerTest, GlobalFormsSetEveryRecordTheyName) {
  SetFileImage base = BusySetFile(4).Image();
  ReportText own;
  RenderDecompileReport({}, base, own);
  // The key of Key#03, as the base's report writes it.
  std::size_t at = own.view().find(u"\r\nKey#03 = ") + 11;
  std::u16string key(own.view().substr(at, own.view().find(u' ', at) - at));
  struct Case {
    std::u16string global;
    std::vector<std::u16string> one_by_one;
  };
  std::vector<Case> cases = {
      {u"window#*s_Top = 7", {}},
      {u"WINDOW#*H_Interrupt = Yes", {}},
      {u"window#3-5_Left = -2",
       {u"Window#3_Left = -2", u"Window#4_Left = -2", u"Window#5_Left = -2"}},
      {u"window#b-c_Comment_Line = two words",
       {u"Window#B_Comment_Line = two words",
        u"Window#C_Comment_Line = two words"}},
      {u"cursor_key = " + key + u" Line Speak_Window_4", {}},
      // The ranges' edges: the first and last window of each kind.
      {u"window#0-1_Left = 3", {u"Window#0_Left = 3", u"Window#1_Left = 3"}},
      {u"window#48-49_Left = 3",
       {u"Window#48_Left = 3", u"Window#49_Left = 3"}},
      {u"window#y-z_Interrupt = No",
       {u"Window#Y_Interrupt = No", u"Window#Z_Interrupt = No"}},
  };
  for (std::size_t w = 0; w < 50; ++w) {
    cases[0].one_by_one.push_back(u"Window#" + Utf8ToUtf16(std::to_string(w)) +
                                  u"_Top = 7");
  }
  for (char16_t c = u'A'; c <= u'Z'; ++c) {
    cases[1].one_by_one.push_back(u"Window#" + std::u16string(1, c) +
                                  u"_Interrupt = Yes");
  }
  // Every cursor key bound to the same key as Key#03.
  for (std::size_t k = 1; k <= 46; ++k) {
    std::u16string name =
        u"Key#" + Utf8ToUtf16((k < 10 ? "0" : "") + std::to_string(k));
    std::size_t line = own.view().find(u"\r\n" + name + u" = " + key + u" ");
    if (line != std::u16string_view::npos) {
      cases[4].one_by_one.push_back(name + u" = " + key +
                                    u" Line Speak_Window_4");
    }
  }
  ASSERT_FALSE(cases[4].one_by_one.empty());
  for (const Case& c : cases) {
    std::u16string head = u"; Hyperactive Window Characteristics\r\n";
    std::u16string many = head;
    for (const std::u16string& line : c.one_by_one) many += line + u"\r\n";
    SetFileImage by_form, by_lines;
    CompileOutcome form = CompileReport(head + c.global, base, by_form);
    CompileOutcome lines = CompileReport(many, base, by_lines);
    EXPECT_EQ(Problems(form), "") << Utf16ToUtf8(c.global);
    EXPECT_EQ(Problems(lines), "") << Utf16ToUtf8(c.global);
    EXPECT_TRUE(SameImage(by_form, by_lines)) << Utf16ToUtf8(c.global);
    EXPECT_FALSE(SameImage(by_form, base)) << Utf16ToUtf8(c.global);
  }
  struct Bad {
    std::u16string line;
    std::u16string problem;
  };
  const Bad kBad[] = {
      {u"window#*s_Nothing = 1",
       u"1:1: window#*s_Nothing: no such window characteristic \"nothing\""},
      {u"window#9-3_Left = 1",
       u"1:1: window#9-3_Left: the range holds no window"},
      {u"cursor_key = Nowhere Line",
       u"1:14: cursor_key: \"Nowhere\" is not a key name"},
      {u"cursor_key = F24 Line",
       u"1:14: cursor_key: no cursor key is bound to \"F24\""},
      {u"any_hot_key = alt-l",
       u"1:1: any_hot_key: searches for a hot key; use it with --find"},
  };
  for (const Bad& b : kBad) {
    SetFileImage image;
    std::string got =
        Problems(CompileReport(u"; Menu 1 - Screen\r\n" + b.line, base, image));
    EXPECT_EQ(got, Utf16ToUtf8(b.problem).replace(0, 1, "2") + "\n");
  }
}

}  // namespace
}  // namespace quorlith
