#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "report/report_text.h"
#include "report/setting_line.h"
#include "report/value_names.h"
#include "setfile/set_file.h"

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
inline constexpr SettingLine kBrailleLines[] = {
    {u"Auto_Route_Cursor", 44, Rendering::kName, OffOnNames},
    {u"Enable_Whole_Word_Mode", 0, Rendering::kName, OffOnNames},
    {u"Horizontal_Scrolling", 2, Rendering::kName, HorizontalScrollingNames},
    {u"Scroll_Width", 4, Rendering::kUnsignedDecimal},
    {u"Indicate_Line_Change", 42, Rendering::kName, OffOnNames},
    {u"Information_Order", 6, Rendering::kName, InformationOrderNames},
    {u"Include_Name", 8, Rendering::kName, OffOnNames},
    {u"Braille_Include_Type", 10, Rendering::kName, OffOnNames},
    {u"Include_Index", 12, Rendering::kName, OffOnNames},
    {u"Grade2", 14, Rendering::kName, OffOnNames},
    {u"Auto_Untranslate_at_Cursor", 16, Rendering::kName, OffOnNames},
    {u"Translate_Symbols", 18, Rendering::kName, OffOnNames},
    {u"8_Dot_Braille", 20, Rendering::kName, OffOnNames},
    {u"Auto_Update_Timeout", 22, Rendering::kUnsignedDecimal},
    {u"Quick_Message_Mode", 24, Rendering::kName, QuickMessageModeNames},
    {u"Quick_Message_Timeout", 26, Rendering::kUnsignedDecimal},
    {u"Attribute_Marking", 28, Rendering::kName, OffOnNames},
    {u"Attribute_Marking_Mode", 30, Rendering::kName,
     AttributeMarkingModeNames},
    {u"Show_Indents", 36, Rendering::kName, OffOnNames},
    {u"Spacing", 32, Rendering::kName, SpacingNames},
    {u"Pixels_Per_Space", 34, Rendering::kUnsignedDecimal},
    {u"Braille_Graphics", 38, Rendering::kName, BrailleGraphicsNames},
};
static_assert(FitsIn(kBrailleLines, kBrailleBlockSize));

// Compared as the whole word, although only its low byte is shown.
inline constexpr SettingLine kGraphicSymbolLine = {u"Graphic_Symbol", 40,
                                                   Rendering::kUnsignedDecimal};
static_assert(FitsIn({&kGraphicSymbolLine, 1}, kBrailleBlockSize));

inline constexpr std::u16string_view kBrailleHeader =
    u"; Menu 7 - Braille Settings";
inline constexpr std::size_t kBrailleThreshold = 29;  // the header alone
static_assert(kBrailleThreshold == kBrailleHeader.size() + kLineEnd.size());

// Every setting line of the section in report order, for code that looks
// keywords up.
inline constexpr std::span<const SettingLine> kBrailleLineTables[] = {
    kBrailleLines, {&kGraphicSymbolLine, 1}};

}  // namespace quorlith
