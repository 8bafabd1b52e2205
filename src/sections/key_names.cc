#include "sections/key_names.h"

namespace quorlith {

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

void AppendHex4(ReportText& out, std::uint16_t value) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  out.append(u"0x");
  for (int shift = 12; shift >= 0; shift -= 4) {
    out.push_back(kDigits[(value >> shift) & 0xF]);
  }
}

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
      AppendHex4(out, code);
    }
  }
}

void WriteHotKeyStroke(ReportText& out, const KeyStroke& stroke) {
  if (KeyStrokeIsUndefined(stroke, KeyNameStyle::kHotKey)) {
    AppendLine(out, u"Undefined");
    return;
  }
  if (IsSet(stroke.control)) out.append(u"Control-");
  if (IsSet(stroke.alt)) out.append(u"Alt-");
  if (IsSet(stroke.shift)) out.append(u"Shift-");
  if (IsSet(stroke.insert)) out.append(u"Insert-");
  std::uint16_t code = stroke.key_code;
  if (IsSet(stroke.numpad)) {
    if (code >= kNumOffFirstCode && code < kNumOnFirstCode) {
      out.append(u"NumOff-");
      code = kKeypadKeys[code - kNumOffFirstCode];
    } else if (code >= kNumOnFirstCode &&
               code < kNumOnFirstCode + std::size(kKeypadKeys)) {
      out.append(u"NumOn-");
      code = kKeypadKeys[code - kNumOnFirstCode];
    } else {
      out.append(u"Numpad-");
    }
  }
  if (IsSet(stroke.windows)) out.append(u"Windows-");
  if (IsSet(stroke.application)) out.append(u"Application-");
  AppendKeyName(out, code);
  out.append(kLineEnd);
}

void WriteCursorKeyStroke(ReportText& out, const KeyStroke& stroke) {
  if (KeyStrokeIsUndefined(stroke, KeyNameStyle::kCursorKey)) {
    out.append(u"Undefined ");
    return;
  }
  if (IsSet(stroke.control)) out.append(u"Control-");
  if (IsSet(stroke.alt)) out.append(u"Alt-");
  if (IsSet(stroke.shift)) out.append(u"Shift-");
  AppendKeyName(out, stroke.key_code);
}

}  // namespace

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
