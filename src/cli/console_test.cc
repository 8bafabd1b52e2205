#include "cli/console.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <set>
#include <vector>

#include "cli/console_testing.h"
#include "report/keywords.h"
#include "report/section_testing.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() {
    fs_.SetCurrentDirectory("/cwd/");
    fs_.AddFile("/cwd/A.000", SetFileBuilder().Bytes());
    fs_.AddFile("/cwd/-B.000", SetFileBuilder().Bytes());
    fs_.AddFile("/cwd/BAD.000", {1, 2, 3});
  }
  FakeFileSystem fs_;
};

TEST_F(ConsoleTest, ExitStatusesAndStreams) {
  PlayTranscript(fs_, ReadGolden("cli/console.txt"));
  // The help as a user reads it, word for word; Windows' shells keep single
  // quotes, so no example there may stand in them.
#ifdef _WIN32
  const char kHelp[] = "help_windows.txt";
  EXPECT_FALSE(std::regex_search(ReadGolden(kHelp), std::regex("[ (]'")));
#else
  const char kHelp[] = "help.txt";
#endif
  EXPECT_EQ(RunConsoleWith(fs_, {"--help"}).out, ReadGolden(kHelp))
      << "After a change of the help that is meant, tools/regen-goldens.sh "
         "rewrites testdata/"
      << kHelp << ".";
}

// The keywords a --changes output lists ("Section › Keyword: old → new").
std::set<std::string> KeywordsChanged(const std::string& changes) {
  std::set<std::string> keywords;
  std::istringstream lines(changes);
  for (std::string line; std::getline(lines, line);) {
    std::size_t start = line.find("› ");
    if (start == std::string::npos) continue;
    start += std::string_view("› ").size();
    keywords.insert(line.substr(start, line.find(": ", start) - start));
  }
  return keywords;
}

// --set over random files, each with lines that take values from another
// file: in place and with -o it changes exactly the settings named, to
// what the lines say; a refused line anywhere writes nothing.
TEST(ConsoleSet, ChangesExactlyTheNamedSettingsOfRandomFiles) {
  std::mt19937 random(370);
  const Keywords& keywords = Keywords::Get();
  for (int i = 0; i < RandomFiles(100); ++i) {
    SCOPED_TRACE(i);
    FakeFileSystem fs;
    fs.SetCurrentDirectory("/cwd/");
    std::vector<std::uint8_t> original = RandomSetFile(random).Bytes();
    SetFileImage donor = RandomSetFile(random).Image();
    fs.AddFile("/cwd/F.000", original);
    fs.AddFile("/cwd/ORIG.000", original);
    std::vector<std::string> lines;
    std::set<std::string> named;
    for (int k = 0; k < 3; ++k) {
      const Keyword& entry = keywords[random() % keywords.size()];
      ReportText value;
      entry.setting->codec->render(value, entry.Record(donor.Body()),
                                   entry.setting->field);
      std::string keyword = Utf16ToUtf8(entry.keyword);
      if (named.insert(keyword).second) {
        lines.push_back(keyword + " = " + Utf16ToUtf8(value));
      }
    }
    auto run = [&](const std::vector<std::string>& sets,
                   std::vector<const char*> names) {
      std::vector<const char*> args;
      for (const std::string& line : sets) {
        args.insert(args.end(), {"--set", line.c_str()});
      }
      args.insert(args.end(), names.begin(), names.end());
      return RunConsoleWith(fs, args);
    };

    std::vector<std::string> refused = lines;
    refused.insert(
        refused.begin() + static_cast<long>(random() % (lines.size() + 1)),
        Utf16ToUtf8(keywords[random() % keywords.size()].keyword) + " = " +
            std::string(300, 'x'));
    ConsoleOutcome outcome = run(refused, {"F.000", "-o", "/out/"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("no set file written"), std::string::npos);
    EXPECT_EQ(run(refused, {"F.000"}).status, 1);
    EXPECT_EQ(fs.Paths(),
              (std::vector<std::string>{"/cwd/F.000", "/cwd/ORIG.000"}));
    EXPECT_EQ(fs.Find("/cwd/F.000")->bytes, original);

    ASSERT_EQ(run(lines, {"F.000", "-o", "/out/"}).status, 0);
    EXPECT_EQ(fs.Find("/cwd/F.000")->bytes, original);
    outcome = run(lines, {"F.000"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(fs.Find("/cwd/F.000")->bytes, fs.Find("/out/F.000")->bytes);
    std::string changes =
        RunConsoleWith(fs, {"--changes", "ORIG.000", "F.000"}).out;
    for (const std::string& keyword : KeywordsChanged(changes)) {
      EXPECT_TRUE(named.contains(keyword)) << changes;
    }
    // Each setting named reads as its line says, changed or not.
    for (const std::string& line : lines) {
      std::string keyword = line.substr(0, line.find(" = "));
      std::string shown =
          RunConsoleWith(fs, {"--get", keyword.c_str(), "F.000"}).out;
      EXPECT_TRUE(ReadsAs(Utf8ToUtf16(shown.substr(0, shown.size() - 1)),
                          Utf8ToUtf16(line), {}))
          << shown << " for " << line;
    }
  }
}

}  // namespace
}  // namespace quorlith
