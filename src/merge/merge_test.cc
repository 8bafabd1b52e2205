#include "merge/merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "compile/compiler.h"
#include "merge/merge_testing.h"
#include "report/keywords.h"
#include "report/section_testing.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

// Fields both sides of a triple draw their changes from, so that they
// often change the same setting, alike or not.
struct Spot {
  BlockId block;
  std::size_t offset;
};

std::vector<Spot> SpotsFor(std::mt19937& random) {
  std::vector<Spot> spots;
  for (int i = 0; i < 10; ++i) {
    auto block = static_cast<BlockId>(random() % kBlockCount);
    spots.push_back({block, (random() % (Layout(block).size / 2)) * 2});
  }
  return spots;
}

// `base` with some spots changed: words to small values (named ones) or
// any value, single bytes (hidden bits, half a word), or a short text.
SetFileBuilder Changed(SetFileBuilder file, const std::vector<Spot>& spots,
                       std::mt19937& random) {
  int changes = static_cast<int>(random() % 5);
  for (int i = 0; i < changes; ++i) {
    const Spot& spot = spots[random() % spots.size()];
    switch (random() % 4) {
      case 0:
        file.SetWord(spot.block, spot.offset,
                     static_cast<std::uint16_t>(random() % 8));
        break;
      case 1:
        file.SetWord(spot.block, spot.offset,
                     static_cast<std::uint16_t>(random()));
        break;
      case 2:
        file.SetByte(spot.block, spot.offset + random() % 2,
                     static_cast<std::uint8_t>(random()));
        break;
      default:
        if (spot.offset + 8 <= Layout(spot.block).size) {
          file.SetText(spot.block, spot.offset, u"abc");
        }
    }
  }
  return file;
}

std::vector<std::u16string> Values(ByteView file) {
  auto image = std::make_unique<SetFileImage>();
  LoadSetFileImage(file.subspan(kHeaderSize), *image);
  ReportText text;
  ReportValues values(*image, text);
  std::vector<std::u16string> all;
  for (std::size_t row = 0; row < Keywords::Get().size(); ++row) {
    all.emplace_back(values.Value(row));
  }
  return all;
}

using Bytes = std::vector<std::uint8_t>;

Bytes Merged(const Bytes& b, const Bytes& m, const Bytes& t,
             MergeSide side = MergeSide::kMine) {
  return MergeSetFiles(b, m, t, side).merged;
}

// A conflict report edited down to the line of theirs in each conflict:
// each "; base" and "; mine" pair of lines dropped.
std::u16string TheirsOnly(std::u16string_view report) {
  std::u16string edited;
  bool skip = false;
  for (std::size_t start = 0, end; start < report.size(); start = end) {
    end = report.find(u"\r\n", start) + 2;
    std::u16string_view line = report.substr(start, end - start);
    bool mark = line == u"; base\r\n" || line == u"; mine\r\n";
    if (!mark && !skip) edited.append(line);
    skip = mark;
  }
  return edited;
}

TEST(MergeTest, ConflictReportMatchesItsGolden) {
  GoldenReport golden = MergeConflictsGolden();
  EXPECT_EQ(LineDifferences(ReadGolden(golden.file_name), golden.text), "");
}

