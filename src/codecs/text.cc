#include "codecs/text.h"

#include <algorithm>

#include "codecs/names.h"
#include "text/fields.h"

namespace quorlith {
namespace {

void Render(ReportText& out, ByteView record, const Field& f) {
  AppendText(out, record, f.offset, f.units);
}

ParseResult Parse(std::u16string_view text, std::span<std::uint8_t> record,
                  const Field& f) {
  return StoreText(record, f.offset, f.units, text);
}

bool Differs(ByteView a, ByteView b, const Field& f) {
  return !TextsEqual(a, b, f.offset, f.units, f.fold_az);
}

// The text's units and its NUL: the units after it are no one's.
void Owned(ByteView record, const Field& f, std::vector<OwnedBits>& bits) {
  std::size_t units =
      std::min<std::size_t>(TextLength(record, f.offset, f.units) + 1, f.units);
  OwnWords(f.offset, 2 * units, bits);
}

void Stored(ByteView record, const Field& f, bool texts,
            std::vector<StoredValue>& out) {
  StoredValue& stored = out.emplace_back();
  stored.is_text = true;
  stored.field = record.data() + f.offset;
  if (texts) stored.text = TextOf(record, f.offset, f.units);
}

ValueHint Hint(const Field& f) { return {.units = f.units}; }

}  // namespace

ParseResult StoreText(std::span<std::uint8_t> record, std::size_t offset,
                      std::size_t units, std::u16string_view text) {
  if (text.size() > units) {
    return Quoted(text) + u" is longer than its field: " +
           Decimal(static_cast<std::int64_t>(text.size())) + u" units, " +
           Decimal(static_cast<std::int64_t>(units)) + u" at most";
  }
  if (text.find(u'\0') != std::u16string_view::npos) {
    return u"a text cannot hold the character U+0000";
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    StoreWord(record, offset + 2 * i, text[i]);
  }
  if (text.size() < units) StoreWord(record, offset + 2 * text.size(), 0);
  return std::nullopt;
}

const Codec kText = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
