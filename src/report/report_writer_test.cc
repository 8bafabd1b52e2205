#include "report/report_writer.h"

#include <gtest/gtest.h>

#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

// The goldens show whole reports; these are what they cannot: fields of one
// digit, and a buffer that held another report.

TEST(ReportWriter, DateFieldsHaveTwoDigitsAtLeast) {
  ReportText out(u"left over from another report");
  RenderComparisonReport(
      {"/a.000", {1, 2, 3, 4, 5, 6}}, {"/b.000", {10, 11, 12, 13, 14, 16}},
      SetFileBuilder().Image(), SetFileBuilder().Image(), out);
  EXPECT_EQ(out[0], kByteOrderMark);
  std::string text = Readable(out);
  EXPECT_EQ(text.find("left over"), std::string::npos);
  EXPECT_NE(text.find("\n; Original set file last modified on 01/02/03 at "
                      "04:05.06\n; New set file last modified on 10/11/12 at "
                      "13:14.16\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace quorlith
