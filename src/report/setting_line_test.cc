#include "report/setting_line.h"

#include <gtest/gtest.h>

#include "report/report_testing.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kBlock = BlockId::kDictionary;  // large enough for all
constexpr std::u16string_view kThreeNames[] = {u"Zero", u"One", u"Two"};

// What the goldens cannot show: bits a line does not read, a NUL for a
// character, and values past either end of a table of names.
TEST(SettingLine, Renderings) {
  struct Case {
    SettingLine line;
    std::uint16_t word;
    std::u16string expected;
  };
  const Case kCases[] = {
      {{u"K", 0, Rendering::kByteDecimal}, 0x01FF, u"K = 255"},
      {{u"K", 0, Rendering::kCharacter}, 0, std::u16string(u"K = \0", 5)},
      {{u"K", 0, Rendering::kName, kThreeNames}, 3, u"K = 3"},
      {{u"K", 0, Rendering::kName, kThreeNames}, 0xFFFE, u"K = -2"},
      {{u"K", 0, Rendering::kOneIsOn}, 0x101, u"K = Off"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.word);
    SetFileImage image = SetFileBuilder().SetWord(kBlock, 0, c.word).Image();
    ReportText out;
    ReportContext ctx{out, ReportKind::kDecompile, image, image};
    WriteSettingLine(ctx, ctx.Blocks(kBlock), c.line);
    EXPECT_EQ(out, c.expected + u"\r\n");
  }
}

TEST(SettingLine, ComparisonFilter) {
  struct Case {
    const char* label;
    SettingLine line;
    SetFileBuilder original;
    SetFileBuilder changed;
    bool differs;
  };
  constexpr SettingLine kWord{u"W", 2, Rendering::kDecimal};
  constexpr SettingLine kByte{u"B", 3, Rendering::kByteDecimal};
  constexpr SettingLine kText{u"T", 4, Rendering::kText, {}, 4};
  const Case kCases[] = {
      {"same word", kWord, SetFileBuilder(), SetFileBuilder(), false},
      {"word high byte", kWord, SetFileBuilder(),
       SetFileBuilder().SetByte(kBlock, 3, 1), true},
      {"byte ignores neighbour", kByte, SetFileBuilder(),
       SetFileBuilder().SetByte(kBlock, 2, 1), false},
      {"byte", kByte, SetFileBuilder(), SetFileBuilder().SetByte(kBlock, 3, 1),
       true},
      {"text case matters", kText, SetFileBuilder().SetText(kBlock, 4, u"ab"),
       SetFileBuilder().SetText(kBlock, 4, u"aB"), true},
      {"text filling its field", kText,
       SetFileBuilder().SetText(kBlock, 4, u"abcdx"),
       SetFileBuilder().SetText(kBlock, 4, u"abcdy"), false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    SetFileImage original = c.original.Image();
    SetFileImage changed = c.changed.Image();
    BlockPair pair{changed.Block(kBlock), original.Block(kBlock)};
    EXPECT_EQ(FieldDiffers(pair, c.line), c.differs);
    ReportText out;
    ReportContext ctx{out, ReportKind::kComparison, changed, original};
    WriteSettingLine(ctx, pair, c.line);
    EXPECT_EQ(out.empty(), !c.differs);
  }
}

constexpr SettingLine kSubLines[] = {
    {u"A", 0, Rendering::kDecimal},
    {u"B", 2, Rendering::kDecimal},
};
static_assert(FitsIn(kSubLines, 4));
static_assert(!FitsIn(kSubLines, 3));

void WriteTestSubSection(ReportContext& ctx) {
  WriteSubSection(ctx, ctx.Blocks(kBlock), {u"; Sub", kSubLines, 5 + 2 + 3});
}

TEST(SettingLine, SubSectionErasesWhenNothingDiffers) {
  SetFileImage original = SetFileBuilder().Image();
  SetFileImage changed = SetFileBuilder().SetWord(kBlock, 2, 9).Image();
  EXPECT_EQ(DecompileSectionText(WriteTestSubSection, original),
            "; Sub\nA = 0\nB = 0\n;\n");
  EXPECT_EQ(CompareSectionText(WriteTestSubSection, original, original), "");
  EXPECT_EQ(CompareSectionText(WriteTestSubSection, original, changed),
            "; Sub\nB = 9\n;\n");
}

}  // namespace
}  // namespace quorlith
