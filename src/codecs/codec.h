#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "setfile/set_file.h"
#include "text/report_text.h"
#include "text/text_parse.h"

namespace quorlith {

// A value format, written once: how a stored value renders into report
// text, how that text parses back, how a comparison tells two values
// apart, which stored bits are the value's and what a person may type.
// Renderer and parser stand side by side in one file per format, so
// parse(render(v)) == v is a property of each, checked over random values
// by one test of them all.

// The names of a setting's stored values, indexed by the value read as a
// signed 16-bit word.
using ValueNameTable = std::span<const std::u16string_view>;

// Where a setting's value lies in its record, and what its format needs
// to know of it beyond its kind.
struct Field {
  std::uint16_t offset = 0;   // from the start of the record
  std::uint16_t units = 0;    // a text's length in UTF-16 units
  ValueNameTable names = {};  // a name's table
  std::uint8_t mask = 0;      // a flag's bit in its byte
  bool fold_az = false;       // comparisons fold a text's A to Z
};

// One stored field behind a value: a number, or a text up to its NUL.
// `field` is where its bytes start, so a caller can tell which bytes a
// setting shows.
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

// A byte of a record that holds a value, and the bits of it that do.
struct OwnedBits {
  std::size_t offset = 0;  // from the start of the record
  std::uint8_t mask = 0;
};

// What a person may type for a value: its names, or a number's range, or
// a text's length; empty where the format has its own rules (a key name).
struct ValueHint {
  ValueNameTable names = {};
  std::int64_t low = 0;
  std::int64_t high = 0;
  std::size_t units = 0;
};

struct Codec {
  // Appends the value of `field` in `record` as a report writes it.
  void (*render)(ReportText& out, ByteView record, const Field& field);
  // Reads `text` back into the field's stored bits in `record`; the bits
  // of the record that the value does not hold keep theirs.
  ParseResult (*parse)(std::u16string_view text, std::span<std::uint8_t> record,
                       const Field& field);
  // Whether a comparison finds the values of the two records different.
  bool (*differs)(ByteView a, ByteView b, const Field& field);
  // The bits of `record` that hold the value stored there.
  void (*owned)(ByteView record, const Field& field,
                std::vector<OwnedBits>& bits);
  // The stored fields behind the value, texts' characters only if `texts`.
  void (*stored)(ByteView record, const Field& field, bool texts,
                 std::vector<StoredValue>& out);
  ValueHint (*hint)(const Field& field);
};

// A setting of a report: its keyword as reports spell it (after a
// record's prefix, "Window#12_"), its format and its field.
struct Setting {
  std::u16string_view keyword;
  const Codec* codec;
  Field field;
};

// The same setting of two records, the one shown and one compared with it
// (the same record in a decompile).
struct RecordPair {
  ByteView printed;
  ByteView original;

  RecordPair Sub(std::size_t offset, std::size_t size) const {
    return {printed.subspan(offset, size), original.subspan(offset, size)};
  }
};

// Helpers the formats share: a word stored or compared, a whole field
// owned, one stored number.
void StoreWord(std::span<std::uint8_t> record, std::size_t offset,
               std::uint16_t value);
bool WordDiffers(ByteView a, ByteView b, std::size_t offset);
void OwnWords(std::size_t offset, std::size_t bytes,
              std::vector<OwnedBits>& bits);
void StoreNumberOf(ByteView record, std::size_t offset, std::int64_t number,
                   std::vector<StoredValue>& out);

}  // namespace quorlith
