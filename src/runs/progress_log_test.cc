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

TEST(ProgressLog, LineEnds) {
  EXPECT_EQ(ConvertLineEnds(u"a\r\nb\nc"), u"a\r\r\nb\r\n");
  EXPECT_EQ(ConvertLineEnds(u"no line end"), u"no line end");
  EXPECT_EQ(ConvertLineEnds(u"\n"), u"\r\n");
}

TEST(ProgressLog, LimitDropsWhatDoesNotFit) {
  LogBuffer log;
  // 100 characters after conversion: the 1280th would reach the capacity
  // exactly and is dropped, a line one shorter then still fits.
  std::u16string line = std::u16string(97, u'x') + u"\r\n";
  for (int i = 0; i < 1280; ++i) log.AppendLogText(line);
  EXPECT_EQ(log.Text().size(), 127900u);
  EXPECT_EQ(log.LinesLeftOut(), 1u);
  log.AppendLogText(std::u16string(96, u'y') + u"\r\n");
  EXPECT_EQ(log.Text().size(), 127999u);
  EXPECT_EQ(log.LineCodes().size(), 1280u);
  log.ResetLog();
  log.AppendLogText(line);
  EXPECT_EQ(log.Text().size(), 100u);
  EXPECT_EQ(log.LinesLeftOut(), 0u);
}

TEST(ProgressLog, EchoSeesEveryMessage) {
  std::vector<std::uint32_t> codes;
  LogBuffer log([&](std::uint32_t code, std::u16string_view text) {
    codes.push_back(code);
    EXPECT_EQ(text.back(), u'\n');
  });
  std::u16string huge(LogBuffer::kCapacity, u'x');
  log.LogMessage(LogCode::kCannotOpen, huge);  // too long for the buffer
  log.LogMessage(LogCode::kCouldBeSetFile, huge);
  log.LogMessage(LogCode::kCouldBeSetFile, u"x.000");
  log.LogMessage(LogCode::kDecompiledCount, {}, {}, 1);
  EXPECT_EQ(codes, (std::vector<std::uint32_t>{1, 4, 4, 8}));
  EXPECT_EQ(log.Text().substr(log.Text().size() - 24),
            u"1 file(s) decompiled.\r\r\n");
  // Every message counts, kept or not; each kept line keeps its code.
  EXPECT_EQ(log.ErrorCount(), 3u);
  EXPECT_EQ(log.LinesLeftOut(), 3u);
  EXPECT_EQ(log.LineCodes(), (std::vector<std::uint32_t>{4, 4, 8}));
  log.ResetLog();  // a desktop program's next run starts clean
  EXPECT_FALSE(log.ErrorLogged());
  EXPECT_TRUE(log.LineCodes().empty());
}

}  // namespace
}  // namespace quorlith
