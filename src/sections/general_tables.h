#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "report/report_text.h"
#include "report/setting_line.h"
#include "report/value_names.h"
#include "setfile/set_file.h"

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
inline constexpr SettingLine kGeneralLines[] = {
    {u"Voice", 2, Rendering::kName, OffOnNames},
    {u"Braille", 36, Rendering::kName, OffOnNames},
    {u"Hot_Keys", 4, Rendering::kName, OffOnNames},
    {u"Cursor_Keys", 6, Rendering::kName, OffOnNames},
    {u"Include_Box_In_Light_Bar", 8, Rendering::kName, OffOnNames},
    {u"Include_Window_With_Box", 10, Rendering::kDecimalOrNone},
    {u"Marked_Text", 12, Rendering::kName, MarkedTextNames},
    {u"Character_Dictionary", 14, Rendering::kName, OffOnNames},
    {u"Key_Label_Dictionary", 16, Rendering::kName, OffOnNames},
    {u"Exception_Dictionary", 18, Rendering::kName, OffOnNames},
    {u"Graphic_Dictionary", 20, Rendering::kName, GraphicDictionaryNames},
    {u"Color_Dictionary", 22, Rendering::kName, ColorDictionaryNames},
    {u"Allow_Speak_Windows_In_Edit_Boxes", 24, Rendering::kName, OffOnNames},
    {u"Cursor_Delay", 26, Rendering::kUnsignedDecimal},
    {u"Trigger_Delay", 28, Rendering::kDecimal},
    {u"Space_Threshold", 30, Rendering::kDecimal},
    {u"Auto_Speak_Tooltips", 32, Rendering::kName, OffAutoOnNames},
    {u"MSAA_Application_Mode", 34, Rendering::kName, OffOnNames},
};
static_assert(FitsIn(kGeneralLines, kGeneralBlockSize));

inline constexpr std::u16string_view kGeneralHeader =
    u"; Menu 6 - General Settings";
inline constexpr std::size_t kGeneralThreshold = 29;  // the header alone
static_assert(kGeneralThreshold == kGeneralHeader.size() + kLineEnd.size());

inline constexpr SettingLine kGlobalLines[] = {
    {u"Global_Settings", 0, Rendering::kName, GlobalSettingsNames},
};
static_assert(FitsIn(kGlobalLines, kGeneralBlockSize));

inline constexpr std::u16string_view kGlobalHeader =
    u"; Menu 9 - Global Settings";
// One more than the header: still less than the header plus any line.
inline constexpr std::size_t kGlobalThreshold = 29;
static_assert(kGlobalThreshold == kGlobalHeader.size() + kLineEnd.size() + 1);

inline constexpr std::uint16_t kDictionaryNameUnits = 261;  // NUL included
inline constexpr std::uint16_t kDictionaryNameSize = 2 * kDictionaryNameUnits;
inline constexpr SettingLine kDictionaryLines[] = {
    {u"Exception_Dictionary_File",
     0 * kDictionaryNameSize,
     Rendering::kText,
     {},
     kDictionaryNameUnits,
     CompareRule::kTextFoldAz},
    {u"Character_Dictionary_File",
     1 * kDictionaryNameSize,
     Rendering::kText,
     {},
     kDictionaryNameUnits,
     CompareRule::kTextFoldAz},
    {u"Key_Label_Dictionary_File",
     2 * kDictionaryNameSize,
     Rendering::kText,
     {},
     kDictionaryNameUnits,
     CompareRule::kTextFoldAz},
    {u"Graphic_Dictionary_File",
     3 * kDictionaryNameSize,
     Rendering::kText,
     {},
     kDictionaryNameUnits,
     CompareRule::kTextFoldAz},
    {u"Color_Dictionary_File",
     4 * kDictionaryNameSize,
     Rendering::kText,
     {},
     kDictionaryNameUnits,
     CompareRule::kTextFoldAz},
};
static_assert(FitsIn(kDictionaryLines, Layout(BlockId::kDictionary).size));
static_assert(5 * kDictionaryNameSize == Layout(BlockId::kDictionary).size);

inline constexpr std::u16string_view kDictionaryHeader =
    u"; Menu 10 - Dictionary Settings";
inline constexpr std::size_t kDictionaryThreshold = 33;  // the header alone
static_assert(kDictionaryThreshold ==
              kDictionaryHeader.size() + kLineEnd.size());

}  // namespace quorlith
