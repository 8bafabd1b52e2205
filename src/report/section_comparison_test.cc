#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/flag.h"
#include "report/section_testing.h"
#include "sections/braille_tables.h"
#include "sections/cursor_key_tables.h"
#include "sections/general_tables.h"
#include "sections/mouse_tables.h"
#include "sections/screen_keyboard_tables.h"
#include "sections/verbosity_tables.h"
#include "sections/window_tables.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

using namespace std::literals;

// The settings of `part` in report order, its parts' included.
void SettingsOf(const Part& part, std::vector<const Setting*>& out) {
  for (const Setting& s : part.settings) out.push_back(&s);
  for (const Item& item : part.items) {
    for (const Setting& s : item.settings) out.push_back(&s);
    if (item.part != nullptr) SettingsOf(*item.part, out);
  }
}

// Each field of a small section, flipped alone in the original, writes its
// line of the section's decompile (which decompile.txt holds) and nothing
// else; every bit of the block that no line shows writes nothing.
TEST(SectionComparisons, EachFieldWritesOnlyItsGoldenLine) {
  const Part* kSections[] = {&kScreenSection,  &kKeyboardSection,
                             &kMouseSection,   &kGeneralSection,
                             &kGlobalSection,  &kDictionarySection,
                             &kBrailleSection, &kVerbositySection};
  const SetFileBuilder busy = BusySetFile(0, 0);
  for (const Part* section : kSections) {
    std::string title = Utf16ToUtf8(section->title);
    std::string golden = DecompileSectionText(title, busy.Image());
    SCOPED_TRACE(title);
    std::vector<const Setting*> settings;
    SettingsOf(*section, settings);
    std::vector<GoldenWord> words;
    std::map<std::size_t, std::uint16_t> shown;  // bits of each word
    for (const Setting* setting : settings) {
      const Field& field = setting->field;
      if (setting->codec == &kFlag) {
        words.push_back({field.offset, field.mask});
        shown[field.offset] |= field.mask;
        continue;
      }
      words.push_back({field.offset});
      std::size_t bytes = field.units > 0 ? 2u * field.units : 2;
      for (std::size_t at = 0; at < bytes; at += 2) {
        shown[field.offset + at] = 0xFFFF;
      }
    }
    std::vector<GoldenWord> hidden;
    for (std::uint16_t at = 0; at < Layout(section->block).size; at += 2) {
      auto bits = static_cast<std::uint16_t>(~shown[at]);
      if (bits != 0) hidden.push_back({at, bits});
    }
    ExpectEachWordWritesItsGoldenLine(title, section->block, busy, golden,
                                      words, hidden);
  }
}

// The line-filter characters and the dictionary names are compared with A
// to Z folded to lower case, up to their NUL or their field's end.
TEST(SectionComparisons, FoldedTexts) {
  struct Case {
    BlockId block;
    std::size_t offset;
    std::size_t units;
    std::u16string_view original;
    std::u16string_view printed;
    std::string_view shown;  // the line, or "" for none
  };
  // The last name fills the block to its end.
  const std::u16string kUpper(261, u'X'), kLower(261, u'x');
  const Case kCases[] = {
      {BlockId::kScreen, 38, 6, u"AbZ@[", u"aBz@[", ""},
      {BlockId::kScreen, 38, 6, u"a\0bc"sv, u"a\0xy"sv, ""},
      {BlockId::kScreen, 38, 6, u"ABCDEF", u"abcdef", ""},
      {BlockId::kScreen, 38, 6, u"É", u"é", "Line_Filter_Characters = é"},
      {BlockId::kScreen, 38, 6, u"ab", u"abc", "Line_Filter_Characters = abc"},
      {BlockId::kDictionary, 522, 261, u"ÄRGER.JDF", u"ärger.jdf",
       "Character_Dictionary_File = ärger.jdf"},
      {BlockId::kDictionary, 2088, 261, kUpper, kLower, ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.shown));
    SetFileBuilder original;
    original.SetText(c.block, c.offset, c.original,
                     c.original.size() < c.units);
    SetFileBuilder printed;
    printed.SetText(c.block, c.offset, c.printed, c.printed.size() < c.units);
    std::string body = ComparisonBody(original.Image(), printed.Image());
    if (c.shown.empty()) {
      EXPECT_EQ(body, kNoDifferences);
    } else {
      EXPECT_NE(body.find("\n" + std::string(c.shown) + "\n"),
                std::string::npos)
          << body;
    }
  }
}

}  // namespace
}  // namespace quorlith
