#include "compile/compiler.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "compile/compile_testing.h"
#include "report/keywords.h"
#include "report/report_settings.h"
#include "report/report_testing.h"
#include "report/report_writer.h"
#include "report/section_testing.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

using namespace std::string_literals;

std::u16string Decompiled(const SetFileImage& image) {
  ReportText text;
  RenderDecompileReport({"/sets/A.000", {}}, image, text);
  return std::u16string(text.view());
}

bool SameImage(const SetFileImage& a, const SetFileImage& b) {
  return std::ranges::equal(a.Body(), b.Body());
}

// Over its own file a report gives the file back; over another, a file
// whose report is the same, whether parsed for that base or stored once
// for many.
TEST(CompilerTest, AReportCompilesIntoAFileThatItShows) {
  std::mt19937 random(14);
  ParsedReport parsed;  // one for all: a report read forgets the last
  for (int i = 0; i < RandomFiles(500); ++i) {
    SetFileImage file = RandomSetFile(random).Image();
    SetFileImage base = RandomSetFile(random).Image();
    std::u16string report = Decompiled(file);
    SetFileImage own;
    CompileOutcome outcome = CompileReport(report, file, own);
    ASSERT_EQ(ProblemLines(outcome), "") << i;
    ASSERT_TRUE(SameImage(own, file)) << i;
    EXPECT_EQ(outcome.created_from, "/sets/A.000");
    SetFileImage compiled;
    ASSERT_EQ(ProblemLines(CompileReport(report, base, compiled)), "") << i;
    ASSERT_TRUE(Decompiled(compiled) == report) << i;
    std::string bytes = EncodeReport(report, ReportEncoding::kUtf16);
    parsed.Read(ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                         bytes.size()));
    parsed.StoreAll();
    SetFileImage stored;
    ASSERT_EQ(ProblemLines(parsed.Compile(base, stored)), "") << i;
    ASSERT_TRUE(SameImage(stored, compiled)) << i;
    // A comparison over its original leaves differences only where no
    // report can show them: a flag word of 2 and one of 0 both read "not
    // held", so both files show the line alike.
    ReportText comparison;
    RenderComparisonReport({"/o.000", {}}, {"/n.000", {}}, base, file,
                           comparison);
    outcome = CompileReport(comparison, base, compiled);
    ASSERT_EQ(ProblemLines(outcome), "") << i;
    EXPECT_TRUE(outcome.comparison);
    std::string visible;
    for (const ReportSetting& s : ComparisonSettings(compiled, file)) {
      if (s.original.value == s.shown.value) continue;
      visible += Utf16ToUtf8(s.keyword + u": " + s.original.value + u" -> " +
                             s.shown.value) +
                 "\n";
    }
    ASSERT_EQ(visible.substr(0, 2000), "") << i;
  }
}

// Blanks an editor strips: before every CR and LF it sees, and at the end.
// UTF-16 a unit at a time, UTF-8 a byte at a time: no byte of a longer
// sequence is a blank or a line end.
template <typename Text>
Text WithoutTrailingBlanks(const Text& text) {
  Text stripped;
  for (auto unit : text) {
    if (unit == '\r' || unit == '\n') {
      while (!stripped.empty() &&
             (stripped.back() == ' ' || stripped.back() == '\t')) {
        stripped.pop_back();
      }
    }
    stripped.push_back(unit);
  }
  return stripped;
}

std::string StrippedReport(std::u16string_view text, ReportEncoding encoding) {
  if (encoding == ReportEncoding::kUtf16) {
    return EncodeReport(WithoutTrailingBlanks(std::u16string(text)), encoding);
  }
  return WithoutTrailingBlanks(EncodeReport(text, encoding));
}

