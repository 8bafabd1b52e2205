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
#include "sections/schema.h"
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

ByteView Bytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
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
TEST(CompilerTest, AReportCompilesIntoAFileThatItShows) {
  std::mt19937 random(14);
  ParsedReport parsed;  // one for all: a report read forgets the last
  auto image = std::make_unique<SetFileImage>();
  for (int i = 0; i < RandomFiles(1000); ++i) {
    SetFileImage file =
        (i % 2 == 0 ? RandomSetFile(random) : HostileSetFile(random)).Image();
    std::u16string report = Decompiled(file);
    for (ReportEncoding encoding :
         {ReportEncoding::kUtf8Lf, ReportEncoding::kUtf8Crlf,
          ReportEncoding::kUtf16}) {
      for (const std::string& bytes :
           {StrippedReport(report, encoding), EncodeReport(report, encoding)}) {
        parsed.Read(Bytes(bytes));
        ASSERT_EQ(ProblemLines(parsed.Compile(file, *image)), "")
            << i << " " << bytes.size();
        ASSERT_TRUE(SameImage(*image, file)) << i << " " << bytes.size();
      }
    }
  }
}

// Over another base a plausible file's report gives a file whose report is
// the same, whether parsed for that base or stored once for many. (No other
// file shows a hostile one's texts.) A test of its own, so that ctest runs
// it beside the one above.
TEST(CompilerTest, AReportCompilesOverAnotherBase) {
  std::mt19937 random(15);
  ParsedReport parsed;
  auto image = std::make_unique<SetFileImage>();
  for (int i = 0; i < RandomFiles(300); ++i) {
    SetFileImage file = RandomSetFile(random).Image();
    std::u16string report = Decompiled(file);
    parsed.Read(Bytes(EncodeReport(report, ReportEncoding::kUtf16)));
    SetFileImage base = RandomSetFile(random).Image();
    SetFileImage compiled;
    ASSERT_EQ(ProblemLines(CompileReport(report, base, compiled)), "") << i;
    ASSERT_TRUE(Decompiled(compiled) == report) << i;
    parsed.StoreAll();
    ASSERT_EQ(ProblemLines(parsed.Compile(base, *image)), "") << i;
    ASSERT_TRUE(SameImage(*image, compiled)) << i;
    // A comparison over its original leaves differences only where no
    // report can show them: a flag word of 2 and one of 0 both read "not
    // held", so both files show the line alike.
    ReportText comparison;
    RenderComparisonReport({"/o.000", {}}, {"/n.000", {}}, base, file,
                           comparison);
    CompileOutcome outcome = CompileReport(comparison, base, compiled);
    ASSERT_EQ(ProblemLines(outcome), "") << i;
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

// The byte order mark tells the encoding. A report in any other, or UTF-8
// that is not valid (an older editor's "ANSI"), is one problem where the
// first bad byte stands; so is a report without a single setting. A file
// read into a buffer of units becomes the text where it lies, its mark
// skipped: it must read as the same bytes decoded, whatever came before in
// the buffers that are swapped from report to report.
TEST(CompilerTest, AReportIsUtf16LeOrValidUtf8WithASetting) {
  auto utf16 = [](std::u16string_view text) {
    return EncodeReport(u"\xFEFF" + std::u16string(text),
                        ReportEncoding::kUtf16);
  };
  const std::string kLines = "; Menu 2 - Keyboard\nKey_Rate = 60\n";
  const std::string kNotText =
      "not UTF-8 or UTF-16 LE: save the report as UTF-8 or Unicode\n";
  const std::string kNoSetting = "0:0: no setting line\n";
  const std::pair<std::string, std::string> kCases[] = {
      {"\xEF\xBB\xBF" + kLines, ""},
      {utf16(u"; Menu 2 - Keyboard\r\nKey_Rate = 60\r\n"), ""},
      {utf16(u";\nK="), "2:1: K: a setting line before any section header\n"},
      {"\xFE\xFF\0;"s + kLines, "1:1: " + kNotText},  // UTF-16 BE
      {"\xFF\xFE\0\0;\0\0\0"s, "1:1: " + kNotText},   // UTF-32 LE
      {"\0\0\xFE\xFF\0\0\0;"s, "1:1: " + kNotText},   // UTF-32 BE
      {"\xFFKey_Rate = 60\n", "1:1: " + kNotText},    // one byte of the mark
      {"\xFF", "1:1: " + kNotText},
      {kLines + "Key_Voice = Gr\xF6\xDF"
                "e\n",
       "3:15: " + kNotText},
      {"", kNoSetting},
      {"\xFF\xFE", kNoSetting},
      {utf16(u"\xFEFF; a mark twice\r\n") + "x",  // and a half unit
       kNoSetting + "2:1: not a setting line: \"\uFFFD\" has no \"=\"\n"},
      {"; Menu 2 - Keyboard\r\n\r\n", kNoSetting},
  };
  ParsedReport decoded;
  ParsedReport in_place;
  std::u16string buffer = u"left from before";
  SetFileImage image;
  for (const auto& [file, problems] : kCases) {
    SCOPED_TRACE(file);
    decoded.Read(Bytes(file));
    EXPECT_EQ(ProblemLines(decoded.Compile(image, image)), problems);
    buffer.resize((file.size() + 1) / 2);
    std::copy(file.begin(), file.end(), reinterpret_cast<char*>(buffer.data()));
    in_place.Read(buffer, file.size());
    EXPECT_EQ(in_place.text(), decoded.text());
    EXPECT_EQ(ProblemLines(in_place.Compile(image, image)), problems);
  }
}

// Each section's title begins one, blanks after it aside.
TEST(CompilerTest, EverySectionTitleBeginsASection) {
  SetFileImage image;
  for (std::u16string_view title : SectionTitles()) {
    std::u16string text = std::u16string(title) + u" \t\r\nKey_Rate = 1";
    EXPECT_EQ(ProblemLines(CompileReport(text, image, image)), "")
        << Utf16ToUtf8(text);
  }
}

// testdata/compile/problems.t00 holds a line for each kind of problem
// that no other test points at (a setting before any title is in the
// table of encodings above; a cursor_key form that finds no key, an
// unknown window characteristic and a value off its list are in the
// console's lines), and lines that must compile beside them;
// compile_problems.txt lists what the compile says, in full, so the lists
// of allowed names are checked too.
// Among its lines: keywords and value names read without regard to case;
// blanks around a number no part of it; the same value again no conflict;
// the nearest keyword by every letter, the first and the last too, and of
// two as near the one the report writes first, but none unless nearer
// than a third of its letters and two; commands past the table's, given by
// number, the first past its end among them, take no argument either; a
// form over many windows that fails alike for each said once; a range past
// the last window no form at all; an unknown keyword after the last row,
// whose lookup must stop at the rows' end; a window form with no "_"
// before its characteristic; a number's range at each of its ends and one
// past them, in a name's field too; eleven digits a number, twelve not; a
// line of 4097 units too long, a comment of 4096 not; and messages that
// point at what they are about and name what was meant.
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
  const std::pair<std::u16string, std::u16string> kCases[] = {
      {u"window#*s_Top = 7", EachWindow(0, 49, false, u"_Top = 7")},
      {u"WINDOW#*H_Interrupt = Yes",
       EachWindow(0, 25, true, u"_Interrupt = Yes")},
      // The ranges' edges: the first and last window of each kind.
      {u"window#0-2_Left = 3", EachWindow(0, 2, false, u"_Left = 3")},
      {u"window#48-49_Left = 3", EachWindow(48, 49, false, u"_Left = 3")},
      {u"window#y-z_Comment_Line = two words",
       EachWindow(24, 25, true, u"_Comment_Line = two words")},
      // A form applies where it stands, after the lines before it, to
      // every key bound with the same modifiers, the first and the last.
      {u"Key#01 = Control-F24 Line\r\nKey#04 = F24 Line\r\n"
       u"Key#20 = Control-F24 Line\r\nKey#46 = Control-F24 Line\r\n"
       u"cursor_key = Control-F24 Line Speak_Window_4",
       u"Key#01 = Control-F24 Line Speak_Window_4\r\nKey#04 = F24 Line\r\n"
       u"Key#20 = Control-F24 Line Speak_Window_4\r\n"
       u"Key#46 = Control-F24 Line Speak_Window_4\r\n"},
  };
  for (const auto& [global, one_by_one] : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(global));
    std::u16string head = u"; Hyperactive Window Characteristics\r\n";
    SetFileImage by_form, by_lines;
    EXPECT_EQ(ProblemLines(CompileReport(head + global, base, by_form)), "");
    EXPECT_EQ(ProblemLines(CompileReport(head + one_by_one, base, by_lines)),
              "");
    EXPECT_TRUE(SameImage(by_form, by_lines));
  }
}

// Lines that read back as they were written, each over the file the one
// before made. Blanks are a text's and a character's own, a set-file
// name's included: only around numbers and names are they an editor's.
TEST(CompilerTest, LinesReadBackAsWritten) {
  const std::u16string kLines[] = {
      u"Key#06 = Home Load_Set_my sets\\a b.000 Line",
      u"Exception_Dictionary_File =  a b ",
      u"Mouse_Tone =  ",
      // A window argument is its letter, from the first to the last.
      u"Window#A_First_Command = Speak_Window A",
      u"Window#B_First_Command = Speak_Window Z",
      // Comparisons fold a file name's letters; a compile stores them as
      // typed.
      u"Exception_Dictionary_File = DEF.EXC",
      u"Exception_Dictionary_File = def.exc",
  };
  SetFileImage image = BusySetFile(4).Image();
  for (const std::u16string& line : kLines) {
    SCOPED_TRACE(Utf16ToUtf8(line));
    EXPECT_EQ(ProblemLines(
                  CompileReport(u"; Menu 1 - Screen\r\n" + line, image, image)),
              "");
    EXPECT_NE(Decompiled(image).find(u"\r\n" + line + u"\r\n"),
              std::u16string::npos);
  }
}

}  // namespace
}  // namespace quorlith