TEST(MergeTest, PropertiesOverRandomTriples) {
  std::mt19937 random(15);
  int conflicted = 0;
  int clean = 0;
  int compiled = 0;
  for (int i = 0; i < RandomFiles(300); ++i) {
    SCOPED_TRACE("triple " + std::to_string(i));
    SetFileBuilder base_file = RandomSetFile(random);
    std::vector<Spot> spots = SpotsFor(random);
    const Bytes& b = base_file.Bytes();
    Bytes m = Changed(base_file, spots, random).Bytes();
    Bytes t = Changed(base_file, spots, random).Bytes();

    // An unchanged side gives the other side back, and so does a change
    // both made alike.
    EXPECT_EQ(Merged(b, m, b), m);
    EXPECT_EQ(Merged(b, b, t), t);
    EXPECT_EQ(Merged(b, t, t), t);

    MergeOutcome outcome = MergeSetFiles(b, m, t, MergeSide::kMine);
    if (outcome.conflicts.empty() && outcome.byte_conflicts.empty()) {
      ++clean;
      EXPECT_EQ(outcome.merged, Merged(b, t, m));
    } else {
      ++conflicted;
      // Mine's and theirs' preference differ only where they conflict.
      EXPECT_EQ(Merged(b, m, t, MergeSide::kTheirs), Merged(b, t, m));
    }
    // Every setting takes the value of the side that changed it.
    std::vector<std::u16string> vb = Values(b);
    std::vector<std::u16string> vm = Values(m);
    std::vector<std::u16string> vt = Values(t);
    std::vector<std::u16string> expected = vm;
    std::vector<std::size_t> conflicts;
    int from_mine = 0;
    int from_theirs = 0;
    for (std::size_t row = 0; row < vb.size(); ++row) {
      if (vm[row] == vb[row]) {
        expected[row] = vt[row];
        from_theirs += vt[row] != vb[row];
      } else {
        from_mine += vt[row] == vb[row] || vt[row] == vm[row];
        if (vt[row] != vb[row] && vt[row] != vm[row]) conflicts.push_back(row);
      }
    }
    EXPECT_EQ(Values(outcome.merged), expected);
    std::vector<std::size_t> reported;
    for (const SettingConflict& c : outcome.conflicts)
      reported.push_back(c.row);
    EXPECT_EQ(reported, conflicts);
    EXPECT_EQ(outcome.from_mine + outcome.from_both, from_mine);
    EXPECT_EQ(outcome.from_theirs, from_theirs);
    if (conflicts.empty()) continue;
    // The report edited to theirs, compiled over the merge where it lies,
    // gives the merge that prefers theirs.
    ReportText report;
    RenderConflictReport({{"/b.000", {}}, {"/m.000", {}}}, b, outcome, report);
    Bytes result = outcome.merged;
    auto over = std::make_unique<SetFileImage>();
    LoadSetFileImage(ByteView(result).subspan(kHeaderSize), *over);
    CompileOutcome compile =
        ParsedReport(TheirsOnly(report))
            .CompileInto(*over, std::span(result).subspan(kHeaderSize));
    ASSERT_TRUE(compile.problems.empty())
        << Utf16ToUtf8(compile.problems[0].message);
    EXPECT_EQ(Values(result), Values(Merged(b, m, t, MergeSide::kTheirs)));
    ++compiled;
  }
  // The triples exercise both kinds of merge.
  EXPECT_GT(conflicted, RandomFiles(300) / 10);
  EXPECT_GT(clean, RandomFiles(300) / 10);
  EXPECT_GT(compiled, RandomFiles(300) / 10);
}

TEST(MergeTest, HiddenBitsFollowTheSideThatChangedThem) {
  // The second hot key's Alt word shows only its bit 0, and its line owns
  // the word; bytes 18 to 21 of the screen block belong to no setting.
  const std::size_t alt = Layout(BlockId::kHotKey).file_offset + 18 + 4;
  const std::size_t unused = Layout(BlockId::kScreen).file_offset + 18;
  using enum MergeSide;
  struct Case {
    std::size_t at;
    std::uint8_t mine;
    std::uint8_t theirs;
    MergeSide preferred;
    std::uint8_t merged;
    std::optional<MergeSide> kept;  // a byte conflict, kept from this side
  };
  const Case cases[] = {
      {alt, 0x01, 0x00, kMine, 0x01, {}},
      {alt, 0x00, 0x01, kMine, 0x01, {}},
      // The side that changed the setting keeps its whole field.
      {alt, 0x01, 0x02, kMine, 0x01, kMine},
      {alt, 0x02, 0x01, kMine, 0x01, kTheirs},
      {alt, 0x03, 0x01, kTheirs, 0x01, kTheirs},  // alike, hidden not
      // Hidden changes on both sides read alike: the preference decides.
      {alt, 0x02, 0x04, kMine, 0x02, kMine},
      {alt, 0x02, 0x04, kTheirs, 0x04, kTheirs},
      {unused, 0x05, 0x00, kMine, 0x05, {}},
      {unused, 0x00, 0x05, kMine, 0x05, {}},
      {unused, 0x05, 0x05, kMine, 0x05, {}},
      {unused, 0x05, 0x07, kMine, 0x05, kMine},
      {unused, 0x05, 0x07, kTheirs, 0x07, kTheirs},
  };
  SetFileBuilder base = BusySetFile(0, 0);
  base.SetFileByte(alt, 0x00).SetFileByte(unused, 0x00);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.at) + ": " + std::to_string(c.mine) + ", " +
                 std::to_string(c.theirs));
    SetFileBuilder mine = base;
    SetFileBuilder theirs = base;
    mine.SetFileByte(c.at, c.mine);
    theirs.SetFileByte(c.at, c.theirs);
    MergeOutcome outcome =
        MergeSetFiles(base.Bytes(), mine.Bytes(), theirs.Bytes(), c.preferred);
    EXPECT_EQ(outcome.merged[c.at], c.merged);
    EXPECT_TRUE(outcome.conflicts.empty());
    ASSERT_EQ(outcome.byte_conflicts.size(), c.kept ? 1u : 0u);
    if (c.kept) {
      EXPECT_EQ(outcome.byte_conflicts[0].offset, c.at);
      EXPECT_EQ(outcome.byte_conflicts[0].kept, *c.kept);
    }
  }
}

}  // namespace
}  // namespace quorlith
