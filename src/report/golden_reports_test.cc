#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

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

// Every keyword of the schema shows in a golden, and so does every name a
// setting can take, each with that keyword: a name misspelt in any table
// changes a golden.
TEST(GoldenReports, ShowEveryKeywordAndName) {
  const Shown golden = GoldenValues();
  auto shows = [&](const std::map<std::string, std::set<std::string>>& map,
                   const std::string& keyword, const std::string& value) {
    auto found = map.find(keyword);
    return found != map.end() && found->second.contains(value);
  };
  // A word of a command line, its argument after "_" where it takes one.
  auto shows_word = [&](const std::string& keyword, const std::string& name) {
    auto found = golden.words.find(keyword);
    if (found == golden.words.end()) return false;
    auto after = found->second.lower_bound(name);
    return after != found->second.end() &&
           (*after == name || after->starts_with(name + "_"));
  };
  for (const SchemaSetting& s : AllSettings()) {
    std::string keyword = Utf8(s.keyword);
    // As GoldenValues files them: window lines without their record's
    // prefix, every cursor key's line as "Key#".
    if (keyword.starts_with("Window#")) {
      keyword = keyword.substr(keyword.find('_') + 1);
    }
    const Codec* codec = s.setting->codec;
    if (codec == &kCursorKey) keyword = "Key#";
    SCOPED_TRACE(keyword);
    EXPECT_TRUE(golden.values.contains(keyword));
    for (std::u16string_view name : codec->hint(s.setting->field).names) {
      if (name.empty()) continue;
      if (codec == &kCursorKey || codec == &kWindowCommand) {
        EXPECT_TRUE(shows_word(keyword, Utf8(name))) << Utf8(name);
      } else {
        EXPECT_TRUE(shows(golden.values, keyword, Utf8(name))) << Utf8(name);
      }
    }
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
  EXPECT_TRUE(shows(golden.words, "First_Command",
                    Utf8(std::end(HotKeyCommandNames)[-1])));
  for (std::u16string_view attribute : OfficeAttributeNames) {
    EXPECT_TRUE(golden.words.at("Key#").contains("Office_Attribute_Status_" +
                                                 Utf8(attribute)))
        << Utf8(attribute);
  }
}

}  // namespace
}  // namespace quorlith
