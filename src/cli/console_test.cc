#include "cli/console.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "report/keywords.h"
#include "report/section_testing.h"
#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

struct ConsoleOutcome {
  int status;
  std::string out;
  std::string err;
};

// Runs "quorlith ARGS..." over `fs`.
ConsoleOutcome Quorlith(FakeFileSystem& fs,
                        const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"quorlith"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out, err;
  int status =
      RunConsole(static_cast<int>(argv.size()), argv.data(), out, err, fs);
  return {status, out.str(), err.str()};
}

// What `cksum` prints first for `bytes`: the CRC-32 of POSIX, over the
// bytes and then their count.
std::uint32_t PosixCksum(std::string_view bytes) {
  std::uint32_t crc = 0;
  auto feed = [&](std::uint8_t byte) {
    crc ^= std::uint32_t{byte} << 24;
    for (int bit = 0; bit < 8; ++bit) {
      crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
  };
  for (char c : bytes) feed(static_cast<std::uint8_t>(c));
  for (std::size_t n = bytes.size(); n != 0; n >>= 8) {
    feed(static_cast<std::uint8_t>(n));
  }
  return ~crc;
}

// Plays a transcript of command lines over `fs`, each checked as written:
//
//   # a comment
//   $ --find 'Key_Rate = 1' A => 1 the arguments, quotes keeping blanks,
//                                  and after "=>" the exit status
//   > a line of standard output    its lines, all of them; a last line
//   >...                           ">..." lets more follow; ">-": none
//   ! a line of standard error     alike, for standard error
//   = 1234567 89                   standard output's POSIX cksum and size,
//                                  for an output too long to spell out
//
// A stream without lines is not checked, except that a success says
// nothing on standard error and trouble (status 2, or a wrong command
// line) says why there. `leading` goes
// before every command line's arguments.
void PlayTranscript(FakeFileSystem& fs, const std::string& text,
                    const std::vector<std::string>& leading = {}) {
  std::vector<std::string> args;
  int status = 0, number = 0, at = 0;
  std::map<char, std::pair<std::string, bool>> expected;  // lines, ">..."
  auto play = [&] {
    if (at == 0) return;
    SCOPED_TRACE("transcript line " + std::to_string(at));
    ConsoleOutcome outcome = Quorlith(fs, args);
    EXPECT_EQ(outcome.status, status) << outcome.err;
    EXPECT_TRUE(status != 2 || !outcome.err.empty());
    EXPECT_TRUE(expected.contains('!') || status != 0 || outcome.err.empty())
        << outcome.err;
    std::map<char, std::string> actual = {
        {'>', outcome.out},
        {'!', outcome.err},
        {'=', std::to_string(PosixCksum(outcome.out)) + " " +
                  std::to_string(outcome.out.size()) + "\n"}};
    for (const auto& [mark, lines] : expected) {
      if (lines.second) {
        EXPECT_TRUE(actual[mark].starts_with(lines.first)) << actual[mark];
      } else {
        EXPECT_EQ(actual[mark], lines.first);
      }
    }
    expected.clear();
  };
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.starts_with("$")) {
      play();
      at = number;
      std::size_t arrow = line.rfind(" => ");
      ASSERT_NE(arrow, std::string::npos) << "transcript line " << number;
      status = std::stoi(line.substr(arrow + 4));
      args = leading;
      std::string arg;
      bool quoted = false;
      for (char c : line.substr(1, arrow)) {
        if (c == '\'') {
          quoted = !quoted;
        } else if (c != ' ' || quoted) {
          arg += c;
        } else if (!arg.empty()) {
          args.push_back(std::exchange(arg, ""));
        }
      }
    } else if (line.starts_with(">") || line.starts_with("!") ||
               line.starts_with("=")) {
      auto& [lines, open] = expected[line[0]];
      if (line.substr(1) == "...") {
        open = true;
      } else if (line.substr(1) != "-") {
        lines += line.substr(line.size() > 1 ? 2 : 1) + "\n";
      }
    } else {
      EXPECT_TRUE(line.empty() || line.starts_with("#")) << line;
    }
  }
  play();
}

