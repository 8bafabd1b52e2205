#include "shell/settings_model.h"

#include <gtest/gtest.h>

#include <random>

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
    const SettingsNode& child = SettingsTree()[children[i]];
    EXPECT_EQ(model.IndexInParent(children[i]), i);
    std::vector<std::size_t> below =
        child.leaf() ? std::vector{child.row} : ShownRows(model, children[i]);
    rows.insert(rows.end(), below.begin(), below.end());
  }
  return rows;
}

TEST(SettingsTree, SectionsGroupsAndLeavesInReportOrder) {
  const std::vector<SettingsNode>& tree = SettingsTree();
  std::vector<std::size_t> rows = ShownRows(SettingsModel());
  ASSERT_EQ(rows.size(), Keywords::Get().size());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    ASSERT_EQ(rows[row], row);
    ASSERT_EQ(tree[NodeOfRow(row)].row, row);
  }
  ASSERT_EQ(tree[0].children.size(), SectionTitles().size());
  const std::pair<std::u16string_view, std::vector<std::u16string>> kPaths[] = {
      {u"Key_Math", {u"Menu 2 - Keyboard", u"Menu 2.6 - Punctuation"}},
      {u"Capitals", {u"Menu 2 - Keyboard"}},
      {u"Prior_Character", {u"Menu 4 - Hot Key Settings"}},
      {u"Key#05_delay", {u"Menu 5 - Cursor Key Settings", u"Key#05"}},
      {u"Window#0_Float_Left_Position",
       {u"Standard Windows Characteristics", u"Window#0"}},
      {u"Window#B_Status",
       {u"Hyperactive Window Characteristics", u"Window#B"}},
  };
  for (const auto& [keyword, want] : kPaths) {
    std::vector<std::u16string> path;  // the titles above its leaf
    for (std::size_t node = tree[NodeOfRow(RowOf(keyword))].parent; node != 0;
         node = tree[node].parent) {
      path.insert(path.begin(), tree[node].title);
    }
    EXPECT_EQ(path, want) << Utf16ToUtf8(keyword);
  }
}

TEST(SettingsModel, EditRefuseUndoAndChangedOnlyOverRandomFiles) {
  // Each format refuses this, so no edit with it may store anything.
  const std::u16string kRefused(300, u'x');
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
      EXPECT_EQ(model.Undo(), row);
      EXPECT_TRUE(model.Differs(row));
      // An edit after an undo leaves nothing to redo.
      if (differing.size() > 1) {
        ASSERT_TRUE(model.TakeOther(differing[differing[0] == row]));
        EXPECT_FALSE(model.CanRedo());
      }
      latest = model.Bytes();
    }
    while (model.Undo()) {
    }
    EXPECT_EQ(model.Bytes(), original);
    EXPECT_FALSE(model.Modified());
    while (model.Redo()) {
    }
    EXPECT_EQ(model.Bytes(), latest);
    // A file opened afresh has nothing to undo or redo.
    model.Undo();
    ASSERT_TRUE(model.Load("/sets/A.000", original, error));
    EXPECT_FALSE(model.CanUndo() || model.CanRedo());
  }
}

// A command chosen from the list takes the place of the word at the
// caret, or goes in at a caret between blanks.
TEST(ValueEditor, ChosenCommandTakesTheWordAtTheCaret) {
  const std::tuple<std::u16string_view, std::size_t, std::u16string_view,
                   std::size_t>
      kCases[] = {
          {u"", 0, u"Line", 4},
          {u"Alt-Home Word", 0, u"Line Word", 4},
          {u"Alt-Home Word", 8, u"Line Word", 4},
          {u"Alt-Home Word", 9, u"Alt-Home Line", 13},
          {u"Alt-Home Speak_Window_4 Word", 15, u"Alt-Home Line Word", 13},
          {u"Alt-Home Word ", 14, u"Alt-Home Word Line", 18},
          {u"Alt-Home  Word", 9, u"Alt-Home Line Word", 13},
          {u"Alt-Home Word", 99, u"Alt-Home Line", 13},
      };
  for (const auto& [text, caret, want, want_caret] : kCases) {
    TextAtCaret put = PutWordAtCaret(text, caret, u"Line");
    EXPECT_EQ(Utf16ToUtf8(put.text), Utf16ToUtf8(want)) << caret;
    EXPECT_EQ(put.caret, want_caret) << Utf16ToUtf8(text) << caret;
  }
}

// What an editor says it takes, as a screen reader reads it beside the
// field: one row for each kind of value. Only the values that hold
// commands offer them.
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
  EXPECT_FALSE(EditorFor(RowOf(u"Window#A_Third_Command")).commands.empty());
  EXPECT_TRUE(EditorFor(RowOf(u"Key#05_delay")).commands.empty());
  EXPECT_TRUE(EditorFor(RowOf(u"Prior_Character")).commands.empty());
}

