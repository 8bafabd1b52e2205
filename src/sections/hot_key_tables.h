#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "codecs/hot_key.h"
#include "codecs/key_names.h"
#include "sections/schema.h"

namespace quorlith {

// The hot-key section (Menu 4) as data: one record per row of
// HotKeyCommandNames, each line keyed by its command's name. The last row
// only names the search keyword of the comment lines; its record is never
// read.
static_assert(std::size(HotKeyCommandNames) * kHotKeyRecordSize ==
              Layout(BlockId::kHotKey).size);

inline constexpr Setting kHotKeyLines[] = {{{}, &kHotKey, {}}};
inline constexpr Part kHotKeyEntry = {.settings = kHotKeyLines};
inline constexpr Records kHotKeyRecords = {0,
                                           kHotKeyRecordSize,
                                           std::size(HotKeyCommandNames) - 1,
                                           RecordNames::kTable,
                                           &kHotKeyEntry,
                                           {},
                                           HotKeyCommandNames};
inline constexpr std::u16string_view kHotKeyNotes[] = {
    u"; To globally search for a hot key with tessaval the syntax is",
    u"; any_hot_key = key_name e.g. any_hot_key = alt-l",
};
inline constexpr Item kHotKeyItems[] = {{.records = &kHotKeyRecords}};
inline constexpr Part kHotKeySection = {.title = u"; Menu 4 - Hot Key Settings",
                                        .items = kHotKeyItems,
                                        .separators = 1,
                                        .notes = kHotKeyNotes,
                                        .section = true,
                                        .block = BlockId::kHotKey};

}  // namespace quorlith
