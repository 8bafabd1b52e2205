#include "shell/settings_model.h"

#include <algorithm>

#include "codecs/braille_dots.h"
#include "codecs/character.h"
#include "codecs/cursor_key.h"
#include "codecs/flag.h"
#include "codecs/hot_key.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "codecs/window_command.h"
#include "report/keywords.h"
#include "runs/file_names.h"
#include "runs/progress_log.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "shell/viewer_text.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

constexpr std::size_t kNone = SettingsNode::kNone;

struct Tree {
  std::vector<SettingsNode> nodes;
  std::vector<std::size_t> leaf_of_row;
};

const Tree& TheTree() {
  static const Tree tree = [] {
    Tree made;
    made.nodes.emplace_back();  // the root
    auto add = [&made](std::size_t parent, std::u16string title,
                       std::size_t row) {
      std::size_t node = made.nodes.size();
      made.nodes.push_back({std::move(title), row, parent, {}});
      made.nodes[parent].children.push_back(node);
      return node;
    };
    const std::vector<SchemaSetting>& settings = AllSettings();
    std::vector<std::size_t> sections;
    for (std::u16string_view title : SectionTitles()) {
      title.remove_prefix(
          std::min(title.find_first_not_of(u"; "), title.size()));
      sections.push_back(add(0, std::u16string(title), kNone));
    }
    for (std::size_t row = 0; row < settings.size(); ++row) {
      const SchemaSetting& s = settings[row];
      std::size_t parent = sections[s.section];
      // A record of one line (a hot key's) is that line: no group.
      bool one_line = s.group == s.keyword;
      if (!s.group.empty() && !one_line) {
        const std::vector<std::size_t>& siblings = made.nodes[parent].children;
        if (siblings.empty() || made.nodes[siblings.back()].leaf() ||
            made.nodes[siblings.back()].title != s.group) {
          add(parent, s.group, kNone);
        }
        parent = made.nodes[parent].children.back();
      }
      made.leaf_of_row.push_back(add(parent, {}, row));
    }
    return made;
  }();
  return tree;
}

// A catalogue message as a message box shows it, without its line end.
std::u16string Message(LogCode code, const std::string& path) {
  std::u16string text = FormatLogMessage(static_cast<std::uint32_t>(code),
                                         Utf8ToUtf16(path), {}, 0);
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) {
    text.pop_back();
  }
  return text;
}

bool ReadSetFile(FileSystem& fs, const std::string& path,
                 std::vector<std::uint8_t>& bytes, std::u16string& error) {
  if (!ReadWholeFile(fs, path, kSetFileSize, bytes)) {
    error = Message(LogCode::kCannotOpen, path);
    return false;
  }
  return true;
}

bool IsSetFile(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() == kSetFileSize &&
         CheckSetFile(bytes, bytes.size()) == CheckResult::kOk;
}

std::string CompletedPath(FileSystem& fs, std::string_view name) {
  NameParts parts = SplitFileName(name, fs.CurrentDirectory(), fs.Style());
  if (parts.extension.empty()) parts.extension = kDefaultExtension;
  return parts.Joined();
}

// The first row after `row` (before it, unless `forward`) that `matches`,
// going round past the last row to the first; `row` itself comes last.
template <typename Matches>
std::optional<std::size_t> FirstRowAround(std::size_t row, std::size_t count,
                                          bool forward, Matches matches) {
  for (std::size_t step = 1; step <= count; ++step) {
    std::size_t at =
        forward ? (row + step) % count : (row + count - step % count) % count;
    if (matches(at)) return at;
  }
  return std::nullopt;
}

std::u16string RangeHint(const ValueHint& hint) {
  return u"a number from " + Decimal(hint.low) + u" to " + Decimal(hint.high);
}

}  // namespace

const std::vector<SettingsNode>& SettingsTree() { return TheTree().nodes; }

std::size_t NodeOfRow(std::size_t row) { return TheTree().leaf_of_row[row]; }

