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
inline constexpr std::u16string_view HotKeyCommandNames[] = {
    // 0
    u"Prior_Character",
    u"Character",
    u"Next_Character",
    u"Prior_Word",
    u"Word",
    u"Next_Word",
    u"Prior_Line",
    u"Line",
    u"Next_Line",
    u"Prior_Sentence",
    // 10
    u"Sentence",
    u"Next_Sentence",
    u"Prior_Paragraph",
    u"Paragraph",
    u"Next_Paragraph",
    u"Top_Caret",
    u"Caret_Bottom",
    u"Left_Caret",
    u"Caret_Right",
    u"Window_0",
    // 20
    u"Window_1",
    u"Window_2",
    u"Window_3",
    u"Window_4",
    u"Window_5",
    u"Window_6",
    u"Window_7",
    u"Window_8",
    u"Window_9",
    u"Window_10",
    // 30
    u"Window_11",
    u"Window_12",
    u"Window_13",
    u"Window_14",
    u"Window_15",
    u"Window_16",
    u"Window_17",
    u"Window_18",
    u"Window_19",
    u"Read_Any_Window",
    // 40
    u"Read_Active_User_Window",
    u"Read_To_End",
    u"Caret_ASCII/Attribute",
    u"Field_Data",
    u"Field_Name",
    u"Label_field_name",
    u"Speak_Summary",
    u"Default_Button",
    u"Any_Line",
    u"Read_Bar",
    // 50
    u"Set_Bar_Color",
    u"Bar_Rotor",
    u"Time/Date",
    u"Address",
    u"Silence",
    u"Menu",
    u"Bypass",
    u"Attribute_Changes_Toggle",
    u"Mouse_Boundary_Rotor",
    u"Single_Click_Left_Mouse_Button",
    // 60
    u"Single_Click_Middle_Mouse_Button",
    u"Single_Click_Right_Mouse_Button",
    u"Double_Click_Left_Mouse_Button",
    u"Double_Click_Middle_Mouse_Button",
    u"Double_Click_Right_Mouse_Button",
    u"Toggle_Left_Mouse_Button",
    u"Toggle_Middle_Mouse_Button",
    u"Toggle_Right_Mouse_Button",
    u"Drag_And_drop",
    u"Mouse_Horizontal_Lock",
    // 70
    u"Mouse_Vertical_Lock",
    u"OV/Mouse_Toggle",
    u"Mouse_Up",
    u"Mouse_Down",
    u"Mouse_Left",
    u"Mouse_Right",
    u"Mouse_Top_Left",
    u"Mouse_Top_Right",
    u"Mouse_Bottom_Left",
    u"Mouse_Bottom_Right",
    // 80
    u"Mouse_Prior_Character",
    u"Mouse_Current_Character",
    u"Mouse_Next_Character",
    u"Mouse_Prior_Word",
    u"Mouse_Current_Word",
    u"Mouse_Next_Word",
    u"Mouse_Prior_Line",
    u"Mouse_Current_Line",
    u"Mouse_Next_Line",
    u"Mouse_Prior_Sentence",
    // 90
    u"Mouse_Current_Sentence",
    u"Mouse_Next_Sentence",
    u"Mouse_Prior_Paragraph",
    u"Mouse_Current_Paragraph",
    u"Mouse_Next_Paragraph",
    u"Mouse_Prior_Icon",
    u"Mouse_Current_Icon",
    u"Mouse_Next_Icon",
    u"Mouse_Prior_Clip",
    u"Mouse_Current_Clip",
    // 100
    u"Mouse_Next_Clip",
    u"Top_To_Mouse",
    u"Mouse_To_Bottom",
    u"Left_To_Mouse",
    u"Mouse_To_Right",
    u"Mouse_Beginning_Of_Line",
    u"Mouse_End_Of_Line",
    u"Mouse_Up_Down_Speak",
    u"Mouse_To_Caret",
    u"Caret_To_Mouse",
    // 110
    u"Sync_OV_And_Mouse",
    u"Route_To_Specified_Highlight",
    u"Route_Mouse_To_Window",
    u"Mouse_Position",
    u"Mouse_ASCII/Attribute",
    u"Mouse_Search",
    u"Continue_Mouse_Search",
    u"Mouse_Prior_Attribute",
    u"Mouse_Next_Attribute",
    u"Mouse_Prior_Control",
    // 120
    u"Mouse_Next_Control",
    u"Describe_Pointer",
    u"Capture_Pointer",
    u"Edit_dictionaries",
    u"Speak_All_Toggle",
    u"Toggle_All_Voices",
    u"Read_Entire_Screen",
    u"Read_Active_Window",
    u"Read_Title/Status_of_Current_App",
    u"Read_status_line",
    // 130
    u"Read_Menu_Bar",
    u"Read_Marked_Block",
    u"Application_Help",
    u"Voice_Down",
    u"Voice_Up",
    u"Voice_Selection_Rotor",
    u"Voice_Parameter_Rotor",
    u"Numbers_Toggle",
    u"Signal_Caret_Position_Toggle",
    u"Word_Mode_Rotor",
    // 140
    u"Line_Filter_Status_Rotor",
    u"Capitalization_Alert_Rotor",
    u"Format_Alert_Rotor",
    u"Set_Format_Alert_Offset",
    u"Select_User_Window",
    u"User_Window_Coordinates",
    u"User_Window_Top_Left",
    u"User_Window_Bottom_Right",
    u"User_Window_Definition",
    u"User_Window_Status",
    // 150
    u"Read_User_Window_Coordinates",
    u"Set_User_Window_Color",
    u"Select_Hyperactive_Window",
    u"Hyperactive_Window_Coordinates",
    u"Hyperactive_Window_Top_Left",
    u"Hyperactive_Window_Bottom_Right",
    u"Hyperactive_Window_Definition",
    u"Read_Hyperactive_Window_Coordinates",
    u"Hyperactive_Windows_Rotor",
    u"Autodetect_Caret",
    // 160
    u"Auto_Label_Graphics",
    u"MSAA_Application_Mode_Toggle",
    u"Switch_Language",
    u"Sys_Tray",
    u"Reclass",
    u"Redraw",
    u"Load_Set",
    u"Save_Set",
    u"Dump_OSM",
    u"Read_Last_Flash_And_Tooltip",
    // 170
    u"Read_Progress_Or_Scrollbar",
    u"Read_Focus_Title",
    u"Next_Link",
    u"Prior_Link",
    u"Next_Control",
    u"Prior_Control",
    u"Next_Text",
    u"Prior_Text",
    u"Next_Frame",
    u"Prior_Frame",
    // 180
    u"Next_Different_Line",
    u"Prior_Different_Line",
    u"NextVisitted_Link",
    u"Prior_Visitted_Link",
    u"Next_Anchor",
    u"Prior_Anchor",
    u"Next_Field_Set",
    u"Prior_Field_Set",
    u"Next_Form",
    u"Prior_Form",
    // 190
    u"Next_Heading",
    u"Prior_Heading",
    u"MSAA_Next_Paragraph",
    u"MSAA_Prior_Paragraph",
    u"Next_Block_Quote",
    u"Prior_Block_Quote",
    u"Next_List",
    u"Prior_List",
    u"Next_List_Item",
    u"Prior_List_Item",
    // 200
    u"Next_Table",
    u"Prior_Table",
    u"Enter_Table_Mode",
    u"Exit_Table_Mode",
    u"Exit_All_Table_Modes",
    u"Cell_Right",
    u"Cell_Left",
    u"Cell_Up",
    u"Cell_Down",
    u"End_Of_Row",
    // 210
    u"Beginning_Of_Row",
    u"Top_Of_Column",
    u"Bottom_Of_Column",
    u"Header_Rotor",
    u"Element_Properties",
    u"Page_Navigation",
    u"Previous_Position",
    u"Auto_Load_Key",
    u"MSAA_Verbosity_Dialog",
    u"Refresh_Toggle",
    // 220
    u"Office_Page_Navigation",
    u"Office_Element_Properties",
    u"Spelling/Grammar_Next",
    u"To_First_Cell_Of_Column",
    u"To_Last_Cell_Of_Column",
    u"To_First_Cell_Of_Row",
    u"To_Last_Cell_Of_Row",
    u"To_Top_Left_Cell",
    u"To_Bottom_Right_Cell",
    u"Up_Cell",
    // 230
    u"Right_Cell",
    u"Left_Cell",
    u"Down_Cell",
    u"Column",
    u"From_Column_Start",
    u"Column_To_End",
    u"Row",
    u"From_Row_Start",
    u"Row_To_End",
    u"First_Column_Cell",
    // 240
    u"First_Row_Cell",
    u"Spelling/Grammar_Prior",
    u"Revision_Next",
    u"Revision_Prior",
    u"Line_Next",
    u"Line_Prior",
    u"",
    u"Current_Cell",
    u"Headers_And_Totals",
    u"Monitor_Cells",
    // 250
    u"Monitor_Cell_1",
    u"Monitor_Cell_2",
    u"Monitor_Cell_3",
    u"Monitor_Cell_4",
    u"Monitor_Cell_5",
    u"Monitor_Cell_6",
    u"Monitor_Cell_7",
    u"Monitor_Cell_8",
    u"Monitor_Cell_9",
    u"Monitor_Cell_10",
    // 260
    u"Any_Monitor_Cell",
    u"Read_Total_Cell",
    u"Read_Comment",
    u"Read_Formula",
    u"Previous_Cell",
    u"",
    u"",
    u"",
    u"",
    u"",
    // 270
    u"Toggle_All_Voices_Global",
    u"Key_Describer",
    u"Battery_Level",
    u"Shutdown_Orvalen",
    u"Outlook_Calendar",
    u"Next_Enhanced_Control",
    u"Prior_Enhanced_Control",
    u"Graphic_Next",
    u"Graphic_Prior",
    u"Place_Marker_Dialog",
    // 280
    u"Next_Place_Marker",
    u"Prior_Place_Marker",
    u"Jump_to_Place_Marker",
    u"Reload_Script",
    u"Any_Hot_Key",
};
static_assert(std::size(HotKeyCommandNames) == 285);