// A find goes round past either end, tries its own row last, and finds
// nothing that changed only hides.
TEST(SettingsModel, FindGoesRoundAndSkipsHiddenRows) {
  SettingsModel model;
  std::u16string error;
  ASSERT_TRUE(model.Load("A.000", BusySetFile(1).Bytes(), error));
  const std::size_t key_rate = RowOf(u"Key_Rate");
  ASSERT_EQ(model.Set(key_rate, u"61"), std::nullopt);
  EXPECT_EQ(model.Find(u"KEY_RATE = 61", key_rate, true), key_rate);
  EXPECT_EQ(model.Find(u"Key#05_d", 0, false), RowOf(u"Key#05_delay"));
  EXPECT_EQ(model.Find(u"_delay", RowOf(u"Key#05"), false),
            RowOf(u"Key#04_delay"));
  EXPECT_EQ(model.Find(u"", 0, true), std::nullopt);
  model.SetChangedOnly(true);
  EXPECT_EQ(model.Find(u"Key", 0, true), key_rate);
  EXPECT_EQ(model.Find(u"Key#05", 0, true), std::nullopt);
}

// A file is opened only if it is a set file; a save writes over the file
// it read unless the write fails or someone else wrote it since; Save As
// edits the new file from then on.
TEST(SettingsModel, OpensAndSavesOnlyWhatItShould) {
  FakeFileSystem fs;
  fs.SetCurrentDirectory("/sets/");
  const std::vector<std::uint8_t> file = BusySetFile(2).Bytes();
  fs.AddFile("/sets/A.000", file);
  fs.AddFile("/sets/BAD.000", {1, 2, 3});
  SettingsModel model;
  std::u16string error;
  EXPECT_FALSE(model.Open(fs, "NONE", error));
  EXPECT_EQ(error, u"Error: Cannot open file /sets/NONE.000");
  ASSERT_TRUE(model.Open(fs, "A", error));
  EXPECT_FALSE(model.CompareWith(fs, "BAD", error));
  EXPECT_FALSE(model.Comparing());
  EXPECT_FALSE(model.Open(fs, "BAD", error));
  EXPECT_EQ(error,
            u"Error: File /sets/BAD.000 does not match Orvalen version 7.0 "
            u"format.");
  EXPECT_EQ(model.path(), "/sets/A.000");

  using enum SettingsModel::SaveResult;
  ASSERT_EQ(model.Set(RowOf(u"Key_Rate"), u"70"), std::nullopt);
  EXPECT_EQ(model.WindowTitle(), u"A.000, changed - Settings");
  fs.fail_write.insert("/sets/A.000.quorlith-new");
  EXPECT_EQ(model.Save(fs, false, error), kFailed);
  EXPECT_EQ(error,
            u"Error: Cannot open file /sets/A.000; nothing was written.");
  EXPECT_EQ(fs.Find("/sets/A.000")->bytes, file);
  EXPECT_TRUE(model.Modified());
  fs.fail_write.clear();
  ASSERT_EQ(model.Save(fs, false, error), kSaved);
  EXPECT_EQ(fs.Find("/sets/A.000")->bytes, model.Bytes());
  EXPECT_EQ(model.WindowTitle(), u"A.000 - Settings");
  EXPECT_EQ(fs.Paths(),
            (std::vector<std::string>{"/sets/A.000", "/sets/BAD.000"}));

  const std::vector<std::uint8_t> theirs = BusySetFile(3).Bytes();
  fs.AddFile("/sets/A.000", theirs);
  ASSERT_EQ(model.Set(RowOf(u"Key_Rate"), u"71"), std::nullopt);
  EXPECT_EQ(model.Save(fs, false, error), kChangedOnDisk);
  EXPECT_EQ(fs.Find("/sets/A.000")->bytes, theirs);
  ASSERT_EQ(model.Save(fs, true, error), kSaved);
  EXPECT_EQ(fs.Find("/sets/A.000")->bytes, model.Bytes());

  ASSERT_EQ(model.Set(RowOf(u"Key_Rate"), u"72"), std::nullopt);
  ASSERT_EQ(model.SaveAs(fs, "NEW", error), kSaved);
  EXPECT_EQ(model.path(), "/sets/NEW.000");
  EXPECT_EQ(fs.Find("/sets/NEW.000")->bytes, model.Bytes());
  EXPECT_NE(fs.Find("/sets/A.000")->bytes, model.Bytes());
}

}  // namespace
}  // namespace quorlith
