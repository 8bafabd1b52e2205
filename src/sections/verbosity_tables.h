#pragma once

#include <cstddef>
#include <string_view>

#include "codecs/character.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "sections/schema.h"
#include "setfile/set_file.h"
#include "text/report_text.h"

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
inline constexpr std::size_t kVerbosityBlockSize =
    Layout(BlockId::kVerbosity).size;

inline constexpr Setting kMenuVerbosityLines[] = {
    Named(u"Menu_Opened", 0, OffOnNames),
    Named(u"Menu_Closed", 2, OffOnNames),
    Named(u"Menu_Option", 4, OffOnNames),
    Named(u"Menu_Shortcuts", 6, OptionPositionNames),
    Named(u"Accelerators", 8, OffOnNames),
    Named(u"Descriptions", 10, OffOnNames),
    Named(u"Read_New_Pulldown", 12, OffOnNames),
};

inline constexpr Setting kMouseVerbosityLines[] = {
    Named(u"Mouse_In", 14, OffOnNames),
    Named(u"Mouse_Out", 16, OffOnNames),
    Named(u"Mouse_Line_Change", 20, OffOnNames),
    Named(u"Mouse_Clip_Change", 18, OffOnNames),
    Named(u"Mouse_Window_Change", 22, OffOnNames),
};

inline constexpr Setting kWindowActivatedVerbosityLines[] = {
    Named(u"Activated", 24, OffOnNames),
    Named(u"Activated_Window_Type", 26, TitlePositionNames),
    Named(u"Window_Title", 28, OffOnNames),
    Named(u"Entire_Window_If_Message_Box", 30, OffOnNames),
    Named(u"Entire_Window_If_Dialog", 32, OffOnNames),
};

inline constexpr Setting kMiscellaneousVerbosityLines[] = {
    Named(u"Shortcuts", 46, OptionPositionNames),
    Named(u"Top/Bottom_Index", 48, OffOnNames),
    Named(u"Current_Index", 50, OffOnNames),
    Named(u"Listview_Headers", 54, ListviewHeaderNames),
    Named(u"Silence_Password_Edit_Boxes", 52, OffOnNames),
};

inline constexpr Setting kWindowFocusedVerbosityLines[] = {
    Named(u"Focused", 34, OffOnNames),
    Named(u"Focus_Window_Type", 36, OffOnNames),
    Named(u"Focus_Window_Type_First", 38, OffOnNames),
    Named(u"Focus_Field_Name", 40, OffOnNames),
    Named(u"Focus_Field_Data", 42, OffOnNames),
    Named(u"Focus_Custom_Control", 44, OffOnNames),
};

inline constexpr Setting kAttributeChangesVerbosityLines[] = {
    Named(u"Color_Changes", 56, OffOnNames),
    Named(u"Font_Changes", 58, OffOnNames),
    Named(u"Size_Changes", 60, OffOnNames),
    Named(u"Style_Changes", 62, OffOnNames),
};

