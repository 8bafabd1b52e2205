#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/codec.h"
#include "runs/file_system.h"
#include "setfile/set_file.h"
#include "text/text_parse.h"

namespace quorlith {

// The settings editor of both desktop programs, outside their toolkits:
// one set file's settings as a tree in report order, their values as the
// reports write them, edits through each setting's format, undo and redo,
// the marks of what changed and of what differs from another file, and a
// save that writes only the bits of the fields that were edited.

// A node of the editor's tree, which is the same for every file: the root
// (node 0), the sections, in a section its sub-sections and its records
// of more than one line as groups ("Menu 1.6 - Punctuation", "Key#05",
// "Window#12"), and a leaf per setting (a hot key's, named by its
// command, is a leaf of its section).
struct SettingsNode {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  std::u16string title;     // a section's or a group's; empty for a leaf
  std::size_t row = kNone;  // a leaf's row of AllSettings()
  std::size_t parent = kNone;
  std::vector<std::size_t> children;

  bool leaf() const { return row != kNone; }
};
const std::vector<SettingsNode>& SettingsTree();
// The leaf of `row`.
std::size_t NodeOfRow(std::size_t row);

// What a value is typed into: a choice among its names, or a field of
// text read by the setting's format. `hint` says what may be typed.
struct ValueEditor {
  enum class Kind { kChoice, kText };
  Kind kind = Kind::kText;
  std::vector<std::u16string> choices;  // kChoice: the names, none empty
  std::u16string hint;                  // "a number from 0 to 255"
  std::size_t max_length = 0;  // kText: the most units it takes; 0: any
  // kText: a plain number's range, which a control may step through;
  // both 0 for other values.
  std::int64_t low = 0;
  std::int64_t high = 0;
  // kText: the names of the commands the text holds (a cursor key's, a
  // hyperactive window's), which may be chosen rather than typed.
  std::vector<std::u16string> commands;
};
ValueEditor EditorFor(std::size_t row);

// A text and its caret, a place between its units (0 to its size).
struct TextAtCaret {
  std::u16string text;
  std::size_t caret = 0;
};
// `text` with `name` in place of the word the caret is in or touches, a
// word being bounded by blanks, or put at the caret where it stands
// between blanks; the caret follows the name.
TextAtCaret PutWordAtCaret(std::u16string_view text, std::size_t caret,
                           std::u16string_view name);

class SettingsModel {
 public:
  SettingsModel();

  // Reads the set file at `path` (completed as a run completes a name:
  // the current folder, ".000") for editing, in place of the one open.
  // False, with `error` naming the file and the reason, when it cannot
  // be read or is no set file; the file open before then stays.
  [[nodiscard]] bool Open(FileSystem& fs, std::string_view path,
                          std::u16string& error);
  // The same for the bytes of a file, as if read from `path`.
  [[nodiscard]] bool Load(std::string path, std::vector<std::uint8_t> bytes,
                          std::u16string& error);

  bool IsOpen() const { return !bytes_.empty(); }
  const std::string& path() const { return path_; }
  // The file's name, without its folder.
  std::u16string FileName() const;
  // "DEFAULT.000 - Settings", with ", changed" after the name while there
  // is something to save.
  std::u16string WindowTitle() const;
  // True while the settings differ from the file as last opened or saved.
  bool Modified() const;
  // The file's bytes as they stand, header and all.
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  // The value of the setting of `row` as its report line writes it, and
  // the whole line ("Key_Rate = 60").
  std::u16string_view Value(std::size_t row) const { return values_[row]; }
  std::u16string Line(std::size_t row) const;
  // What sets the setting apart, said after its line: "changed; differs:
  // 60 in B.000", or nothing.
  std::u16string Marks(std::size_t row) const;

  // Sets the setting of `row` to `text`, read as a report's line would
  // be. A value its format refuses is not stored: the problem is returned
  // in the compile's words ("Key_Rate: "70000" is out of range: 0 to
  // 255"). A value that reads as the one shown changes nothing.
  ParseResult Set(std::size_t row, std::u16string_view text);

