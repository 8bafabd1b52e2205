#pragma once

#include <cstddef>
#include <string_view>

#include "codecs/cursor_key.h"
#include "codecs/number.h"
#include "sections/schema.h"

namespace quorlith {

// The cursor-key section (Menu 5) as data: each key's line ("Key#05") and
// its delay ("Key#05_delay").
inline constexpr Setting kCursorKeyLines[] = {
    {{}, &kCursorKey, {}},
    UnsignedDecimal(u"_delay", kCursorKeyDelayOffset),
};
inline constexpr Part kCursorKeyEntry = {.settings = kCursorKeyLines};
inline constexpr Records kCursorKeyRecords = {0,
                                              kCursorKeyRecordSize,
                                              kCursorKeyCount,
                                              RecordNames::kTwoDigits,
                                              &kCursorKeyEntry,
                                              u"Key#"};
inline constexpr std::u16string_view kCursorKeyNotes[] = {
    u"; to globally update a cursoring key the syntax is",
    u"; cursor_key = key_name command_1 [command_2]",
};
inline constexpr Item kCursorKeyItems[] = {{.records = &kCursorKeyRecords}};
inline constexpr Part kCursorKeySection = {
    .title = u"; Menu 5 - Cursor Key Settings",
    .items = kCursorKeyItems,
    .separators = 1,
    .notes = kCursorKeyNotes,
    .section = true,
    .block = BlockId::kCursorKey};

}  // namespace quorlith