inline constexpr Setting kMsaaVerbosityLines[] = {
    Named(u"Access_Keys", 84, OffOnNames),
    Named(u"Access_Keys_Read_to_End", 86, OffOnNames),
    Named(u"Acronyms_Abbreviations", 88, AcronymNames),
    Named(u"Acronyms_Abbreviations_Read_to_End", 90, OffOnNames),
    Named(u"Identify_Flash", 92, OffOnNames),
    Named(u"Identify_Flash_Read_to_End", 94, OffOnNames),
    Named(u"Identify_Forms", 96, OffOnNames),
    Named(u"Identify_Forms_Read_to_End", 98, OffOnNames),
    Named(u"Identify_Field_Sets", 120, OffOnNames),
    Named(u"Identify_Field_Sets_Read_to_End", 200, OffOnNames),
    Named(u"Indicate_Heading_Level", 100, OffOnNames),
    Named(u"Indicate_Heading_Level_Read_to_End", 102, OffOnNames),
    Named(u"Identify_Language", 104, OffOnNames),
    Named(u"Identify_Language_Read_to_End", 106, OffOnNames),
    Named(u"Switch_Synthesizer_Language_Automatically", 202, OffOnNames),
    Named(u"Identify_Same_Page_Links", 108, OffOnNames),
    Named(u"Identify_Links", 68, LinkIndicationNames),
    Named(u"Identify_Visitted_Links", 70, OffOnNames),
    Named(u"Identify_Links_During_Read_to_End", 72, OffOnNames),
    Named(u"Identify_Lists", 110, OffOnNames),
    Named(u"Identify_Lists_Read_to_End", 112, OffOnNames),
    Named(u"Identify_Bullets", 194, OffOnNames),
    Named(u"Identify_Bullets_Read_to_End", 196, OffOnNames),
    Named(u"Identify_LongDesc", 114, OffOnNames),
    Named(u"Identify_LongDesc_Read_to_End", 116, OffOnNames),
    Named(u"Indicate_New_Popups", 118, OffOnNames),
    Named(u"Include_Graphic_with_no_Alt", 192, OffOnNames),
    Named(u"Verbosity_Hotkey_to_Specific_Element", 188, OffOnNames),
    Named(u"Auto_Load", 76, OffOnNames),
    Named(u"Suspend_Page_Refresh", 122, PageRefreshNames),
    Named(u"Identify_MSAA_Controls", 64, OffOnNames),
    UnsignedDecimal(u"Next_Text_Minimum_Length", 80),
    UnsignedDecimal(u"Next_Text_Consecutive", 82),
    Named(u"Status_Messages", 66, OffOnNames),
    Named(u"Number_of_Lines", 124, OffOnNames),
    Named(u"Number_of_Links", 126, OffOnNames),
    Named(u"Number_of_Frames", 128, OffOnNames),
    Named(u"Number_of_Tables", 130, OffOnNames),
    Named(u"Number_of_Lists", 132, OffOnNames),
    Named(u"Number_of_Paragraphs", 134, OffOnNames),
    Named(u"Number_of_Headings", 136, OffOnNames),
    Named(u"Number_of_Forms", 138, OffOnNames),
    Named(u"Number_of_Acronyms", 140, OffOnNames),
    Named(u"Number_of_Block_Quotes", 142, OffOnNames),
    Named(u"Number_of_Languages", 144, OffOnNames),
    Named(u"Number_of_LongDesc", 146, OffOnNames),
    Named(u"Number_of_Anchors", 148, OffOnNames),
    Named(u"Number_of_Access_Keys", 150, OffOnNames),
    Named(u"Number_of_Flash_Objects", 152, OffOnNames),
    Named(u"Number_of_Objects_Applets", 154, OffOnNames),
    Named(u"Refresh_Rate", 156, OffOnNames),
    Named(u"Read_When_Page_is_Loaded", 74, PageLoadReadNames),
    Named(u"Include_Type", 158, OffOnNames),
    Named(u"Expose_Alternative_Text", 160, OffOnNames),
    Named(u"Objects_Applets_Read_to_End", 162, OffOnNames),
    Named(u"Smart_Paragraph_Mode", 164, OffOnNames),
    Named(u"Identify_Paragraphs", 166, OffOnNames),
    Named(u"Identify_Paragraphs_Read_to_End", 168, OffOnNames),
    Named(u"Show_Blank_Lines", 198, OffOnNames),
    Named(u"Identify_Block_Quotes", 170, OffOnNames),
    Named(u"Identify_Block_Quotes_Read_to_End", 172, OffOnNames),
    Named(u"Identify_Tables", 174, TableIdentifyNames),
    Named(u"Include_Table_Summary", 176, OffOnNames),
    Named(u"Include_Table_Size", 178, OffOnNames),
    Named(u"Indicate_Row_Grouping", 182, OffOnNames),
    Named(u"Indicate_Merged_Cells", 184, OffOnNames),
    Named(u"Header_Attrib_Override", 180, OffOnNames),
    Named(u"Header_Mode", 190, HeaderModeNames),
    Named(u"Identify_Tables_Read_to_End", 186, OffOnNames),
};

