#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "report/report_text.h"
#include "report/setting_line.h"
#include "report/value_names.h"
#include "setfile/set_file.h"

namespace quorlith {

// The mouse section (Menu 3) as data: its value names, its setting lines in
// report order, the attribute flags and the erase thresholds.

inline constexpr std::u16string_view MouseVoiceNames[] = {
    u"Off",
    u"On_With_Pointer_Identification_Off",
    u"On_With_Pointer_Identification_Delayed",
    u"On_With_Pointer_Identification_Delayed_Dictionary_Only",
    u"On_With_Pointer_Identification_Immediate",
    u"On_With_Pointer_Identification_Immediate_Dictionary_Only",
};
inline constexpr std::u16string_view MouseBoundaryNames[] = {
    u"Full_Screen", u"Active_Window", u"Focus_Window", u"User_Window"};
inline constexpr std::u16string_view MouseInterruptabilityNames[] = {
    u"Move", u"Click_Buttons", u"Move_Or_Click_Buttons", u"Off"};
inline constexpr std::u16string_view UpDownSpeakNames[] = {u"Tacter", u"Word",
                                                           u"Line"};

// The word at 22 and the byte at 31 are never shown or compared. The word
// at 26 is reported before the one at 24.
inline constexpr SettingLine kMouseLines[] = {
    {u"Mouse_Voice", 0, Rendering::kName, MouseVoiceNames},
    {u"Mouse_Rate", 2, Rendering::kDecimal},
    {u"Mouse_Pitch", 4, Rendering::kDecimal},
    {u"Mouse_Tone", 6, Rendering::kCharacter},
    {u"Mouse_Volume", 8, Rendering::kDecimal},
    {u"Mouse_Boundary", 10, Rendering::kName, MouseBoundaryNames},
    {u"Mouse_Buttons", 12, Rendering::kName, OffOnNames},
    {u"Pointer_Up_Delta", 14, Rendering::kDecimal},
    {u"Pointer_Down_Delta", 16, Rendering::kDecimal},
    {u"Pointer_Left_Delta", 18, Rendering::kDecimal},
    {u"Pointer_Right_Delta", 20, Rendering::kDecimal},
    {u"Mouse_Interruptability", 26, Rendering::kName,
     MouseInterruptabilityNames},
    {u"Track_Mouse_With_Focus", 24, Rendering::kName, OffOnNames},
    {u"Up_Down_Speak", 28, Rendering::kName, UpDownSpeakNames},
};
static_assert(FitsIn(kMouseLines, Layout(BlockId::kMouse).size));

// One bit of the attribute byte per line, each compared on its bit alone.
// Bits 4 to 6 belong to no line.
struct FlagLine {
  std::u16string_view keyword;
  std::uint8_t mask;
};

inline constexpr std::uint16_t kAttributeOffset = 30;
static_assert(kAttributeOffset < Layout(BlockId::kMouse).size);

inline constexpr FlagLine kAttributeSearchLines[] = {
    {u"Underline", 0x04}, {u"Bold", 0x08},      {u"Highlight", 0x80},
    {u"Italic", 0x01},    {u"Strikeout", 0x02},
};

inline constexpr std::u16string_view kMouseHeader =
    u"; Menu 3 - Mouse Settings";
inline constexpr std::size_t kMouseThreshold = 27;  // the header alone
static_assert(kMouseThreshold == kMouseHeader.size() + kLineEnd.size());

inline constexpr std::u16string_view kAttributeSearchHeader =
    u"; Menu 3.16 - Attribute Search Selection";
inline constexpr std::size_t kAttributeSearchThreshold = 42;  // no separator
static_assert(kAttributeSearchThreshold ==
              kAttributeSearchHeader.size() + kLineEnd.size());

}  // namespace quorlith
