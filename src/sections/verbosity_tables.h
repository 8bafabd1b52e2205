#pragma once

#include <cstddef>
#include <string_view>

#include "report/report_text.h"
#include "report/setting_line.h"
#include "report/value_names.h"
#include "setfile/set_file.h"

namespace quorlith {

// The verbosity block is 188 words, one setting per word; every rendered
// word selects a value name except the two next-text numbers, which are
// unsigned. Eight words are loaded but belong to no line.

inline constexpr std::u16string_view OptionPositionNames[] = {
    u"Off", u"Before_Option", u"After_Option"};
inline constexpr std::u16string_view TitlePositionNames[] = {
    u"Off", u"Before_Title", u"After_Title"};
inline constexpr std::u16string_view ListviewHeaderNames[] = {
    u"Don't_Include_Listview_Headers",
    u"Include_Listview_Headers_Excluding_First_Column",
    u"Include_Listview_Headers"};
inline constexpr std::u16string_view AcronymNames[] = {
    u"Do_Not_Indicate", u"Include_Type", u"Expand", u"Replace"};
inline constexpr std::u16string_view LinkIndicationNames[] = {
    u"Do_Not_Indicate_Link", u"Indicate_Link_Before", u"Indicate_Link_After"};
inline constexpr std::u16string_view PageRefreshNames[] = {
    u"Suspend_Off", u"Suspend_All", u"Suspend_Flash"};
inline constexpr std::u16string_view PageLoadReadNames[] = {
    u"First_24_Lines", u"Entire_Page", u"Don't_Auto_Read"};
inline constexpr std::u16string_view TableIdentifyNames[] = {
    u"Do_Not_Indicate", u"Insert_Beginning_End_Message",
    u"Insert_Beginning_End_Message_Smart"};
inline constexpr std::u16string_view HeaderModeNames[] = {
    u"Off",           u"Attribute_Only", u"Column", u"Row",
    u"Column_Or_Row", u"Column_And_Row", u"Rx_Cy"};
inline constexpr std::u16string_view PageNumberNames[] = {
    u"Do_Not_Indicate_Page", u"Indicate_Current_Page_Only",
    u"Indicate_Current_Page_And_Total"};
inline constexpr std::u16string_view SpeakPositionNames[] = {
    u"Never_Speak_Position", u"Always_Speak_Position",
    u"Speak_Position_if_no_Header"};
inline constexpr std::u16string_view MeasurementUnitNames[] = {
    u"Inches", u"Centimeters", u"Millimeters", u"Points"};
inline constexpr std::u16string_view CountRelativeNames[] = {
    u"Counts_Relative_To_Worksheet", u"Counts_Relative_To_Workbook"};
inline constexpr std::u16string_view EffectsNames[] = {
    u"Do_Not_Indicate_Effects", u"Summary_Only", u"Summary_And_Details"};

// One table per sub-section, in output order, which often is not block
// order. Offsets are from the start of the verbosity block.

inline constexpr SettingLine kMenuVerbosityLines[] = {
    {u"Menu_Opened", 0, Rendering::kName, OffOnNames},
    {u"Menu_Closed", 2, Rendering::kName, OffOnNames},
    {u"Menu_Option", 4, Rendering::kName, OffOnNames},
    {u"Menu_Shortcuts", 6, Rendering::kName, OptionPositionNames},
    {u"Accelerators", 8, Rendering::kName, OffOnNames},
    {u"Descriptions", 10, Rendering::kName, OffOnNames},
    {u"Read_New_Pulldown", 12, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kMouseVerbosityLines[] = {
    {u"Mouse_In", 14, Rendering::kName, OffOnNames},
    {u"Mouse_Out", 16, Rendering::kName, OffOnNames},
    {u"Mouse_Line_Change", 20, Rendering::kName, OffOnNames},
    {u"Mouse_Clip_Change", 18, Rendering::kName, OffOnNames},
    {u"Mouse_Window_Change", 22, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kWindowActivatedVerbosityLines[] = {
    {u"Activated", 24, Rendering::kName, OffOnNames},
    {u"Activated_Window_Type", 26, Rendering::kName, TitlePositionNames},
    {u"Window_Title", 28, Rendering::kName, OffOnNames},
    {u"Entire_Window_If_Message_Box", 30, Rendering::kName, OffOnNames},
    {u"Entire_Window_If_Dialog", 32, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kMiscellaneousVerbosityLines[] = {
    {u"Shortcuts", 46, Rendering::kName, OptionPositionNames},
    {u"Top/Bottom_Index", 48, Rendering::kName, OffOnNames},
    {u"Current_Index", 50, Rendering::kName, OffOnNames},
    {u"Listview_Headers", 54, Rendering::kName, ListviewHeaderNames},
    {u"Silence_Password_Edit_Boxes", 52, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kWindowFocusedVerbosityLines[] = {
    {u"Focused", 34, Rendering::kName, OffOnNames},
    {u"Focus_Window_Type", 36, Rendering::kName, OffOnNames},
    {u"Focus_Window_Type_First", 38, Rendering::kName, OffOnNames},
    {u"Focus_Field_Name", 40, Rendering::kName, OffOnNames},
    {u"Focus_Field_Data", 42, Rendering::kName, OffOnNames},
    {u"Focus_Custom_Control", 44, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kAttributeChangesVerbosityLines[] = {
    {u"Color_Changes", 56, Rendering::kName, OffOnNames},
    {u"Font_Changes", 58, Rendering::kName, OffOnNames},
    {u"Size_Changes", 60, Rendering::kName, OffOnNames},
    {u"Style_Changes", 62, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kMsaaVerbosityLines[] = {
    {u"Access_Keys", 84, Rendering::kName, OffOnNames},
    {u"Access_Keys_Read_to_End", 86, Rendering::kName, OffOnNames},
    {u"Acronyms_Abbreviations", 88, Rendering::kName, AcronymNames},
    {u"Acronyms_Abbreviations_Read_to_End", 90, Rendering::kName, OffOnNames},
    {u"Identify_Flash", 92, Rendering::kName, OffOnNames},
    {u"Identify_Flash_Read_to_End", 94, Rendering::kName, OffOnNames},
    {u"Identify_Forms", 96, Rendering::kName, OffOnNames},
    {u"Identify_Forms_Read_to_End", 98, Rendering::kName, OffOnNames},
    {u"Identify_Field_Sets", 120, Rendering::kName, OffOnNames},
    {u"Identify_Field_Sets_Read_to_End", 200, Rendering::kName, OffOnNames},
    {u"Indicate_Heading_Level", 100, Rendering::kName, OffOnNames},
    {u"Indicate_Heading_Level_Read_to_End", 102, Rendering::kName, OffOnNames},
    {u"Identify_Language", 104, Rendering::kName, OffOnNames},
    {u"Identify_Language_Read_to_End", 106, Rendering::kName, OffOnNames},
    {u"Switch_Synthesizer_Language_Automatically", 202, Rendering::kName,
     OffOnNames},
    {u"Identify_Same_Page_Links", 108, Rendering::kName, OffOnNames},
    {u"Identify_Links", 68, Rendering::kName, LinkIndicationNames},
    {u"Identify_Visitted_Links", 70, Rendering::kName, OffOnNames},
    {u"Identify_Links_During_Read_to_End", 72, Rendering::kName, OffOnNames},
    {u"Identify_Lists", 110, Rendering::kName, OffOnNames},
    {u"Identify_Lists_Read_to_End", 112, Rendering::kName, OffOnNames},
    {u"Identify_Bullets", 194, Rendering::kName, OffOnNames},
    {u"Identify_Bullets_Read_to_End", 196, Rendering::kName, OffOnNames},
    {u"Identify_LongDesc", 114, Rendering::kName, OffOnNames},
    {u"Identify_LongDesc_Read_to_End", 116, Rendering::kName, OffOnNames},
    {u"Indicate_New_Popups", 118, Rendering::kName, OffOnNames},
    {u"Include_Graphic_with_no_Alt", 192, Rendering::kName, OffOnNames},
    {u"Verbosity_Hotkey_to_Specific_Element", 188, Rendering::kName,
     OffOnNames},
    {u"Auto_Load", 76, Rendering::kName, OffOnNames},
    {u"Suspend_Page_Refresh", 122, Rendering::kName, PageRefreshNames},
    {u"Identify_MSAA_Controls", 64, Rendering::kName, OffOnNames},
    {u"Next_Text_Minimum_Length", 80, Rendering::kUnsignedDecimal},
    {u"Next_Text_Consecutive", 82, Rendering::kUnsignedDecimal},
    {u"Status_Messages", 66, Rendering::kName, OffOnNames},
    {u"Number_of_Lines", 124, Rendering::kName, OffOnNames},
    {u"Number_of_Links", 126, Rendering::kName, OffOnNames},
    {u"Number_of_Frames", 128, Rendering::kName, OffOnNames},
    {u"Number_of_Tables", 130, Rendering::kName, OffOnNames},
    {u"Number_of_Lists", 132, Rendering::kName, OffOnNames},
    {u"Number_of_Paragraphs", 134, Rendering::kName, OffOnNames},
    {u"Number_of_Headings", 136, Rendering::kName, OffOnNames},
    {u"Number_of_Forms", 138, Rendering::kName, OffOnNames},
    {u"Number_of_Acronyms", 140, Rendering::kName, OffOnNames},
    {u"Number_of_Block_Quotes", 142, Rendering::kName, OffOnNames},
    {u"Number_of_Languages", 144, Rendering::kName, OffOnNames},
    {u"Number_of_LongDesc", 146, Rendering::kName, OffOnNames},
    {u"Number_of_Anchors", 148, Rendering::kName, OffOnNames},
    {u"Number_of_Access_Keys", 150, Rendering::kName, OffOnNames},
    {u"Number_of_Flash_Objects", 152, Rendering::kName, OffOnNames},
    {u"Number_of_Objects_Applets", 154, Rendering::kName, OffOnNames},
    {u"Refresh_Rate", 156, Rendering::kName, OffOnNames},
    {u"Read_When_Page_is_Loaded", 74, Rendering::kName, PageLoadReadNames},
    {u"Include_Type", 158, Rendering::kName, OffOnNames},
    {u"Expose_Alternative_Text", 160, Rendering::kName, OffOnNames},
    {u"Objects_Applets_Read_to_End", 162, Rendering::kName, OffOnNames},
    {u"Smart_Paragraph_Mode", 164, Rendering::kName, OffOnNames},
    {u"Identify_Paragraphs", 166, Rendering::kName, OffOnNames},
    {u"Identify_Paragraphs_Read_to_End", 168, Rendering::kName, OffOnNames},
    {u"Show_Blank_Lines", 198, Rendering::kName, OffOnNames},
    {u"Identify_Block_Quotes", 170, Rendering::kName, OffOnNames},
    {u"Identify_Block_Quotes_Read_to_End", 172, Rendering::kName, OffOnNames},
    {u"Identify_Tables", 174, Rendering::kName, TableIdentifyNames},
    {u"Include_Table_Summary", 176, Rendering::kName, OffOnNames},
    {u"Include_Table_Size", 178, Rendering::kName, OffOnNames},
    {u"Indicate_Row_Grouping", 182, Rendering::kName, OffOnNames},
    {u"Indicate_Merged_Cells", 184, Rendering::kName, OffOnNames},
    {u"Header_Attrib_Override", 180, Rendering::kName, OffOnNames},
    {u"Header_Mode", 190, Rendering::kName, HeaderModeNames},
    {u"Identify_Tables_Read_to_End", 186, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kWordVerbosityLines[] = {
    {u"Indicate_Columns", 204, Rendering::kName, OffOnNames},
    {u"Indicate_Columns_Read_To_End", 206, Rendering::kName, OffOnNames},
    {u"Indicate_Fields", 268, Rendering::kName, OffOnNames},
    {u"Field_Count", 270, Rendering::kName, OffOnNames},
    {u"Field_Count_Read_To_End", 272, Rendering::kName, OffOnNames},
    {u"Indicate_Headers", 280, Rendering::kName, OffOnNames},
    {u"Indicate_Headers_Read_To_End", 282, Rendering::kName, OffOnNames},
    {u"Indicate_Footers", 284, Rendering::kName, OffOnNames},
    {u"Indicate_Footers_Read_To_End", 286, Rendering::kName, OffOnNames},
    {u"Indicate_Page_Number", 220, Rendering::kName, PageNumberNames},
    {u"Indicate_Page_Read_To_End", 222, Rendering::kName, OffOnNames},
    {u"Indicate_Auto_Correct", 224, Rendering::kName, OffOnNames},
    {u"Indicate_Borders_And_Shading", 226, Rendering::kName, OffOnNames},
    {u"Indicate_Smart_Tags", 218, Rendering::kName, OffOnNames},
    {u"Indicate_Styles", 216, Rendering::kName, OffOnNames},
    {u"Auto_Dock_Toolbars", 288, Rendering::kName, OffOnNames},
    {u"Indicate_Pictures_Objects", 208, Rendering::kName, OffOnNames},
    {u"Indicate_Pictures_Objects_Read_To_End", 210, Rendering::kName,
     OffOnNames},
    {u"Indicate_References", 262, Rendering::kName, OffOnNames},
    {u"Reference_Count", 264, Rendering::kName, OffOnNames},
    {u"Reference_Count_Read_To_End", 266, Rendering::kName, OffOnNames},
    {u"Indicate_Revisions", 236, Rendering::kName, OffOnNames},
    {u"Indicate_Revision_Author", 238, Rendering::kName, OffOnNames},
    {u"Indicate_Revision_Date", 240, Rendering::kName, OffOnNames},
    {u"Revision_Count", 242, Rendering::kName, OffOnNames},
    {u"Revision_Count_Read_To_End", 244, Rendering::kName, OffOnNames},
    {u"Indicate_Sections", 212, Rendering::kName, OffOnNames},
    {u"Indicate_Sections_Read_To_End", 214, Rendering::kName, OffOnNames},
    {u"Indicate_Spelling_Errors", 246, Rendering::kName, OffOnNames},
    {u"Spelling_Count", 250, Rendering::kName, OffOnNames},
    {u"Spelling_Count_Read_To_End", 252, Rendering::kName, OffOnNames},
    {u"Indicate_Grammar_Errors", 254, Rendering::kName, OffOnNames},
    {u"Grammar_Count", 258, Rendering::kName, OffOnNames},
    {u"Grammar_Count_Read_To_End", 260, Rendering::kName, OffOnNames},
    {u"Indicate_Tables", 230, Rendering::kName, OffOnNames},
    {u"Indicate_Tables_Read_To_End", 232, Rendering::kName, OffOnNames},
    {u"Indicate_Table_Cell", 234, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kExcelVerbosityLines[] = {
    {u"Cell_Contents", 290, Rendering::kName, OffOnNames},
    {u"Speak_Position", 312, Rendering::kName, SpeakPositionNames},
    {u"Speak_Position_Before_Contents", 326, Rendering::kName, OffOnNames},
    {u"Formula", 306, Rendering::kName, OffOnNames},
    {u"Comment", 298, Rendering::kName, OffOnNames},
    {u"Hyperlink", 300, Rendering::kName, OffOnNames},
    {u"Clipped", 292, Rendering::kName, OffOnNames},
    {u"Wrapped", 294, Rendering::kName, OffOnNames},
    {u"Overlaps", 308, Rendering::kName, OffOnNames},
    {u"Merged", 324, Rendering::kName, OffOnNames},
    {u"Shrunk", 296, Rendering::kName, OffOnNames},
    {u"Affects_Cells", 302, Rendering::kName, OffOnNames},
    {u"Auto_Filter", 304, Rendering::kName, OffOnNames},
    {u"Orientation", 310, Rendering::kName, OffOnNames},
    {u"Input_Message", 314, Rendering::kName, OffOnNames},
    {u"Conditional_Formatting", 346, Rendering::kName, OffOnNames},
    {u"Number_Format", 316, Rendering::kName, OffOnNames},
    {u"Border", 318, Rendering::kName, OffOnNames},
    {u"Speak_WorkSheet_Name_On_Focus", 322, Rendering::kName, OffOnNames},
    {u"Speak_WorkBook_Name_On_Focus", 320, Rendering::kName, OffOnNames},
    {u"Excel_Measurement_Units", 354, Rendering::kName, MeasurementUnitNames},
    {u"Automatically_Dock_Toolbars", 356, Rendering::kName, OffOnNames},
    {u"Speak_Both_New_Corners", 350, Rendering::kName, OffOnNames},
    {u"Speak_Number_of_Rows_and_Columns", 352, Rendering::kName, OffOnNames},
    {u"Workbook_Name", 328, Rendering::kName, OffOnNames},
    {u"Worksheet_Name", 330, Rendering::kName, OffOnNames},
    {u"WorkSheet_Count", 332, Rendering::kName, OffOnNames},
    {u"Comment_Count", 336, Rendering::kName, OffOnNames},
    {u"Hyperlink_Count", 338, Rendering::kName, OffOnNames},
    {u"Object_Count", 340, Rendering::kName, OffOnNames},
    {u"Chart_Count", 334, Rendering::kName, OffOnNames},
    {u"Count_Relative_To", 348, Rendering::kName, CountRelativeNames},
    {u"Summary_Position", 342, Rendering::kName, OffOnNames},
};

inline constexpr SettingLine kPowerPointVerbosityLines[] = {
    {u"Start_at_Previous_Position", 366, Rendering::kName, OffOnNames},
    {u"Include_Slide_Notes", 368, Rendering::kName, OffOnNames},
    {u"Indicate_Effects", 372, Rendering::kName, EffectsNames},
    {u"Indicate_Object_Size", 362, Rendering::kName, OffOnNames},
    {u"Indicate_Overlapping_Objects", 358, Rendering::kName, OffOnNames},
    {u"Indicate_Object_Placement", 364, Rendering::kName, OffOnNames},
    {u"Indicate_Text_Overflow_Within_Object", 360, Rendering::kName,
     OffOnNames},
    {u"Indicate_Object_Overflow_Within_Slide", 370, Rendering::kName,
     OffOnNames},
    {u"PowerPoint_Measurement_Units", 374, Rendering::kName,
     MeasurementUnitNames},
};

inline constexpr std::u16string_view kVerbosityHeader =
    u"; Menu 8 - Verbosity Settings";
inline constexpr std::size_t kVerbosityThreshold = 29 + 2;  // header, CR LF

// In report order, 8.4 before 8.5. A threshold is the header with its CR LF
// plus the ";" separator with its CR LF, so a sub-section goes exactly when
// none of its lines was written. The attribute-change sub-section has no
// separator: the next header follows its last line directly.
inline constexpr SubSection kVerbositySubSections[] = {
    {u"; Menu 8.1 - Menu Verbosity Settings", kMenuVerbosityLines, 41},
    {u"; Menu 8.2 - Mouse Verbosity Settings", kMouseVerbosityLines, 42},
    {u"; Menu 8.3 - Window Activated Verbosity Settings",
     kWindowActivatedVerbosityLines, 53},
    {u"; Menu 8.4 - Miscellaneous Verbosity Settings",
     kMiscellaneousVerbosityLines, 50},
    {u"; Menu 8.5 - Window Focused Verbosity Settings",
     kWindowFocusedVerbosityLines, 51},
    {u"; Menu 8.6 - 'Attribute Changes' Verbosity Settings",
     kAttributeChangesVerbosityLines, 53, false},
    {u"; Menu 8.7 - MSAA Verbosity Settings", kMsaaVerbosityLines, 41},
    {u"; Menu 8.8 - Word Verbosity Settings", kWordVerbosityLines, 41},
    {u"; Menu 8.9 - Excel Verbosity Settings", kExcelVerbosityLines, 42},
    {u"; Menu 8.10 - PowerPoint Verbosity Settings", kPowerPointVerbosityLines,
     48},
};

constexpr bool VerbosityTablesAreSound() {
  if (kVerbosityHeader.size() + kLineEnd.size() != kVerbosityThreshold) {
    return false;
  }
  for (const SubSection& sub : kVerbositySubSections) {
    std::size_t fixed = sub.header.size() + kLineEnd.size();
    if (sub.separator) fixed += kSeparatorLine.size() + kLineEnd.size();
    if (sub.threshold != fixed) return false;
    if (!FitsIn(sub.lines, Layout(BlockId::kVerbosity).size)) return false;
  }
  return true;
}
static_assert(VerbosityTablesAreSound());

}  // namespace quorlith
