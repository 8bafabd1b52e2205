#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "sections/key_names.h"
#include "setfile/set_file.h"

namespace quorlith {

// The hot-key section (Menu 4) as data. Its keywords are the rows of
// HotKeyCommandNames.

// One record per row of HotKeyCommandNames. The first word of a record is
// never read; the eight words after it are the stroke.
inline constexpr std::size_t kHotKeyRecordSize = 2 + 7 * 2 + 2;  // unused,
                                                                 // flags, key
inline constexpr std::size_t kHotKeyControlOffset = 2;
inline constexpr std::size_t kHotKeyAltOffset = 4;
inline constexpr std::size_t kHotKeyShiftOffset = 6;
inline constexpr std::size_t kHotKeyInsertOffset = 8;
inline constexpr std::size_t kHotKeyNumpadOffset = 10;
inline constexpr std::size_t kHotKeyWindowsOffset = 12;
inline constexpr std::size_t kHotKeyApplicationOffset = 14;
inline constexpr std::size_t kHotKeyCodeOffset = 16;
static_assert(kHotKeyCodeOffset + 2 == kHotKeyRecordSize);
static_assert(std::size(HotKeyCommandNames) * kHotKeyRecordSize ==
              Layout(BlockId::kHotKey).size);

// The last row only names the search keyword of the comment lines; its
// record is never read.
inline constexpr std::size_t kRenderedHotKeyRecords =
    std::size(HotKeyCommandNames) - 1;

inline constexpr std::u16string_view kHotKeyHeaderLines[] = {
    u"; Menu 4 - Hot Key Settings",
    u"; To globally search for a hot key with tessaval the syntax is",
    u"; any_hot_key = key_name e.g. any_hot_key = alt-l",
};
// The comment lines take 144 characters; a single setting line is longer
// than the margin above them.
inline constexpr std::size_t kHotKeyThreshold = 150;

}  // namespace quorlith