ValueEditor EditorFor(std::size_t row) {
  const Setting& setting = *Keywords::Get()[row].setting;
  const Codec* codec = setting.codec;
  ValueHint hint = codec->hint(setting.field);
  ValueEditor editor;
  // Only these formats read a value that is one of their names alone;
  // others name a part of it (a cursor key's commands).
  if (codec == &kName || codec == &kTruth || codec == &kOneIsOn ||
      codec == &kFlag) {
    editor.kind = ValueEditor::Kind::kChoice;
    for (std::u16string_view name : hint.names) {
      if (!name.empty()) editor.choices.emplace_back(name);
    }
    editor.hint = u"one of " +
                  Decimal(static_cast<std::int64_t>(editor.choices.size())) +
                  u" names";
    return editor;
  }
  editor.max_length = hint.units;
  if (codec == &kDecimalOrNone) {
    editor.hint = RangeHint(hint) + u", or None";
  } else if (hint.low != hint.high && codec != &kBrailleDots) {
    editor.hint = RangeHint(hint);
    editor.low = hint.low;
    editor.high = hint.high;
  } else if (codec == &kBrailleDots) {
    editor.hint = u"dot numbers 1 to 8, such as 1357";
  } else if (codec == &kCharacter) {
    editor.hint = u"one character";
  } else if (codec == &kHotKey) {
    editor.hint = u"a key as reports write it, such as Control-Alt-Home";
  } else if (codec == &kCursorKey || codec == &kWindowCommand) {
    editor.hint = codec == &kCursorKey
                      ? u"a key and one or two commands, such as Alt-Home Line "
                        u"Speak_Window_4"
                      : u"a command and what it takes";
    for (std::u16string_view name : hint.names) {
      if (!name.empty()) editor.commands.emplace_back(name);
    }
  } else {
    editor.hint = u"text of up to " +
                  Decimal(static_cast<std::int64_t>(hint.units)) +
                  u" characters";
  }
  return editor;
}

TextAtCaret PutWordAtCaret(std::u16string_view text, std::size_t caret,
                           std::u16string_view name) {
  caret = std::min(caret, text.size());
  std::size_t start = caret;
  while (start > 0 && text[start - 1] != u' ') --start;
  std::size_t end = caret;
  while (end < text.size() && text[end] != u' ') ++end;
  TextAtCaret put{std::u16string(text.substr(0, start)), 0};
  put.text.append(name);
  put.caret = put.text.size();
  put.text.append(text.substr(end));
  return put;
}

SettingsModel::SettingsModel() {
  const std::vector<SettingsNode>& nodes = SettingsTree();
  shown_children_.resize(nodes.size());
  shown_index_.assign(nodes.size(), kNone);
  values_.resize(Keywords::Get().size());
  Refresh();
}

bool SettingsModel::Open(FileSystem& fs, std::string_view name,
                         std::u16string& error) {
  std::string path = CompletedPath(fs, name);
  std::vector<std::uint8_t> bytes;
  if (!ReadSetFile(fs, path, bytes, error)) return false;
  return Load(std::move(path), std::move(bytes), error);
}

bool SettingsModel::Load(std::string path, std::vector<std::uint8_t> bytes,
                         std::u16string& error) {
  if (!IsSetFile(bytes)) {
    error = Message(LogCode::kWrongFormat, path);
    return false;
  }
  path_ = std::move(path);
  bytes_ = std::move(bytes);
  opened_ = bytes_;
  saved_ = bytes_;
  edits_.clear();
  undone_ = 0;
  Refresh();
  return true;
}

namespace {

std::u16string NameOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return Utf8ToUtf16(slash == std::string::npos ? path
                                                : path.substr(slash + 1));
}

}  // namespace

std::u16string SettingsModel::FileName() const { return NameOf(path_); }

std::u16string SettingsModel::WindowTitle() const {
  return FileName() + (Modified() ? u", changed" : u"") + u" - Settings";
}

bool SettingsModel::Modified() const { return bytes_ != saved_; }

std::span<std::uint8_t> SettingsModel::Body() {
  return std::span(bytes_).subspan(kHeaderSize);
}

ByteView SettingsModel::BodyView() const {
  return ByteView(bytes_).subspan(kHeaderSize);
}

std::u16string SettingsModel::Line(std::size_t row) const {
  return Keywords::Get()[row].keyword + u" = " + values_[row];
}

