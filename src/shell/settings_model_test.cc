#include "shell/settings_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "report/keywords.h"
#include "report/report_testing.h"
#include "report/report_writer.h"
#include "runs/fake_file_system.h"
#include "sections/schema.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

std::size_t RowOf(std::u16string_view keyword) {
  const Keywords& keywords = Keywords::Get();
  return keywords.Find(keyword, keywords.size()).value();
}

// The rows a comparison of `a` with `b` finds different, every line a
// report may hold included.
class DifferingRows final : public SettingSink {
 public:
  DifferingRows(ByteView a, ByteView b) {
    SetFileImage first, second;
    LoadSetFileImage(a.subspan(kHeaderSize), first);
    LoadSetFileImage(b.subspan(kHeaderSize), second);
    ReportText text;
    RenderComparisonReport({}, {}, first, second, text,
                           {.sink = this, .every_line = true});
  }
  void Setting(const NotedSetting& noted) override {
    rows.push_back(noted.row);
  }
  std::vector<std::size_t> rows;
};

// The rows of the leaves the model shows, in the tree's order.
std::vector<std::size_t> ShownRows(const SettingsModel& model,
                                   std::size_t node = 0) {
  std::vector<std::size_t> rows;
  const std::vector<std::size_t>& children = model.Children(node);
  for (std::size_t i = 0; i < children.size(); ++i) {
    std::size_t child = children[i];
    const SettingsNode& n = SettingsTree()[child];
    EXPECT_EQ(model.IndexInParent(child), i);
    if (n.leaf()) {
      rows.push_back(n.row);
    } else {
      std::vector<std::size_t> below = ShownRows(model, child);
      rows.insert(rows.end(), below.begin(), below.end());
    }
  }
  return rows;
}

TEST(SettingsTree, SectionsGroupsAndLeavesInReportOrder) {
  const std::vector<SettingsNode>& tree = SettingsTree();
  SettingsModel model;
  std::vector<std::size_t> rows = ShownRows(model);
  ASSERT_EQ(rows.size(), Keywords::Get().size());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    ASSERT_EQ(rows[row], row);
    ASSERT_EQ(tree[NodeOfRow(row)].row, row);
  }
  ASSERT_EQ(tree[0].children.size(), SectionTitles().size());
  EXPECT_EQ(tree[tree[0].children[1]].title, u"Menu 2 - Keyboard");
  struct Case {
    std::u16string_view keyword;
    std::vector<std::u16string> path;  // the titles above its leaf
  };
  const Case kCases[] = {
      {u"Key_Rate", {u"Menu 2 - Keyboard"}},
      {u"Key_Math", {u"Menu 2 - Keyboard", u"Menu 2.6 - Punctuation"}},
      {u"Capitals", {u"Menu 2 - Keyboard"}},
      {u"Prior_Character", {u"Menu 4 - Hot Key Settings"}},
      {u"Key#05_delay", {u"Menu 5 - Cursor Key Settings", u"Key#05"}},
      {u"Window#12_Left", {u"Standard Windows Characteristics", u"Window#12"}},
      {u"Window#0_Float_Left_Position",
       {u"Standard Windows Characteristics", u"Window#0"}},
      {u"Window#B_Status",
       {u"Hyperactive Window Characteristics", u"Window#B"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.keyword));
    std::vector<std::u16string> path;
    for (std::size_t node = tree[NodeOfRow(RowOf(c.keyword))].parent; node != 0;
         node = tree[node].parent) {
      path.insert(path.begin(), tree[node].title);
    }
    EXPECT_EQ(path, c.path);
  }
}

// Each format refuses this, so no edit with it may store anything.
const std::u16string kRefused(300, u'x');

