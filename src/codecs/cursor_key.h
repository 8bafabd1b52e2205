#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/codec.h"
#include "codecs/key_names.h"

namespace quorlith {

// A cursor key's line: its stroke in cursor-key style, then its first
// command and, when there is one, its second, each a row of
// CursorCommandNames with "_" and its argument where it takes one
// ("Alt-Home Speak_Window_3 Line"); an undefined stroke shows no command
// and keeps the commands stored. Every field counts in a comparison,
// whether its command uses it or not.
extern const Codec kCursorKey;

// A record: two commands, each its row, a number (a window or an office
// attribute), a hot key and a set-file name; then the stroke and the delay.
inline constexpr std::size_t kCursorSetFileNameUnits = 261;
inline constexpr std::size_t kCursorKeyStrokeOffset = 1056;
inline constexpr std::size_t kCursorKeyDelayOffset = 1064;
inline constexpr std::size_t kCursorKeyRecordSize = kCursorKeyDelayOffset + 2;
inline constexpr std::size_t kCursorKeyCount = 46;

// The stroke of a record.
KeyStroke ReadCursorKeyStroke(ByteView record);

}  // namespace quorlith
