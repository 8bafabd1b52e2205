#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codecs/character.h"
#include "codecs/flag.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "sections/schema.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

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
inline constexpr Setting kMouseLines[] = {
    Named(u"Mouse_Voice", 0, MouseVoiceNames),
    Decimal(u"Mouse_Rate", 2),
    Decimal(u"Mouse_Pitch", 4),
    Character(u"Mouse_Tone", 6),
    Decimal(u"Mouse_Volume", 8),
    Named(u"Mouse_Boundary", 10, MouseBoundaryNames),
    Named(u"Mouse_Buttons", 12, OffOnNames),
    Decimal(u"Pointer_Up_Delta", 14),
    Decimal(u"Pointer_Down_Delta", 16),
    Decimal(u"Pointer_Left_Delta", 18),
    Decimal(u"Pointer_Right_Delta", 20),
    Named(u"Mouse_Interruptability", 26, MouseInterruptabilityNames),
    Named(u"Track_Mouse_With_Focus", 24, OffOnNames),
    Named(u"Up_Down_Speak", 28, UpDownSpeakNames),
};
static_assert(FitsIn(kMouseLines, Layout(BlockId::kMouse).size));

// One bit of the attribute byte per line, each compared on its bit alone.
// Bits 4 to 6 belong to no line.
inline constexpr std::uint16_t kAttributeOffset = 30;
inline constexpr Setting kAttributeSearchLines[] = {
    Flag(u"Underline", kAttributeOffset, 0x04),
    Flag(u"Bold", kAttributeOffset, 0x08),
    Flag(u"Highlight", kAttributeOffset, 0x80),
    Flag(u"Italic", kAttributeOffset, 0x01),
    Flag(u"Strikeout", kAttributeOffset, 0x02),
};
static_assert(kAttributeOffset < Layout(BlockId::kMouse).size);

inline constexpr Part kAttributeSearch = {
    .title = u"; Menu 3.16 - Attribute Search Selection",
    .settings = kAttributeSearchLines};
inline constexpr Item kMouseItems[] = {{kMouseLines},
                                       {.part = &kAttributeSearch}};
inline constexpr Part kMouseSection = {.title = u"; Menu 3 - Mouse Settings",
                                       .items = kMouseItems,
                                       .separators = 1,
                                       .section = true,
                                       .block = BlockId::kMouse};

}  // namespace quorlith
