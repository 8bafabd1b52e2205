#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "codecs/braille_dots.h"
#include "codecs/character.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "sections/schema.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// The braille section (Menu 7) as data.

inline constexpr std::u16string_view HorizontalScrollingNames[] = {
    u"Scroll_Display_Width", u"Scroll_Specified_Width"};
inline constexpr std::u16string_view InformationOrderNames[] = {
    u"Type_Name_Data", u"Type_Data_Name", u"Name_Data_Type",
    u"Name_Type_Data", u"Data_Type_Name", u"Data_Name_Type"};
inline constexpr std::u16string_view QuickMessageModeNames[] = {
    u"Disabled", u"On_With_No_Timeout", u"On_With_Timeout"};
inline constexpr std::u16string_view AttributeMarkingModeNames[] = {
    u"Highlight", u"Bold", u"Underline", u"Italic", u"Strikeout", u"All"};
inline constexpr std::u16string_view SpacingNames[] = {
    u"Collapse_Extra_Spacing", u"Show_Extra_Spacing"};
inline constexpr std::u16string_view BrailleGraphicsNames[] = {
    u"None",         u"Braille_Only",       u"Braille_Or_Speech_Only",
    u"Graphic_Only", u"Braille_Or_Graphic", u"Braille_Speech_Or_Graphic",
};

inline constexpr std::size_t kBrailleBlockSize = Layout(BlockId::kBraille).size;

// In report order, which is not block order. The word at 46 is never shown
// or compared; "Graphic_Symbol" (40) follows these lines.
inline constexpr Setting kBrailleLines[] = {
    Named(u"Auto_Route_Cursor", 44, OffOnNames),
    Named(u"Enable_Whole_Word_Mode", 0, OffOnNames),
    Named(u"Horizontal_Scrolling", 2, HorizontalScrollingNames),
    UnsignedDecimal(u"Scroll_Width", 4),
    Named(u"Indicate_Line_Change", 42, OffOnNames),
    Named(u"Information_Order", 6, InformationOrderNames),
    Named(u"Include_Name", 8, OffOnNames),
    Named(u"Braille_Include_Type", 10, OffOnNames),
    Named(u"Include_Index", 12, OffOnNames),
    Named(u"Grade2", 14, OffOnNames),
    Named(u"Auto_Untranslate_at_Cursor", 16, OffOnNames),
    Named(u"Translate_Symbols", 18, OffOnNames),
    Named(u"8_Dot_Braille", 20, OffOnNames),
    UnsignedDecimal(u"Auto_Update_Timeout", 22),
    Named(u"Quick_Message_Mode", 24, QuickMessageModeNames),
    UnsignedDecimal(u"Quick_Message_Timeout", 26),
    Named(u"Attribute_Marking", 28, OffOnNames),
    Named(u"Attribute_Marking_Mode", 30, AttributeMarkingModeNames),
    Named(u"Show_Indents", 36, OffOnNames),
    Named(u"Spacing", 32, SpacingNames),
    UnsignedDecimal(u"Pixels_Per_Space", 34),
    Named(u"Braille_Graphics", 38, BrailleGraphicsNames),
};
static_assert(FitsIn(kBrailleLines, kBrailleBlockSize));

inline constexpr Setting kGraphicSymbolLines[] = {
    BrailleDots(u"Graphic_Symbol", 40)};
static_assert(FitsIn(kGraphicSymbolLines, kBrailleBlockSize));

inline constexpr Item kBrailleItems[] = {{kBrailleLines},
                                         {kGraphicSymbolLines}};
inline constexpr Part kBrailleSection = {
    .title = u"; Menu 7 - Braille Settings",
    .items = kBrailleItems,
    .separators = 1,
    .section = true,
    .block = BlockId::kBraille};

}  // namespace quorlith
