#include <cstdint>
#include <map>
#include <string>

#include "gtest/gtest.h"
#include "sections/section_testing.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr BlockId kBlock = BlockId::kVerbosity;
constexpr std::size_t kBlockSize = 376;  // 188 words
static_assert(kBlockSize == Layout(kBlock).size);
constexpr GoldenWord kUnrendered[] = {{78},  {228}, {248}, {256},
                                      {274}, {276}, {278}, {344}};

// A stored word and the line it gives, when one is checked.
struct WordLine {
  std::uint16_t offset;
  std::uint16_t value;
  std::string_view line = {};
};

// Every word alternates between 0 and 1 by its place in the block, so two
// neighbouring words that swapped lines would show. Each setting with a
// table of its own takes that table's last row, and the number settings
// take 0xFFFF.
constexpr WordLine kGoldenValues[] = {
    {6, 2},   {46, 1},  {26, 2},  {54, 2},  {88, 3},      {68, 2},
    {122, 2}, {74, 2},  {174, 2}, {190, 6}, {220, 2},     {312, 2},
    {354, 3}, {374, 1}, {348, 1}, {372, 2}, {80, 0xFFFF}, {82, 0xFFFF},
};

SetFileBuilder GoldenBuilder() {
  SetFileBuilder builder;
  for (std::uint16_t offset = 0; offset < kBlockSize; offset += 2) {
    builder.SetWord(kBlock, offset, static_cast<std::uint16_t>(offset / 2 % 2));
  }
  for (const WordLine& row : kGoldenValues) {
    builder.SetWord(kBlock, row.offset, row.value);
  }
  return builder;
}

