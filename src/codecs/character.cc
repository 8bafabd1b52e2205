#include "codecs/character.h"

#include "codecs/names.h"
#include "text/fields.h"

namespace quorlith {
namespace {

void Render(ReportText& out, ByteView record, const Field& f) {
  out.push_back(static_cast<char16_t>(ReadWord(record, f.offset)));
}

ParseResult Parse(std::u16string_view text, std::span<std::uint8_t> record,
                  const Field& f) {
  if (text.size() == 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF &&
      text[1] >= 0xDC00 && text[1] <= 0xDFFF) {
    return Quoted(text) +
           u" is one character, beyond U+FFFF: a tone holds one UTF-16 unit";
  }
  if (text.size() != 1) return Quoted(text) + u" is not one character";
  StoreWord(record, f.offset, text[0]);
  return std::nullopt;
}

bool Differs(ByteView a, ByteView b, const Field& f) {
  return WordDiffers(a, b, f.offset);
}

void Owned(ByteView, const Field& f, std::vector<OwnedBits>& bits) {
  OwnWords(f.offset, 2, bits);
}

void Stored(ByteView record, const Field& f, bool,
            std::vector<StoredValue>& out) {
  StoreNumberOf(record, f.offset, ReadWord(record, f.offset), out);
}

ValueHint Hint(const Field&) { return {.units = 1}; }

}  // namespace

const Codec kCharacter = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
