#include "merge/merge.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

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

// `base` with some spots changed: words to small values (named ones) or
// any value, single bytes (hidden bits, half a word), or a short text.
SetFileBuilder Changed(SetFileBuilder file, const std::vector<Spot>& spots,
                       std::mt19937& random) {
  int changes = static_cast<int>(random() % 5);
  for (int i = 0; i < changes; ++i) {
    const Spot& spot = spots[random() % spots.size()];
    auto kind = random() % 3;
    if (kind == 0) {
      file.SetWord(
          spot.block, spot.offset,
          static_cast<std::uint16_t>(random() % 2 ? random() % 8 : random()));
    } else if (kind == 1) {
      file.SetByte(spot.block, spot.offset + random() % 2,
                   static_cast<std::uint8_t>(random()));
    } else if (spot.offset + 8 <= Layout(spot.block).size) {
      file.SetText(spot.block, spot.offset, u"abc");
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

TEST(MergeTest, ConflictReportMatchesItsGolden) {
  GoldenReport golden = MergeConflictsGolden();
  EXPECT_EQ(LineDifferences(ReadGolden(golden.file_name), golden.text), "");
}

TEST(MergeTest, PropertiesOverRandomTriples) {
  std::mt19937 random(15);
  int conflicted = 0;
  int cleans = 0;
  for (int i = 0; i < RandomFiles(300); ++i) {
    SCOPED_TRACE("triple " + std::to_string(i));
    SetFileBuilder base_file = RandomSetFile(random);
    std::vector<Spot> spots(10);
    for (Spot& spot : spots) {
      spot.block = static_cast<BlockId>(random() % kBlockCount);
      spot.offset = (random() % (Layout(spot.block).size / 2)) * 2;
    }
    const Bytes& b = base_file.Bytes();
    Bytes m = Changed(base_file, spots, random).Bytes();
    Bytes t = Changed(base_file, spots, random).Bytes();

    // An unchanged side gives the other side back, and so does a change
    // both made alike.
    EXPECT_EQ(Merged(b, m, b), m);
    EXPECT_EQ(Merged(b, b, t), t);
    EXPECT_EQ(Merged(b, t, t), t);

    // Mine's and theirs' preference differ only where they conflict.
    MergeOutcome outcome = MergeSetFiles(b, m, t, MergeSide::kMine);
    Bytes mine_last = Merged(b, t, m);
    EXPECT_EQ(Merged(b, m, t, MergeSide::kTheirs), mine_last);
    bool clean = outcome.conflicts.empty() && outcome.byte_conflicts.empty();
    EXPECT_TRUE(!clean || outcome.merged == mine_last);
    (clean ? cleans : conflicted)++;
    // Every setting takes the value of the side that changed it.
    std::vector<std::u16string> vb = Values(b);
    std::vector<std::u16string> vm = Values(m);
    std::vector<std::u16string> vt = Values(t);
    std::vector<std::u16string> expected = vm;
    std::vector<std::size_t> conflicts;
    for (std::size_t row = 0; row < vb.size(); ++row) {
      if (vm[row] == vb[row]) {
        expected[row] = vt[row];
      } else if (vt[row] != vb[row] && vt[row] != vm[row]) {
        conflicts.push_back(row);
      }
    }
    EXPECT_EQ(Values(outcome.merged), expected);
    std::vector<std::size_t> reported;
    for (const SettingConflict& c : outcome.conflicts)
      reported.push_back(c.row);
    EXPECT_EQ(reported, conflicts);
  }
  // The triples exercise both kinds of merge.
  EXPECT_GT(conflicted, RandomFiles(300) / 10);
  EXPECT_GT(cleans, RandomFiles(300) / 10);
}

TEST(MergeTest, HiddenBitsFollowTheSideThatChangedThem) {
  // The second hot key's Alt word shows only its bit 0, and its line owns
  // the word.
  const std::size_t alt = Layout(BlockId::kHotKey).file_offset + 18 + 4;
  using enum MergeSide;
  struct Case {
    std::uint8_t mine, theirs;
    MergeSide preferred;
    std::uint8_t merged;
    std::optional<MergeSide> kept;  // a byte conflict, kept from this side
  };
  const Case cases[] = {
      // The side that changed the setting keeps its whole field.
      {0x01, 0x02, kMine, 0x01, kMine},
      {0x02, 0x01, kMine, 0x01, kTheirs},
      {0x03, 0x01, kTheirs, 0x01, kTheirs},  // alike, hidden not
      // Hidden changes on both sides read alike: the preference decides,
      // unless they are alike too.
      {0x02, 0x04, kMine, 0x02, kMine},
      {0x02, 0x04, kTheirs, 0x04, kTheirs},
      {0x02, 0x02, kTheirs, 0x02, {}},
  };
  SetFileBuilder base = BusySetFile(0, 0);
  base.SetFileByte(alt, 0x00);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mine) + ", " + std::to_string(c.theirs));
    SetFileBuilder mine = base, theirs = base;
    mine.SetFileByte(alt, c.mine);
    theirs.SetFileByte(alt, c.theirs);
    MergeOutcome outcome =
        MergeSetFiles(base.Bytes(), mine.Bytes(), theirs.Bytes(), c.preferred);
    EXPECT_EQ(outcome.merged[alt], c.merged);
    EXPECT_TRUE(outcome.conflicts.empty());
    ASSERT_EQ(outcome.byte_conflicts.size(), c.kept ? 1u : 0u);
    if (c.kept) {
      EXPECT_EQ(outcome.byte_conflicts[0].offset, alt);
      EXPECT_EQ(outcome.byte_conflicts[0].kept, *c.kept);
    }
  }
}

}  // namespace
}  // namespace quorlith
