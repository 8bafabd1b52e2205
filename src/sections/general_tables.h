#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codecs/character.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "sections/schema.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

namespace quorlith {

// The general, global and dictionary sections (Menus 6, 9 and 10) as data.

inline constexpr std::u16string_view GlobalSettingsNames[] = {
    u"Voice_and_Verbosity", u"Off", u"Voice", u"Verbosity"};
inline constexpr std::u16string_view MarkedTextNames[] = {u"Auto",
                                                          u"Light_Bar"};
inline constexpr std::u16string_view GraphicDictionaryNames[] = {
    u"Off", u"Dictionary_Only", u"On", u"Graphic_Only"};
inline constexpr std::u16string_view ColorDictionaryNames[] = {
    u"Off", u"Exact_Only", u"Exact_Or_Closest"};

inline constexpr std::size_t kGeneralBlockSize = Layout(BlockId::kGeneral).size;

// Every word of the general block but the first, which Menu 9 reports. The
// last word ("Braille") is reported second.
inline constexpr Setting kGeneralLines[] = {
    Named(u"Voice", 2, OffOnNames),
    Named(u"Braille", 36, OffOnNames),
    Named(u"Hot_Keys", 4, OffOnNames),
    Named(u"Cursor_Keys", 6, OffOnNames),
    Named(u"Include_Box_In_Light_Bar", 8, OffOnNames),
    DecimalOrNone(u"Include_Window_With_Box", 10),
    Named(u"Marked_Text", 12, MarkedTextNames),
    Named(u"Character_Dictionary", 14, OffOnNames),
    Named(u"Key_Label_Dictionary", 16, OffOnNames),
    Named(u"Exception_Dictionary", 18, OffOnNames),
    Named(u"Graphic_Dictionary", 20, GraphicDictionaryNames),
    Named(u"Color_Dictionary", 22, ColorDictionaryNames),
    Named(u"Allow_Speak_Windows_In_Edit_Boxes", 24, OffOnNames),
    UnsignedDecimal(u"Cursor_Delay", 26),
    Decimal(u"Trigger_Delay", 28),
    Decimal(u"Space_Threshold", 30),
    Named(u"Auto_Speak_Tooltips", 32, OffAutoOnNames),
    Named(u"MSAA_Application_Mode", 34, OffOnNames),
};
static_assert(FitsIn(kGeneralLines, kGeneralBlockSize));

inline constexpr Setting kGlobalLines[] = {
    Named(u"Global_Settings", 0, GlobalSettingsNames),
};
static_assert(FitsIn(kGlobalLines, kGeneralBlockSize));

inline constexpr std::uint16_t kDictionaryNameUnits = 261;  // NUL included
inline constexpr std::uint16_t kDictionaryNameSize = 2 * kDictionaryNameUnits;
inline constexpr Setting kDictionaryLines[] = {
    Text(u"Exception_Dictionary_File", 0 * kDictionaryNameSize,
         kDictionaryNameUnits, true),
    Text(u"Character_Dictionary_File", 1 * kDictionaryNameSize,
         kDictionaryNameUnits, true),
    Text(u"Key_Label_Dictionary_File", 2 * kDictionaryNameSize,
         kDictionaryNameUnits, true),
    Text(u"Graphic_Dictionary_File", 3 * kDictionaryNameSize,
         kDictionaryNameUnits, true),
    Text(u"Color_Dictionary_File", 4 * kDictionaryNameSize,
         kDictionaryNameUnits, true),
};
static_assert(FitsIn(kDictionaryLines, Layout(BlockId::kDictionary).size));
static_assert(5 * kDictionaryNameSize == Layout(BlockId::kDictionary).size);

inline constexpr Part kGeneralSection = {
    .title = u"; Menu 6 - General Settings",
    .settings = kGeneralLines,
    .separators = 1,
    .section = true,
    .block = BlockId::kGeneral};
inline constexpr Part kGlobalSection = {.title = u"; Menu 9 - Global Settings",
                                        .settings = kGlobalLines,
                                        .separators = 1,
                                        .section = true,
                                        .block = BlockId::kGeneral};
inline constexpr Part kDictionarySection = {
    .title = u"; Menu 10 - Dictionary Settings",
    .settings = kDictionaryLines,
    .separators = 1,
    .section = true,
    .block = BlockId::kDictionary};

}  // namespace quorlith
