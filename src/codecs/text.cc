#include "codecs/text.h"

#include <algorithm>

#include "report/fields.h"
#include "report/value_parse.h"

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

const Codec kText = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
