#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sections/key_names.h"
#include "setfile/set_file.h"

namespace quorlith {

// The cursor-key section (Menu 5) as data: the record layout, the
// arguments of the command rows, the comment lines and the threshold.

// A set-file name holds up to 260 characters and its NUL.
inline constexpr std::size_t kCursorSetFileNameUnits = 261;

// Where one of a record's two commands keeps its row and its arguments.
struct CursorCommandFields {
  std::size_t command;   // row of CursorCommandNames
  std::size_t number;    // window number or office attribute
  std::size_t hot_key;   // row of HotKeyCommandNames
  std::size_t set_file;  // NUL-terminated UTF-16 name
};

inline constexpr CursorCommandFields kFirstCursorCommand = {0, 4, 6, 8};
inline constexpr CursorCommandFields kSecondCursorCommand = {2, 530, 532, 534};
static_assert(kFirstCursorCommand.set_file + 2 * kCursorSetFileNameUnits ==
              kSecondCursorCommand.number);

inline constexpr std::size_t kCursorKeyControlOffset = 1056;
inline constexpr std::size_t kCursorKeyAltOffset = 1058;
inline constexpr std::size_t kCursorKeyShiftOffset = 1060;
inline constexpr std::size_t kCursorKeyCodeOffset = 1062;
inline constexpr std::size_t kCursorKeyDelayOffset = 1064;
static_assert(kSecondCursorCommand.set_file + 2 * kCursorSetFileNameUnits ==
              kCursorKeyControlOffset);

inline constexpr std::size_t kCursorKeyRecordSize = kCursorKeyDelayOffset + 2;
inline constexpr std::size_t kCursorKeyCount = 46;
static_assert(kCursorKeyCount * kCursorKeyRecordSize ==
              Layout(BlockId::kCursorKey).size);

// The argument a command row takes, written after "_" right behind its
// name. Rows not listed take none.
enum class CursorArgument {
  kNone,
  kNumber,
  kSetFile,
  kHotKey,
  kOfficeAttribute
};

struct CursorCommandArgument {
  std::int16_t row;
  CursorArgument argument;
};

inline constexpr CursorCommandArgument kCursorCommandArguments[] = {
    {22, CursorArgument::kNumber},           // Speak_Window
    {23, CursorArgument::kNumber},           // Activate_Window
    {24, CursorArgument::kNumber},           // Mouse_to_Window
    {26, CursorArgument::kSetFile},          // Load_Set
    {28, CursorArgument::kHotKey},           // Execute_Hot_Key
    {30, CursorArgument::kOfficeAttribute},  // Office_Attribute_Status
};
static_assert(CursorCommandNames[22] == u"Speak_Window");
static_assert(CursorCommandNames[26] == u"Load_Set");
static_assert(CursorCommandNames[28] == u"Execute_Hot_Key");
static_assert(CursorCommandNames[30] == u"Office_Attribute_Status");

// Row 0 of the second command means the key runs one command only.
inline constexpr std::int16_t kNoSecondCommandRow = 0;

inline constexpr std::u16string_view kCursorKeyHeaderLines[] = {
    u"; Menu 5 - Cursor Key Settings",
    u"; to globally update a cursoring key the syntax is",
    u"; cursor_key = key_name command_1 [command_2]",
};
// The comment lines take 131 characters; a delay line alone is longer than
// the margin above them.
inline constexpr std::size_t kCursorKeyThreshold = 135;

}  // namespace quorlith
