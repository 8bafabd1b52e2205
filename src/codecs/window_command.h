#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "codecs/codec.h"

namespace quorlith {

// One of a hyperactive window's three commands: the command's name (a row
// of HyperactiveCommandNames, or its number), then a blank and the
// argument the command takes: a hot key's command name, a window (a
// standard window's number, or a hyperactive window's letter), a text, a
// number or a set-file name. The record keeps every kind of argument for
// every command, and a comparison looks at them all. `field.offset` is the
// command's word.
extern const Codec kWindowCommand;

inline constexpr std::size_t kCommandCount = 3;
inline constexpr std::uint16_t kFirstCommandOffset = 154;
// Text field lengths in UTF-16 units, terminating NUL included.
inline constexpr std::uint16_t kCommandStringUnits = 33;
inline constexpr std::uint16_t kSetFileNameUnits = 261;

constexpr Setting WindowCommand(std::u16string_view keyword,
                                std::size_t command) {
  return {keyword,
          &kWindowCommand,
          {.offset =
               static_cast<std::uint16_t>(kFirstCommandOffset + 2 * command)}};
}

// Do not renumber: records store the row.
inline constexpr std::u16string_view HyperactiveCommandNames[] = {
    u"Undefined",
    u"Speak_Window",
    u"Speak_String",
    u"Speak_Light_Bar",
    u"Activate_Window",
    u"Load_Disk_Set",
    u"Execute_Hot_Key",
    u"Beep",
    u"Route_Mouse_To_Window",
};
static_assert(std::size(HyperactiveCommandNames) == 9);

}  // namespace quorlith
