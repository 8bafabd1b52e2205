#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "report/report_testing.h"
#include "sections/braille_tables.h"
#include "sections/cursor_key_tables.h"
#include "sections/general_tables.h"
#include "sections/key_names.h"
#include "sections/mouse_tables.h"
#include "sections/screen_keyboard_tables.h"
#include "sections/section_testing.h"
#include "sections/verbosity_tables.h"
#include "sections/window_tables.h"

namespace quorlith {
namespace {

TEST(GoldenReports, MatchTheirFiles) {
  for (const GoldenReport& golden : GoldenReports()) {
    SCOPED_TRACE(golden.file_name);
    std::string differences =
        LineDifferences(ReadGolden(golden.file_name), golden.text);
    EXPECT_TRUE(differences.empty())
        << differences
        << "After a change of the reports that is meant, "
           "tools/regen-goldens.sh rewrites the goldens.";
  }
}

struct Shown {
  std::map<std::string, std::set<std::string>> values;  // by keyword
  std::map<std::string, std::set<std::string>> words;   // of those values
};

// What the keywords show in the golden files: window lines under their
// keyword without "Window#", the window and "_", all key lines under "Key#".
Shown GoldenValues() {
  Shown shown;
  for (const GoldenReport& golden : GoldenReports()) {
    std::istringstream text(ReadGolden(golden.file_name));
    for (std::string line; std::getline(text, line);) {
      std::size_t equals = line.find(" = ");
      if (line.starts_with(";") || equals == std::string::npos) continue;
      std::size_t from = line.starts_with("Window#") ? line.find('_') + 1 : 0;
      std::string keyword = line.substr(from, equals - from);
      if (keyword.starts_with("Key#") && !keyword.ends_with("delay")) {
        keyword = "Key#";
      }
      std::string value = line.substr(equals + 3);
      shown.values[keyword].insert(value);
      std::istringstream words(value);
      for (std::string word; words >> word;) shown.words[keyword].insert(word);
    }
  }
  return shown;
}

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8(text); }

// Every keyword of every table shows in a golden, and so does every name a
// line can take, each with that keyword: a name misspelt in any table
// changes a golden.
TEST(GoldenReports, ShowEveryKeywordAndName) {
  const Shown golden = GoldenValues();
  auto shows = [&](const std::map<std::string, std::set<std::string>>& map,
                   std::u16string_view keyword, const std::string& value) {
    auto found = map.find(Utf8(keyword));
    return found != map.end() && found->second.contains(value);
  };
  auto check_lines = [&](std::span<const SettingLine> lines) {
    for (const SettingLine& line : lines) {
      SCOPED_TRACE(Utf8(line.keyword));
      EXPECT_TRUE(golden.values.contains(Utf8(line.keyword)));
      std::span<const std::u16string_view> names = line.names;
      constexpr std::u16string_view kTruths[] = {u"False", u"True"};
      constexpr std::u16string_view kNone[] = {u"None"};
      if (line.rendering == Rendering::kBool) names = kTruths;
      if (line.rendering == Rendering::kOneIsOn) names = OffOnNames;
      if (line.rendering == Rendering::kDecimalOrNone) names = kNone;
      for (std::u16string_view name : names) {
        EXPECT_TRUE(shows(golden.values, line.keyword, Utf8(name)))
            << Utf8(name);
      }
    }
  };
  using Lines = std::span<const SettingLine>;
  const std::span<const Lines> kSplitTables[] = {
      kScreenLineTables, kKeyboardLineTables, kBrailleLineTables};
  for (std::span<const Lines> tables : kSplitTables) {
    for (Lines lines : tables) check_lines(lines);
  }
  for (const SubSection& sub : kVerbositySubSections) check_lines(sub.lines);
  const Lines kOtherTables[] = {
      kMouseLines,      kGeneralLines,         kGlobalLines,
      kDictionaryLines, kStandardHeadLines,    kHyperactiveHeadLines,
      kEdgeLines,       kStandardColourLines,  kFloatLines,
      kTriggerLines,    kSearchAttributeLines, kSearchStringLines};
  check_lines(Lines(&kActiveWindowLine, 1));
  for (Lines lines : kOtherTables) check_lines(lines);
  for (const FlagLine& flag : kAttributeSearchLines) {
    EXPECT_TRUE(shows(golden.values, flag.keyword, "on") &&
                shows(golden.values, flag.keyword, "off"))
        << Utf8(flag.keyword);
  }

  // A hot-key line per command but the last, which names the search
  // keyword and shows as an argument; between them, every key name.
  std::set<std::string> keys;
  for (std::u16string_view command : HotKeyCommandNames) {
    if (command.empty() || command == std::end(HotKeyCommandNames)[-1]) {
      continue;
    }
    EXPECT_TRUE(golden.values.contains(Utf8(command))) << Utf8(command);
    for (const std::string& stroke : golden.values.at(Utf8(command))) {
      keys.insert(stroke.substr(stroke.rfind('-') + 1));
    }
  }
  for (std::u16string_view key : KeyNames) {
    EXPECT_TRUE(keys.contains(Utf8(key))) << Utf8(key);
  }
  for (const ControlKey& key : kControlKeys) {
    EXPECT_TRUE(keys.contains(Utf8(key.name))) << Utf8(key.name);
  }
  EXPECT_TRUE(shows(golden.words, CommandSlotNames[0],
                    Utf8(std::end(HotKeyCommandNames)[-1])));

  // Hyperactive commands in each of the three places; cursor-key commands
  // in the key lines, an argument following after "_".
  for (std::u16string_view slot : CommandSlotNames) {
    for (std::u16string_view command : HyperactiveCommandNames) {
      EXPECT_TRUE(shows(golden.words, slot, Utf8(command)))
          << Utf8(slot) << " " << Utf8(command);
    }
  }
  const std::set<std::string>& commands = golden.words.at("Key#");
  for (std::int16_t row = 0; row < std::ssize(CursorCommandNames); ++row) {
    std::string name = Utf8(CursorCommandNames[row]);
    bool shown = commands.contains(name);
    for (const CursorCommandArgument& argument : kCursorCommandArguments) {
      auto after = commands.lower_bound(name + "_");
      if (argument.row == row) {
        shown = after != commands.end() && after->starts_with(name + "_");
      }
    }
    EXPECT_TRUE(shown) << name;
  }
  for (std::u16string_view attribute : OfficeAttributeNames) {
    EXPECT_TRUE(commands.contains("Office_Attribute_Status_" + Utf8(attribute)))
        << Utf8(attribute);
  }
}

}  // namespace
}  // namespace quorlith
