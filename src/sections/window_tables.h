#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "codecs/key_names.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "codecs/window_command.h"
#include "sections/schema.h"
#include "setfile/set_file.h"

namespace quorlith {

// Text field lengths in UTF-16 units, terminating NUL included.
inline constexpr std::uint16_t kFloatStringUnits = 11;
inline constexpr std::uint16_t kCommentUnits = 26;
inline constexpr std::uint16_t kSearchStringUnits = 33;

// The window block: the active standard window number, then the standard
// and hyperactive window records back to back, then bytes nobody reads.
inline constexpr std::size_t kActiveWindowOffset = 0;
inline constexpr std::size_t kStandardWindowCount = 50;
inline constexpr std::size_t kStandardRecordSize =
    4 * (2 + 2 + 2)              // each edge, its offset flag, its float
    + 4 * 2 * kFloatStringUnits  // the four float strings
    + 2 + 2 * kCommentUnits      // status, comment line
    + 2 * (2 + 3 + 1)            // foreground, background: match-any word,
                                 // red, green, blue, a byte nobody reads
    + 2 + 2                      // chain read, speak and spell
    + 3 + 3                      // light-bar foreground and background
    + 2 + 2;                     // automatic light-bar colour, bar track
inline constexpr std::size_t kFirstStandardRecord = kActiveWindowOffset + 2;

inline constexpr std::size_t kHyperactiveWindowCount = 26;
inline constexpr std::size_t kHyperactiveRecordSize =
    4 * (2 + 2 + 2)                   // edges laid out as a standard window's
    + 2 + 2 * kCommentUnits           // status, comment line
    + 2 + 2 + 2 * kSearchStringUnits  // interrupt, trigger, search string
    + 3 + 3                           // search attribute colours
    + kCommandCount * (2 + 2 + 2      // command, hot-key and window argument
                       + 2 * kCommandStringUnits + 2  // string, number
                       + 2 * kSetFileNameUnits);      // set-file name
inline constexpr std::size_t kFirstHyperactiveRecord =
    kFirstStandardRecord + kStandardWindowCount * kStandardRecordSize;
inline constexpr std::size_t kUnreadBlockTail = 24;

static_assert(kStandardRecordSize == 192);
static_assert(kHyperactiveRecordSize == 1942);
static_assert(kFirstHyperactiveRecord +
                  kHyperactiveWindowCount * kHyperactiveRecordSize +
                  kUnreadBlockTail ==
              Layout(BlockId::kWindow).size);

inline constexpr std::u16string_view WindowStatusNames[] = {
    u"Neutral", u"Silent", u"Speak", u"Float"};
static_assert(std::size(WindowStatusNames) == 4);

inline constexpr std::u16string_view FloatPositionNames[] = {
    u"Constant",
    u"Beginning_Of_Light_Bar",
    u"End_Of_Light_Bar",
    u"Cursor_Plus_Constant",
    u"Cursor_Minus_Constant",
    u"Cursor_Plus_Attribute",
    u"Cursor_Minus_Attribute",
    u"Constant_Plus_Attribute",
    u"Constant_Minus_Attribute",
    u"Beginning_Of_Focus_Window",
    u"End_OF_Focus_Window",
    u"Beginning_Of_Focus_Window_Plus_Constant",
    u"Beginning_Of_Focus_Window_Minus_Constant",
    u"End_Of_Focus_Window_Plus_Constant",
    u"End_Of_Focus_Window_Minus_Constant",
};
static_assert(std::size(FloatPositionNames) == 15);

inline constexpr std::u16string_view HyperactiveStatusNames[] = {
    u"Off", u"Hyperactive"};
inline constexpr std::u16string_view InterruptNames[] = {u"No", u"Yes"};

// Do not renumber: records store the row.
inline constexpr std::u16string_view TriggerNames[] = {
    u"Any_Change",
    u"Contains_Attribute",
    u"Does_Not_Contain_Attribute",
    u"Contains_String",
    u"Does_Not_Contain_String",
    u"Contains_Caret",
    u"Does_Not_Contain_Caret",
    u"Contains_Focus",
    u"Does_Not_Contain_Focus",
};
static_assert(std::size(TriggerNames) == 9);

// The lines of a window record, as settings over record offsets. The
// keyword is what follows "Window#", the window's number or letter and "_".
inline constexpr Setting kStandardHeadLines[] = {
    Named(u"Status", 112, WindowStatusNames),
    Text(u"Comment_Line", 114, kCommentUnits),
};

inline constexpr Setting kHyperactiveHeadLines[] = {
    Named(u"Status", 24, HyperactiveStatusNames),
    Text(u"Comment_Line", 26, kCommentUnits),
};

// The rectangle, at the same offsets in both kinds of record. The float
// position word after each edge belongs to the float sub-block.
inline constexpr Setting kEdgeLines[] = {
    Decimal(u"Left", 0),    Truth(u"Offset_From_Left", 2),
    Decimal(u"Top", 6),     Truth(u"Offset_From_Top", 8),
    Decimal(u"Right", 12),  Truth(u"Offset_From_Right", 14),
    Decimal(u"Bottom", 18), Truth(u"Offset_From_Bottom", 20),
};

// A standard window's lines from its colours up to its float sub-block.
inline constexpr Setting kStandardColourLines[] = {
    ByteDecimal(u"Red_Foreground", 168),
    ByteDecimal(u"Green_Foreground", 169),
    ByteDecimal(u"Blue_Foreground", 170),
    OneIsOn(u"Match_Any_Foreground_Color", 166),
    ByteDecimal(u"Red_Background", 174),
    ByteDecimal(u"Green_Background", 175),
    ByteDecimal(u"Blue_Background", 176),
    OneIsOn(u"Match_Any_Background_Color", 172),
    DecimalOrNone(u"Chain_Read", 178),
    Truth(u"Speak_And_Spell", 180),
    ByteDecimal(u"Red_Lightbar_Foreground", 182),
    ByteDecimal(u"Green_Lightbar_Foreground", 183),
    ByteDecimal(u"Blue_Lightbar_Foreground", 184),
    ByteDecimal(u"Red_Lightbar_Background", 185),
    ByteDecimal(u"Green_LightBar_Background", 186),
    ByteDecimal(u"Blue_Lightbar_Background", 187),
    OneIsOn(u"Auto_Determine_Light_Bar_Color", 188),
    Named(u"Bar_Track", 190, OffAutoOnNames),
};

// The float sub-block, between its comment line and its ";".
inline constexpr Setting kFloatLines[] = {
    Named(u"Float_Left_Position", 4, FloatPositionNames),
    Text(u"Float_Left_String", 24, kFloatStringUnits),
    Named(u"Float_Top_Position", 10, FloatPositionNames),
    Text(u"Float_Top_String", 46, kFloatStringUnits),
    Named(u"Float_Right_Position", 16, FloatPositionNames),
    Text(u"Float_Right_String", 68, kFloatStringUnits),
    Named(u"Float_Bottom_Position", 22, FloatPositionNames),
    Text(u"Float_Bottom_String", 90, kFloatStringUnits),
};

// The twenty-eight lines before the float comment line, the eight inside.
static_assert(std::size(kStandardHeadLines) + std::size(kEdgeLines) +
                  std::size(kStandardColourLines) ==
              28);
static_assert(std::size(kFloatLines) == 8);

inline constexpr std::uint16_t kTriggerOffset = 80;
inline constexpr Setting kTriggerLines[] = {
    Named(u"Interrupt", 78, InterruptNames),
    Named(u"Trigger_On", kTriggerOffset, TriggerNames),
};

inline constexpr Setting kSearchAttributeLines[] = {
    ByteDecimal(u"Search_Attribute_Red_Foreground", 148),
    ByteDecimal(u"Search_Attribute_Green_Foreground", 149),
    ByteDecimal(u"Search_Attribute_Blue_Foreground", 150),
    ByteDecimal(u"Search_Attribute_Red_Background", 151),
    ByteDecimal(u"Search_Attribute_Green_Background", 152),
    ByteDecimal(u"Search_Attribute_Blue_Background", 153),
};

inline constexpr Setting kSearchStringLines[] = {
    Text(u"Search_For_String", 82, kSearchStringUnits),
};

// The triggers that search for something: an attribute, or a string. The
// other rows watch for any change, the caret or the focus and have no
// search line.
inline constexpr std::int16_t kAttributeTriggers[] = {1, 2};
inline constexpr std::int16_t kStringTriggers[] = {3, 4};

inline constexpr Setting kCommandLines[] = {
    WindowCommand(u"First_Command", 0),
    WindowCommand(u"Second_Command", 1),
    WindowCommand(u"Third_Command", 2),
};

static_assert(FitsIn(kStandardHeadLines, kStandardRecordSize));
static_assert(FitsIn(kEdgeLines, kStandardRecordSize));
static_assert(FitsIn(kStandardColourLines, kStandardRecordSize));
static_assert(FitsIn(kFloatLines, kStandardRecordSize));
static_assert(FitsIn(kHyperactiveHeadLines, kHyperactiveRecordSize));
static_assert(FitsIn(kTriggerLines, kHyperactiveRecordSize));
static_assert(FitsIn(kSearchAttributeLines, kHyperactiveRecordSize));
static_assert(FitsIn(kSearchStringLines, kHyperactiveRecordSize));

inline constexpr std::u16string_view kWindowKeyword = u"Window#";

// The window sections: the active window, then the standard windows,
// each with its float sub-block, then the hyperactive windows, each closed
// by ";".

inline constexpr Setting kActiveWindowLines[] = {
    Decimal(u"Active_Standard_Window_ID", kActiveWindowOffset)};
inline constexpr Part kCharacteristicsPart = {
    .title = u"; Window Characteristics",
    .settings = kActiveWindowLines,
    .separators = 1,
    .section = true,
    .block = BlockId::kWindow};

inline constexpr Part kFloatPart = {.title = u"Float_Characteristics",
                                    .settings = kFloatLines,
                                    .separators = 1,
                                    .titled_by_record = true};
inline constexpr Item kStandardWindowItems[] = {
    {kStandardHeadLines},
    {kEdgeLines},
    {kStandardColourLines},
    {.part = &kFloatPart},
};
inline constexpr Part kStandardWindow = {.items = kStandardWindowItems};
inline constexpr Records kStandardWindows = {
    kFirstStandardRecord, kStandardRecordSize, kStandardWindowCount,
    RecordNames::kNumber, &kStandardWindow,    kWindowKeyword};
inline constexpr std::u16string_view kStandardNotes[] = {
    u"; To globally set or search a standard window with tessaval the syntax "
    u"is",
    u"; window#*s_command = value",
    u"; To set or search a range of standard windows with tessaval the syntax "
    u"is",
    u"; window#xx-xx_command = value",
    u"; xx-xx stands for a range of numbers between 0 and 49",
};
inline constexpr Item kStandardItems[] = {{.records = &kStandardWindows}};
inline constexpr Part kStandardPart = {
    .title = u"; Standard Windows Characteristics",
    .items = kStandardItems,
    .separators = 2,
    .notes = kStandardNotes,
    .section = true,
    .block = BlockId::kWindow};

inline constexpr Item kHyperactiveWindowItems[] = {
    {kHyperactiveHeadLines},
    {kEdgeLines},
    {kTriggerLines},
    {kSearchAttributeLines, {kTriggerOffset, kAttributeTriggers}},
    {kSearchStringLines, {kTriggerOffset, kStringTriggers}},
    {kCommandLines},
};
inline constexpr Part kHyperactiveWindow = {.items = kHyperactiveWindowItems,
                                            .separators = 1};
inline constexpr Records kHyperactiveWindows = {
    kFirstHyperactiveRecord, kHyperactiveRecordSize, kHyperactiveWindowCount,
    RecordNames::kLetter,    &kHyperactiveWindow,    kWindowKeyword};
inline constexpr std::u16string_view kHyperactiveNotes[] = {
    u"; To globally set or search a hyperactive window with tessaval the "
    u"syntax is",
    u"; window#*h_command = value",
    u"; To set or search a range of hyperactive windows with tessaval the "
    u"syntax is",
    u"; window#x-x_command = value",
    u"; x-x stands for a range of letters between a and z",
};
inline constexpr Item kHyperactiveItems[] = {{.records = &kHyperactiveWindows}};
inline constexpr Part kHyperactivePart = {
    .title = u"; Hyperactive Window Characteristics",
    .items = kHyperactiveItems,
    .notes = kHyperactiveNotes,
    .section = true,
    .block = BlockId::kWindow};

}  // namespace quorlith
