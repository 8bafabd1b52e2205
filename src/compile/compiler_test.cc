#include "compile/compiler.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "report/report_settings.h"
#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

std::u16string Decompiled(const SetFileImage& image) {
  ReportText text;
  RenderDecompileReport({"/sets/A.000", {}}, image, text);
  return text;
}

bool SameImage(const SetFileImage& a, const SetFileImage& b) {
  for (std::size_t i = 0; i < kBlockCount; ++i) {
    auto id = static_cast<BlockId>(i);
    if (!std::ranges::equal(a.Block(id), b.Block(id))) return false;
  }
  return true;
}

std::string Problems(const CompileOutcome& outcome) {
  std::string text;
  for (const CompileProblem& p : outcome.problems) {
    text += std::to_string(p.line) + ":" + std::to_string(p.column) + ": " +
            Utf16ToUtf8(p.message) + "\n";
  }
  return text.substr(0, 3000);
}

TEST(CompilerTest, AReportOverItsOwnFileGivesTheFileBack) {
  std::mt19937 random(14);
  for (int i = 0; i < 500; ++i) {
    SetFileImage file = RandomSetFile(random).Image();
    SetFileImage compiled;
    CompileOutcome outcome = CompileReport(Decompiled(file), file, compiled);
    ASSERT_EQ(Problems(outcome), "") << i;
    ASSERT_TRUE(SameImage(compiled, file)) << i;
    EXPECT_EQ(outcome.created_from, "/sets/A.000");
  }
}

TEST(CompilerTest, AReportOverAnotherFileShowsEverySettingAsTheReportDoes) {
  std::mt19937 random(15);
  for (int i = 0; i < 500; ++i) {
    SetFileImage file = RandomSetFile(random).Image();
    SetFileImage base = RandomSetFile(random).Image();
    std::u16string report = Decompiled(file);
    SetFileImage compiled;
    CompileOutcome outcome = CompileReport(report, base, compiled);
    ASSERT_EQ(Problems(outcome), "") << i;
    ASSERT_TRUE(Decompiled(compiled) == report) << i;
  }
}

TEST(CompilerTest, AComparisonOverItsOriginalLeavesNoDifferences) {
  std::mt19937 random(16);
  for (int i = 0; i < 500; ++i) {
    SetFileImage original = RandomSetFile(random).Image();
    SetFileImage changed = RandomSetFile(random).Image();
    ReportText report;
    RenderComparisonReport({"/o.000", {}}, {"/n.000", {}}, original, changed,
                           report);
    SetFileImage compiled;
    CompileOutcome outcome = CompileReport(report, original, compiled);
    ASSERT_EQ(Problems(outcome), "") << i;
    EXPECT_TRUE(outcome.comparison);
    // What is left differs only where no report can show it: a flag word
    // of 2 and one of 0 both read "not held", so both files show the line
    // alike.
    std::string visible;
    for (const ReportSetting& s : ComparisonSettings(compiled, changed)) {
      if (s.original.value == s.shown.value) continue;
      visible += Utf16ToUtf8(s.keyword + u": " + s.original.value + u" -> " +
                             s.shown.value) +
                 "\n";
    }
    ASSERT_EQ(visible.substr(0, 2000), "") << i;
  }
}

}  // namespace
}  // namespace quorlith