// Every option over /cwd/, as testdata/cli/console.txt tells, and the help
// as a user reads it, word for word.
TEST(ConsoleTest, ExitStatusesAndStreams) {
  FakeFileSystem fs;
  fs.SetCurrentDirectory("/cwd/");
  SetFileBuilder c = BusySetFile(3), n1 = c, n2 = c;  // Key_Rate 3
  n1.SetWord(BlockId::kKeyboard, 2, 20).SetWord(BlockId::kScreen, 2, 5);
  n2.SetWord(BlockId::kKeyboard, 2, 10);
  SetFileBuilder n3 = SetFileBuilder(n2).SetWord(BlockId::kKeyboard, 4, 7);
  for (const auto& [name, file] : {std::pair{"A", BusySetFile(1)},
                                   {"B", BusySetFile(2)},
                                   {"C", c},
                                   {"N0", c},
                                   {"N1", n1},
                                   {"N2", n2},
                                   {"N3", n3},
                                   {"-B", {}}}) {
    fs.AddFile("/cwd/" + std::string(name) + ".000", file.Bytes());
  }
  fs.AddFile("/cwd/BAD.000", {1, 2, 3});
  PlayTranscript(fs, ReadGolden("cli/console.txt"));
  // No view wrote a file (A.t00, B.t00); the runs wrote where they were told.
  EXPECT_EQ(fs.Paths(),
            (std::vector<std::string>{
                "/cwd/-B.000", "/cwd/-B.t00", "/cwd/A.000", "/cwd/B.000",
                "/cwd/BAD.000", "/cwd/C.000", "/cwd/C.t00", "/cwd/K.t00",
                "/cwd/M.000", "/cwd/N0.000", "/cwd/N1.000", "/cwd/N2.000",
                "/cwd/N3.000", "/o/A.000", "/o/C.000", "/r/-B.t00", "/r/A.t00",
                "/r/B.t00"}));
  // Windows' shells keep single quotes, so no example there may stand in
  // them.
#ifdef _WIN32
  const char kHelp[] = "help_windows.txt";
  EXPECT_FALSE(std::regex_search(ReadGolden(kHelp), std::regex("[ (]'")));
#else
  const char kHelp[] = "help.txt";
#endif
  EXPECT_EQ(Quorlith(fs, {"--help"}).out, ReadGolden(kHelp))
      << "After a change of the help that is meant, tools/regen-goldens.sh "
         "rewrites testdata/"
      << kHelp << ".";
}

// Every view's output, byte for byte, as it was before the views were
// made fast (tools/regen-view-goldens.sh), and on two workers as on one.
TEST(ConsoleTest, ViewsAreAsBeforeOnAnyNumberOfWorkers) {
  FakeFileSystem fs;
  fs.SetCurrentDirectory("/tmp/quorlith-view-goldens/");
  for (const NamedSetFile& named : ViewGoldenFiles()) {
    // Of 1970: its local date is before the reports' first year in any
    // time zone, so the reports read the same on every machine.
    fs.AddFile("/tmp/quorlith-view-goldens/" + named.name, named.file.Bytes());
  }
  for (const char* jobs : {"1", "2"}) {
    SCOPED_TRACE(std::string("-j ") + jobs);
    PlayTranscript(fs, ReadGolden("views.cksum"), {"-j", jobs});
  }
}

// --set over random files with lines that take values from another file:
// in place and with -o it changes exactly the settings named, to what the
// lines say; a refused line anywhere writes nothing.
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
    std::vector<std::string> lines, sets;
    std::string named = ",";  // for --ignore
    for (int k = 0; k < 3; ++k) {
      const Keyword& entry = keywords[random() % keywords.size()];
      std::string keyword = Utf16ToUtf8(entry.keyword);
      if (named.find("," + keyword + ",") != std::string::npos) continue;
      named += keyword + ",";
      ReportText line;
      line.append(entry.keyword);
      line.append(kEquals);
      entry.setting->codec->render(line, entry.Record(donor.Body()),
                                   entry.setting->field);
      lines.push_back(Utf16ToUtf8(line));
      sets.insert(sets.end(), {"--set", lines.back()});
    }

    std::vector<std::string> refused = sets;
    refused.insert(
        refused.begin() + 2 * (random() % (lines.size() + 1)),
        {"--set", Utf16ToUtf8(keywords[random() % keywords.size()].keyword) +
                      " = " + std::string(300, 'x')});
    refused.push_back("F.000");
    ConsoleOutcome outcome = Quorlith(fs, refused);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.ends_with("no set file written\n")) << outcome.err;
    EXPECT_EQ(fs.Paths(),
              (std::vector<std::string>{"/cwd/F.000", "/cwd/ORIG.000"}));
    EXPECT_EQ(fs.Find("/cwd/F.000")->bytes, original);

    sets.insert(sets.end(), {"F.000", "-o", "/out/"});
    ASSERT_EQ(Quorlith(fs, sets).status, 0);
    EXPECT_EQ(fs.Find("/cwd/F.000")->bytes, original);
    sets.resize(sets.size() - 2);
    outcome = Quorlith(fs, sets);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(fs.Find("/cwd/F.000")->bytes, fs.Find("/out/F.000")->bytes);
    // No other setting changed, and each one named reads as its line says.
    EXPECT_EQ(
        Quorlith(fs, {"--changes", "--ignore", named, "ORIG.000", "F.000"}).out,
        "No differences.\n");
    for (const std::string& line : lines) {
      std::string shown =
          Quorlith(fs, {"--get", line.substr(0, line.find(" = ")), "F.000"})
              .out;
      EXPECT_TRUE(ReadsAs(Utf8ToUtf16(shown.substr(0, shown.size() - 1)),
                          Utf8ToUtf16(line), {}))
          << shown << " for " << line;
    }
  }
}

}  // namespace
}  // namespace quorlith
