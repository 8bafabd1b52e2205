#include "runs/progress_log.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlith {
namespace {

TEST(ProgressLog, Catalogue) {
  struct Case {
    std::uint32_t code;
    std::u16string expected;
  };
  const Case kCases[] = {
      {0, u"Error: File /s/*.000 cannot be found.\r\r\n"},
      {1, u"Error: Cannot open file /s/*.000\r\r\n"},
      {2, u"Error: Cannot close file /s/*.000\r\r\n"},
      {3,
       u"Error: You must specify the file names to be used with the compare "
       u"feature.\r\r\n"},
      {4,
       u"Error: /s/*.000 could be a set file name. Please enter a file name "
       u"that does not\r\r\nuse an extension of the type .0*\r\r\n"},
      {5,
       u"Error: File /s/*.000 does not match Orvalen version 7.0 "
       u"format.\r\r\n"},
      {6, u"/s/*.000 decompiled to /t.\r\r\n"},
      {7, u"/s/*.000 compared with /t\r\r\n"},
      {8, u"-3 file(s) decompiled.\r\r\n"},
      {9, u"-3 file(s) compared.\r\r\n"},
      {10, u"Marker reached\r\r\n"},
      {11, u"An unknown error has occurred.\r\r\n"},
      {0xFFFFFFFF, u"An unknown error has occurred.\r\r\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.code);
    LogBuffer log;
    log.LogMessage(c.code, u"/s/*.000", u"/t", -3);
    EXPECT_EQ(log.Text(), c.expected);
    EXPECT_EQ(log.ErrorLogged(), c.code <= 5 || c.code > 10);
  }
}

TEST(ProgressLog, LineEnds) {
  EXPECT_EQ(ConvertLineEnds(u"a\r\nb\nc"), u"a\r\r\nb\r\n");
  EXPECT_EQ(ConvertLineEnds(u"no line end"), u"no line end");
  EXPECT_EQ(ConvertLineEnds(u"\n"), u"\r\n");
}

TEST(ProgressLog, LimitDropsWhatDoesNotFit) {
  LogBuffer log;
  // Each line is 100 characters after conversion.
  std::u16string line(97, u'x');
  line += u"\r\n";
  for (int i = 0; i < 1279; ++i) log.AppendLogText(line);
  ASSERT_EQ(log.Text().size(), 127900u);
  log.AppendLogText(line);  // would reach 128000 exactly: dropped
  EXPECT_EQ(log.Text().size(), 127900u);
  std::u16string short_line(96, u'y');
  short_line += u"\r\n";  // 99 characters: 127999 still fits
  log.AppendLogText(short_line);
  EXPECT_EQ(log.Text().size(), 127999u);
  log.ResetLog();
  EXPECT_TRUE(log.Text().empty());
  log.AppendLogText(line);
  EXPECT_EQ(log.Text().size(), 100u);
}

TEST(ProgressLog, EchoSeesEveryMessage) {
  std::vector<std::uint32_t> codes;
  LogBuffer log([&](std::uint32_t code, std::u16string_view text) {
    codes.push_back(code);
    EXPECT_EQ(text.back(), u'\n');
  });
  std::u16string huge(LogBuffer::kCapacity, u'x');
  log.LogMessage(LogCode::kCannotOpen, huge);  // too long for the buffer
  log.LogMessage(LogCode::kDecompiledCount, {}, {}, 1);
  EXPECT_EQ(codes, (std::vector<std::uint32_t>{1, 8}));
  EXPECT_EQ(log.Text(), u"1 file(s) decompiled.\r\r\n");
  EXPECT_TRUE(log.ErrorLogged());

  LogBuffer echo_only(
      [&](std::uint32_t code, std::u16string_view) { codes.push_back(code); },
      0);
  echo_only.LogMessage(LogCode::kMarker);
  EXPECT_EQ(codes.back(), 10u);
  EXPECT_TRUE(echo_only.Text().empty());
}

}  // namespace
}  // namespace quorlith
