#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/codec.h"
#include "setfile/set_file.h"

namespace quorlith {

// The report as data: its parts in report order, each a run of lines that
// goes again when it wrote no setting line (a section, a sub-section, a
// window's entry). Every feature that reads or writes settings walks this
// one schema: the reports, the compile's keywords, JSON, --find, the
// merge and the settings editor.

struct Part;

// How the records of an array name their settings: after `lead`, the
// record's number from 0 and "_" ("Window#12_"), its letter from A and "_"
// ("Window#A_"), its number from 1 in two digits ("Key#05"), or a row of a
// table of names (a hot key's command), whose empty rows are records of no
// setting and write no line.
enum class RecordNames : std::uint8_t { kNumber, kLetter, kTwoDigits, kTable };

// `count` records of `size` bytes from `offset`, each written as `part`
// with its keywords after the record's prefix.
struct Records {
  std::size_t offset;
  std::size_t size;
  std::size_t count;
  RecordNames names;
  const Part* part;
  std::u16string_view lead = {};
  ValueNameTable table = {};  // kTable's names
};

// Appends the prefix of record `i` of `records` to `out`; false for a
// record of no setting.
template <typename Text>
bool AppendRecordPrefix(Text& out, const Records& records, std::size_t i) {
  if (records.names == RecordNames::kTable) {
    if (i >= records.table.size() || records.table[i].empty()) return false;
    out.append(records.table[i]);
    return true;
  }
  auto digits = [&out](std::size_t n, std::size_t width) {
    char16_t text[20];
    std::size_t count = 0;
    do {
      text[count++] = static_cast<char16_t>(u'0' + n % 10);
      n /= 10;
    } while (n > 0);
    for (; count < width; ++count) text[count] = u'0';
    while (count > 0) out.push_back(text[--count]);
  };
  out.append(records.lead);
  switch (records.names) {
    case RecordNames::kNumber:
      digits(i, 1);
      out.push_back(u'_');
      break;
    case RecordNames::kLetter:
      out.push_back(static_cast<char16_t>(u'A' + i));
      out.push_back(u'_');
      break;
    case RecordNames::kTwoDigits:
      digits(i + 1, 2);
      break;
    case RecordNames::kTable:
      break;
  }
  return true;
}

// Settings written only where the record's signed word at `offset` holds
// one of `values` (the search lines of a hyperactive window's trigger), or
// always when a listener asks for every line a report may hold.
struct Condition {
  std::uint16_t offset = 0;
  std::span<const std::int16_t> values = {};
};

// One entry of a part: a run of settings, a part within it, or an array
// of records.
struct Item {
  std::span<const Setting> settings = {};
  Condition when = {};
  const Part* part = nullptr;
  const Records* records = nullptr;
};

struct Part {
  // The first comment line; with `titled_by_record`, ";" and the record's
  // prefix come before it (";Window#12_Float_Characteristics"). Empty:
  // none, as for a record's entry.
  std::u16string_view title = {};
  std::span<const Setting> settings = {};  // its lines, before its items
  std::span<const Item> items = {};
  std::size_t separators = 0;                       // ";" lines that close it
  std::span<const std::u16string_view> notes = {};  // comment lines after
                                                    // the title
  // A section of the report: its title names it for JSON and the list of
  // changes, and a report's setting lines must follow one.
  bool section = false;
  bool titled_by_record = false;
  BlockId block = BlockId::kScreen;  // where a section's fields lie
};

// The report's parts after its header, in order.
std::span<const Part> ReportParts();

// A setting as the schema holds it: every one a report may hold, each
// line of every record, in report order.
struct SchemaSetting {
  std::u16string keyword;  // the record's prefix included
  const Setting* setting;
  std::size_t record_offset;  // where its record lies in a set file's body
  std::size_t section;        // its section's index in SectionTitles()
  // What holds it within its section, as the settings editor groups
  // lines: its record's prefix without the "_" ("Key#05", "Window#12"),
  // else the title of its sub-section ("Menu 1.6 - Punctuation"); empty
  // for the section's own lines.
  std::u16string group;
};

// Every setting, once, in report order.
const std::vector<SchemaSetting>& AllSettings();

// The title lines of the sections, in report order ("; Menu 2 - Keyboard").
const std::vector<std::u16string_view>& SectionTitles();

// True iff every setting of `settings` lies in a record of `size` bytes.
constexpr bool FitsIn(std::span<const Setting> settings, std::size_t size) {
  for (const Setting& s : settings) {
    std::size_t bytes = s.field.units > 0 ? 2u * s.field.units : 2;
    if (s.field.offset + bytes > size) return false;
  }
  return true;
}

}  // namespace quorlith
