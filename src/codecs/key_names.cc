#include "codecs/key_names.h"

#include "text/fields.h"

namespace quorlith {

using namespace std::string_view_literals;

namespace {

// Codes written as the character itself, one UTF-16 unit.
constexpr std::uint16_t kFirstCharacterCode = 33;
constexpr std::uint16_t kLastCharacterCode = 255;

// The numeric keypad's "/", "*", "-", "+" and Enter, stored once with Num
// Lock off and once with it on, in this order.
constexpr std::uint16_t kKeypadKeys[] = {u'/', u'*', u'-', u'+', kEnterCode};
constexpr std::uint16_t kNumOffFirstCode = 0xF433;
constexpr std::uint16_t kNumOnFirstCode = kNumOffFirstCode + 5;
static_assert(std::size(kKeypadKeys) == kNumOnFirstCode - kNumOffFirstCode);

// Codes past the last KeyNames row up to here belong to the named range
// but have no name; they are written in hex so that no reader takes them
// for a key name or a character.
constexpr std::uint16_t kLastReservedKeyCode = 0xF440;

// A flag counts only when its word holds exactly 1.
constexpr bool IsSet(std::uint16_t flag) { return flag == 1; }

void AppendKeyName(ReportText& out, std::uint16_t code) {
  for (const ControlKey& key : kControlKeys) {
    if (key.code == code) {
      out.append(key.name);
      return;
    }
  }
  if (code >= kFirstCharacterCode && code <= kLastCharacterCode) {
    out.push_back(static_cast<char16_t>(code));
    return;
  }
  if (code >= kFirstNamedKeyCode && code <= kLastReservedKeyCode) {
    std::size_t row = code - kFirstNamedKeyCode;
    if (row < std::size(KeyNames)) {
      out.append(KeyNames[row]);
    } else {
      out.append(u"0x"sv);
      AppendHex(out, code, 4);
    }
  }
}

void WriteHotKeyStroke(ReportText& out, const KeyStroke& stroke) {
  if (KeyStrokeIsUndefined(stroke, KeyNameStyle::kHotKey)) {
    out.append(u"Undefined"sv);
    return;
  }
  if (IsSet(stroke.control)) out.append(u"Control-"sv);
  if (IsSet(stroke.alt)) out.append(u"Alt-"sv);
  if (IsSet(stroke.shift)) out.append(u"Shift-"sv);
  if (IsSet(stroke.insert)) out.append(u"Insert-"sv);
  std::uint16_t code = stroke.key_code;
  if (IsSet(stroke.numpad)) {
    if (code >= kNumOffFirstCode && code < kNumOnFirstCode) {
      out.append(u"NumOff-"sv);
      code = kKeypadKeys[code - kNumOffFirstCode];
    } else if (code >= kNumOnFirstCode &&
               code < kNumOnFirstCode + std::size(kKeypadKeys)) {
      out.append(u"NumOn-"sv);
      code = kKeypadKeys[code - kNumOnFirstCode];
    } else {
      out.append(u"Numpad-"sv);
    }
  }
  if (IsSet(stroke.windows)) out.append(u"Windows-"sv);
  if (IsSet(stroke.application)) out.append(u"Application-"sv);
  AppendKeyName(out, code);
}

void WriteCursorKeyStroke(ReportText& out, const KeyStroke& stroke) {
  if (KeyStrokeIsUndefined(stroke, KeyNameStyle::kCursorKey)) {
    out.append(u"Undefined "sv);
    return;
  }
  if (IsSet(stroke.control)) out.append(u"Control-"sv);
  if (IsSet(stroke.alt)) out.append(u"Alt-"sv);
  if (IsSet(stroke.shift)) out.append(u"Shift-"sv);
  AppendKeyName(out, stroke.key_code);
}

// Takes `prefix` off `text` when it is there.
bool Take(std::u16string_view& text, std::u16string_view prefix) {
  if (!StartsWithFolded(text, prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

std::optional<std::uint16_t> ParseHex4(std::u16string_view text) {
  if (text.size() != 6 || !StartsWithFolded(text, u"0x")) return std::nullopt;
  std::uint16_t value = 0;
  for (char16_t c : text.substr(2)) {
    int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                : c >= u'A' && c <= u'F' ? c - u'A' + 10
                : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                         : -1;
    if (digit < 0) return std::nullopt;
    value = static_cast<std::uint16_t>(value * 16 + digit);
  }
  return value;
}

// A code below the characters without a name: what an empty key name
// reads back as, so that a stroke written as nothing but its commands (or
// as nothing at all) stays a defined stroke.
constexpr std::uint16_t kNamelessKeyCode = 1;

// The inverse of AppendKeyName.
std::optional<std::uint16_t> ParseKeyName(std::u16string_view name) {
  if (name.empty()) return kNamelessKeyCode;
  for (const ControlKey& key : kControlKeys) {
    if (SameFolded(name, key.name)) return key.code;
  }
  for (std::size_t row = 0; row < std::size(KeyNames); ++row) {
    if (SameFolded(name, KeyNames[row])) {
      return static_cast<std::uint16_t>(kFirstNamedKeyCode + row);
    }
  }
  if (name.size() == 1 && name[0] >= kFirstCharacterCode &&
      name[0] <= kLastCharacterCode) {
    return name[0];
  }
  std::optional<std::uint16_t> hex = ParseHex4(name);
  if (hex && *hex >= kFirstNamedKeyCode + std::size(KeyNames) &&
      *hex <= kLastReservedKeyCode) {
    return hex;
  }
  return std::nullopt;
}

// The keypad key `name` names with Num Lock off or on, from `first`.
std::optional<std::uint16_t> ParseKeypadKey(std::u16string_view name,
                                            std::uint16_t first) {
  for (std::size_t i = 0; i < std::size(kKeypadKeys); ++i) {
    std::uint16_t key = kKeypadKeys[i];
    bool same = key == kEnterCode ? SameFolded(name, u"Enter")
                                  : name.size() == 1 && name[0] == key;
    if (same) return static_cast<std::uint16_t>(first + i);
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyStroke> ParseKeyStroke(std::u16string_view text,
                                        KeyNameStyle style) {
  KeyStroke stroke;
  if (SameFolded(text, u"Undefined")) return stroke;
  bool hot = style == KeyNameStyle::kHotKey;
  auto flag = [&](std::u16string_view prefix) -> std::uint16_t {
    return Take(text, prefix) ? 1 : 0;
  };
  stroke.control = flag(u"Control-");
  stroke.alt = flag(u"Alt-");
  stroke.shift = flag(u"Shift-");
  if (!hot) {
    std::optional<std::uint16_t> code = ParseKeyName(text);
    if (!code) return std::nullopt;
    stroke.key_code = *code;
    return stroke;
  }
  stroke.insert = flag(u"Insert-");
  std::optional<std::uint16_t> keypad;
  if (Take(text, u"NumOff-")) {
    stroke.numpad = 1;
    keypad = kNumOffFirstCode;
  } else if (Take(text, u"NumOn-")) {
    stroke.numpad = 1;
    keypad = kNumOnFirstCode;
  } else {
    stroke.numpad = flag(u"Numpad-");
  }
  stroke.windows = flag(u"Windows-");
  stroke.application = flag(u"Application-");
  std::optional<std::uint16_t> code =
      keypad ? ParseKeypadKey(text, *keypad) : ParseKeyName(text);
  if (!code) return std::nullopt;
  stroke.key_code = *code;
  return stroke;
}

bool KeyStrokeIsUndefined(const KeyStroke& stroke, KeyNameStyle style) {
  bool common_zero = stroke.control == 0 && stroke.alt == 0 &&
                     stroke.shift == 0 && stroke.key_code == 0;
  if (style == KeyNameStyle::kCursorKey) return common_zero;
  return common_zero && stroke.insert == 0 && stroke.numpad == 0 &&
         stroke.windows == 0 && stroke.application == 0;
}

void WriteKeyStroke(ReportText& out, const KeyStroke& stroke,
                    KeyNameStyle style) {
  if (style == KeyNameStyle::kHotKey) {
    WriteHotKeyStroke(out, stroke);
  } else {
    WriteCursorKeyStroke(out, stroke);
  }
}

}  // namespace quorlith