inline constexpr Setting kWordVerbosityLines[] = {
    Named(u"Indicate_Columns", 204, OffOnNames),
    Named(u"Indicate_Columns_Read_To_End", 206, OffOnNames),
    Named(u"Indicate_Fields", 268, OffOnNames),
    Named(u"Field_Count", 270, OffOnNames),
    Named(u"Field_Count_Read_To_End", 272, OffOnNames),
    Named(u"Indicate_Headers", 280, OffOnNames),
    Named(u"Indicate_Headers_Read_To_End", 282, OffOnNames),
    Named(u"Indicate_Footers", 284, OffOnNames),
    Named(u"Indicate_Footers_Read_To_End", 286, OffOnNames),
    Named(u"Indicate_Page_Number", 220, PageNumberNames),
    Named(u"Indicate_Page_Read_To_End", 222, OffOnNames),
    Named(u"Indicate_Auto_Correct", 224, OffOnNames),
    Named(u"Indicate_Borders_And_Shading", 226, OffOnNames),
    Named(u"Indicate_Smart_Tags", 218, OffOnNames),
    Named(u"Indicate_Styles", 216, OffOnNames),
    Named(u"Auto_Dock_Toolbars", 288, OffOnNames),
    Named(u"Indicate_Pictures_Objects", 208, OffOnNames),
    Named(u"Indicate_Pictures_Objects_Read_To_End", 210, OffOnNames),
    Named(u"Indicate_References", 262, OffOnNames),
    Named(u"Reference_Count", 264, OffOnNames),
    Named(u"Reference_Count_Read_To_End", 266, OffOnNames),
    Named(u"Indicate_Revisions", 236, OffOnNames),
    Named(u"Indicate_Revision_Author", 238, OffOnNames),
    Named(u"Indicate_Revision_Date", 240, OffOnNames),
    Named(u"Revision_Count", 242, OffOnNames),
    Named(u"Revision_Count_Read_To_End", 244, OffOnNames),
    Named(u"Indicate_Sections", 212, OffOnNames),
    Named(u"Indicate_Sections_Read_To_End", 214, OffOnNames),
    Named(u"Indicate_Spelling_Errors", 246, OffOnNames),
    Named(u"Spelling_Count", 250, OffOnNames),
    Named(u"Spelling_Count_Read_To_End", 252, OffOnNames),
    Named(u"Indicate_Grammar_Errors", 254, OffOnNames),
    Named(u"Grammar_Count", 258, OffOnNames),
    Named(u"Grammar_Count_Read_To_End", 260, OffOnNames),
    Named(u"Indicate_Tables", 230, OffOnNames),
    Named(u"Indicate_Tables_Read_To_End", 232, OffOnNames),
    Named(u"Indicate_Table_Cell", 234, OffOnNames),
};

inline constexpr Setting kExcelVerbosityLines[] = {
    Named(u"Cell_Contents", 290, OffOnNames),
    Named(u"Speak_Position", 312, SpeakPositionNames),
    Named(u"Speak_Position_Before_Contents", 326, OffOnNames),
    Named(u"Formula", 306, OffOnNames),
    Named(u"Comment", 298, OffOnNames),
    Named(u"Hyperlink", 300, OffOnNames),
    Named(u"Clipped", 292, OffOnNames),
    Named(u"Wrapped", 294, OffOnNames),
    Named(u"Overlaps", 308, OffOnNames),
    Named(u"Merged", 324, OffOnNames),
    Named(u"Shrunk", 296, OffOnNames),
    Named(u"Affects_Cells", 302, OffOnNames),
    Named(u"Auto_Filter", 304, OffOnNames),
    Named(u"Orientation", 310, OffOnNames),
    Named(u"Input_Message", 314, OffOnNames),
    Named(u"Conditional_Formatting", 346, OffOnNames),
    Named(u"Number_Format", 316, OffOnNames),
    Named(u"Border", 318, OffOnNames),
    Named(u"Speak_WorkSheet_Name_On_Focus", 322, OffOnNames),
    Named(u"Speak_WorkBook_Name_On_Focus", 320, OffOnNames),
    Named(u"Excel_Measurement_Units", 354, MeasurementUnitNames),
    Named(u"Automatically_Dock_Toolbars", 356, OffOnNames),
    Named(u"Speak_Both_New_Corners", 350, OffOnNames),
    Named(u"Speak_Number_of_Rows_and_Columns", 352, OffOnNames),
    Named(u"Workbook_Name", 328, OffOnNames),
    Named(u"Worksheet_Name", 330, OffOnNames),
    Named(u"WorkSheet_Count", 332, OffOnNames),
    Named(u"Comment_Count", 336, OffOnNames),
    Named(u"Hyperlink_Count", 338, OffOnNames),
    Named(u"Object_Count", 340, OffOnNames),
    Named(u"Chart_Count", 334, OffOnNames),
    Named(u"Count_Relative_To", 348, CountRelativeNames),
    Named(u"Summary_Position", 342, OffOnNames),
};

