#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "report/section_testing.h"
#include "sections/window_tables.h"
#include "setfile/busy_set_file_builder.h"

namespace quorlith {
namespace {

constexpr BlockId kWindows = BlockId::kWindow;

// Block offsets of record fields, from the file format's record sizes.
constexpr std::size_t Std(std::size_t window, std::size_t field) {
  return 2 + 192 * window + field;
}
constexpr std::size_t Hyper(char letter, std::size_t field) {
  return 9602 + 1942 * static_cast<std::size_t>(letter - 'A') + field;
}

// A part's title and the comment lines after it.
std::string Comments(const Part& part) {
  std::string text = Utf16ToUtf8(part.title) + "\n";
  for (std::u16string_view line : part.notes) text += Utf16ToUtf8(line) + "\n";
  return text;
}

// The line of the decompile golden that starts with `keyword` and " = ".
std::string GoldenLine(std::string_view keyword) {
  static const std::string golden = ReadGolden("decompile.txt");
  std::size_t start = golden.find("\n" + std::string(keyword) + " = ");
  if (start == std::string::npos) return "<missing>";
  return golden.substr(start + 1, golden.find('\n', start + 1) - start);
}

// The busy file of the decompile golden is the printed file; each row
// changes the lowest bit of some bytes of the original. What the comparison
// writes comes from the golden, under the comment lines of its part.
TEST(WindowSections, ComparisonOfEachKindOfField) {
  const std::string kStandard = Comments(kStandardPart);
  const std::string kHyperactive = Comments(kHyperactivePart);
  struct Case {
    const char* name;
    std::vector<std::size_t> flipped;
    std::string expected;  // "" for no differences
  };
  const Case kCases[] = {
      {"active window",
       {0},
       "; Window Characteristics\n" + GoldenLine("Active_Standard_Window_ID") +
           ";\n"},
      {"status",
       {Std(20, 112)},
       kStandard + GoldenLine("Window#20_Status") + ";\n;\n"},
      {"the high byte of a truth",
       {Std(3, 15)},
       kStandard + GoldenLine("Window#3_Offset_From_Right") + ";\n;\n"},
      {"colour byte",
       {Std(3, 182)},
       kStandard + GoldenLine("Window#3_Red_Lightbar_Foreground") + ";\n;\n"},
      {"float string, two-digit window",
       {Std(12, 46)},
       kStandard + ";Window#12_Float_Characteristics\n" +
           GoldenLine("Window#12_Float_Top_String") + ";\n;\n;\n"},
      {"float position, one-digit window",
       {Std(7, 4)},
       kStandard + ";Window#7_Float_Characteristics\n" +
           GoldenLine("Window#7_Float_Left_Position") + ";\n;\n;\n"},
      {"interrupt",
       {Hyper('D', 78)},
       kHyperactive + GoldenLine("Window#D_Interrupt") + ";\n"},
      {"arguments a command does not use",
       {Hyper('A', 370), Hyper('A', 376), Hyper('B', 162)},
       kHyperactive + GoldenLine("Window#A_First_Command") + ";\n" +
           GoldenLine("Window#B_Second_Command") + ";\n"},
      // C searches for an attribute, E for a string.
      {"search fields of the printed trigger",
       {Hyper('C', 149), Hyper('E', 82)},
       kHyperactive + GoldenLine("Window#C_Search_Attribute_Green_Foreground") +
           ";\n" + GoldenLine("Window#E_Search_For_String") + ";\n"},
      {"search fields of other triggers",
       {Hyper('C', 82), Hyper('E', 148)},
       ""},
      {"bytes no line reads, text after its NUL",
       {Std(3, 171), Std(30, 177), Hyper('E', 4), Hyper('E', 22),
        Hyper('Z', 1942), Std(0, 60)},
       ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    SetFileBuilder original = BusySetFile(0, 0);
    for (std::size_t at : c.flipped) {
      std::size_t even = at & ~std::size_t{1};
      original.SetWord(
          kWindows, even,
          static_cast<std::uint16_t>(original.Word(kWindows, even) ^
                                     (at % 2 ? 0x100 : 1)));
    }
    EXPECT_EQ(ComparisonBody(original.Image(), BusySetFile(0, 0).Image()),
              c.expected.empty() ? std::string(kNoDifferences) : c.expected);
  }
}

}  // namespace
}  // namespace quorlith
