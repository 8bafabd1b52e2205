#include "codecs/braille_dots.h"

#include "codecs/names.h"
#include "text/fields.h"

namespace quorlith {
namespace {

constexpr int kDotCount = 8;

void Render(ReportText& out, ByteView record, const Field& f) {
  std::uint8_t dots = ReadByte(record, f.offset);
  for (int i = 0; i < kDotCount; ++i) {
    if ((dots >> i) & 1) out.push_back(static_cast<char16_t>(u'1' + i));
  }
}

// Each digit 1 to 8 at most once, in any order.
ParseResult Parse(std::u16string_view text, std::span<std::uint8_t> record,
                  const Field& f) {
  unsigned dots = 0;
  for (char16_t c : text) {
    int dot = c - u'1';
    if (dot < 0 || dot >= kDotCount || ((dots >> dot) & 1) != 0) {
      return Quoted(text) +
             u" is not a set of braille dots: the digits 1 to 8, each once";
    }
    dots |= 1u << dot;
  }
  record[f.offset] = static_cast<std::uint8_t>(dots);
  return std::nullopt;
}

bool Differs(ByteView a, ByteView b, const Field& f) {
  return WordDiffers(a, b, f.offset);
}

void Owned(ByteView, const Field& f, std::vector<OwnedBits>& bits) {
  OwnWords(f.offset, 1, bits);
}

void Stored(ByteView record, const Field& f, bool,
            std::vector<StoredValue>& out) {
  StoreNumberOf(record, f.offset, ReadWord(record, f.offset), out);
}

ValueHint Hint(const Field&) { return {.low = 1, .high = kDotCount}; }

}  // namespace

const Codec kBrailleDots = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
