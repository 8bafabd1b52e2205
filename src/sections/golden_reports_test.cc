#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <span>
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

// The values each keyword shows in the golden files, window lines under
// their keyword without "Window#", the window and "_".
std::map<std::string, std::set<std::string>> GoldenValues() {
  std::map<std::string, std::set<std::string>> values;
  for (const GoldenReport& golden : GoldenReports()) {
    std::string text = ReadGolden(golden.file_name);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
      end = std::min(text.find('\n', start), text.size());
      std::string line = text.substr(start, end - start);
      std::size_t equals = line.find(" = ");
      if (line.starts_with(";") || equals == std::string::npos) continue;
      std::size_t keyword =
          line.starts_with("Window#") ? line.find('_') + 1 : 0;
      values[line.substr(keyword, equals - keyword)].insert(
          line.substr(equals + 3));
    }
  }
  return values;
}

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8(text); }

// Every keyword of every table shows in a golden, and so does every name a
// line can take, each with that keyword: a name misspelt in any table
// changes a golden.
TEST(GoldenReports, ShowEveryKeywordAndName) {
  const auto values = GoldenValues();
  auto shows = [&](std::u16string_view keyword, std::u16string_view value) {
    auto found = values.find(Utf8(keyword));
    return found != values.end() && found->second.contains(Utf8(value));
  };
  auto check_lines = [&](std::span<const SettingLine> lines) {
    for (const SettingLine& line : lines) {
      SCOPED_TRACE(Utf8(line.keyword));
      EXPECT_TRUE(values.contains(Utf8(line.keyword)));
      std::span<const std::u16string_view> names = line.names;
      constexpr std::u16string_view kTruths[] = {u"False", u"True"};
      constexpr std::u16string_view kNone[] = {u"None"};
      if (line.rendering == Rendering::kBool) names = kTruths;
      if (line.rendering == Rendering::kOneIsOn) names = OffOnNames;
      if (line.rendering == Rendering::kDecimalOrNone) names = kNone;
      for (std::u16string_view name : names) {
        EXPECT_TRUE(shows(line.keyword, name)) << Utf8(name);
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
  const Lines kOtherTables[] = {kMouseLines,
                                kGeneralLines,
                                kGlobalLines,
                                kDictionaryLines,
                                kStandardHeadLines,
                                kHyperactiveHeadLines,
                                kEdgeLines,
                                kStandardColourLines,
                                kFloatLines,
                                kTriggerLines,
                                kSearchAttributeLines,
                                kSearchStringLines,
                                {&kActiveWindowLine, 1}};
  for (Lines lines : kOtherTables) check_lines(lines);
  for (const FlagLine& flag : kAttributeSearchLines) {
    EXPECT_TRUE(shows(flag.keyword, u"on") && shows(flag.keyword, u"off"))
        << Utf8(flag.keyword);
  }

  // Hot-key lines: one per command, and between them every key name.
  std::set<std::string> key_names;
  for (std::u16string_view command : HotKeyCommandNames) {
    if (command.empty() || command == std::end(HotKeyCommandNames)[-1]) {
      continue;
    }
    EXPECT_TRUE(values.contains(Utf8(command))) << Utf8(command);
    for (const std::string& stroke : values.at(Utf8(command))) {
      key_names.insert(stroke.substr(stroke.rfind('-') + 1));
    }
  }
  for (std::u16string_view key : KeyNames) {
    EXPECT_TRUE(key_names.contains(Utf8(key))) << Utf8(key);
  }
  for (const ControlKey& key : kControlKeys) {
    EXPECT_TRUE(key_names.contains(Utf8(key.name))) << Utf8(key.name);
  }
  EXPECT_TRUE(shows(
      CommandSlotNames[0],
      u"Execute_Hot_Key " + std::u16string(std::end(HotKeyCommandNames)[-1])));

  // Hyperactive commands, each in each of the three places.
  for (std::u16string_view slot : CommandSlotNames) {
    for (std::u16string_view command : HyperactiveCommandNames) {
      std::string name = Utf8(command);
      bool shown = false;
      for (const std::string& value : values.at(Utf8(slot))) {
        shown |= value == name || value.starts_with(name + " ");
      }
      EXPECT_TRUE(shown) << Utf8(slot) << " " << name;
    }
  }

  // Cursor-key commands, by the words of the key lines after the stroke;
  // an argument follows its command after "_".
  std::set<std::string> commands;
  for (int key = 1; key <= 46; ++key) {
    std::string keyword = (key < 10 ? "Key#0" : "Key#") + std::to_string(key);
    for (const std::string& value : values.at(keyword)) {
      for (std::size_t start = value.find(' '); start != std::string::npos;) {
        std::size_t end = value.find(' ', start + 1);
        commands.insert(value.substr(start + 1, end - start - 1));
        start = end;
      }
    }
  }
  for (std::int16_t row = 0; row < std::ssize(CursorCommandNames); ++row) {
    std::string name = Utf8(CursorCommandNames[row]);
    bool shown = commands.contains(name);
    for (const CursorCommandArgument& argument : kCursorCommandArguments) {
      if (argument.row != row) continue;
      auto after = commands.lower_bound(name + "_");
      shown = after != commands.end() && after->starts_with(name + "_");
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