TEST(SettingsModel, EditRefuseUndoAndChangedOnlyOverRandomFiles) {
  std::mt19937 random(37);
  const std::size_t rows = Keywords::Get().size();
  for (int file = 0; file < RandomFiles(100); ++file) {
    SCOPED_TRACE(file);
    std::vector<std::uint8_t> original = RandomSetFile(random).Bytes();
    std::vector<std::uint8_t> donor = RandomSetFile(random).Bytes();
    SettingsModel model, source;
    std::u16string error;
    ASSERT_TRUE(model.Load("/sets/A.000", original, error));
    ASSERT_TRUE(source.Load("/sets/B.000", donor, error));
    ASSERT_TRUE(model.CompareWithBytes("/sets/B.000", donor, error));
    EXPECT_EQ(model.WindowTitle(), u"A.000 - Settings");
    std::vector<std::size_t> edited;
    for (int i = 0; i < 8; ++i) {
      std::size_t row = random() % rows;
      SCOPED_TRACE(Utf16ToUtf8(source.Line(row)));
      std::vector<std::uint8_t> before = model.Bytes();
      ParseResult refused = model.Set(row, kRefused);
      ASSERT_TRUE(refused);
      EXPECT_TRUE(refused->starts_with(Keywords::Get()[row].keyword + u": "));
      EXPECT_EQ(model.Bytes(), before);
      // A value shown already changes nothing, whatever bits differ.
      EXPECT_EQ(model.Set(row, source.Value(row)), std::nullopt);
      EXPECT_TRUE(ReadsAs(model.Value(row), source.Value(row), {}));
      edited.push_back(row);
    }
    // Only the bits the edited fields own changed, in the old or the new
    // record.
    std::vector<std::uint8_t> owned(kSetFileSize, 0);
    for (std::size_t row : edited) {
      const Keyword& entry = Keywords::Get()[row];
      std::vector<OwnedBits> bits;
      for (ByteView bytes : {ByteView(original), ByteView(model.Bytes())}) {
        entry.setting->codec->owned(entry.Record(bytes.subspan(kHeaderSize)),
                                    entry.setting->field, bits);
      }
      for (const OwnedBits& b : bits) {
        owned[kHeaderSize + entry.record_offset + b.offset] |= b.mask;
      }
    }
    for (std::size_t i = 0; i < kSetFileSize; ++i) {
      ASSERT_EQ((original[i] ^ model.Bytes()[i]) & ~owned[i], 0) << i;
    }
    std::vector<std::size_t> changed =
        DifferingRows(original, model.Bytes()).rows;
    for (std::size_t row : changed) {
      EXPECT_NE(std::find(edited.begin(), edited.end(), row), edited.end());
    }
    model.SetChangedOnly(true);
    EXPECT_EQ(ShownRows(model), changed);
    // Every mark of the comparison, and nothing else, in report order.
    std::vector<std::size_t> differing =
        DifferingRows(model.Bytes(), donor).rows;
    model.SetChangedOnly(false);
    std::vector<std::size_t> marked;
    for (auto at = model.NextDiffering(rows - 1, true);
         at && (marked.empty() || *at > marked.back());
         at = model.NextDiffering(*at, true)) {
      marked.push_back(*at);
    }
    EXPECT_EQ(marked, differing);
    std::vector<std::uint8_t> latest = model.Bytes();
    if (!differing.empty()) {
      std::size_t row = differing[random() % differing.size()];
      ASSERT_TRUE(model.TakeOther(row));
      EXPECT_FALSE(model.Differs(row));
      EXPECT_EQ(model.Value(row), source.Value(row));
      latest = model.Bytes();
      EXPECT_EQ(model.Undo(), row);
      EXPECT_TRUE(model.Differs(row));
    }
    while (model.Undo()) {
    }
    EXPECT_EQ(model.Bytes(), original);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(model.WindowTitle(), u"A.000 - Settings");
    while (model.Redo()) {
    }
    EXPECT_EQ(model.Bytes(), latest);
    // A file opened afresh has nothing to undo or redo.
    model.Undo();
    ASSERT_TRUE(model.Load("/sets/A.000", original, error));
    EXPECT_FALSE(model.CanUndo() || model.CanRedo());
  }
}

TEST(SettingsModel, EveryFormatRefusesWhatNoneReads) {
  SettingsModel model;
  std::u16string error;
  ASSERT_TRUE(model.Load("A.000", BusySetFile(1).Bytes(), error));
  for (std::size_t row = 0; row < Keywords::Get().size(); ++row) {
    ASSERT_TRUE(model.Set(row, kRefused)) << row;
  }
  EXPECT_FALSE(model.CanUndo());
  EXPECT_EQ(model.Set(RowOf(u"Key_Rate"), u"70000"),
            u"Key_Rate: \"70000\" is out of range: -32768 to 32767");
}