std::u16string SettingsModel::Marks(std::size_t row) const {
  std::u16string marks;
  if (Changed(row)) marks = u"changed";
  if (Differs(row)) {
    if (!marks.empty()) marks.append(u"; ");
    marks.append(u"differs: " + OtherValue(row) + u" in " +
                 NameOf(other_path_));
  }
  return marks;
}

ParseResult SettingsModel::Set(std::size_t row, std::u16string_view text) {
  if (ReadsAs(text, values_[row], {})) return std::nullopt;
  const Keyword& entry = Keywords::Get()[row];
  std::vector<std::uint8_t> before(bytes_.begin() + kHeaderSize, bytes_.end());
  ParseResult problem = entry.setting->codec->parse(text, entry.Record(Body()),
                                                    entry.setting->field);
  if (problem) {
    std::copy(before.begin(), before.end(), Body().begin());
    return KeywordProblem(entry.keyword, *problem);
  }
  Record(row, before);
  return std::nullopt;
}

void SettingsModel::Record(std::size_t row, ByteView before) {
  Edit edit{row, {}};
  ByteView after = BodyView();
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (before[i] != after[i]) edit.changes.push_back({i, before[i], after[i]});
  }
  if (edit.changes.empty()) return;
  edits_.resize(edits_.size() - undone_);
  undone_ = 0;
  edits_.push_back(std::move(edit));
  Refresh();
}

void SettingsModel::Apply(const Edit& edit, bool forward) {
  std::span<std::uint8_t> body = Body();
  for (const ByteChange& change : edit.changes) {
    body[change.offset] = forward ? change.after : change.before;
  }
  Refresh();
}

std::optional<std::size_t> SettingsModel::Undo() {
  if (!CanUndo()) return std::nullopt;
  ++undone_;
  const Edit& edit = edits_[edits_.size() - undone_];
  Apply(edit, false);
  return edit.row;
}

std::optional<std::size_t> SettingsModel::Redo() {
  if (!CanRedo()) return std::nullopt;
  const Edit& edit = edits_[edits_.size() - undone_];
  Apply(edit, true);
  --undone_;
  return edit.row;
}

bool SettingsModel::Changed(std::size_t row) const {
  if (!IsOpen()) return false;
  const Keyword& entry = Keywords::Get()[row];
  ByteView opened = ByteView(opened_).subspan(kHeaderSize);
  return entry.setting->codec->differs(
      entry.Record(opened), entry.Record(BodyView()), entry.setting->field);
}

void SettingsModel::SetChangedOnly(bool on) {
  changed_only_ = on;
  Refresh();
}

void SettingsModel::Refresh() {
  ReportText text;
  const Keywords& keywords = Keywords::Get();
  if (IsOpen()) {
    for (std::size_t row = 0; row < keywords.size(); ++row) {
      const Setting& setting = *keywords[row].setting;
      text.clear();
      setting.codec->render(text, keywords[row].Record(BodyView()),
                            setting.field);
      values_[row].assign(text.view());
    }
  }
  const std::vector<SettingsNode>& nodes = SettingsTree();
  // Children come after their parents: from the last node back, each
  // knows whether it is shown before its parent asks.
  std::vector<char> shown(nodes.size(), 0);
  for (std::size_t node = nodes.size(); node-- > 0;) {
    shown_children_[node].clear();
    if (nodes[node].leaf()) {
      shown[node] = !changed_only_ || Changed(nodes[node].row);
      continue;
    }
    for (std::size_t child : nodes[node].children) {
      if (shown[child]) {
        shown_index_[child] = shown_children_[node].size();
        shown_children_[node].push_back(child);
      } else {
        shown_index_[child] = kNone;
      }
    }
    shown[node] = node == 0 || !shown_children_[node].empty();
  }
  shown_index_[0] = 0;
}

const std::vector<std::size_t>& SettingsModel::Children(
    std::size_t node) const {
  return shown_children_[node];
}

std::size_t SettingsModel::IndexInParent(std::size_t node) const {
  return shown_index_[node];
}

bool SettingsModel::Shown(std::size_t node) const {
  return shown_index_[node] != kNone;
}

