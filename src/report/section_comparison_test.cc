#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codecs/flag.h"
#include "report/section_testing.h"
#include "sections/schema.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

// A comparison of the busy file of the decompile golden, as the printed
// file, with an original whose word at `at` of the body differs by `bits`.
std::string BodyOfFlip(std::size_t at, std::uint16_t bits) {
  static const SetFileBuilder busy = BusySetFile(0, 0);
  SetFileBuilder file = busy;
  for (std::size_t i : {0, 1}) {
    std::size_t byte = kHeaderSize + at + i;
    file.SetFileByte(
        byte, static_cast<std::uint8_t>(file.Bytes()[byte] ^ bits >> (8 * i)));
  }
  return ComparisonBody(file.Image(), busy.Image());
}

// Whether a section is one of the six small blocks', the global settings
// or the dictionary names, not one of key or window records.
bool IsSmall(const Part& section) {
  return section.block != BlockId::kHotKey &&
         section.block != BlockId::kCursorKey &&
         section.block != BlockId::kWindow;
}

// A part's title and the comment lines after it.
std::string Comments(const Part& part) {
  std::string text = Utf16ToUtf8(part.title) + "\n";
  for (std::u16string_view line : part.notes) text += Utf16ToUtf8(line) + "\n";
  return text;
}

// The line of the decompile golden that starts with `keyword` and " = ".
std::string GoldenLine(std::string_view keyword) {
  static const std::string golden = ReadGolden("decompile.txt");
  std::size_t start = golden.find("\n" + std::string(keyword) + " = ");
  if (start == std::string::npos) return "";
  return golden.substr(start + 1, golden.find('\n', start + 1) - start);
}

// The parts from `part` down to the one whose own settings hold `setting`,
// outermost first; empty when none does.
std::vector<const Part*> PathTo(const Part& part, const Setting* setting) {
  auto holds = [&](std::span<const Setting> run) {
    return std::any_of(run.begin(), run.end(),
                       [&](const Setting& s) { return &s == setting; });
  };
  if (holds(part.settings)) return {&part};
  for (const Item& item : part.items) {
    if (holds(item.settings)) return {&part};
    const Part* inner = item.records ? item.records->part : item.part;
    std::vector<const Part*> path;
    if (inner != nullptr) path = PathTo(*inner, setting);
    if (!path.empty()) {
      path.insert(path.begin(), &part);
      return path;
    }
  }
  return {};
}

// Each field, flipped alone in the original, writes its line of the
// decompile golden and nothing else (no line where the golden has none: a
// search line of another trigger), under the comment lines of its parts,
// which their ";" lines close; every bit of a small block that no line
// shows writes nothing. Fields of the small sections flip each bit of a
// flag's mask or bits 0 and 15; of every fifth setting of the key and
// window records, the lowest bit of each of the first eight bytes that
// hold its value and of the last. Offsets come from the tables: the
// goldens guard them.
TEST(SectionComparisons, EachFieldWritesOnlyItsGoldenLine) {
  const SetFileBuilder busy = BusySetFile(0, 0);
  std::map<std::size_t, std::uint16_t> shown;  // by word of the body
  for (const Part& section : ReportParts()) {
    std::size_t start = Layout(section.block).file_offset - kHeaderSize;
    for (std::size_t at = start;
         IsSmall(section) && at < start + Layout(section.block).size; at += 2) {
      shown.try_emplace(at, 0);
    }
  }
  int n = 0;
  for (const SchemaSetting& s : AllSettings()) {
    const Part& section = ReportParts()[s.section];
    bool small = IsSmall(section);
    if (!small && n++ % 5 != 0) continue;
    std::string keyword = Utf16ToUtf8(s.keyword), body, closers;
    for (const Part* part : PathTo(section, s.setting)) {
      if (part->titled_by_record) body += ";" + Utf16ToUtf8(s.group) + "_";
      if (!part->title.empty()) body += Comments(*part);
      for (std::size_t i = 0; i < part->separators; ++i) closers += ";\n";
    }
    body += GoldenLine(keyword) + closers;
    if (GoldenLine(keyword).empty()) body = kNoDifferences;
    const Field& field = s.setting->field;
    std::size_t at = s.record_offset + field.offset;
    std::vector<std::pair<std::size_t, unsigned>> flips;  // word, bits
    bool flag = s.setting->codec == &kFlag;
    for (int bit = 0; small && bit < 16; ++bit) {
      if ((flag ? field.mask : 0x8001) >> bit & 1)
        flips.push_back({at, 1u << bit});
    }
    std::size_t words = flag || field.units == 0 ? 1 : field.units;
    for (std::size_t k = 0; small && k < words; ++k) {
      shown[at + 2 * k] |= flag ? field.mask : 0xFFFF;
    }
    std::vector<OwnedBits> owned;
    s.setting->codec->owned(
        ByteView(busy.Bytes()).subspan(kHeaderSize + s.record_offset), field,
        owned);
    for (std::size_t i = 0; !small && i < owned.size(); ++i) {
      if (i > 7 && i + 1 < owned.size()) continue;
      std::size_t byte = s.record_offset + owned[i].offset;
      flips.push_back({byte & ~std::size_t{1}, (owned[i].mask & -owned[i].mask)
                                                   << 8 * (byte % 2)});
    }
    for (auto [word, bits] : flips) {
      EXPECT_EQ(BodyOfFlip(word, static_cast<std::uint16_t>(bits)), body)
          << keyword << " word " << word << " bits " << bits;
    }
  }
  for (auto [at, words] : shown) {
    for (int bit = 0; bit < 16; ++bit) {
      if ((words >> bit & 1) == 0) {
        EXPECT_EQ(BodyOfFlip(at, static_cast<std::uint16_t>(1u << bit)),
                  kNoDifferences)
            << "word " << at << " bit " << bit;
      }
    }
  }
}

