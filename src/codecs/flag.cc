#include "codecs/flag.h"

#include "codecs/names.h"
#include "text/fields.h"

namespace quorlith {
namespace {

constexpr std::u16string_view kNames[] = {u"off", u"on"};

void Render(ReportText& out, ByteView record, const Field& f) {
  out.append(kNames[(ReadByte(record, f.offset) & f.mask) != 0 ? 1 : 0]);
}

ParseResult Parse(std::u16string_view text, std::span<std::uint8_t> record,
                  const Field& f) {
  text = TrimBlanks(text);
  std::optional<std::size_t> on = FindName(kNames, text);
  if (!on) return NotOneOf(text, kNames);
  std::uint8_t& flags = record[f.offset];
  flags =
      static_cast<std::uint8_t>(*on != 0 ? flags | f.mask : flags & ~f.mask);
  return std::nullopt;
}

bool Differs(ByteView a, ByteView b, const Field& f) {
  return ((ReadByte(a, f.offset) ^ ReadByte(b, f.offset)) & f.mask) != 0;
}

void Owned(ByteView, const Field& f, std::vector<OwnedBits>& bits) {
  bits.push_back({f.offset, f.mask});
}

void Stored(ByteView record, const Field& f, bool,
            std::vector<StoredValue>& out) {
  StoreNumberOf(record, f.offset, ReadByte(record, f.offset), out);
}

ValueHint Hint(const Field&) { return {.names = kNames}; }

}  // namespace

const Codec kFlag = {Render, Parse, Differs, Owned, Stored, Hint};

}  // namespace quorlith
