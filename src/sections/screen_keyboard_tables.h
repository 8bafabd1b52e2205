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

// The screen and keyboard sections (Menus 1 and 2) as data: their value
// names, their setting lines in report order and their erase thresholds.

inline constexpr std::u16string_view PunctuationLevelNames[] = {
    u"Off", u"Dictionary", u"On"};
inline constexpr std::u16string_view ScreenNumbersNames[] = {u"Off", u"On",
                                                             u"Synthesizer"};
inline constexpr std::u16string_view CapitalizationAlertNames[] = {
    u"Off", u"Say_Caps", u"Pitch"};
inline constexpr std::u16string_view SplitMixedCaseNames[] = {
    u"Off", u"On", u"On_With_Acronyms"};
inline constexpr std::u16string_view LineFilterStatusNames[] = {u"Off", u"On",
                                                                u"Read_To_End"};
inline constexpr std::u16string_view RepeatFilterNames[] = {
    u"Off", u"Say_Repeats", u"Ignore"};
inline constexpr std::u16string_view BlankLinesNames[] = {u"Off", u"Say_Blank",
                                                          u"Read_To_End_Off"};
inline constexpr std::u16string_view CapitalsNames[] = {u"Undefined",
                                                        u"Say_Cap", u"Pitch"};
inline constexpr std::u16string_view InterruptabilityNames[] = {
    u"All_Keys", u"Cursor_Keys_Off", u"Cursor_Keys_Only", u"Control_Or_Alt",
    u"Off"};
inline constexpr std::u16string_view KeyVoiceNames[] = {
    u"Off",
    u"On_with_Characters",
    u"On_with_Words",
    u"On_with_Words_And_Numbers",
    u"On_with_Characters_And_Words",
    u"On_with_Characters_Words_And_Numbers",
    u"On_With_Words_Interrupt",
    u"On_With_Words_And_Numbers_Interrupt",
};

// The screen block's words at 18 and 20 are never shown or compared.
inline constexpr std::size_t kScreenBlockSize = Layout(BlockId::kScreen).size;
inline constexpr std::uint16_t kLineFilterUnits = 6;  // NUL included

inline constexpr SettingLine kScreenVoiceLines[] = {
    {u"Screen_Voice", 0, Rendering::kName, OffOnNames},
    {u"Screen_Rate", 2, Rendering::kDecimal},
    {u"Screen_Pitch", 4, Rendering::kDecimal},
    {u"Screen_Tone", 6, Rendering::kCharacter},
    {u"Screen_Volume", 8, Rendering::kDecimal},
};
inline constexpr SettingLine kScreenPunctuationLines[] = {
    {u"Screen_Textual", 10, Rendering::kName, PunctuationLevelNames},
    {u"Screen_Math", 12, Rendering::kName, PunctuationLevelNames},
    {u"Screen_Miscellaneous", 14, Rendering::kName, PunctuationLevelNames},
    {u"Screen_Space", 16, Rendering::kName, PunctuationLevelNames},
};
inline constexpr SettingLine kScreenReadingLines[] = {
    {u"Screen_Numbers", 22, Rendering::kName, ScreenNumbersNames},
    {u"Capitalization_Alert", 24, Rendering::kName, CapitalizationAlertNames},
    {u"Format_Alert", 26, Rendering::kName, OffOnNames},
    {u"Format_Alert_Offset", 28, Rendering::kDecimal},
    {u"Spell_Alpha_numeric", 30, Rendering::kName, OffOnNames},
    {u"Split_Mixed_Case", 32, Rendering::kName, SplitMixedCaseNames},
};
inline constexpr SettingLine kScreenLineFilterLines[] = {
    {u"Line_Filter_Status", 34, Rendering::kName, LineFilterStatusNames},
    {u"Line_Filter_Position", 36, Rendering::kDecimal},
    {u"Line_Filter_Characters",
     38,
     Rendering::kText,
     {},
     kLineFilterUnits,
     CompareRule::kTextFoldAz},
};
inline constexpr SettingLine kScreenFilterLines[] = {
    {u"Repeat_Filter", 50, Rendering::kName, RepeatFilterNames},
    {u"Repeat_Value", 52, Rendering::kDecimal},
    {u"Blank_Lines", 54, Rendering::kName, BlankLinesNames},
    {u"Signal_Caret_Position", 56, Rendering::kName, OffOnNames},
    {u"Attribute_Changes", 58, Rendering::kName, OffOnNames},
    {u"Read_Paragraph_Style", 60, Rendering::kName, OffAutoOnNames},
};
static_assert(FitsIn(kScreenVoiceLines, kScreenBlockSize));
static_assert(FitsIn(kScreenPunctuationLines, kScreenBlockSize));
static_assert(FitsIn(kScreenReadingLines, kScreenBlockSize));
static_assert(FitsIn(kScreenLineFilterLines, kScreenBlockSize));
static_assert(FitsIn(kScreenFilterLines, kScreenBlockSize));

