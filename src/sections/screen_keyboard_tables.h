#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "codecs/character.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "sections/schema.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

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

inline constexpr Setting kScreenVoiceLines[] = {
    Named(u"Screen_Voice", 0, OffOnNames), Decimal(u"Screen_Rate", 2),
    Decimal(u"Screen_Pitch", 4),           Character(u"Screen_Tone", 6),
    Decimal(u"Screen_Volume", 8),
};
inline constexpr Setting kScreenPunctuationLines[] = {
    Named(u"Screen_Textual", 10, PunctuationLevelNames),
    Named(u"Screen_Math", 12, PunctuationLevelNames),
    Named(u"Screen_Miscellaneous", 14, PunctuationLevelNames),
    Named(u"Screen_Space", 16, PunctuationLevelNames),
};
inline constexpr Setting kScreenReadingLines[] = {
    Named(u"Screen_Numbers", 22, ScreenNumbersNames),
    Named(u"Capitalization_Alert", 24, CapitalizationAlertNames),
    Named(u"Format_Alert", 26, OffOnNames),
    Decimal(u"Format_Alert_Offset", 28),
    Named(u"Spell_Alpha_numeric", 30, OffOnNames),
    Named(u"Split_Mixed_Case", 32, SplitMixedCaseNames),
};
inline constexpr Setting kScreenLineFilterLines[] = {
    Named(u"Line_Filter_Status", 34, LineFilterStatusNames),
    Decimal(u"Line_Filter_Position", 36),
    Text(u"Line_Filter_Characters", 38, kLineFilterUnits, true),
};
inline constexpr Setting kScreenFilterLines[] = {
    Named(u"Repeat_Filter", 50, RepeatFilterNames),
    Decimal(u"Repeat_Value", 52),
    Named(u"Blank_Lines", 54, BlankLinesNames),
    Named(u"Signal_Caret_Position", 56, OffOnNames),
    Named(u"Attribute_Changes", 58, OffOnNames),
    Named(u"Read_Paragraph_Style", 60, OffAutoOnNames),
};
static_assert(FitsIn(kScreenVoiceLines, kScreenBlockSize));
static_assert(FitsIn(kScreenPunctuationLines, kScreenBlockSize));
static_assert(FitsIn(kScreenReadingLines, kScreenBlockSize));
static_assert(FitsIn(kScreenLineFilterLines, kScreenBlockSize));
static_assert(FitsIn(kScreenFilterLines, kScreenBlockSize));

// The keyboard block's words at 18, 20 and 40 are never shown or compared.
inline constexpr std::size_t kKeyboardBlockSize =
    Layout(BlockId::kKeyboard).size;

inline constexpr Setting kKeyVoiceLines[] = {
    Named(u"Key_Voice", 0, KeyVoiceNames),
    Decimal(u"Key_Rate", 2),
    Decimal(u"Key_Pitch", 4),
    Character(u"Key_Tone", 6),
    Decimal(u"Key_Volume", 8),
};
inline constexpr Setting kKeyPunctuationLines[] = {
    Named(u"Key_Textual", 10, PunctuationLevelNames),
    Named(u"Key_Math", 12, PunctuationLevelNames),
    Named(u"Key_Miscellaneous", 14, PunctuationLevelNames),
    Named(u"Key_Space", 16, PunctuationLevelNames),
};
inline constexpr Setting kSpecialKeyLines[] = {
    Named(u"Function_Keys", 22, OffOnNames),
    Named(u"Toggle_Keys", 24, OffOnNames),
    Named(u"Cursor_Movement", 26, OffOnNames),
    Named(u"Key_Enhancements", 28, OffOnNames),
    Named(u"Escape_Key", 30, OffOnNames),
    Named(u"Enter_Key", 32, OffOnNames),
    Named(u"Enable_Both_Inserts_As_Modifier", 34, OffOnNames),
};
inline constexpr Setting kKeyCapitalsLines[] = {
    Named(u"Capitals", 36, CapitalsNames),
    Named(u"Interruptability", 38, InterruptabilityNames),
};
static_assert(FitsIn(kKeyVoiceLines, kKeyboardBlockSize));
static_assert(FitsIn(kKeyPunctuationLines, kKeyboardBlockSize));
static_assert(FitsIn(kSpecialKeyLines, kKeyboardBlockSize));
static_assert(FitsIn(kKeyCapitalsLines, kKeyboardBlockSize));

inline constexpr Part kScreenPunctuation = {
    .title = u"; Menu 1.6 - Punctuation",
    .settings = kScreenPunctuationLines,
    .separators = 1};
inline constexpr Part kScreenLineFilter = {
    .title = u"; Menu 1.12 - Line Filter",
    .settings = kScreenLineFilterLines,
    .separators = 1};
inline constexpr Item kScreenItems[] = {
    {kScreenVoiceLines},   {.part = &kScreenPunctuation},
    {kScreenReadingLines}, {.part = &kScreenLineFilter},
    {kScreenFilterLines},
};
inline constexpr Part kScreenSection = {.title = u"; Menu 1 - Screen",
                                        .items = kScreenItems,
                                        .separators = 1,
                                        .section = true,
                                        .block = BlockId::kScreen};

inline constexpr Part kKeyPunctuation = {.title = u"; Menu 2.6 - Punctuation",
                                         .settings = kKeyPunctuationLines,
                                         .separators = 1};
inline constexpr Part kSpecialKeys = {.title = u"; Menu 2.7 - Special Keys",
                                      .settings = kSpecialKeyLines,
                                      .separators = 1};
inline constexpr Item kKeyboardItems[] = {
    {kKeyVoiceLines},
    {.part = &kKeyPunctuation},
    {.part = &kSpecialKeys},
    {kKeyCapitalsLines},
};
inline constexpr Part kKeyboardSection = {.title = u"; Menu 2 - Keyboard",
                                          .items = kKeyboardItems,
                                          .separators = 1,
                                          .section = true,
                                          .block = BlockId::kKeyboard};

}  // namespace quorlith