// A command chosen from the list takes the place of the word at the
// caret, or goes in at a caret between blanks; only the values that hold
// commands offer them.
TEST(ValueEditor, ChosenCommandTakesTheWordAtTheCaret) {
  struct Case {
    std::u16string_view text;
    std::size_t caret;
    std::u16string_view want;
    std::size_t want_caret;
  };
  const Case kCases[] = {
      {u"", 0, u"Line", 4},
      {u"Alt-Home Word", 0, u"Line Word", 4},
      {u"Alt-Home Word", 8, u"Line Word", 4},
      {u"Alt-Home Word", 9, u"Alt-Home Line", 13},
      {u"Alt-Home Speak_Window_4 Word", 15, u"Alt-Home Line Word", 13},
      {u"Alt-Home Word", 13, u"Alt-Home Line", 13},
      {u"Alt-Home Word ", 14, u"Alt-Home Word Line", 18},
      {u"Alt-Home  Word", 9, u"Alt-Home Line Word", 13},
      {u"Alt-Home Word", 99, u"Alt-Home Line", 13},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text) + " at " + std::to_string(c.caret));
    TextAtCaret put = PutWordAtCaret(c.text, c.caret, u"Line");
    EXPECT_EQ(put.text, c.want);
    EXPECT_EQ(put.caret, c.want_caret);
  }
  auto offers = [](std::u16string_view keyword, std::u16string_view name) {
    std::vector<std::u16string> names = EditorFor(RowOf(keyword)).commands;
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  EXPECT_TRUE(offers(u"Key#05", u"Speak_Window"));
  EXPECT_TRUE(offers(u"Window#A_Third_Command", u"Speak_String"));
  EXPECT_FALSE(offers(u"Key#05_delay", u"Speak_Window"));
  EXPECT_FALSE(offers(u"Prior_Character", u"Prior_Character"));
}

// What an editor says it takes, as a screen reader reads it beside the
// field: one row for each kind of value.
TEST(ValueEditor, HintsSayWhatEachValueTakes) {
  const std::pair<std::u16string_view, std::u16string_view> kHints[] = {
      {u"Key_Rate", u"a number from -32768 to 32767"},
      {u"Include_Window_With_Box", u"a number from -32768 to 32767, or None"},
      {u"Graphic_Symbol", u"dot numbers 1 to 8, such as 1357"},
      {u"Screen_Tone", u"one character"},
      {u"Prior_Character",
       u"a key as reports write it, such as Control-Alt-Home"},
      {u"Key#05",
       u"a key and one or two commands, such as Alt-Home Line "
       u"Speak_Window_4"},
      {u"Window#A_Third_Command", u"a command and what it takes"},
      {u"Color_Dictionary_File", u"text of up to 261 characters"},
      {u"Capitals", u"one of 3 names"},
  };
  for (auto [keyword, hint] : kHints) {
    EXPECT_EQ(Utf16ToUtf8(EditorFor(RowOf(keyword)).hint), Utf16ToUtf8(hint))
        << Utf16ToUtf8(keyword);
  }
}

TEST(SettingsModel, FindsKeywordsAndValues) {
  SettingsModel model;
  std::u16string error;
  ASSERT_TRUE(model.Load("A.000", BusySetFile(1).Bytes(), error));
  std::size_t key_rate = RowOf(u"Key_Rate");
  ASSERT_EQ(model.Set(key_rate, u"61"), std::nullopt);
  struct Case {
    std::u16string_view needle;
    std::size_t from;
    bool forward;
    std::optional<std::size_t> found;
  };
  const Case kCases[] = {
      {u"key_rate", 0, true, key_rate},
      {u"KEY_RATE = 61", key_rate, true, key_rate},  // itself, last
      {u"Key_Rate", key_rate + 1, false, key_rate},
      {u"Key#05_delay", 0, false, RowOf(u"Key#05_delay")},
      {u"_delay", RowOf(u"Key#05"), false, RowOf(u"Key#04_delay")},
      {u"_delay", RowOf(u"Key#05"), true, RowOf(u"Key#05_delay")},
      {u"no such line", 0, true, std::nullopt},
      {u"", 0, true, std::nullopt},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(Utf16ToUtf8(c.needle));
    EXPECT_EQ(model.Find(c.needle, c.from, c.forward), c.found);
  }
  // Changed only: the one change is all there is to find.
  model.SetChangedOnly(true);
  EXPECT_EQ(model.Find(u"Key", 0, true), key_rate);
  EXPECT_EQ(model.Find(u"Key#05", 0, true), std::nullopt);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() {
    fs_.SetCurrentDirectory("/sets/");
    fs_.AddFile("/sets/A.000", file_);
    fs_.AddFile("/sets/BAD.000", {1, 2, 3});
  }

  std::vector<std::uint8_t> OnDisk(const std::string& path) {
    return fs_.Find(path)->bytes;
  }

  FakeFileSystem fs_;
  std::vector<std::uint8_t> file_ = BusySetFile(2).Bytes();
  SettingsModel model_;
  std::u16string error_;
};

