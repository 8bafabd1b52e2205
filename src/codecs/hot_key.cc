#include "codecs/hot_key.h"

#include <array>
#include <iterator>

#include "codecs/names.h"
#include "text/fields.h"

namespace quorlith {
namespace {

// The stroke's words in record order: control, alt, shift, insert, numpad,
// windows, application, the key code.
constexpr std::size_t kStrokeOffsets[] = {2, 4, 6, 8, 10, 12, 14, 16};
static_assert(std::end(kStrokeOffsets)[-1] + 2 == kHotKeyRecordSize);

std::array<std::uint16_t, 8> Words(const KeyStroke& s) {
  return {s.control, s.alt,     s.shift,       s.insert,
          s.numpad,  s.windows, s.application, s.key_code};
}

void Render(ReportText& out, ByteView record, const Field&) {
  WriteKeyStroke(out, ReadHotKeyStroke(record), KeyNameStyle::kHotKey);
}

ParseResult Parse(std::u16string_view text, std::span<std::uint8_t> record,
                  const Field&) {
  std::optional<KeyStroke> stroke =
      ParseKeyStroke(TrimBlanks(text), KeyNameStyle::kHotKey);
  if (!stroke) return Quoted(text) + u" is not a key name";
  std::array<std::uint16_t, 8> words = Words(*stroke);
  for (std::size_t i = 0; i < words.size(); ++i) {
    StoreWord(record, kStrokeOffsets[i], words[i]);
  }
  return std::nullopt;
}

bool Differs(ByteView a, ByteView b, const Field&) {
  return ReadHotKeyStroke(a) != ReadHotKeyStroke(b);
}

void Owned(ByteView, const Field&, std::vector<OwnedBits>& bits) {
  OwnWords(kStrokeOffsets[0], 2 * std::size(kStrokeOffsets), bits);
}

void Stored(ByteView record, const Field&, bool,
            std::vector<StoredValue>& out) {
  for (std::size_t offset : kStrokeOffsets) {
    StoreNumberOf(record, offset, ReadWord(record, offset), out);
  }
}

ValueHint Hint(const Field&) { return {}; }

}  // namespace

KeyStroke ReadHotKeyStroke(ByteView record) {
  std::array<std::uint16_t, 8> w;
  for (std::size_t i = 0; i < w.size(); ++i) {
    w[i] = ReadWord(record, kStrokeOffsets[i]);
  }
  return {w[0], w[1], w[2], w[3], w[4], w[5], w[6], FoldAz(w[7])};
}

const Codec kHotKey = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
