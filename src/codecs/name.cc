#include "codecs/name.h"

#include "report/fields.h"
#include "report/value_parse.h"

namespace quorlith {
namespace {

void RenderName(ReportText& out, ByteView record, const Field& f) {
  AppendName(out, f.names, ReadSignedWord(record, f.offset));
}

ParseResult ParseName(std::u16string_view text, std::span<std::uint8_t> record,
                      const Field& f) {
  std::int16_t row = 0;
  if (ParseResult problem = ParseNamed(f.names, TrimBlanks(text), row)) {
    return problem;
  }
  StoreWord(record, f.offset, static_cast<std::uint16_t>(row));
  return std::nullopt;
}

bool Differs(ByteView a, ByteView b, const Field& f) {
  return WordDiffers(a, b, f.offset);
}

void Owned(ByteView, const Field& f, std::vector<OwnedBits>& bits) {
  OwnWords(f.offset, 2, bits);
}

void StoredSigned(ByteView record, const Field& f, bool,
                  std::vector<StoredValue>& out) {
  StoreNumberOf(record, f.offset, ReadSignedWord(record, f.offset), out);
}

void StoredUnsigned(ByteView record, const Field& f, bool,
                    std::vector<StoredValue>& out) {
  StoreNumberOf(record, f.offset, ReadWord(record, f.offset), out);
}

ValueHint NameHint(const Field& f) {
  return {.names = f.names, .low = -32768, .high = 32767};
}

// The two truth formats: their names, false first, and what counts true.
constexpr std::u16string_view kTruths[] = {u"False", u"True"};

template <const std::u16string_view (&kNames)[2], bool kAnyNonZero>
struct TwoNames {
  static bool Holds(ByteView record, const Field& f) {
    std::uint16_t word = ReadWord(record, f.offset);
    return kAnyNonZero ? word != 0 : word == 1;
  }
  static void Render(ReportText& out, ByteView record, const Field& f) {
    out.append(kNames[Holds(record, f) ? 1 : 0]);
  }
  static ParseResult Parse(std::u16string_view text,
                           std::span<std::uint8_t> record, const Field& f) {
    std::optional<std::size_t> row = FindName(kNames, TrimBlanks(text));
    if (!row) return NotOneOf(TrimBlanks(text), kNames);
    StoreWord(record, f.offset, static_cast<std::uint16_t>(*row));
    return std::nullopt;
  }
  static ValueHint Hint(const Field&) { return {.names = kNames}; }
};

using TruthNames = TwoNames<kTruths, true>;
using OneIsOnNames = TwoNames<OffOnNames, false>;

}  // namespace

const Codec kName = {RenderName, ParseName,    Differs,
                     Owned,      StoredSigned, NameHint};
const Codec kTruth = {TruthNames::Render, TruthNames::Parse, Differs, Owned,
                      StoredSigned,       TruthNames::Hint};
const Codec kOneIsOn = {
    OneIsOnNames::Render, OneIsOnNames::Parse, Differs, Owned,
    StoredUnsigned,       OneIsOnNames::Hint};

}  // namespace quorlith