// What a user did not edit stays byte for byte: the report of a file, in
// every form the program writes it and with its trailing blanks stripped
// as editors do, compiles over that file to that file. For plausible files
// and for hostile ones, whose texts hold line ends and lone surrogates.
TEST(CompilerTest, EveryFormOfAReportCompilesBackToItsFile) {
  std::mt19937 random(33);
  ParsedReport parsed;
  auto image = std::make_unique<SetFileImage>();
  for (int i = 0; i < RandomFiles(1000); ++i) {
    SetFileImage file =
        (i % 2 == 0 ? RandomSetFile(random) : HostileSetFile(random)).Image();
    ReportText text;
    RenderDecompileReport({"/sets/A.000", {}}, file, text);
    for (ReportEncoding encoding :
         {ReportEncoding::kUtf16, ReportEncoding::kUtf8Crlf,
          ReportEncoding::kUtf8Lf}) {
      for (const std::string& bytes :
           {EncodeReport(text, encoding), StrippedReport(text, encoding)}) {
        parsed.Read(ByteView(
            reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        ASSERT_EQ(ProblemLines(parsed.Compile(file, *image)), "")
            << i << " " << static_cast<int>(encoding);
        ASSERT_TRUE(SameImage(*image, file))
            << i << " " << static_cast<int>(encoding);
      }
    }
  }
}

// The compile tells unchanged lines by Shows, the merge reads Value: the
// two must agree on every row, at a value's end and one unit either side,
// trailing blanks aside.
TEST(CompilerTest, ShowsAgreesWithValueOnEveryRow) {
  SetFileImage file = BusySetFile(3).Image();
  ReportText text;
  ReportValues values(file, text);
  for (std::size_t row = 0; row <= Keywords::Get().size(); ++row) {
    std::u16string value(values.Value(row));
    SCOPED_TRACE(Utf16ToUtf8(value));
    EXPECT_TRUE(values.Shows(row, value));
    EXPECT_TRUE(values.Shows(row, value + u" \t"));
    EXPECT_FALSE(values.Shows(row, value + u"\r"));
    EXPECT_FALSE(values.Shows(row, value + u"x"));
    if (!value.empty() && value.back() != u' ') {
      EXPECT_FALSE(values.Shows(row, value.substr(0, value.size() - 1)));
    }
  }
}

TEST(CompilerTest, AReportReadInPlaceReadsAsOneDecoded) {
  // A file read into a buffer of units becomes the text where it lies, its
  // mark skipped: it must read as the same bytes decoded, whatever came
  // before in the buffers that are swapped from report to report.
  // Units as they lie on the little-endian machines we build for.
  auto utf16 = [](std::u16string_view text, bool half_unit) {
    return "\xFF\xFE" +
           std::string(reinterpret_cast<const char*>(text.data()),
                       2 * text.size()) +
           (half_unit ? "x" : "");
  };
  const std::string kFiles[] = {
      utf16(u"; a\nKey_Rate = 60\n", false),
      utf16(u"; a\r\nKey_Rate = 60\r\n", false),
      "\xEF\xBB\xBF; a\nKey_Rate = 60\n",
      utf16(u"\xFEFF; a mark twice\r\n", true),
      "",
      "\xFF",
      "\xFFKey_Rate = 60\n",   // one byte of the mark: no UTF-16
      "\xFF\xFE\0\0;\0\0\0"s,  // UTF-32 LE
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
    EXPECT_EQ(ProblemLines(in_place.outcome()),
              ProblemLines(decoded.outcome()));
    EXPECT_EQ(in_place.outcome().settings, decoded.outcome().settings);
  }
}

// The byte order mark tells the encoding. A report in any other, or UTF-8
// that is not valid (an older editor's "ANSI"), is one problem where the
// first bad byte stands; so is a report without a single setting.
TEST(CompilerTest, AReportIsUtf16LeOrValidUtf8WithASetting) {
  const std::string kLines = "; Menu 2 - Keyboard\nKey_Rate = 60\n";
  const std::string kUtf16 = "\xFF\xFE;\0\n\0"s;
  const std::string kNotText =
      "not UTF-8 or UTF-16 LE: save the report as UTF-8 or Unicode\n";
  const std::pair<std::string, std::string> kCases[] = {
      {kLines, ""},
      {"\xEF\xBB\xBF" + kLines, ""},
      {kUtf16 + "K\0=\0"s,
       "2:1: K: a setting line before any section header\n"},
      {"\xFE\xFF\0;"s + kLines, "1:1: " + kNotText},  // UTF-16 BE
      {"\xFF\xFE\0\0;\0\0\0"s, "1:1: " + kNotText},   // UTF-32 LE
      {"\0\0\xFE\xFF\0\0\0;"s, "1:1: " + kNotText},   // UTF-32 BE
      {kLines + "Key_Voice = Gr\xF6\xDF"
                "e\n",
       "3:15: " + kNotText},
      {"", "0:0: no setting line\n"},
      {"\xFF\xFE", "0:0: no setting line\n"},
      {"; Menu 2 - Keyboard\r\n\r\n", "0:0: no setting line\n"},
  };
  ParsedReport parsed;
  SetFileImage image;
  for (const auto& [bytes, problems] : kCases) {
    SCOPED_TRACE(bytes);
    parsed.Read(ByteView(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                         bytes.size()));
    EXPECT_EQ(ProblemLines(parsed.Compile(image, image)), problems);
  }
}

// Each menu's title begins a section: a report of one title and the
// setting line after it compiles, whatever menu comes first.
TEST(CompilerTest, EveryMenuTitleBeginsASection) {
  SetFileImage base = BusySetFile(1).Image();
  std::u16string report = Decompiled(base);
  std::u16string_view view = report;
  int titles = 0;
  for (std::size_t at = 0; (at = view.find(u"\n; ", at)) != view.npos;) {
    std::u16string_view title =
        view.substr(at + 1, view.find(u'\r', at) - at - 1);
    at += 1;
    bool menu = title.starts_with(u"; Menu ") &&
                title.find(u'.') > title.find(u" - ");  // not a sub-menu
    if (!menu && title != u"; Window Characteristics") continue;
    std::size_t setting = view.find(u"\r\n", view.find(u" = ", at));
    while (view[setting + 2] == u';') setting = view.find(u"\r\n", setting + 2);
    setting += 2;
    std::size_t start = view.rfind(u'\n', setting) + 1;
    // Blanks after a title are no part of it.
    std::u16string text = std::u16string(title) + u" \t\r\n" +
                          std::u16string(view.substr(
                              start, view.find(u'\n', setting) - start + 1));
    SetFileImage image;
    EXPECT_EQ(ProblemLines(CompileReport(text, base, image)), "")
        << Utf16ToUtf8(text);
    ++titles;
  }
  EXPECT_EQ(titles, 11);  // menus 1 to 10 and the windows
}

// testdata/compile/problems.t00 holds a line for each kind of problem, and
// lines that must compile beside them; compile_problems.txt lists what the
// compile says, in full, so the lists of allowed names are checked too.
TEST(CompilerTest, EveryProblemOfAReportWithItsLineAndColumn) {
  std::string expected = ReadGolden("compile_problems.txt");
  for (bool stored : {false, true}) {
    EXPECT_EQ(LineDifferences(
                  expected,
                  CompileProblemsGolden(QUORLITH_TESTDATA_DIR, stored).text),
              "");
  }
}

// The lines "Window#<id><rest>" of windows `first` to `last`, numbered or,
// for hyperactive windows, lettered from A.
std::u16string EachWindow(int first, int last, bool hyperactive,
                          std::u16string_view rest) {
  std::u16string lines;
  for (int w = first; w <= last; ++w) {
    lines += u"Window#" +
             (hyperactive ? std::u16string(1, static_cast<char16_t>(u'A' + w))
                          : Utf8ToUtf16(std::to_string(w))) +
             std::u16string(rest) + u"\r\n";
  }
  return lines;
}

// The global forms, each against the lines it must equal: a report that
// sets every record one by one.
TEST(CompilerTest, GlobalFormsSetEveryRecordTheyName) {
  SetFileImage base = BusySetFile(4).Image();
  ReportText own;
  RenderDecompileReport({}, base, own);
  // The key of Key#03, as the base's report writes it.
  std::size_t at = own.view().find(u"\r\nKey#03 = ") + 11;
  std::u16string key(own.view().substr(at, own.view().find(u' ', at) - at));
  // Every cursor key bound to the same key as Key#03.
  std::u16string bound;
  for (std::size_t k = 1; k <= 46; ++k) {
    std::u16string name =
        u"Key#" + Utf8ToUtf16((k < 10 ? "0" : "") + std::to_string(k));
    std::size_t line = own.view().find(u"\r\n" + name + u" = " + key + u" ");
    if (line != std::u16string_view::npos) {
      bound += name + u" = " + key + u" Line Speak_Window_4\r\n";
    }
  }
  ASSERT_NE(bound, u"");
  const std::pair<std::u16string, std::u16string> kCases[] = {
      {u"window#*s_Top = 7", EachWindow(0, 49, false, u"_Top = 7")},
      {u"WINDOW#*H_Interrupt = Yes",
       EachWindow(0, 25, true, u"_Interrupt = Yes")},
      {u"window#3-5_Left = -2", EachWindow(3, 5, false, u"_Left = -2")},
      {u"window#b-c_Comment_Line = two words",
       EachWindow(1, 2, true, u"_Comment_Line = two words")},
      {u"cursor_key = " + key + u" Line Speak_Window_4", bound},
      // The ranges' edges: the first and last window of each kind.
      {u"window#0-1_Left = 3", EachWindow(0, 1, false, u"_Left = 3")},
      {u"window#48-49_Left = 3", EachWindow(48, 49, false, u"_Left = 3")},
      {u"window#y-z_Interrupt = No",
       EachWindow(24, 25, true, u"_Interrupt = No")},
      // A form applies where it stands, after the lines before it.
      {u"Key_Rate = 61\r\nKey_Pitch = 62\r\nKey#03 = F24 Line\r\n"
       u"cursor_key = F24 Line Speak_Window_4",
       u"Key_Rate = 61\r\nKey_Pitch = 62\r\nKey#03 = F24 Line "
       u"Speak_Window_4\r\n"},
      // A key is bound with its modifiers, each of them.
      {u"Key#03 = Control-F24 Line\r\nKey#04 = F24 Line\r\n"
       u"cursor_key = Control-F24 Line Speak_Window_4",
       u"Key#03 = Control-F24 Line Speak_Window_4\r\nKey#04 = F24 Line\r\n"},
  };
  for (const auto& [global, one_by_one] : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(global));
    std::u16string head = u"; Hyperactive Window Characteristics\r\n";
    SetFileImage by_form, by_lines;
    EXPECT_EQ(ProblemLines(CompileReport(head + global, base, by_form)), "");
    EXPECT_EQ(ProblemLines(CompileReport(head + one_by_one, base, by_lines)),
              "");
    EXPECT_TRUE(SameImage(by_form, by_lines));
    EXPECT_FALSE(SameImage(by_form, base));
  }
}

// Lines that read back as they were written. Blanks are a text's and a
// character's own, a set-file name's included: only around numbers and
// names are they an editor's.
TEST(CompilerTest, LinesReadBackAsWritten) {
  const std::u16string kLines[] = {
      u"; Menu 5 - Cursor Key Settings\r\n"
      u"Key#06 = Home Load_Set_my sets\\a b.000 Line",
      u"; Menu 10 - Dictionary Settings\r\nException_Dictionary_File =  a b ",
      u"; Menu 3 - Mouse Settings\r\nMouse_Tone =  ",
      // A window argument is its letter, from the first to the last.
      u"; Hyperactive Window Characteristics\r\n"
      u"Window#A_First_Command = Speak_Window A",
      u"; Hyperactive Window Characteristics\r\n"
      u"Window#B_First_Command = Speak_Window Z",
  };
  for (const std::u16string& lines : kLines) {
    SCOPED_TRACE(Utf16ToUtf8(lines));
    SetFileImage image;
    EXPECT_EQ(ProblemLines(CompileReport(lines, BusySetFile(4).Image(), image)),
              "");
    std::u16string line = lines.substr(lines.find(u"\r\n") + 2);
    EXPECT_NE(Decompiled(image).find(u"\r\n" + line + u"\r\n"),
              std::u16string::npos);
  }
  // Comparisons fold a file name's letters; a compile stores them as typed.
  const std::u16string kSection = u"; Menu 10 - Dictionary Settings\r\n";
  SetFileImage upper, lower;
  ASSERT_EQ(ProblemLines(CompileReport(
                kSection + u"Exception_Dictionary_File = DEFAULT.EXC",
                BusySetFile(4).Image(), upper)),
            "");
  ASSERT_EQ(
      ProblemLines(CompileReport(
          kSection + u"Exception_Dictionary_File = default.exc", upper, lower)),
      "");
  EXPECT_NE(Decompiled(lower).find(u"File = default.exc\r\n"),
            std::u16string::npos);
}

}  // namespace
}  // namespace quorlith
