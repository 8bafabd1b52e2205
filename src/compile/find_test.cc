#include "compile/find.h"

#include <gtest/gtest.h>

#include "compile/compiler.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// A query's keyword and value are read as the compile reads them, and a
// setting holds the value when a comparison finds no difference: stored
// words and bits, letters folded only where comparisons fold them.
TEST(FindTest, SearchFormsListTheLinesThatMatch) {
  SetFileImage empty;
  SetFileImage image;
  CompileOutcome made = CompileReport(
      u"; Menu 4 - Hot Key Settings\n"
      u"Screen_Tone = M\n"
      u"Line = Insert-h\n"
      u"Word = Insert-H\n"
      u"Menu = Alt-l\n"
      u"Key#01 = Alt-Home Line \n"
      u"Key#07 = Alt-Home Word Line\n"
      u"Key#08 = Home Line \n"
      u"Graphic_Symbol = 78\n"
      u"Exception_Dictionary_File = MY.EXC\n"
      u"Window#2_Comment_Line = Status line\n"
      u"Window#5_Comment_Line = STATUS LINE\n"
      u"Window#B_Left = 7\n"
      u"Window#D_Left = 7\n",
      empty, image);
  ASSERT_EQ(made.problems.size(), 0u);
  struct Case {
    const char16_t* query;
    std::vector<std::u16string> lines;
    const char16_t* problem = u"";
  };
  const Case kCases[] = {
      {u"any_hot_key = insert-h", {u"Word = Insert-h", u"Line = Insert-h"}},
      {u"ANY_HOT_KEY=alt-l", {u"Menu = Alt-l"}},
      {u"cursor_key = alt-home",
       {u"Key#01 = Alt-Home Line ", u"Key#07 = Alt-Home Word Line"}},
      {u"window#*s_comment_line = STATUS LINE",
       {u"Window#5_Comment_Line = STATUS LINE"}},
      {u"window#a-c_Left = 7", {u"Window#B_Left = 7"}},
      {u"key_rate = 0", {u"Key_Rate = 0"}},
      {u"Screen_Tone = m", {}},
      {u"Graphic_Symbol = 87", {u"Graphic_Symbol = 78"}},
      {u"Exception_Dictionary_File = my.exc",
       {u"Exception_Dictionary_File = MY.EXC"}},
      {u"any_hot_key = Nowhere-x", {}, u"\"Nowhere-x\" is not a key name"},
      {u"Key_Rate", {}, u"\"Key_Rate\" is no search: write keyword = value"},
      {u"Key_Rate = 6o", {}, u"Key_Rate: \"6o\" is not a number"},
  };
  ReportText text;  // one for every search, as a worker keeps it
  for (const Case& c : kCases) {
    FindQuery query(c.query);
    EXPECT_EQ(query.Find(image, text), c.lines) << Utf16ToUtf8(c.query);
    EXPECT_EQ(Utf16ToUtf8(query.problem()), Utf16ToUtf8(c.problem));
  }
}

}  // namespace
}  // namespace quorlith
