#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/fields.h"
#include "report/setting_line.h"
#include "report/value_parse.h"
#include "sections/sections.h"
#include "sections/window_tables.h"

namespace quorlith {
namespace {

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
  ctx.section_start = mark;
  AppendLine(ctx.out, kCharacteristicsHeader);
  WriteSettingLine(ctx, block, kActiveWindowLine);
  AppendLine(ctx.out, kSeparatorLine);
  if (ctx.comparing()) EraseIfShort(ctx.out, mark, kCharacteristicsThreshold);

  mark = ctx.out.size();
  ctx.section_start = mark;
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

// The inverse of a command line: the command's name (or number), then a
// blank and the argument its command takes. Only the argument field the
// command uses is written.
ParseResult ParseCommandLine(const void* table, std::u16string_view value,
                             std::span<std::uint8_t> body,
                             std::span<const std::size_t> fields) {
  const auto& slot = *static_cast<const CommandSlot*>(table);
  std::size_t blank = std::min(value.find(u' '), value.size());
  std::int16_t command = 0;
  if (auto problem =
          ParseNamed(slot.command.names, value.substr(0, blank), command)) {
    return problem;
  }
  StoreWord(body, fields[0], static_cast<std::uint16_t>(command));
  std::u16string_view argument_text =
      value.substr(std::min(blank + 1, value.size()));
  bool known = command >= 0 &&
               static_cast<std::size_t>(command) < std::size(kCommandArguments);
  CommandArgument kind =
      known ? kCommandArguments[static_cast<std::size_t>(command)]
            : CommandArgument::kNone;
  if (kind == CommandArgument::kNone) {
    if (blank < value.size()) {
      return Quoted(value.substr(0, blank)) + u" takes no argument";
    }
    return std::nullopt;
  }
  auto index = static_cast<std::size_t>(kind);
  std::size_t field = fields[1 + index];
  if (kind == CommandArgument::kWindow && argument_text.size() == 1 &&
      argument_text[0] >= kFirstWindowLetter &&
      argument_text[0] <= kLastWindowLetter) {
    StoreWord(body, field, argument_text[0]);
    return std::nullopt;
  }
  return ParseLineValue(slot.arguments[index], argument_text, body, field);
}

// The command's row, then every argument field the record keeps for it.
std::vector<StoredValue> CommandStored(const ReportContext& ctx,
                                       ByteView record,
                                       const CommandSlot& slot) {
  std::vector<StoredValue> stored;
  stored.push_back(StoredOf(ctx, record, slot.command));
  for (const SettingLine& argument : slot.arguments) {
    stored.push_back(StoredOf(ctx, record, argument));
  }
  return stored;
}

void WriteCommandLine(ReportContext& ctx, BlockPair record,
                      std::u16string_view prefix, std::size_t j) {
  const CommandSlot& slot = kCommandSlots[j];
  // A decompile compares nothing: a record's texts are long to walk.
  bool differs = ctx.comparing() && CommandDiffers(record, slot);
  if (!ctx.ShouldWrite(differs, prefix, CommandSlotNames[j])) {
    return;
  }
  ByteView shown = ctx.Shown(record);
  ctx.Note({ParseCommandLine, &slot, slot.command.names},
           [&] { return CommandStored(ctx, shown, slot); });
  ctx.out.append(prefix);
  BeginSetting(ctx.out, CommandSlotNames[j]);
  AppendValue(ctx.out, shown, slot.command);
  AppendArgument(ctx.out, shown, slot);
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
  bool every = ctx.options.every_line;
  if (every || trigger == kContainsAttribute ||
      trigger == kDoesNotContainAttribute) {
    WriteSettingLines(ctx, record, kSearchAttributeLines, prefix);
  }
  if (every || trigger == kContainsString || trigger == kDoesNotContainString) {
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
  ctx.section_start = mark;
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