TEST_F(SettingsFileTest, OpensOnlySetFiles) {
  EXPECT_FALSE(model_.Open(fs_, "NONE", error_));
  EXPECT_EQ(error_, u"Error: Cannot open file /sets/NONE.000");
  EXPECT_FALSE(model_.Open(fs_, "BAD", error_));
  EXPECT_EQ(error_,
            u"Error: File /sets/BAD.000 does not match Orvalen version 7.0 "
            u"format.");
  EXPECT_FALSE(model_.IsOpen());
  ASSERT_TRUE(model_.Open(fs_, "A", error_));
  EXPECT_FALSE(model_.CompareWith(fs_, "BAD", error_));
  EXPECT_FALSE(model_.Comparing());
  EXPECT_FALSE(model_.Open(fs_, "BAD", error_));
  EXPECT_EQ(model_.path(), "/sets/A.000");
}

TEST_F(SettingsFileTest, SavesOverTheFileItReadUnlessSomeoneElseDid) {
  ASSERT_TRUE(model_.Open(fs_, "A.000", error_));
  ASSERT_EQ(model_.Set(RowOf(u"Key_Rate"), u"70"), std::nullopt);
  EXPECT_EQ(model_.WindowTitle(), u"A.000, changed - Settings");

  // A write that fails leaves the file as it was, and the edit to save.
  fs_.fail_write.insert("/sets/A.000.quorlith-new");
  EXPECT_EQ(model_.Save(fs_, false, error_),
            SettingsModel::SaveResult::kFailed);
  EXPECT_EQ(error_,
            u"Error: Cannot open file /sets/A.000; nothing was written.");
  EXPECT_EQ(OnDisk("/sets/A.000"), file_);
  EXPECT_TRUE(model_.Modified());
  fs_.fail_write.clear();

  ASSERT_EQ(model_.Save(fs_, false, error_), SettingsModel::SaveResult::kSaved);
  EXPECT_EQ(OnDisk("/sets/A.000"), model_.Bytes());
  EXPECT_FALSE(model_.Modified());
  EXPECT_EQ(fs_.Paths(),
            (std::vector<std::string>{"/sets/A.000", "/sets/BAD.000"}));

  // Someone else writes the file: a save asks first.
  std::vector<std::uint8_t> theirs = BusySetFile(3).Bytes();
  fs_.AddFile("/sets/A.000", theirs);
  ASSERT_EQ(model_.Set(RowOf(u"Key_Rate"), u"71"), std::nullopt);
  EXPECT_EQ(model_.Save(fs_, false, error_),
            SettingsModel::SaveResult::kChangedOnDisk);
  EXPECT_EQ(OnDisk("/sets/A.000"), theirs);
  ASSERT_EQ(model_.Save(fs_, true, error_), SettingsModel::SaveResult::kSaved);
  EXPECT_EQ(OnDisk("/sets/A.000"), model_.Bytes());

  // Save As edits the new file from then on; the old one stays.
  ASSERT_EQ(model_.Set(RowOf(u"Key_Rate"), u"72"), std::nullopt);
  ASSERT_EQ(model_.SaveAs(fs_, "NEW", error_),
            SettingsModel::SaveResult::kSaved);
  EXPECT_EQ(model_.path(), "/sets/NEW.000");
  EXPECT_EQ(OnDisk("/sets/NEW.000"), model_.Bytes());
  EXPECT_NE(OnDisk("/sets/A.000"), model_.Bytes());
}

}  // namespace
}  // namespace quorlith