bool SettingsModel::CompareWith(FileSystem& fs, std::string_view name,
                                std::u16string& error) {
  std::string path = CompletedPath(fs, name);
  std::vector<std::uint8_t> bytes;
  if (!ReadSetFile(fs, path, bytes, error)) return false;
  return CompareWithBytes(std::move(path), std::move(bytes), error);
}

bool SettingsModel::CompareWithBytes(std::string path,
                                     std::vector<std::uint8_t> bytes,
                                     std::u16string& error) {
  if (!IsSetFile(bytes)) {
    error = Message(LogCode::kWrongFormat, path);
    return false;
  }
  other_ = std::make_unique<SetFileImage>();
  LoadSetFileImage(ByteView(bytes).subspan(kHeaderSize), *other_);
  other_path_ = std::move(path);
  return true;
}

bool SettingsModel::Differs(std::size_t row) const {
  if (!other_) return false;
  const Keyword& entry = Keywords::Get()[row];
  return entry.setting->codec->differs(entry.Record(BodyView()),
                                       entry.Record(other_->Body()),
                                       entry.setting->field);
}

std::u16string SettingsModel::OtherValue(std::size_t row) const {
  if (!other_) return {};
  const Keyword& entry = Keywords::Get()[row];
  ReportText text;
  entry.setting->codec->render(text, entry.Record(other_->Body()),
                               entry.setting->field);
  return std::u16string(text.view());
}

bool SettingsModel::TakeOther(std::size_t row) {
  if (!Differs(row)) return false;
  const Keyword& entry = Keywords::Get()[row];
  ByteView theirs = entry.Record(other_->Body());
  std::vector<OwnedBits> bits;
  entry.setting->codec->owned(theirs, entry.setting->field, bits);
  std::vector<std::uint8_t> before(bytes_.begin() + kHeaderSize, bytes_.end());
  std::span<std::uint8_t> ours = entry.Record(Body());
  for (const OwnedBits& b : bits) {
    ours[b.offset] = static_cast<std::uint8_t>((ours[b.offset] & ~b.mask) |
                                               (theirs[b.offset] & b.mask));
  }
  Record(row, before);
  return true;
}

std::optional<std::size_t> SettingsModel::NextDiffering(std::size_t row,
                                                        bool forward) const {
  return FirstRowAround(row, values_.size(), forward, [&](std::size_t at) {
    return Differs(at) && Shown(NodeOfRow(at));
  });
}

std::optional<std::size_t> SettingsModel::Find(std::u16string_view needle,
                                               std::size_t row,
                                               bool forward) const {
  if (needle.empty()) return std::nullopt;
  return FirstRowAround(row, values_.size(), forward, [&](std::size_t at) {
    return Shown(NodeOfRow(at)) && FindInText(Line(at), needle, 0, true);
  });
}

SettingsModel::SaveResult SettingsModel::Save(FileSystem& fs, bool overwrite,
                                              std::u16string& error) {
  if (!overwrite) {
    std::vector<std::uint8_t> on_disk;
    std::u16string unread;
    if (!ReadSetFile(fs, path_, on_disk, unread) || on_disk != saved_) {
      error = Utf8ToUtf16(path_) +
              u" was changed by another program since it was opened.";
      return SaveResult::kChangedOnDisk;
    }
  }
  return Write(fs, path_, error);
}

SettingsModel::SaveResult SettingsModel::SaveAs(FileSystem& fs,
                                                std::string_view name,
                                                std::u16string& error) {
  std::string path = CompletedPath(fs, name);
  SaveResult result = Write(fs, path, error);
  if (result == SaveResult::kSaved) path_ = std::move(path);
  return result;
}

SettingsModel::SaveResult SettingsModel::Write(FileSystem& fs,
                                               const std::string& path,
                                               std::u16string& error) {
  if (!ReplaceFile(fs, path, bytes_)) {
    error = Message(LogCode::kCannotOpen, path) + u"; nothing was written.";
    return SaveResult::kFailed;
  }
  saved_ = bytes_;
  return SaveResult::kSaved;
}

}  // namespace quorlith
