#include "codecs/window_command.h"

#include <algorithm>
#include <array>

#include "codecs/key_names.h"
#include "codecs/names.h"
#include "codecs/number.h"
#include "codecs/text.h"
#include "text/fields.h"

namespace quorlith {
namespace {

// The argument kinds, in the order of the record's arrays of them.
enum class Argument : std::uint8_t {
  kHotKey,
  kWindow,
  kString,
  kNumber,
  kSetFile,
  kNone,
};

// The argument each command row takes. Do not renumber.
constexpr Argument kArguments[] = {
    Argument::kNone,     // Undefined
    Argument::kWindow,   // Speak_Window
    Argument::kString,   // Speak_String
    Argument::kNone,     // Speak_Light_Bar
    Argument::kNumber,   // Activate_Window
    Argument::kSetFile,  // Load_Disk_Set
    Argument::kHotKey,   // Execute_Hot_Key
    Argument::kNone,     // Beep
    Argument::kNumber,   // Route_Mouse_To_Window
};
static_assert(std::size(kArguments) == std::size(HyperactiveCommandNames));

// A "Speak_Window" argument in this range names a hyperactive window by its
// letter; any other value is a standard window's number.
constexpr std::int16_t kFirstWindowLetter = u'A';
constexpr std::int16_t kLastWindowLetter = u'Z';

// Command j's word, and its field of each argument kind.
struct Slot {
  Setting command;
  std::array<Setting, 5> arguments;
};

Slot SlotOf(const Field& field) {
  auto j = static_cast<std::uint16_t>((field.offset - kFirstCommandOffset) / 2);
  return {
      Named({}, field.offset, HyperactiveCommandNames),
      {Named({}, static_cast<std::uint16_t>(160 + 2 * j), HotKeyCommandNames),
       Decimal({}, static_cast<std::uint16_t>(166 + 2 * j)),
       Text({}, static_cast<std::uint16_t>(172 + 2 * kCommandStringUnits * j),
            kCommandStringUnits),
       Decimal({}, static_cast<std::uint16_t>(370 + 2 * j)),
       Text({}, static_cast<std::uint16_t>(376 + 2 * kSetFileNameUnits * j),
            kSetFileNameUnits)}};
}

Argument ArgumentOf(ByteView record, const Slot& slot) {
  std::int16_t command = ReadSignedWord(record, slot.command.field.offset);
  if (command < 0 ||
      static_cast<std::size_t>(command) >= std::size(kArguments)) {
    return Argument::kNone;
  }
  return kArguments[static_cast<std::size_t>(command)];
}

void Render(ReportText& out, ByteView record, const Field& field) {
  Slot slot = SlotOf(field);
  kName.render(out, record, slot.command.field);
  Argument kind = ArgumentOf(record, slot);
  if (kind == Argument::kNone) return;
  const Setting& argument = slot.arguments[static_cast<std::size_t>(kind)];
  out.push_back(u' ');
  if (kind == Argument::kWindow) {
    std::int16_t window = ReadSignedWord(record, argument.field.offset);
    if (window >= kFirstWindowLetter && window <= kLastWindowLetter) {
      out.push_back(static_cast<char16_t>(window));
      return;
    }
  }
  argument.codec->render(out, record, argument.field);
}

// The command's name (or number), then a blank and the argument its
// command takes. Only the argument field the command uses is stored.
ParseResult Parse(std::u16string_view value, std::span<std::uint8_t> record,
                  const Field& field) {
  Slot slot = SlotOf(field);
  std::size_t blank = std::min(value.find(u' '), value.size());
  if (ParseResult problem =
          kName.parse(value.substr(0, blank), record, slot.command.field)) {
    return problem;
  }
  std::u16string_view argument_text =
      value.substr(std::min(blank + 1, value.size()));
  Argument kind = ArgumentOf(record, slot);
  if (kind == Argument::kNone) {
    if (blank < value.size()) {
      return Quoted(value.substr(0, blank)) + u" takes no argument";
    }
    return std::nullopt;
  }
  const Setting& argument = slot.arguments[static_cast<std::size_t>(kind)];
  if (kind == Argument::kWindow && argument_text.size() == 1 &&
      argument_text[0] >= kFirstWindowLetter &&
      argument_text[0] <= kLastWindowLetter) {
    StoreWord(record, argument.field.offset, argument_text[0]);
    return std::nullopt;
  }
  return argument.codec->parse(argument_text, record, argument.field);
}

// A change to an argument the command ignores still counts.
bool Differs(ByteView a, ByteView b, const Field& field) {
  Slot slot = SlotOf(field);
  if (WordDiffers(a, b, field.offset)) return true;
  return std::any_of(slot.arguments.begin(), slot.arguments.end(),
                     [&](const Setting& argument) {
                       return argument.codec->differs(a, b, argument.field);
                     });
}

void Owned(ByteView record, const Field& field, std::vector<OwnedBits>& bits) {
  Slot slot = SlotOf(field);
  OwnWords(field.offset, 2, bits);
  Argument kind = ArgumentOf(record, slot);
  if (kind == Argument::kNone) return;
  const Setting& argument = slot.arguments[static_cast<std::size_t>(kind)];
  argument.codec->owned(record, argument.field, bits);
}

// The command's row, then every argument field the record keeps for it.
void Stored(ByteView record, const Field& field, bool texts,
            std::vector<StoredValue>& out) {
  Slot slot = SlotOf(field);
  kName.stored(record, slot.command.field, texts, out);
  for (const Setting& argument : slot.arguments) {
    argument.codec->stored(record, argument.field, texts, out);
  }
}

ValueHint Hint(const Field&) { return {.names = HyperactiveCommandNames}; }

}  // namespace

const Codec kWindowCommand = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