constexpr std::string_view kGolden = R"(; Menu 8 - Verbosity Settings
; Menu 8.1 - Menu Verbosity Settings
Menu_Opened = Off
Menu_Closed = On
Menu_Option = Off
Menu_Shortcuts = After_Option
Accelerators = Off
Descriptions = On
Read_New_Pulldown = Off
;
; Menu 8.2 - Mouse Verbosity Settings
Mouse_In = On
Mouse_Out = Off
Mouse_Line_Change = Off
Mouse_Clip_Change = On
Mouse_Window_Change = On
;
; Menu 8.3 - Window Activated Verbosity Settings
Activated = Off
Activated_Window_Type = After_Title
Window_Title = Off
Entire_Window_If_Message_Box = On
Entire_Window_If_Dialog = Off
;
; Menu 8.4 - Miscellaneous Verbosity Settings
Shortcuts = Before_Option
Top/Bottom_Index = Off
Current_Index = On
Listview_Headers = Include_Listview_Headers
Silence_Password_Edit_Boxes = Off
;
; Menu 8.5 - Window Focused Verbosity Settings
Focused = On
Focus_Window_Type = Off
Focus_Window_Type_First = On
Focus_Field_Name = Off
Focus_Field_Data = On
Focus_Custom_Control = Off
;
; Menu 8.6 - 'Attribute Changes' Verbosity Settings
Color_Changes = Off
Font_Changes = On
Size_Changes = Off
Style_Changes = On
; Menu 8.7 - MSAA Verbosity Settings
Access_Keys = Off
Access_Keys_Read_to_End = On
Acronyms_Abbreviations = Replace
Acronyms_Abbreviations_Read_to_End = On
Identify_Flash = Off
Identify_Flash_Read_to_End = On
Identify_Forms = Off
Identify_Forms_Read_to_End = On
Identify_Field_Sets = Off
Identify_Field_Sets_Read_to_End = Off
Indicate_Heading_Level = Off
Indicate_Heading_Level_Read_to_End = On
Identify_Language = Off
Identify_Language_Read_to_End = On
Switch_Synthesizer_Language_Automatically = On
Identify_Same_Page_Links = Off
Identify_Links = Indicate_Link_After
Identify_Visitted_Links = On
Identify_Links_During_Read_to_End = Off
Identify_Lists = On
Identify_Lists_Read_to_End = Off
Identify_Bullets = On
Identify_Bullets_Read_to_End = Off
Identify_LongDesc = On
Identify_LongDesc_Read_to_End = Off
Indicate_New_Popups = On
Include_Graphic_with_no_Alt = Off
Verbosity_Hotkey_to_Specific_Element = Off
Auto_Load = Off
Suspend_Page_Refresh = Suspend_Flash
Identify_MSAA_Controls = Off
Next_Text_Minimum_Length = 65535
Next_Text_Consecutive = 65535
Status_Messages = On
Number_of_Lines = Off
Number_of_Links = On
Number_of_Frames = Off
Number_of_Tables = On
Number_of_Lists = Off
Number_of_Paragraphs = On
Number_of_Headings = Off
Number_of_Forms = On
Number_of_Acronyms = Off
Number_of_Block_Quotes = On
Number_of_Languages = Off
Number_of_LongDesc = On
Number_of_Anchors = Off
Number_of_Access_Keys = On
Number_of_Flash_Objects = Off
Number_of_Objects_Applets = On
Refresh_Rate = Off
Read_When_Page_is_Loaded = Don't_Auto_Read
Include_Type = On
Expose_Alternative_Text = Off
Objects_Applets_Read_to_End = On
Smart_Paragraph_Mode = Off
Identify_Paragraphs = On
Identify_Paragraphs_Read_to_End = Off
Show_Blank_Lines = On
Identify_Block_Quotes = On
Identify_Block_Quotes_Read_to_End = Off
Identify_Tables = Insert_Beginning_End_Message_Smart
Include_Table_Summary = Off
Include_Table_Size = On
Indicate_Row_Grouping = On
Indicate_Merged_Cells = Off
Header_Attrib_Override = Off
Header_Mode = Rx_Cy
Identify_Tables_Read_to_End = On
;
; Menu 8.8 - Word Verbosity Settings
Indicate_Columns = Off
Indicate_Columns_Read_To_End = On
Indicate_Fields = Off
Field_Count = On
Field_Count_Read_To_End = Off
Indicate_Headers = Off
Indicate_Headers_Read_To_End = On
Indicate_Footers = Off
Indicate_Footers_Read_To_End = On
Indicate_Page_Number = Indicate_Current_Page_And_Total
Indicate_Page_Read_To_End = On
Indicate_Auto_Correct = Off
Indicate_Borders_And_Shading = On
Indicate_Smart_Tags = On
Indicate_Styles = Off
Auto_Dock_Toolbars = Off
Indicate_Pictures_Objects = Off
Indicate_Pictures_Objects_Read_To_End = On
Indicate_References = On
Reference_Count = Off
Reference_Count_Read_To_End = On
Indicate_Revisions = Off
Indicate_Revision_Author = On
Indicate_Revision_Date = Off
Revision_Count = On
Revision_Count_Read_To_End = Off
Indicate_Sections = Off
Indicate_Sections_Read_To_End = On
Indicate_Spelling_Errors = On
Spelling_Count = On
Spelling_Count_Read_To_End = Off
Indicate_Grammar_Errors = On
Grammar_Count = On
Grammar_Count_Read_To_End = Off
Indicate_Tables = On
Indicate_Tables_Read_To_End = Off
Indicate_Table_Cell = On
;
; Menu 8.9 - Excel Verbosity Settings
Cell_Contents = On
Speak_Position = Speak_Position_if_no_Header
Speak_Position_Before_Contents = On
Formula = On
Comment = On
Hyperlink = Off
Clipped = Off
Wrapped = On
Overlaps = Off
Merged = Off
Shrunk = Off
Affects_Cells = On
Auto_Filter = Off
Orientation = On
Input_Message = On
Conditional_Formatting = On
Number_Format = Off
Border = On
Speak_WorkSheet_Name_On_Focus = On
Speak_WorkBook_Name_On_Focus = Off
Excel_Measurement_Units = Points
Automatically_Dock_Toolbars = Off
Speak_Both_New_Corners = On
Speak_Number_of_Rows_and_Columns = Off
Workbook_Name = Off
Worksheet_Name = On
WorkSheet_Count = Off
Comment_Count = Off
Hyperlink_Count = On
Object_Count = Off
Chart_Count = On
Count_Relative_To = Counts_Relative_To_Workbook
Summary_Position = On
;
; Menu 8.10 - PowerPoint Verbosity Settings
Start_at_Previous_Position = On
Include_Slide_Notes = Off
Indicate_Effects = Summary_And_Details
Indicate_Object_Size = On
Indicate_Overlapping_Objects = On
Indicate_Object_Placement = Off
Indicate_Text_Overflow_Within_Object = Off
Indicate_Object_Overflow_Within_Slide = On
PowerPoint_Measurement_Units = Centimeters
;
)";

