#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

#include "text/report_text.h"

namespace quorlith {

// A stored key combination: modifier flag words and the key code. Hot-key
// records fill every field; cursor-key records have no Insert, Numpad,
// Windows or Application word and leave those at 0.
struct KeyStroke {
  std::uint16_t control = 0;
  std::uint16_t alt = 0;
  std::uint16_t shift = 0;
  std::uint16_t insert = 0;
  std::uint16_t numpad = 0;
  std::uint16_t windows = 0;
  std::uint16_t application = 0;
  std::uint16_t key_code = 0;

  // Equal iff every stored word is equal, flags of 2 included.
  bool operator==(const KeyStroke&) const = default;
};

// The two ways a report writes a stroke. Hot-key style knows all seven
// flags and the numeric keypad; cursor-key style knows Control, Alt and
// Shift only, and writes an undefined stroke with the blank that would
// stand before the commands.
enum class KeyNameStyle { kHotKey, kCursorKey };

// True iff `stroke` has no key in `style`: hot-key style looks at all eight
// words, cursor-key style at Control, Alt, Shift and the key code.
bool KeyStrokeIsUndefined(const KeyStroke& stroke, KeyNameStyle style);

// Appends the name of `stroke` in `style`, e.g. "Control-Alt-Home". The
// caller lower-cases hot-key letters first if it wants them lower-cased.
void WriteKeyStroke(ReportText& out, const KeyStroke& stroke,
                    KeyNameStyle style);

// The inverse of WriteKeyStroke: the stroke `text` names in `style`
// (without the line end), each modifier word 1 when named and 0 when not;
// nullopt when `text` names no key. Letters of names and modifiers match
// without regard to case, a character key only as itself.
std::optional<KeyStroke> ParseKeyStroke(std::u16string_view text,
                                        KeyNameStyle style);

// A key below the character range that still has a name.
struct ControlKey {
  std::uint16_t code;
  std::u16string_view name;
};

inline constexpr std::uint16_t kEnterCode = 13;

inline constexpr ControlKey kControlKeys[] = {
    {8, u"Backspace"}, {9, u"Tab"},    {kEnterCode, u"Enter"},
    {27, u"Escape"},   {32, u"Space"},
};

// Key codes of the keys without a character of their own start here; row
// (code - kFirstNamedKeyCode) of KeyNames names them.
inline constexpr std::uint16_t kFirstNamedKeyCode = 0xF400;

inline constexpr std::u16string_view KeyNames[] = {
    u"Caps_Lock", u"Shift",       u"Control",      u"Alt",
    u"Insert",    u"Delete",      u"Home",         u"End",
    u"Page_Up",   u"Page_Down",   u"Left_Arrow",   u"Right_Arrow",
    u"Up_Arrow",  u"Down_Arrow",  u"Print_Screen", u"Scroll_Lock",
    u"Pause",     u"Num_Lock",    u"F1",           u"F2",
    u"F3",        u"F4",          u"F5",           u"F6",
    u"F7",        u"F8",          u"F9",           u"F10",
    u"F11",       u"F12",         u"F13",          u"F14",
    u"F15",       u"F16",         u"F17",          u"F18",
    u"F19",       u"F20",         u"F21",          u"F22",
    u"F23",       u"F24",         u"Command",      u"Center",
    u"Help",      u"Select",      u"Print",        u"Seperator",
    u"Windows",   u"Application",
};
static_assert(std::size(KeyNames) == 50);

// The screen reader's hot-key commands. Row i names hot-key slot i; the
// empty rows are slots without a command, and the last row is the keyword
// of the compiler's search syntax, never a slot of its own. Do not
// renumber: cursor-key and window records store rows of this table.
// clang-format off
inline constexpr std::u16string_view HotKeyCommandNames[] = {
    u"Prior_Character", u"Character", u"Next_Character", u"Prior_Word",   // 0
    u"Word", u"Next_Word", u"Prior_Line", u"Line", u"Next_Line",          // 4
    u"Prior_Sentence", u"Sentence", u"Next_Sentence",                     // 9
    u"Prior_Paragraph", u"Paragraph", u"Next_Paragraph", u"Top_Caret",    // 12
    u"Caret_Bottom", u"Left_Caret", u"Caret_Right", u"Window_0",          // 16
    u"Window_1", u"Window_2", u"Window_3", u"Window_4", u"Window_5",      // 20
    u"Window_6", u"Window_7", u"Window_8", u"Window_9", u"Window_10",     // 25
    u"Window_11", u"Window_12", u"Window_13", u"Window_14",               // 30
    u"Window_15", u"Window_16", u"Window_17", u"Window_18",               // 34
    u"Window_19", u"Read_Any_Window", u"Read_Active_User_Window",         // 38
    u"Read_To_End", u"Caret_ASCII/Attribute", u"Field_Data",              // 41
    u"Field_Name", u"Label_field_name", u"Speak_Summary",                 // 44
    u"Default_Button", u"Any_Line", u"Read_Bar", u"Set_Bar_Color",        // 47
    u"Bar_Rotor", u"Time/Date", u"Address", u"Silence", u"Menu",          // 51
    u"Bypass", u"Attribute_Changes_Toggle", u"Mouse_Boundary_Rotor",      // 56
    u"Single_Click_Left_Mouse_Button",                                    // 59
    u"Single_Click_Middle_Mouse_Button",                                  // 60
    u"Single_Click_Right_Mouse_Button",                                   // 61
    u"Double_Click_Left_Mouse_Button",                                    // 62
    u"Double_Click_Middle_Mouse_Button",                                  // 63
    u"Double_Click_Right_Mouse_Button", u"Toggle_Left_Mouse_Button",      // 64
    u"Toggle_Middle_Mouse_Button", u"Toggle_Right_Mouse_Button",          // 66
    u"Drag_And_drop", u"Mouse_Horizontal_Lock", u"Mouse_Vertical_Lock",   // 68
    u"OV/Mouse_Toggle", u"Mouse_Up", u"Mouse_Down", u"Mouse_Left",        // 71
    u"Mouse_Right", u"Mouse_Top_Left", u"Mouse_Top_Right",                // 75
    u"Mouse_Bottom_Left", u"Mouse_Bottom_Right",                          // 78
    u"Mouse_Prior_Character", u"Mouse_Current_Character",                 // 80
    u"Mouse_Next_Character", u"Mouse_Prior_Word", u"Mouse_Current_Word",  // 82
    u"Mouse_Next_Word", u"Mouse_Prior_Line", u"Mouse_Current_Line",       // 85
    u"Mouse_Next_Line", u"Mouse_Prior_Sentence",                          // 88
    u"Mouse_Current_Sentence", u"Mouse_Next_Sentence",                    // 90
    u"Mouse_Prior_Paragraph", u"Mouse_Current_Paragraph",                 // 92
    u"Mouse_Next_Paragraph", u"Mouse_Prior_Icon", u"Mouse_Current_Icon",  // 94
    u"Mouse_Next_Icon", u"Mouse_Prior_Clip", u"Mouse_Current_Clip",       // 97
    u"Mouse_Next_Clip", u"Top_To_Mouse", u"Mouse_To_Bottom",              // 100
    u"Left_To_Mouse", u"Mouse_To_Right", u"Mouse_Beginning_Of_Line",      // 103
    u"Mouse_End_Of_Line", u"Mouse_Up_Down_Speak", u"Mouse_To_Caret",      // 106
    u"Caret_To_Mouse", u"Sync_OV_And_Mouse",                              // 109
    u"Route_To_Specified_Highlight", u"Route_Mouse_To_Window",            // 111
    u"Mouse_Position", u"Mouse_ASCII/Attribute", u"Mouse_Search",         // 113
    u"Continue_Mouse_Search", u"Mouse_Prior_Attribute",                   // 116
    u"Mouse_Next_Attribute", u"Mouse_Prior_Control",                      // 118
    u"Mouse_Next_Control", u"Describe_Pointer", u"Capture_Pointer",       // 120
    u"Edit_dictionaries", u"Speak_All_Toggle", u"Toggle_All_Voices",      // 123
    u"Read_Entire_Screen", u"Read_Active_Window",                         // 126
    u"Read_Title/Status_of_Current_App", u"Read_status_line",             // 128
    u"Read_Menu_Bar", u"Read_Marked_Block", u"Application_Help",          // 130
    u"Voice_Down", u"Voice_Up", u"Voice_Selection_Rotor",                 // 133
    u"Voice_Parameter_Rotor", u"Numbers_Toggle",                          // 136
    u"Signal_Caret_Position_Toggle", u"Word_Mode_Rotor",                  // 138
    u"Line_Filter_Status_Rotor", u"Capitalization_Alert_Rotor",           // 140
    u"Format_Alert_Rotor", u"Set_Format_Alert_Offset",                    // 142
    u"Select_User_Window", u"User_Window_Coordinates",                    // 144
    u"User_Window_Top_Left", u"User_Window_Bottom_Right",                 // 146
    u"User_Window_Definition", u"User_Window_Status",                     // 148
    u"Read_User_Window_Coordinates", u"Set_User_Window_Color",            // 150
    u"Select_Hyperactive_Window", u"Hyperactive_Window_Coordinates",      // 152
    u"Hyperactive_Window_Top_Left", u"Hyperactive_Window_Bottom_Right",   // 154
    u"Hyperactive_Window_Definition",                                     // 156
    u"Read_Hyperactive_Window_Coordinates",                               // 157
    u"Hyperactive_Windows_Rotor", u"Autodetect_Caret",                    // 158
    u"Auto_Label_Graphics", u"MSAA_Application_Mode_Toggle",              // 160
    u"Switch_Language", u"Sys_Tray", u"Reclass", u"Redraw", u"Load_Set",  // 162
    u"Save_Set", u"Dump_OSM", u"Read_Last_Flash_And_Tooltip",             // 167
    u"Read_Progress_Or_Scrollbar", u"Read_Focus_Title", u"Next_Link",     // 170
    u"Prior_Link", u"Next_Control", u"Prior_Control", u"Next_Text",       // 173
    u"Prior_Text", u"Next_Frame", u"Prior_Frame",                         // 177
    u"Next_Different_Line", u"Prior_Different_Line",                      // 180
    u"NextVisitted_Link", u"Prior_Visitted_Link", u"Next_Anchor",         // 182
    u"Prior_Anchor", u"Next_Field_Set", u"Prior_Field_Set",               // 185
    u"Next_Form", u"Prior_Form", u"Next_Heading", u"Prior_Heading",       // 188
    u"MSAA_Next_Paragraph", u"MSAA_Prior_Paragraph",                      // 192
    u"Next_Block_Quote", u"Prior_Block_Quote", u"Next_List",              // 194
    u"Prior_List", u"Next_List_Item", u"Prior_List_Item", u"Next_Table",  // 197
    u"Prior_Table", u"Enter_Table_Mode", u"Exit_Table_Mode",              // 201
    u"Exit_All_Table_Modes", u"Cell_Right", u"Cell_Left", u"Cell_Up",     // 204
    u"Cell_Down", u"End_Of_Row", u"Beginning_Of_Row", u"Top_Of_Column",   // 208
    u"Bottom_Of_Column", u"Header_Rotor", u"Element_Properties",          // 212
    u"Page_Navigation", u"Previous_Position", u"Auto_Load_Key",           // 215
    u"MSAA_Verbosity_Dialog", u"Refresh_Toggle",                          // 218
    u"Office_Page_Navigation", u"Office_Element_Properties",              // 220
    u"Spelling/Grammar_Next", u"To_First_Cell_Of_Column",                 // 222
    u"To_Last_Cell_Of_Column", u"To_First_Cell_Of_Row",                   // 224
    u"To_Last_Cell_Of_Row", u"To_Top_Left_Cell",                          // 226
    u"To_Bottom_Right_Cell", u"Up_Cell", u"Right_Cell", u"Left_Cell",     // 228
    u"Down_Cell", u"Column", u"From_Column_Start", u"Column_To_End",      // 232
    u"Row", u"From_Row_Start", u"Row_To_End", u"First_Column_Cell",       // 236
    u"First_Row_Cell", u"Spelling/Grammar_Prior", u"Revision_Next",       // 240
    u"Revision_Prior", u"Line_Next", u"Line_Prior", u"",                  // 243
    u"Current_Cell", u"Headers_And_Totals", u"Monitor_Cells",             // 247
    u"Monitor_Cell_1", u"Monitor_Cell_2", u"Monitor_Cell_3",              // 250
    u"Monitor_Cell_4", u"Monitor_Cell_5", u"Monitor_Cell_6",              // 253
    u"Monitor_Cell_7", u"Monitor_Cell_8", u"Monitor_Cell_9",              // 256
    u"Monitor_Cell_10", u"Any_Monitor_Cell", u"Read_Total_Cell",          // 259
    u"Read_Comment", u"Read_Formula", u"Previous_Cell", u"", u"", u"",    // 262
    u"", u"", u"Toggle_All_Voices_Global", u"Key_Describer",              // 268
    u"Battery_Level", u"Shutdown_Orvalen", u"Outlook_Calendar",           // 272
    u"Next_Enhanced_Control", u"Prior_Enhanced_Control",                  // 275
    u"Graphic_Next", u"Graphic_Prior", u"Place_Marker_Dialog",            // 277
    u"Next_Place_Marker", u"Prior_Place_Marker",                          // 280
    u"Jump_to_Place_Marker", u"Reload_Script", u"Any_Hot_Key",            // 282
};
static_assert(std::size(HotKeyCommandNames) == 285);

// The commands a cursor key can run; records store the row.
inline constexpr std::u16string_view CursorCommandNames[] = {
    u"Undefined", u"Prior_Character_Before", u"Prior_Character_After",  // 0
    u"Character_Before", u"Character_After", u"Next_Character",         // 3
    u"Previous_Word", u"Word", u"Next_Word", u"Prior_Line", u"Line",    // 6
    u"Next_Line", u"Sentence", u"Paragraph", u"To_End_Of_Line",         // 11
    u"Lightbar", u"Marked_Text", u"Caret_Position", u"Field_Data",      // 15
    u"Field_Name", u"Field_Name_And_Data", u"Title/Status",             // 19
    u"Speak_Window", u"Activate_Window", u"Mouse_to_Window",            // 22
    u"Mouse_Top_Left", u"Load_Set", u"Ignore_Speak_Windows",            // 25
    u"Execute_Hot_Key", u"Word_Enhanced", u"Office_Attribute_Status",   // 28
    u"Office_Smart_Tab",                                                // 31
};
// clang-format on
static_assert(std::size(CursorCommandNames) == 32);

// The argument of the "Office_Attribute_Status" cursor command.
inline constexpr std::u16string_view OfficeAttributeNames[] = {
    u"Bold", u"Italic", u"Underline", u"Show_All", u"Font_Size",  // 0
};
static_assert(std::size(OfficeAttributeNames) == 5);

}  // namespace quorlith
