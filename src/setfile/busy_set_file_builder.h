#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "setfile/set_file_builder.h"

namespace quorlith {

// A set file with every part in use, for goldens, benchmarks and fuzz seeds.
// The field offsets are written out here, apart from the report's tables, so
// that a wrong offset in a table shows in the goldens.
//
// `seed` picks the words of the six small blocks (screen, keyboard, mouse,
// general, verbosity, braille). Seed s, from 0 to 7, gives word n of a block
// the value (s + n) % 8, so seeds 0 to 7 together show every row of every
// table of up to eight rows in each setting. A seed from 8 on gives every
// word a value from 0x8100 up with bit 8 set: negative when signed, past
// 32767 when unsigned, outside every table. Tones always hold printable
// characters.
//
// `records_seed` picks the hot keys, cursor keys, windows and dictionary
// names: all of them with texts, every name-table row and every key code
// range in use. Two consecutive records seeds differ in every field a report
// shows.
SetFileBuilder BusySetFile(std::uint32_t seed, std::uint32_t records_seed);

inline SetFileBuilder BusySetFile(std::uint32_t seed) {
  return BusySetFile(seed, seed);
}

// A busy or an empty file with up to 39 random words set to small values,
// so that values inside and outside the tables both occur.
SetFileBuilder RandomSetFile(std::mt19937& random);

// A valid header before blocks of random bytes: every text without its
// NUL and full of line ends, surrogates and NULs, every value outside its
// table, as a hostile or damaged file holds them.
SetFileBuilder HostileSetFile(std::mt19937& random);

// The files the views' goldens are made of, by name: O.000, busy files
// that differ from it in everything (B*), copies of it with a few of the
// same words changed, so that files share new values (N*), and hostile
// files (H*). tools/regen-view-goldens.sh writes them to disk.
struct NamedSetFile {
  std::string name;
  SetFileBuilder file;
};
std::vector<NamedSetFile> ViewGoldenFiles();

}  // namespace quorlith
