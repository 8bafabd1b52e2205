#include "runs/progress_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "text/report_text.h"

namespace quorlith {
namespace {

TEST(ProgressLog, Catalogue) {
  std::ifstream table(std::string(QUORLITH_TESTDATA_DIR) +
                      "/tables/log_messages.txt");
  int rows = 0;
  for (std::string row; std::getline(table, row);) {
    if (row.starts_with("#")) continue;
    ++rows;
    SCOPED_TRACE(row);
    std::uint32_t code = static_cast<std::uint32_t>(std::stoul(row));
    std::string expected = row.substr(row.find(" | ") + 3) + " | ";
    for (std::size_t at; (at = expected.find(" | ")) != std::string::npos;) {
      expected.replace(at, 3, "\r\r\n");
    }
    LogBuffer log;
    log.LogMessage(code, u"/s/*.000", u"/t", -3);
    EXPECT_EQ(Utf16ToUtf8(log.Text()), expected);
    EXPECT_EQ(log.ErrorLogged(), code <= 5 || code > 10);
  }
  EXPECT_EQ(rows, 13);
}

// Text that would bring the log to its capacity is dropped, shorter text
// after it may still fit; the echo and the counts see every message, kept
// or not, and each kept line keeps its code.
TEST(ProgressLog, LimitDropsWhatDoesNotFit) {
  EXPECT_EQ(ConvertLineEnds(u"a\r\nb\nc"), u"a\r\r\nb\r\n");
  EXPECT_EQ(ConvertLineEnds(u"no line end"), u"no line end");
  std::vector<std::uint32_t> codes;
  LogBuffer log(
      [&](std::uint32_t code, std::u16string_view) { codes.push_back(code); });
  // 100 characters after conversion: the 1280th would reach the capacity
  // exactly and is dropped, a line one shorter then still fits.
  std::u16string line = std::u16string(97, u'x') + u"\r\n";
  for (int i = 0; i < 1280; ++i) log.AppendLogText(line, 4);
  EXPECT_EQ(log.Text().size(), 127900u);
  log.LogMessage(LogCode::kCouldBeSetFile, std::u16string(95, u'y'));
  log.LogMessage(LogCode::kDecompiledCount, {}, {}, 1);
  EXPECT_EQ(log.Text().substr(127900), u"1 file(s) decompiled.\r\r\n");
  EXPECT_EQ(codes, (std::vector<std::uint32_t>{4, 8}));
  EXPECT_EQ(log.ErrorCount(), 1u);
  EXPECT_EQ(log.LinesLeftOut(), 3u);  // the two of the message dropped
  EXPECT_EQ(log.LineCodes().size(), 1280u);
  EXPECT_EQ(log.LineCodes().back(), 8u);
  log.ResetLog();  // a desktop program's next run starts clean
  log.AppendLogText(line);
  EXPECT_EQ(log.Text().size(), 100u);
  EXPECT_EQ(log.LinesLeftOut(), 0u);
  EXPECT_FALSE(log.ErrorLogged());
  EXPECT_EQ(log.LineCodes().size(), 1u);
}

}  // namespace
}  // namespace quorlith