inline constexpr std::u16string_view kScreenHeader = u"; Menu 1 - Screen";
inline constexpr std::size_t kScreenThreshold = 19;  // the header alone
static_assert(kScreenThreshold == kScreenHeader.size() + kLineEnd.size());

// Thresholds: header (26 or 27) and the ";" separator (3).
inline constexpr SubSection kScreenPunctuation = {u"; Menu 1.6 - Punctuation",
                                                  kScreenPunctuationLines, 29};
inline constexpr SubSection kScreenLineFilter = {u"; Menu 1.12 - Line Filter",
                                                 kScreenLineFilterLines, 30};
static_assert(kScreenPunctuation.threshold ==
              kScreenPunctuation.header.size() + 2 + 3);
static_assert(kScreenLineFilter.threshold ==
              kScreenLineFilter.header.size() + 2 + 3);

// The keyboard block's words at 18, 20 and 40 are never shown or compared.
inline constexpr std::size_t kKeyboardBlockSize =
    Layout(BlockId::kKeyboard).size;

inline constexpr SettingLine kKeyVoiceLines[] = {
    {u"Key_Voice", 0, Rendering::kName, KeyVoiceNames},
    {u"Key_Rate", 2, Rendering::kDecimal},
    {u"Key_Pitch", 4, Rendering::kDecimal},
    {u"Key_Tone", 6, Rendering::kCharacter},
    {u"Key_Volume", 8, Rendering::kDecimal},
};
inline constexpr SettingLine kKeyPunctuationLines[] = {
    {u"Key_Textual", 10, Rendering::kName, PunctuationLevelNames},
    {u"Key_Math", 12, Rendering::kName, PunctuationLevelNames},
    {u"Key_Miscellaneous", 14, Rendering::kName, PunctuationLevelNames},
    {u"Key_Space", 16, Rendering::kName, PunctuationLevelNames},
};
inline constexpr SettingLine kSpecialKeyLines[] = {
    {u"Function_Keys", 22, Rendering::kName, OffOnNames},
    {u"Toggle_Keys", 24, Rendering::kName, OffOnNames},
    {u"Cursor_Movement", 26, Rendering::kName, OffOnNames},
    {u"Key_Enhancements", 28, Rendering::kName, OffOnNames},
    {u"Escape_Key", 30, Rendering::kName, OffOnNames},
    {u"Enter_Key", 32, Rendering::kName, OffOnNames},
    {u"Enable_Both_Inserts_As_Modifier", 34, Rendering::kName, OffOnNames},
};
inline constexpr SettingLine kKeyCapitalsLines[] = {
    {u"Capitals", 36, Rendering::kName, CapitalsNames},
    {u"Interruptability", 38, Rendering::kName, InterruptabilityNames},
};
static_assert(FitsIn(kKeyVoiceLines, kKeyboardBlockSize));
static_assert(FitsIn(kKeyPunctuationLines, kKeyboardBlockSize));
static_assert(FitsIn(kSpecialKeyLines, kKeyboardBlockSize));
static_assert(FitsIn(kKeyCapitalsLines, kKeyboardBlockSize));

inline constexpr std::u16string_view kKeyboardHeader = u"; Menu 2 - Keyboard";
inline constexpr std::size_t kKeyboardThreshold = 21;  // the header alone
static_assert(kKeyboardThreshold == kKeyboardHeader.size() + kLineEnd.size());

inline constexpr SubSection kKeyPunctuation = {u"; Menu 2.6 - Punctuation",
                                               kKeyPunctuationLines, 29};
inline constexpr SubSection kSpecialKeys = {u"; Menu 2.7 - Special Keys",
                                            kSpecialKeyLines, 30};
static_assert(kKeyPunctuation.threshold ==
              kKeyPunctuation.header.size() + 2 + 3);
static_assert(kSpecialKeys.threshold == kSpecialKeys.header.size() + 2 + 3);

// Every setting line of each section, table by table in report order, for
// code that looks keywords up.
inline constexpr std::span<const SettingLine> kScreenLineTables[] = {
    kScreenVoiceLines, kScreenPunctuationLines, kScreenReadingLines,
    kScreenLineFilterLines, kScreenFilterLines};
inline constexpr std::span<const SettingLine> kKeyboardLineTables[] = {
    kKeyVoiceLines, kKeyPunctuationLines, kSpecialKeyLines, kKeyCapitalsLines};

}  // namespace quorlith