// Changes `bits` of the word at `at` from a keyword's field: its golden
// line (at "@") after the comment lines of its section, or no difference
// (""). A cursor key's words count whether or not its commands use them
// (Key#12 runs commands with no argument), so do a window command's
// arguments; a hot key's code and a file name's or line filter's text are
// compared with A to Z folded, texts up to their NUL or their field's end.
TEST(SectionComparisons, EachWordAndTextUnderItsPartsComments) {
  const std::string k1 = "@;\n", k2 = "@;\n;\n";
  struct Case {
    const char* keyword;
    std::vector<std::size_t> at;  // each changed alone
    std::uint16_t bits;
    std::string expected;
  };
  const Case kCases[] = {
      {"Active_Standard_Window_ID", {0}, 1, k1},
      {"Window#A_First_Command", {216, 222}, 0x101, k1},
      {"Window#B_Second_Command", {6}, 1, k1},
      {"Window#3_Blue_Foreground", {0}, 0x100, ""},
      {"Window#30_Blue_Background", {0}, 0x100, ""},
      {"Window#E_Left", {4, 22}, 1, ""},
      {"Window#Z_Left", {1942}, 1, ""},
      {"Window#0_Float_Top_String", {14}, 1, ""},
      {"Key#12", {4, 6, 530, 532, 534, 8, 1056, 1058, 1060, 1062}, 0x20, k1},
      {"Key#02", {1062}, 0x20, k1},  // x
      {"Key#12", {536}, 'q', ""},
      {"Line", {0}, 1, ""},
      {"Line", {2, 14}, 2, k1},
      {"Next_Line", {16}, 0x20, ""},
      {"Prior_Sentence", {16}, 0x20, ""},
      {"Sentence", {16}, 0x20, k1},
      {"Line_Filter_Characters", {4}, 0x20, ""},
      {"Line_Filter_Characters", {0}, 0x20, "; Menu 1.12 - Line Filter\n" + k2},
      {"Key_Label_Dictionary_File", {520}, 0x20, ""},
      {"Key_Label_Dictionary_File", {18}, 0x20, k1},
  };
  for (const Case& c : kCases) {
    auto s = std::find_if(AllSettings().begin(), AllSettings().end(),
                          [&](const SchemaSetting& e) {
                            return Utf16ToUtf8(e.keyword) == c.keyword;
                          });
    ASSERT_NE(s, AllSettings().end());
    std::string expected =
        c.expected.empty() ? std::string(kNoDifferences)
                           : Comments(ReportParts()[s->section]) + c.expected;
    if (std::size_t marker = expected.find('@'); marker != std::string::npos) {
      expected.replace(marker, 1, GoldenLine(c.keyword));
    }
    for (std::size_t at : c.at) {
      EXPECT_EQ(
          BodyOfFlip(s->record_offset + s->setting->field.offset + at, c.bits),
          expected)
          << c.keyword << " " << at;
    }
  }
}

}  // namespace
}  // namespace quorlith
