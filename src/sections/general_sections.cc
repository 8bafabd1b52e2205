#include "report/fields.h"
#include "report/setting_line.h"
#include "sections/sections.h"

namespace quorlith {
namespace {

constexpr std::u16string_view GlobalSettingsNames[] = {
    u"Voice_and_Verbosity", u"Off", u"Voice", u"Verbosity"};
constexpr std::u16string_view MarkedTextNames[] = {u"Auto", u"Light_Bar"};
constexpr std::u16string_view GraphicDictionaryNames[] = {
    u"Off", u"Dictionary_Only", u"On", u"Graphic_Only"};
constexpr std::u16string_view ColorDictionaryNames[] = {u"Off", u"Exact_Only",
                                                        u"Exact_Or_Closest"};

constexpr std::size_t kGeneralBlockSize = Layout(BlockId::kGeneral).size;

// Every word of the general block but the first, which Menu 9 reports. The
// last word ("Braille") is reported second.
constexpr SettingLine kGeneralLines[] = {
    {u"Voice", 2, Rendering::kName, OffOnNames},
    {u"Braille", 36, Rendering::kName, OffOnNames},
    {u"Hot_Keys", 4, Rendering::kName, OffOnNames},
    {u"Cursor_Keys", 6, Rendering::kName, OffOnNames},
    {u"Include_Box_In_Light_Bar", 8, Rendering::kName, OffOnNames},
    {u"Include_Window_With_Box", 10, Rendering::kDecimalOrNone},
    {u"Marked_Text", 12, Rendering::kName, MarkedTextNames},
    {u"Character_Dictionary", 14, Rendering::kName, OffOnNames},
    {u"Key_Label_Dictionary", 16, Rendering::kName, OffOnNames},
    {u"Exception_Dictionary", 18, Rendering::kName, OffOnNames},
    {u"Graphic_Dictionary", 20, Rendering::kName, GraphicDictionaryNames},
    {u"Color_Dictionary", 22, Rendering::kName, ColorDictionaryNames},
    {u"Allow_Speak_Windows_In_Edit_Boxes", 24, Rendering::kName, OffOnNames},
    {u"Cursor_Delay", 26, Rendering::kUnsignedDecimal},
    {u"Trigger_Delay", 28, Rendering::kDecimal},
    {u"Space_Threshold", 30, Rendering::kDecimal},
    {u"Auto_Speak_Tooltips", 32, Rendering::kName, OffAutoOnNames},
    {u"MSAA_Application_Mode", 34, Rendering::kName, OffOnNames},
};
static_assert(FitsIn(kGeneralLines, kGeneralBlockSize));

constexpr std::u16string_view kGeneralHeader = u"; Menu 6 - General Settings";
constexpr std::size_t kGeneralThreshold = 29;  // the header alone
static_assert(kGeneralThreshold == kGeneralHeader.size() + kLineEnd.size());

constexpr SettingLine kGlobalLines[] = {
    {u"Global_Settings", 0, Rendering::kName, GlobalSettingsNames},
};
static_assert(FitsIn(kGlobalLines, kGeneralBlockSize));

constexpr std::u16string_view kGlobalHeader = u"; Menu 9 - Global Settings";
// One more than the header: still less than the header plus any line.
constexpr std::size_t kGlobalThreshold = 29;
static_assert(kGlobalThreshold == kGlobalHeader.size() + kLineEnd.size() + 1);

constexpr std::uint16_t kFileNameUnits = 261;  // NUL included
constexpr std::uint16_t kFileNameSize = 2 * kFileNameUnits;
constexpr SettingLine kDictionaryLines[] = {
    {u"Exception_Dictionary_File",
     0 * kFileNameSize,
     Rendering::kText,
     {},
     kFileNameUnits,
     CompareRule::kTextFoldAz},
    {u"Character_Dictionary_File",
     1 * kFileNameSize,
     Rendering::kText,
     {},
     kFileNameUnits,
     CompareRule::kTextFoldAz},
    {u"Key_Label_Dictionary_File",
     2 * kFileNameSize,
     Rendering::kText,
     {},
     kFileNameUnits,
     CompareRule::kTextFoldAz},
    {u"Graphic_Dictionary_File",
     3 * kFileNameSize,
     Rendering::kText,
     {},
     kFileNameUnits,
     CompareRule::kTextFoldAz},
    {u"Color_Dictionary_File",
     4 * kFileNameSize,
     Rendering::kText,
     {},
     kFileNameUnits,
     CompareRule::kTextFoldAz},
};
static_assert(FitsIn(kDictionaryLines, Layout(BlockId::kDictionary).size));
static_assert(5 * kFileNameSize == Layout(BlockId::kDictionary).size);

constexpr std::u16string_view kDictionaryHeader =
    u"; Menu 10 - Dictionary Settings";
constexpr std::size_t kDictionaryThreshold = 33;  // the header alone
static_assert(kDictionaryThreshold ==
              kDictionaryHeader.size() + kLineEnd.size());

}  // namespace

void WriteGeneralSection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kGeneralHeader);
  WriteSettingLines(ctx, ctx.Blocks(BlockId::kGeneral), kGeneralLines);
  EraseIfShort(ctx.out, mark, kGeneralThreshold);
}

void WriteGlobalSection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kGlobalHeader);
  WriteSettingLines(ctx, ctx.Blocks(BlockId::kGeneral), kGlobalLines);
  EraseIfShort(ctx.out, mark, kGlobalThreshold);
}

void WriteDictionarySection(ReportContext& ctx) {
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kDictionaryHeader);
  WriteSettingLines(ctx, ctx.Blocks(BlockId::kDictionary), kDictionaryLines);
  // A decompile keeps this section even when it has no line to show.
  if (ctx.comparing()) EraseIfShort(ctx.out, mark, kDictionaryThreshold);
}

}  // namespace quorlith