// The commands a cursor key can run; records store the row.
inline constexpr std::u16string_view CursorCommandNames[] = {
    u"Undefined",
    u"Prior_Character_Before",
    u"Prior_Character_After",
    u"Character_Before",
    u"Character_After",
    u"Next_Character",
    u"Previous_Word",
    u"Word",
    u"Next_Word",
    u"Prior_Line",
    u"Line",
    u"Next_Line",
    u"Sentence",
    u"Paragraph",
    u"To_End_Of_Line",
    u"Lightbar",
    u"Marked_Text",
    u"Caret_Position",
    u"Field_Data",
    u"Field_Name",
    u"Field_Name_And_Data",
    u"Title/Status",
    u"Speak_Window",
    u"Activate_Window",
    u"Mouse_to_Window",
    u"Mouse_Top_Left",
    u"Load_Set",
    u"Ignore_Speak_Windows",
    u"Execute_Hot_Key",
    u"Word_Enhanced",
    u"Office_Attribute_Status",
    u"Office_Smart_Tab",
};
static_assert(std::size(CursorCommandNames) == 32);

// The argument of the "Office_Attribute_Status" cursor command.
inline constexpr std::u16string_view OfficeAttributeNames[] = {
    u"Bold", u"Italic", u"Underline", u"Show_All", u"Font_Size",
};
static_assert(std::size(OfficeAttributeNames) == 5);

}  // namespace quorlith
