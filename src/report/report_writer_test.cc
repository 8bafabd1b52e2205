#include "report/report_writer.h"

#include <gtest/gtest.h>

#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

// The goldens show whole reports, written over a buffer that held another;
// this is what they cannot: date fields of one digit.
TEST(ReportWriter, DateFieldsHaveTwoDigitsAtLeast) {
  ReportText out;
  RenderComparisonReport(
      {"/a.000", {1, 2, 3, 4, 5, 6}}, {"/b.000", {10, 11, 12, 13, 14, 16}},
      SetFileBuilder().Image(), SetFileBuilder().Image(), out);
  std::string text = Readable(out);
  EXPECT_NE(text.find("\n; Original set file last modified on 01/02/03 at "
                      "04:05.06\n; New set file last modified on 10/11/12 at "
                      "13:14.16\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace quorlith