inline constexpr Setting kPowerPointVerbosityLines[] = {
    Named(u"Start_at_Previous_Position", 366, OffOnNames),
    Named(u"Include_Slide_Notes", 368, OffOnNames),
    Named(u"Indicate_Effects", 372, EffectsNames),
    Named(u"Indicate_Object_Size", 362, OffOnNames),
    Named(u"Indicate_Overlapping_Objects", 358, OffOnNames),
    Named(u"Indicate_Object_Placement", 364, OffOnNames),
    Named(u"Indicate_Text_Overflow_Within_Object", 360, OffOnNames),
    Named(u"Indicate_Object_Overflow_Within_Slide", 370, OffOnNames),
    Named(u"PowerPoint_Measurement_Units", 374, MeasurementUnitNames),
};

// In report order, 8.4 before 8.5; each closed by ";" but 8.6.
inline constexpr Part kVerbosity1 = {
    .title = u"; Menu 8.1 - Menu Verbosity Settings",
    .settings = kMenuVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity2 = {
    .title = u"; Menu 8.2 - Mouse Verbosity Settings",
    .settings = kMouseVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity3 = {
    .title = u"; Menu 8.3 - Window Activated Verbosity Settings",
    .settings = kWindowActivatedVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity4 = {
    .title = u"; Menu 8.4 - Miscellaneous Verbosity Settings",
    .settings = kMiscellaneousVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity5 = {
    .title = u"; Menu 8.5 - Window Focused Verbosity Settings",
    .settings = kWindowFocusedVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity6 = {
    .title = u"; Menu 8.6 - 'Attribute Changes' Verbosity Settings",
    .settings = kAttributeChangesVerbosityLines,
    .separators = 0};
inline constexpr Part kVerbosity7 = {
    .title = u"; Menu 8.7 - MSAA Verbosity Settings",
    .settings = kMsaaVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity8 = {
    .title = u"; Menu 8.8 - Word Verbosity Settings",
    .settings = kWordVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity9 = {
    .title = u"; Menu 8.9 - Excel Verbosity Settings",
    .settings = kExcelVerbosityLines,
    .separators = 1};
inline constexpr Part kVerbosity10 = {
    .title = u"; Menu 8.10 - PowerPoint Verbosity Settings",
    .settings = kPowerPointVerbosityLines,
    .separators = 1};
inline constexpr Item kVerbosityItems[] = {
    {.part = &kVerbosity1},  {.part = &kVerbosity2}, {.part = &kVerbosity3},
    {.part = &kVerbosity4},  {.part = &kVerbosity5}, {.part = &kVerbosity6},
    {.part = &kVerbosity7},  {.part = &kVerbosity8}, {.part = &kVerbosity9},
    {.part = &kVerbosity10},
};
constexpr bool VerbosityFits() {
  for (const Item& item : kVerbosityItems) {
    if (!FitsIn(item.part->settings, kVerbosityBlockSize)) return false;
  }
  return true;
}
static_assert(VerbosityFits());

inline constexpr Part kVerbositySection = {
    .title = u"; Menu 8 - Verbosity Settings",
    .items = kVerbosityItems,
    .separators = 1,
    .section = true,
    .block = BlockId::kVerbosity};

}  // namespace quorlith
