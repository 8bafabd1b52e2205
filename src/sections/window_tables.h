#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

#include "report/setting_line.h"
#include "report/value_names.h"
#include "sections/key_names.h"
#include "setfile/set_file.h"

namespace quorlith {

// Text field lengths in UTF-16 units, terminating NUL included.
inline constexpr std::uint16_t kFloatStringUnits = 11;
inline constexpr std::uint16_t kCommentUnits = 26;
inline constexpr std::uint16_t kSearchStringUnits = 33;
inline constexpr std::uint16_t kCommandStringUnits = 33;
inline constexpr std::uint16_t kSetFileNameUnits = 261;

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
inline constexpr std::size_t kCommandCount = 3;
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

constexpr std::size_t StandardRecordOffset(std::size_t window) {
  return kFirstStandardRecord + window * kStandardRecordSize;
}

constexpr std::size_t HyperactiveRecordOffset(std::size_t letter_index) {
  return kFirstHyperactiveRecord + letter_index * kHyperactiveRecordSize;
}

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

inline constexpr std::u16string_view CommandSlotNames[] = {
    u"First_Command", u"Second_Command", u"Third_Command"};
static_assert(std::size(CommandSlotNames) == kCommandCount);

// The lines of a window record, as setting lines over record offsets. The
// keyword is what follows "Window#", the window's number or letter and "_".
constexpr SettingLine DecimalLine(std::u16string_view keyword,
                                  std::uint16_t offset) {
  return {keyword, offset, Rendering::kDecimal};
}
constexpr SettingLine ByteLine(std::u16string_view keyword,
                               std::uint16_t offset) {
  return {keyword, offset, Rendering::kByteDecimal};
}
constexpr SettingLine BoolLine(std::u16string_view keyword,
                               std::uint16_t offset) {
  return {keyword, offset, Rendering::kBool};
}
constexpr SettingLine NamedLine(std::u16string_view keyword,
                                std::uint16_t offset, ValueNameTable names) {
  return {keyword, offset, Rendering::kName, names};
}
constexpr SettingLine TextLine(std::u16string_view keyword,
                               std::uint16_t offset, std::uint16_t units) {
  return {keyword, offset, Rendering::kText, {}, units};
}
constexpr SettingLine OneIsOnLine(std::u16string_view keyword,
                                  std::uint16_t offset) {
  return {keyword, offset, Rendering::kOneIsOn};
}
// A chain read names the standard window read next; -1 reads none.
constexpr SettingLine ChainReadLine(std::u16string_view keyword,
                                    std::uint16_t offset) {
  return {keyword, offset, Rendering::kDecimalOrNone};
}

inline constexpr SettingLine kStandardHeadLines[] = {
    NamedLine(u"Status", 112, WindowStatusNames),
    TextLine(u"Comment_Line", 114, kCommentUnits),
};

inline constexpr SettingLine kHyperactiveHeadLines[] = {
    NamedLine(u"Status", 24, HyperactiveStatusNames),
    TextLine(u"Comment_Line", 26, kCommentUnits),
};

// The rectangle, at the same offsets in both kinds of record. The float
// position word after each edge belongs to the float sub-block.
inline constexpr SettingLine kEdgeLines[] = {
    DecimalLine(u"Left", 0),    BoolLine(u"Offset_From_Left", 2),
    DecimalLine(u"Top", 6),     BoolLine(u"Offset_From_Top", 8),
    DecimalLine(u"Right", 12),  BoolLine(u"Offset_From_Right", 14),
    DecimalLine(u"Bottom", 18), BoolLine(u"Offset_From_Bottom", 20),
};

// A standard window's lines from its colours up to its float sub-block.
inline constexpr SettingLine kStandardColourLines[] = {
    ByteLine(u"Red_Foreground", 168),
    ByteLine(u"Green_Foreground", 169),
    ByteLine(u"Blue_Foreground", 170),
    OneIsOnLine(u"Match_Any_Foreground_Color", 166),
    ByteLine(u"Red_Background", 174),
    ByteLine(u"Green_Background", 175),
    ByteLine(u"Blue_Background", 176),
    OneIsOnLine(u"Match_Any_Background_Color", 172),
    ChainReadLine(u"Chain_Read", 178),
    BoolLine(u"Speak_And_Spell", 180),
    ByteLine(u"Red_Lightbar_Foreground", 182),
    ByteLine(u"Green_Lightbar_Foreground", 183),
    ByteLine(u"Blue_Lightbar_Foreground", 184),
    ByteLine(u"Red_Lightbar_Background", 185),
    ByteLine(u"Green_LightBar_Background", 186),
    ByteLine(u"Blue_Lightbar_Background", 187),
    OneIsOnLine(u"Auto_Determine_Light_Bar_Color", 188),
    NamedLine(u"Bar_Track", 190, OffAutoOnNames),
};

// The float sub-block, between its comment line and its ";".
inline constexpr SettingLine kFloatLines[] = {
    NamedLine(u"Float_Left_Position", 4, FloatPositionNames),
    TextLine(u"Float_Left_String", 24, kFloatStringUnits),
    NamedLine(u"Float_Top_Position", 10, FloatPositionNames),
    TextLine(u"Float_Top_String", 46, kFloatStringUnits),
    NamedLine(u"Float_Right_Position", 16, FloatPositionNames),
    TextLine(u"Float_Right_String", 68, kFloatStringUnits),
    NamedLine(u"Float_Bottom_Position", 22, FloatPositionNames),
    TextLine(u"Float_Bottom_String", 90, kFloatStringUnits),
};

// The twenty-eight lines before the float comment line, the eight inside.
static_assert(std::size(kStandardHeadLines) + std::size(kEdgeLines) +
                  std::size(kStandardColourLines) ==
              28);
static_assert(std::size(kFloatLines) == 8);

inline constexpr std::uint16_t kTriggerOffset = 80;
inline constexpr SettingLine kTriggerLines[] = {
    NamedLine(u"Interrupt", 78, InterruptNames),
    NamedLine(u"Trigger_On", kTriggerOffset, TriggerNames),
};

inline constexpr SettingLine kSearchAttributeLines[] = {
    ByteLine(u"Search_Attribute_Red_Foreground", 148),
    ByteLine(u"Search_Attribute_Green_Foreground", 149),
    ByteLine(u"Search_Attribute_Blue_Foreground", 150),
    ByteLine(u"Search_Attribute_Red_Background", 151),
    ByteLine(u"Search_Attribute_Green_Background", 152),
    ByteLine(u"Search_Attribute_Blue_Background", 153),
};

inline constexpr SettingLine kSearchStringLines[] = {
    TextLine(u"Search_For_String", 82, kSearchStringUnits),
};

// The triggers that search for something; the other rows watch for any
// change, the caret or the focus and have no search line.
inline constexpr std::int16_t kContainsAttribute = 1;
inline constexpr std::int16_t kDoesNotContainAttribute = 2;
inline constexpr std::int16_t kContainsString = 3;
inline constexpr std::int16_t kDoesNotContainString = 4;

// The argument kinds; each record stores an array of three of every kind,
// one per command, whatever the commands are.
enum class CommandArgument : std::uint8_t {
  kHotKey,
  kWindow,
  kString,
  kNumber,
  kSetFile,
  kNone,
};
inline constexpr std::size_t kArgumentKinds = 5;

// The argument each command row writes. Do not renumber.
inline constexpr CommandArgument kCommandArguments[] = {
    CommandArgument::kNone,     // Undefined
    CommandArgument::kWindow,   // Speak_Window
    CommandArgument::kString,   // Speak_String
    CommandArgument::kNone,     // Speak_Light_Bar
    CommandArgument::kNumber,   // Activate_Window
    CommandArgument::kSetFile,  // Load_Disk_Set
    CommandArgument::kHotKey,   // Execute_Hot_Key
    CommandArgument::kNone,     // Beep
    CommandArgument::kNumber,   // Route_Mouse_To_Window
};
static_assert(std::size(kCommandArguments) ==
              std::size(HyperactiveCommandNames));

// Command j's word and its argument fields, indexed by CommandArgument.
struct CommandSlot {
  SettingLine command;
  SettingLine arguments[kArgumentKinds];
};

constexpr CommandSlot MakeCommandSlot(std::uint16_t j) {
  return {
      {{},
       static_cast<std::uint16_t>(154 + 2 * j),
       Rendering::kName,
       HyperactiveCommandNames},
      {
          {{},
           static_cast<std::uint16_t>(160 + 2 * j),
           Rendering::kName,
           HotKeyCommandNames},
          {{}, static_cast<std::uint16_t>(166 + 2 * j), Rendering::kDecimal},
          {{},
           static_cast<std::uint16_t>(172 + 2 * kCommandStringUnits * j),
           Rendering::kText,
           {},
           kCommandStringUnits},
          {{}, static_cast<std::uint16_t>(370 + 2 * j), Rendering::kDecimal},
          {{},
           static_cast<std::uint16_t>(376 + 2 * kSetFileNameUnits * j),
           Rendering::kText,
           {},
           kSetFileNameUnits},
      },
  };
}

inline constexpr CommandSlot kCommandSlots[] = {
    MakeCommandSlot(0), MakeCommandSlot(1), MakeCommandSlot(2)};
static_assert(std::size(kCommandSlots) == kCommandCount);

// A "Speak_Window" argument in this range names a hyperactive window by its
// letter; any other value is a standard window's number.
inline constexpr std::int16_t kFirstWindowLetter = u'A';
inline constexpr std::int16_t kLastWindowLetter = u'Z';

constexpr bool FitsIn(const CommandSlot& slot, std::size_t record_size) {
  const SettingLine command[] = {slot.command};
  return FitsIn(command, record_size) && FitsIn(slot.arguments, record_size);
}

static_assert(FitsIn(kStandardHeadLines, kStandardRecordSize));
static_assert(FitsIn(kEdgeLines, kStandardRecordSize));
static_assert(FitsIn(kStandardColourLines, kStandardRecordSize));
static_assert(FitsIn(kFloatLines, kStandardRecordSize));
static_assert(FitsIn(kHyperactiveHeadLines, kHyperactiveRecordSize));
static_assert(FitsIn(kTriggerLines, kHyperactiveRecordSize));
static_assert(FitsIn(kSearchAttributeLines, kHyperactiveRecordSize));
static_assert(FitsIn(kSearchStringLines, kHyperactiveRecordSize));
static_assert(FitsIn(kCommandSlots[kCommandCount - 1], kHyperactiveRecordSize));

// The comment lines and erase thresholds of the window sections.

constexpr std::size_t LinesLength(std::span<const std::u16string_view> lines) {
  std::size_t length = 0;
  for (std::u16string_view line : lines) {
    length += line.size() + kLineEnd.size();
  }
  return length;
}

inline constexpr std::size_t kSeparatorLength = 1 + 2;  // ";" and CR LF

inline constexpr std::u16string_view kCharacteristicsHeader =
    u"; Window Characteristics";
inline constexpr SettingLine kActiveWindowLine = {
    u"Active_Standard_Window_ID", kActiveWindowOffset, Rendering::kDecimal};
// Above the header and ";", below them and the shortest number line.
inline constexpr std::size_t kCharacteristicsThreshold = 35;
inline constexpr std::size_t kCharacteristicsFixed =
    kCharacteristicsHeader.size() + kLineEnd.size() + kSeparatorLength;
static_assert(kCharacteristicsFixed <= kCharacteristicsThreshold &&
              kCharacteristicsThreshold <
                  kCharacteristicsFixed + kActiveWindowLine.keyword.size() +
                      std::u16string_view(u" = 0").size() + kLineEnd.size());

inline constexpr std::u16string_view kStandardComments[] = {
    u"; Standard Windows Characteristics",
    u"; To globally set or search a standard window with tessaval the syntax "
    u"is",
    u"; window#*s_command = value",
    u"; To set or search a range of standard windows with tessaval the syntax "
    u"is",
    u"; window#xx-xx_command = value",
    u"; xx-xx stands for a range of numbers between 0 and 49",
};
inline constexpr std::size_t kStandardThreshold = 310;
static_assert(LinesLength(kStandardComments) + 2 * kSeparatorLength ==
              kStandardThreshold);

// ";Window#", the number, "_Float_Characteristics" and the closing ";":
// 36 characters for windows 0 to 9, 37 from 10 up.
inline constexpr std::u16string_view kFloatComment = u"Float_Characteristics";
inline constexpr std::size_t kFloatThreshold = 37;

inline constexpr std::u16string_view kHyperactiveComments[] = {
    u"; Hyperactive Window Characteristics",
    u"; To globally set or search a hyperactive window with tessaval the "
    u"syntax is",
    u"; window#*h_command = value",
    u"; To set or search a range of hyperactive windows with tessaval the "
    u"syntax is",
    u"; window#x-x_command = value",
    u"; x-x stands for a range of letters between a and z",
};
inline constexpr std::size_t kHyperactiveThreshold = 307;
static_assert(LinesLength(kHyperactiveComments) == kHyperactiveThreshold);

// A hyperactive window that wrote only its closing ";".
inline constexpr std::size_t kHyperactiveWindowThreshold = kSeparatorLength;

inline constexpr std::u16string_view kWindowKeyword = u"Window#";

}  // namespace quorlith
