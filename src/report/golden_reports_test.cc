#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/cursor_key.h"
#include "codecs/hot_key.h"
#include "codecs/key_names.h"
#include "codecs/window_command.h"
#include "report/report_testing.h"
#include "report/section_testing.h"
#include "sections/schema.h"

namespace quorlith {
namespace {

TEST(GoldenReports, MatchTheirFiles) {
  for (const GoldenReport& golden : GoldenReports()) {
    SCOPED_TRACE(golden.file_name);
    EXPECT_EQ(LineDifferences(ReadGolden(golden.file_name), golden.text), "")
        << "After a change of the reports that is meant, "
           "tools/regen-goldens.sh rewrites the goldens.";
  }
}

// Every keyword of the schema shows in a golden, and so does every name a
// setting can take, each with that keyword: a name misspelt in any table
// changes a golden. Window lines are filed under their keyword without
// "Window#", the window and "_", all key lines under "Key#"; a command's
// words under its keyword too, with their argument after "_" where they
// take one.
TEST(GoldenReports, ShowEveryKeywordAndName) {
  std::map<std::string, std::set<std::string>> values, words;  // by keyword
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
      values[keyword].insert(line.substr(equals + 3));
      std::istringstream value(line.substr(equals + 3));
      for (std::string word; value >> word;) {
        for (std::size_t end = 0; end != std::string::npos;) {
          end = word.find('_', end + 1);
          words[keyword].insert(word.substr(0, end));  // up to each "_"
        }
      }
    }
  }
  std::set<std::string> keys;  // of the hot-key lines
  for (const SchemaSetting& s : AllSettings()) {
    std::string keyword = Utf16ToUtf8(s.keyword);
    if (keyword.starts_with("Window#")) {
      keyword = keyword.substr(keyword.find('_') + 1);
    }
    const Codec* codec = s.setting->codec;
    if (codec == &kCursorKey) keyword = "Key#";
    SCOPED_TRACE(keyword);
    EXPECT_TRUE(values.contains(keyword));
    for (const std::string& stroke : values[keyword]) {
      if (codec == &kHotKey) keys.insert(stroke.substr(stroke.rfind('-') + 1));
    }
    for (std::u16string_view name16 : codec->hint(s.setting->field).names) {
      std::string name = Utf16ToUtf8(name16);
      if (name.empty()) continue;
      EXPECT_TRUE(codec == &kCursorKey || codec == &kWindowCommand
                      ? words[keyword].contains(name)
                      : values[keyword].contains(name))
          << name;
    }
  }

  // Every key name shows in a hot-key line; the last hot-key command, which
  // names the search keyword, shows as an argument.
  std::vector<std::u16string_view> names(std::begin(KeyNames),
                                         std::end(KeyNames));
  for (const ControlKey& key : kControlKeys) names.push_back(key.name);
  for (std::u16string_view key : names) {
    EXPECT_TRUE(keys.contains(Utf16ToUtf8(key))) << Utf16ToUtf8(key);
  }
  EXPECT_TRUE(words["First_Command"].contains(
      Utf16ToUtf8(std::end(HotKeyCommandNames)[-1])));
  for (std::u16string_view attribute : OfficeAttributeNames) {
    EXPECT_TRUE(words["Key#"].contains("Office_Attribute_Status_" +
                                       Utf16ToUtf8(attribute)))
        << Utf16ToUtf8(attribute);
  }
}

}  // namespace
}  // namespace quorlith
