#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "report/fields.h"
#include "report/setting_line.h"
#include "sections/sections.h"
#include "sections/window_tables.h"

namespace quorlith {
namespace {

constexpr std::size_t LinesLength(std::span<const std::u16string_view> lines) {
  std::size_t length = 0;
  for (std::u16string_view line : lines) {
    length += line.size() + kLineEnd.size();
  }
  return length;
}

constexpr std::size_t kSeparatorLength = 1 + 2;  // ";" and CR LF

constexpr std::u16string_view kCharacteristicsHeader =
    u"; Window Characteristics";
constexpr SettingLine kActiveWindowLine = {
    u"Active_Standard_Window_ID", kActiveWindowOffset, Rendering::kDecimal};
// Above the header and ";", below them and the shortest number line.
constexpr std::size_t kCharacteristicsThreshold = 35;
constexpr std::size_t kCharacteristicsFixed =
    kCharacteristicsHeader.size() + kLineEnd.size() + kSeparatorLength;
static_assert(kCharacteristicsFixed <= kCharacteristicsThreshold &&
              kCharacteristicsThreshold <
                  kCharacteristicsFixed + kActiveWindowLine.keyword.size() +
                      std::u16string_view(u" = 0").size() + kLineEnd.size());

constexpr std::u16string_view kStandardComments[] = {
    u"; Standard Windows Characteristics",
    u"; To globally set or search a standard window with tessaval the syntax "
    u"is",
    u"; window#*s_command = value",
    u"; To set or search a range of standard windows with tessaval the syntax "
    u"is",
    u"; window#xx-xx_command = value",
    u"; xx-xx stands for a range of numbers between 0 and 49",
};
constexpr std::size_t kStandardThreshold = 310;
static_assert(LinesLength(kStandardComments) + 2 * kSeparatorLength ==
              kStandardThreshold);

// ";Window#", the number, "_Float_Characteristics" and the closing ";":
// 36 characters for windows 0 to 9, 37 from 10 up.
constexpr std::u16string_view kFloatComment = u"Float_Characteristics";
constexpr std::size_t kFloatThreshold = 37;

constexpr std::u16string_view kHyperactiveComments[] = {
    u"; Hyperactive Window Characteristics",
    u"; To globally set or search a hyperactive window with tessaval the "
    u"syntax is",
    u"; window#*h_command = value",
    u"; To set or search a range of hyperactive windows with tessaval the "
    u"syntax is",
    u"; window#x-x_command = value",
    u"; x-x stands for a range of letters between a and z",
};
constexpr std::size_t kHyperactiveThreshold = 307;
static_assert(LinesLength(kHyperactiveComments) == kHyperactiveThreshold);

// A hyperactive window that wrote only its closing ";".
constexpr std::size_t kHyperactiveWindowThreshold = kSeparatorLength;

constexpr std::u16string_view kWindowKeyword = u"Window#";

void WriteStandardWindow(ReportContext& ctx, BlockPair record,
                         std::size_t window) {
  std::u16string prefix(kWindowKeyword);
  AppendDecimal(prefix, static_cast<std::int64_t>(window));
  prefix.push_back(u'_');
  WriteSettingLines(ctx, record, kStandardHeadLines, prefix);
  WriteSettingLines(ctx, record, kEdgeLines, prefix);
  WriteSettingLines(ctx, record, kStandardColourLines, prefix);

  auto mark = ctx.out.size();
  ctx.out.push_back(u';');
  ctx.out.append(prefix);
  AppendLine(ctx.out, kFloatComment);
  WriteSettingLines(ctx, record, kFloatLines, prefix);
  AppendLine(ctx.out, kSeparatorLine);
  EraseIfShort(ctx.out, mark, kFloatThreshold);
}

// The active window number, then every standard window. Both erase
// themselves in a comparison only: in a decompile they always hold lines.
void WriteStandardWindowSection(ReportContext& ctx) {
  BlockPair block = ctx.Blocks(BlockId::kWindow);
  auto mark = ctx.out.size();
  AppendLine(ctx.out, kCharacteristicsHeader);
  WriteSettingLine(ctx, block, kActiveWindowLine);
  AppendLine(ctx.out, kSeparatorLine);
  if (ctx.comparing()) EraseIfShort(ctx.out, mark, kCharacteristicsThreshold);

  mark = ctx.out.size();
  for (std::u16string_view line : kStandardComments) AppendLine(ctx.out, line);
  for (std::size_t window = 0; window < kStandardWindowCount; ++window) {
    WriteStandardWindow(
        ctx, block.Sub(StandardRecordOffset(window), kStandardRecordSize),
        window);
  }
  AppendLine(ctx.out, kSeparatorLine);
  AppendLine(ctx.out, kSeparatorLine);
  if (ctx.comparing()) EraseIfShort(ctx.out, mark, kStandardThreshold);
}

// The record holds every kind of argument for every command, so a change
// to an argument the command ignores still counts.
bool CommandDiffers(BlockPair record, const CommandSlot& slot) {
  if (FieldDiffers(record, slot.command)) return true;
  for (const SettingLine& argument : slot.arguments) {
    if (FieldDiffers(record, argument)) return true;
  }
  return false;
}

void AppendArgument(ReportText& out, ByteView record, const CommandSlot& slot) {
  std::int16_t command = ReadSignedWord(record, slot.command.offset);
  if (command < 0 ||
      static_cast<std::size_t>(command) >= std::size(kCommandArguments)) {
    return;
  }
  CommandArgument kind = kCommandArguments[static_cast<std::size_t>(command)];
  if (kind == CommandArgument::kNone) return;
  const SettingLine& argument = slot.arguments[static_cast<std::size_t>(kind)];
  out.push_back(u' ');
  if (kind == CommandArgument::kWindow) {
    std::int16_t window = ReadSignedWord(record, argument.offset);
    if (window >= kFirstWindowLetter && window <= kLastWindowLetter) {
      out.push_back(static_cast<char16_t>(window));
      return;
    }
  }
  AppendValue(out, record, argument);
}

void WriteCommandLine(ReportContext& ctx, BlockPair record,
                      std::u16string_view prefix, std::size_t j) {
  const CommandSlot& slot = kCommandSlots[j];
  if (!ctx.ShouldWrite(CommandDiffers(record, slot))) return;
  ctx.out.append(prefix);
  BeginSetting(ctx.out, CommandSlotNames[j]);
  AppendValue(ctx.out, record.printed, slot.command);
  AppendArgument(ctx.out, record.printed, slot);
  ctx.out.append(kLineEnd);
}

void WriteHyperactiveWindow(ReportContext& ctx, BlockPair record,
                            std::size_t letter_index) {
  std::u16string prefix(kWindowKeyword);
  prefix.push_back(static_cast<char16_t>(u'A' + letter_index));
  prefix.push_back(u'_');

  auto mark = ctx.out.size();
  WriteSettingLines(ctx, record, kHyperactiveHeadLines, prefix);
  WriteSettingLines(ctx, record, kEdgeLines, prefix);
  WriteSettingLines(ctx, record, kTriggerLines, prefix);
  // The printed file's trigger decides in a comparison too.
  std::int16_t trigger = ReadSignedWord(record.printed, kTriggerOffset);
  if (trigger == kContainsAttribute || trigger == kDoesNotContainAttribute) {
    WriteSettingLines(ctx, record, kSearchAttributeLines, prefix);
  } else if (trigger == kContainsString || trigger == kDoesNotContainString) {
    WriteSettingLines(ctx, record, kSearchStringLines, prefix);
  }
  for (std::size_t j = 0; j < kCommandCount; ++j) {
    WriteCommandLine(ctx, record, prefix, j);
  }
  AppendLine(ctx.out, kSeparatorLine);
  EraseIfShort(ctx.out, mark, kHyperactiveWindowThreshold);
}

void WriteHyperactiveWindowSection(ReportContext& ctx) {
  BlockPair block = ctx.Blocks(BlockId::kWindow);
  auto mark = ctx.out.size();
  for (std::u16string_view line : kHyperactiveComments) {
    AppendLine(ctx.out, line);
  }
  for (std::size_t k = 0; k < kHyperactiveWindowCount; ++k) {
    WriteHyperactiveWindow(
        ctx, block.Sub(HyperactiveRecordOffset(k), kHyperactiveRecordSize), k);
  }
  EraseIfShort(ctx.out, mark, kHyperactiveThreshold);
}

}  // namespace

void WriteWindowSections(ReportContext& ctx) {
  WriteStandardWindowSection(ctx);
  WriteHyperactiveWindowSection(ctx);
}

}  // namespace quorlith
