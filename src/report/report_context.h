#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "report/keyword_filter.h"
#include "report/report_text.h"
#include "report/value_names.h"
#include "setfile/set_file.h"

namespace quorlith {

enum class ReportKind { kDecompile, kComparison };

// The same block, or the same record inside it, in both images. Values are
// always shown from `printed`; `original` is only compared with it.
struct BlockPair {
  ByteView printed;
  ByteView original;

  BlockPair Sub(std::size_t offset, std::size_t size) const {
    return {printed.subspan(offset, size), original.subspan(offset, size)};
  }
};

// One stored field behind a setting line: a number, or the text of a text
// field up to its NUL. `field` is where the field's bytes start in the
// image, so a caller can tell which bytes a setting shows.
struct StoredValue {
  std::int64_t number = 0;
  std::u16string text;
  bool is_text = false;
  const std::uint8_t* field = nullptr;
};

inline StoredValue StoredNumber(std::int64_t number,
                                const std::uint8_t* field) {
  StoredValue stored;
  stored.number = number;
  stored.field = field;
  return stored;
}

// How a setting line's value is read back: the writer of each line names
// the function that parses what it writes. `fields` are the offsets, from
// the start of the image's blocks, of the fields the writer noted, in the
// same order; the function stores the parsed value there and returns
// nothing, or returns what is wrong with `value`. Fields it does not
// write keep their bytes.
using ParseValueFn = std::optional<std::u16string> (*)(
    const void* table, std::u16string_view value, std::span<std::uint8_t> body,
    std::span<const std::size_t> fields);

struct SettingInverse {
  ParseValueFn parse = nullptr;
  const void* table = nullptr;  // what the writer wrote the line from
  // The names a value may take, where the line writes one of a table's
  // (the command of a cursor key or window command line included).
  ValueNameTable names = {};
};

// How much a listener needs to be told of each setting line. Noting every
// line of a report is most of what rendering it costs, so a listener asks
// for no more than it uses.
enum class NoteDetail {
  kPlaces,  // where each line lies
  kFields,  // and its stored fields, with the texts of text fields left out
  kAll,
};

// Told of every setting line as it is about to be written, for the views
// of a report that need its settings one by one (JSON, the list of
// changes). A setting line is never erased once written: the erase rules
// only drop sections that hold nothing but their fixed comment lines.
class SettingSink {
 public:
  virtual ~SettingSink() = default;
  // `line_start` is where the line begins in the text; `section_start`
  // where the section holding it begins, at its title line. `stored` is
  // empty for a listener of kPlaces.
  virtual void Setting(std::size_t section_start, std::size_t line_start,
                       std::span<const StoredValue> stored,
                       SettingInverse inverse) = 0;
  virtual NoteDetail Detail() const { return NoteDetail::kAll; }
};

// How a report is rendered beyond its kind. The defaults make the report
// files; the other settings serve the console's views of a report.
struct ReportOptions {
  SettingSink* sink = nullptr;
  // Settings a comparison leaves out, as if they did not differ; a
  // section left without lines erases itself as always. A decompile shows
  // every setting.
  const KeywordFilter* ignore = nullptr;
  // Show each value from the original instead of the new file, while
  // every decision of what to write stays the same, so the lines of the
  // two renderings pair up one by one.
  bool show_original = false;
  // Write the lines a record shows only for some of its values too (a
  // hyperactive window's search lines for every trigger), so that a
  // compile knows every keyword a report may hold.
  bool every_line = false;
};

// Everything a section writer reads and writes. In a decompile report
// `original` is the printed image itself, so every comparison finds the
// two equal and no section needs a null check.
struct ReportContext {
  ReportText& out;
  ReportKind kind;
  SetFileView printed;
  SetFileView original;
  ReportOptions options = {};
  std::size_t section_start = 0;  // set by each section as it begins

  bool comparing() const { return kind == ReportKind::kComparison; }

  // The image a value is shown from.
  ByteView Shown(const BlockPair& blocks) const {
    return options.show_original ? blocks.original : blocks.printed;
  }

  BlockPair Blocks(BlockId id) const {
    return {printed.Block(id), original.Block(id)};
  }

  // The comparison filter: a line is written in a decompile always, in a
  // comparison only when the field it shows differs.
  bool ShouldWrite(bool differs) const { return !comparing() || differs; }

  // The same for a line whose keyword is `prefix` and `keyword` joined,
  // which the ignore list may leave out of a comparison.
  bool ShouldWrite(bool differs, std::u16string_view prefix,
                   std::u16string_view keyword) const {
    if (!comparing()) return true;
    if (!differs) return false;
    return options.ignore == nullptr ||
           !options.ignore->Matches(prefix, keyword);
  }

  // Whether anyone listens to Note; the report files skip the work.
  bool noting() const { return options.sink != nullptr; }
  // Whether the listener wants the texts of text fields noted too.
  bool noting_texts() const {
    return noting() && options.sink->Detail() == NoteDetail::kAll;
  }

  // Tells the listener, if any, of the setting line about to be written,
  // read back by `inverse`. `make_stored()` gives what the line stores (a
  // StoredValue, or a range of them) and is called only for a listener
  // that wants it.
  template <typename MakeStored>
  void Note(SettingInverse inverse, MakeStored make_stored) const {
    if (!noting()) return;
    if (options.sink->Detail() == NoteDetail::kPlaces) {
      options.sink->Setting(section_start, out.size(), {}, inverse);
      return;
    }
    const auto& stored = make_stored();
    if constexpr (std::is_same_v<std::decay_t<decltype(stored)>, StoredValue>) {
      options.sink->Setting(section_start, out.size(), std::span(&stored, 1),
                            inverse);
    } else {
      options.sink->Setting(section_start, out.size(), stored, inverse);
    }
  }
};

}  // namespace quorlith