  // Undoes or redoes the last edit; the row it changed, or nullopt when
  // there is none.
  std::optional<std::size_t> Undo();
  std::optional<std::size_t> Redo();
  bool CanUndo() const { return undone_ < edits_.size(); }
  bool CanRedo() const { return undone_ > 0; }

  // Whether the setting of `row` differs from the file as it was opened,
  // by the comparison rules of the reports.
  bool Changed(std::size_t row) const;
  // With `on`, the tree holds only the settings Changed() and what leads
  // to them; the children shown follow every edit.
  void SetChangedOnly(bool on);
  bool ChangedOnly() const { return changed_only_; }
  // The children of `node` in the tree as it is shown, and the place of
  // `node` among its parent's; kNone for a node not shown.
  const std::vector<std::size_t>& Children(std::size_t node) const;
  std::size_t IndexInParent(std::size_t node) const;
  bool Shown(std::size_t node) const;

  // Compares the settings with the set file at `path`, as a comparison
  // report does; false, with `error`, when it cannot be read.
  [[nodiscard]] bool CompareWith(FileSystem& fs, std::string_view path,
                                 std::u16string& error);
  [[nodiscard]] bool CompareWithBytes(std::string path,
                                      std::vector<std::uint8_t> bytes,
                                      std::u16string& error);
  bool Comparing() const { return other_ != nullptr; }
  const std::string& OtherPath() const { return other_path_; }
  // Whether the setting of `row` differs from the other file's, and that
  // file's value.
  bool Differs(std::size_t row) const;
  std::u16string OtherValue(std::size_t row) const;
  // The next (or previous) row after `row` that Differs() and is shown,
  // wrapping round; nullopt when none does.
  std::optional<std::size_t> NextDiffering(std::size_t row, bool forward) const;
  // Takes the other file's value for the setting of `row`, every bit its
  // format holds, as an edit; false when there is nothing to take.
  bool TakeOther(std::size_t row);

  // The next (or previous) shown row after `row`, wrapping round, whose
  // line holds `needle` (letters compared without regard to case); `row`
  // itself is tried last. nullopt for none or an empty needle.
  std::optional<std::size_t> Find(std::u16string_view needle, std::size_t row,
                                  bool forward) const;

  enum class SaveResult {
    kSaved,
    kChangedOnDisk,  // someone else wrote the file since: nothing written
    kFailed,         // `error` says why: the file is as it was
  };
  // Writes the settings over the file they were read from, through a new
  // file renamed into place: only the bits of the fields edited differ
  // from the bytes as read. A file changed on disk since it was opened or
  // saved is not written over unless `overwrite`.
  SaveResult Save(FileSystem& fs, bool overwrite, std::u16string& error);
  // Writes them to `path` instead, which the model then edits.
  SaveResult SaveAs(FileSystem& fs, std::string_view path,
                    std::u16string& error);

 private:
  // One edit: the bytes of the body it changed, each as it was before
  // and after.
  struct ByteChange {
    std::size_t offset;
    std::uint8_t before;
    std::uint8_t after;
  };
  struct Edit {
    std::size_t row;
    std::vector<ByteChange> changes;
  };

  std::span<std::uint8_t> Body();
  ByteView BodyView() const;
  // Keeps the edit of `row` that made the body what it is from `before`.
  void Record(std::size_t row, ByteView before);
  void Apply(const Edit& edit, bool forward);
  // After the body changed: the values and the tree as shown.
  void Refresh();
  SaveResult Write(FileSystem& fs, const std::string& path,
                   std::u16string& error);

  std::string path_;
  std::vector<std::uint8_t> bytes_;   // the file as it stands
  std::vector<std::uint8_t> opened_;  // as it was opened
  std::vector<std::uint8_t> saved_;   // as it was last read or written
  std::vector<std::u16string> values_;
  std::vector<Edit> edits_;
  std::size_t undone_ = 0;  // the last edits, undone
  std::unique_ptr<SetFileImage> other_;
  std::string other_path_;
  bool changed_only_ = false;
  // The tree as shown: each node's shown children and its place among
  // its parent's, kNone where it is not shown.
  std::vector<std::vector<std::size_t>> shown_children_;
  std::vector<std::size_t> shown_index_;
};

}  // namespace quorlith