// The word behind each line of the golden, in output order.
constexpr GoldenWord kOutputWords[] = {
    {0},   {2},   {4},   {6},   {8},   {10},  {12},  {14},  {16},  {20},  {18},
    {22},  {24},  {26},  {28},  {30},  {32},  {46},  {48},  {50},  {54},  {52},
    {34},  {36},  {38},  {40},  {42},  {44},  {56},  {58},  {60},  {62},  {84},
    {86},  {88},  {90},  {92},  {94},  {96},  {98},  {120}, {200}, {100}, {102},
    {104}, {106}, {202}, {108}, {68},  {70},  {72},  {110}, {112}, {194}, {196},
    {114}, {116}, {118}, {192}, {188}, {76},  {122}, {64},  {80},  {82},  {66},
    {124}, {126}, {128}, {130}, {132}, {134}, {136}, {138}, {140}, {142}, {144},
    {146}, {148}, {150}, {152}, {154}, {156}, {74},  {158}, {160}, {162}, {164},
    {166}, {168}, {198}, {170}, {172}, {174}, {176}, {178}, {182}, {184}, {180},
    {190}, {186}, {204}, {206}, {268}, {270}, {272}, {280}, {282}, {284}, {286},
    {220}, {222}, {224}, {226}, {218}, {216}, {288}, {208}, {210}, {262}, {264},
    {266}, {236}, {238}, {240}, {242}, {244}, {212}, {214}, {246}, {250}, {252},
    {254}, {258}, {260}, {230}, {232}, {234}, {290}, {312}, {326}, {306}, {298},
    {300}, {292}, {294}, {308}, {324}, {296}, {302}, {304}, {310}, {314}, {346},
    {316}, {318}, {322}, {320}, {354}, {356}, {350}, {352}, {328}, {330}, {332},
    {336}, {338}, {340}, {334}, {348}, {342}, {366}, {368}, {372}, {362}, {358},
    {364}, {360}, {370}, {374}};

TEST(VerbositySection, DecompileMatchesGolden) {
  EXPECT_EQ(
      DecompileSectionText(WriteVerbositySection, GoldenBuilder().Image()),
      kGolden);
}

// Each of the 188 words, changed alone in the original, writes its own
// line of the golden, or nothing if it is one of the unrendered words.
TEST(VerbositySection, EachWordWritesItsGoldenLine) {
  std::map<std::uint16_t, int> uses;
  for (GoldenWord word : kOutputWords) ++uses[word.offset];
  for (GoldenWord word : kUnrendered) ++uses[word.offset];
  for (std::uint16_t offset = 0; offset < kBlockSize; offset += 2) {
    EXPECT_EQ(uses[offset], 1) << offset;
  }
  EXPECT_EQ(uses.size(), kBlockSize / 2);
  ExpectEachWordWritesItsGoldenLine(WriteVerbositySection, kBlock,
                                    GoldenBuilder(), kGolden, kOutputWords,
                                    kUnrendered);
}

TEST(VerbositySection, NumbersAndUnnamedValues) {
  const WordLine kCases[] = {
      {80, 0x8000, "Next_Text_Minimum_Length = 32768"},
      {82, 0, "Next_Text_Consecutive = 0"},
      {0, 0xFFFF, "Menu_Opened = -1"},
      {190, 7, "Header_Mode = 7"},
      {374, 0x8000, "PowerPoint_Measurement_Units = -32768"},
  };
  for (const WordLine& c : kCases) {
    SCOPED_TRACE(c.line);
    SetFileImage image =
        GoldenBuilder().SetWord(kBlock, c.offset, c.value).Image();
    std::string text = DecompileSectionText(WriteVerbositySection, image);
    EXPECT_NE(text.find("\n" + std::string(c.line) + "\n"), std::string::npos);
  }
}

TEST(VerbositySection, ComparisonShowsEachChangedSubSection) {
  SetFileImage original = GoldenBuilder().Image();
  SetFileImage printed = GoldenBuilder()
                             .SetWord(kBlock, 44, 1)
                             .SetWord(kBlock, 60, 1)
                             .SetWord(kBlock, 330, 0)
                             .SetWord(kBlock, 18, 0)
                             .SetWord(kBlock, 372, 0)
                             .Image();
  EXPECT_EQ(ComparisonBody(original, printed),
            "; Menu 8 - Verbosity Settings\n"
            "; Menu 8.2 - Mouse Verbosity Settings\n"
            "Mouse_Clip_Change = Off\n"
            ";\n"
            "; Menu 8.5 - Window Focused Verbosity Settings\n"
            "Focus_Custom_Control = On\n"
            ";\n"
            "; Menu 8.6 - 'Attribute Changes' Verbosity Settings\n"
            "Size_Changes = On\n"
            "; Menu 8.9 - Excel Verbosity Settings\n"
            "Worksheet_Name = Off\n"
            ";\n"
            "; Menu 8.10 - PowerPoint Verbosity Settings\n"
            "Indicate_Effects = Do_Not_Indicate_Effects\n"
            ";\n"
            ";\n");
}

}  // namespace
}  // namespace quorlith
