#include "merge/merge.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "codecs/names.h"
#include "report/keywords.h"

namespace quorlith {
namespace {

// The three files as images, with each one's report read row by row.
struct Sides {
  explicit Sides(std::array<ByteView, 3> files) {
    for (std::size_t i = 0; i < 3; ++i) {
      images[i] = std::make_unique<SetFileImage>();
      LoadSetFileImage(files[i].subspan(kHeaderSize), *images[i]);
      values[i] = std::make_unique<ReportValues>(*images[i], texts[i]);
    }
  }

  std::array<std::unique_ptr<SetFileImage>, 3> images;
  std::array<ReportText, 3> texts;
  std::array<std::unique_ptr<ReportValues>, 3> values;
};

constexpr std::size_t kBase = 0;
constexpr std::size_t kMine = 1;
constexpr std::size_t kTheirs = 2;

}  // namespace

MergeOutcome MergeSetFiles(ByteView base, ByteView mine, ByteView theirs,
                           MergeSide preferred,
                           const SettledConflicts& settled) {
  const Keywords& keywords = Keywords::Get();
  Sides sides({base, mine, theirs});
  MergeOutcome outcome;

  // Settings first: which side each changed one comes from, and the bits
  // it owns, which the byte rule below then leaves alone.
  struct Taken {
    MergeSide side;
    bool conflict;
    std::vector<OwnedBits> bits;  // offsets in the file
  };
  std::vector<Taken> taken;
  std::vector<std::uint8_t> owned(kSetFileSize, 0);
  const std::array<ByteView, 3> files = {base, mine, theirs};
  for (std::size_t row = 0; row < keywords.size(); ++row) {
    std::array<std::u16string_view, 3> v = {sides.values[kBase]->Value(row),
                                            sides.values[kMine]->Value(row),
                                            sides.values[kTheirs]->Value(row)};
    if (v[kMine] == v[kBase] && v[kTheirs] == v[kBase]) continue;
    MergeSide side = preferred;
    bool conflict = false;
    if (v[kMine] == v[kBase]) {
      side = MergeSide::kTheirs;
      ++outcome.from_theirs;
    } else if (v[kTheirs] == v[kBase]) {
      side = MergeSide::kMine;
      ++outcome.from_mine;
    } else if (v[kMine] == v[kTheirs]) {
      ++outcome.from_both;  // alike, though maybe not in every bit
    } else {
      conflict = true;
      outcome.conflicts.push_back({row, std::u16string(v[kBase]),
                                   std::u16string(v[kMine]),
                                   std::u16string(v[kTheirs])});
      if (auto it = settled.find(row); it != settled.end()) side = it->second;
    }
    // The bits that hold the setting on any side.
    const Keyword& entry = keywords[row];
    std::vector<OwnedBits> bits;
    for (ByteView file : files) {
      entry.setting->codec->owned(entry.Record(file.subspan(kHeaderSize)),
                                  entry.setting->field, bits);
    }
    for (OwnedBits& b : bits) {
      b.offset += kHeaderSize + entry.record_offset;
      owned[b.offset] |= b.mask;
    }
    taken.push_back({side, conflict, std::move(bits)});
  }

  // Every other bit by the same rule, a byte at a time: the bits of a
  // byte that no changed setting owns change together.
  outcome.merged.resize(kSetFileSize);
  std::vector<ByteConflict> conflicts;
  for (std::size_t i = 0; i < kSetFileSize; ++i) {
    std::uint8_t b = base[i];
    std::uint8_t m = mine[i];
    std::uint8_t t = theirs[i];
    if (m == b && t == b) {
      outcome.merged[i] = b;
      continue;
    }
    auto free = static_cast<std::uint8_t>(~owned[i]);
    auto fb = static_cast<std::uint8_t>(b & free);
    auto fm = static_cast<std::uint8_t>(m & free);
    auto ft = static_cast<std::uint8_t>(t & free);
    std::uint8_t merged = fm;
    if (fm == fb) {
      merged = ft;
    } else if (ft != fb && fm != ft) {
      conflicts.push_back({i, b, m, t, preferred});
      if (preferred == MergeSide::kTheirs) merged = ft;
    }
    outcome.merged[i] = static_cast<std::uint8_t>((b & owned[i]) | merged);
  }
  // A setting's bits come from the side that changed it. Where the other
  // side changed them too, to bits that read alike, the bits differ
  // though the settings do not: said as for a byte no setting owns.
  for (const Taken& setting : taken) {
    bool kept_mine = setting.side == MergeSide::kMine;
    ByteView from = setting.side == MergeSide::kBase ? base
                    : kept_mine                      ? mine
                                                     : theirs;
    ByteView other = kept_mine ? theirs : mine;
    for (const OwnedBits& bits : setting.bits) {
      std::size_t offset = bits.offset;
      std::uint8_t mask = bits.mask;
      std::uint8_t& byte = outcome.merged[offset];
      byte = static_cast<std::uint8_t>((byte & ~mask) | (from[offset] & mask));
      int was = base[offset] & mask;
      int other_bits = other[offset] & mask;
      if (!setting.conflict && other_bits != was &&
          other_bits != (from[offset] & mask)) {
        conflicts.push_back(
            {offset, base[offset], mine[offset], theirs[offset], setting.side});
      }
    }
  }
  // One entry a byte, in file order; the side of a setting's bits wins
  // over the preference.
  std::stable_sort(conflicts.begin(), conflicts.end(),
                   [](const ByteConflict& a, const ByteConflict& b) {
                     return a.offset < b.offset;
                   });
  for (const ByteConflict& c : conflicts) {
    if (!outcome.byte_conflicts.empty() &&
        outcome.byte_conflicts.back().offset == c.offset) {
      outcome.byte_conflicts.back() = c;
    } else {
      outcome.byte_conflicts.push_back(c);
    }
  }
  return outcome;
}

namespace {

// Where each setting line of a rendering starts, and its row.
class LineStarts final : public SettingSink {
 public:
  void Setting(const NotedSetting& noted) override {
    starts.emplace_back(noted.line_start, noted.row);
  }
  std::vector<std::pair<std::size_t, std::size_t>> starts;
};

}  // namespace

void RenderConflictReport(const MergeSources& sources, ByteView base,
                          const MergeOutcome& outcome, ReportText& out) {
  const Keywords& keywords = Keywords::Get();
  auto original = std::make_unique<SetFileImage>();
  auto merged = std::make_unique<SetFileImage>();
  LoadSetFileImage(base.subspan(kHeaderSize), *original);
  LoadSetFileImage(ByteView(outcome.merged).subspan(kHeaderSize), *merged);
  ReportText text;
  LineStarts lines;
  RenderComparisonReport(sources.base, sources.merged, *original, *merged, text,
                         {.sink = &lines, .every_line = true});

  std::u16string_view view(text);
  std::size_t copied = 0;
  out.clear();
  // The byte conflicts close the header, before its ";" line.
  if (!outcome.byte_conflicts.empty()) {
    std::size_t header = view.find(u"; New set file");
    copied = view.find(kLineEnd, header) + kLineEnd.size();
    out.append(view.substr(0, copied));
    for (const ByteConflict& c : outcome.byte_conflicts) {
      out.append(u"; Byte ");
      AppendDecimal(out, static_cast<std::int64_t>(c.offset));
      out.append(
          u" of the file, which no setting shows, changed on both "
          u"sides: base ");
      AppendHex(out, c.base, 2);
      out.append(u", mine ");
      AppendHex(out, c.mine, 2);
      out.append(u", theirs ");
      AppendHex(out, c.theirs, 2);
      out.append(c.kept == MergeSide::kMine ? u"; the merge keeps mine's"
                                            : u"; the merge keeps theirs'");
      out.append(kLineEnd);
    }
  }
  for (auto [start, row] : lines.starts) {
    auto conflict = std::lower_bound(
        outcome.conflicts.begin(), outcome.conflicts.end(), row,
        [](const SettingConflict& c, std::size_t r) { return c.row < r; });
    if (conflict == outcome.conflicts.end() || conflict->row != row) continue;
    std::u16string_view keyword = keywords[row].keyword;
    out.append(view.substr(copied, start - copied));
    for (auto [whose, value] : {std::pair{u"; base", &conflict->base},
                                std::pair{u"; mine", &conflict->mine},
                                std::pair{u"; theirs", &conflict->theirs}}) {
      AppendLine(out, whose);
      out.append(keyword);
      out.append(u" = ");
      AppendLine(out, *value);
    }
    copied = view.find(kLineEnd, start) + kLineEnd.size();
  }
  out.append(view.substr(copied));
}

}  // namespace quorlith
