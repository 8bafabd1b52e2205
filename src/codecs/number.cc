#include "codecs/number.h"

#include "codecs/names.h"
#include "text/fields.h"

namespace quorlith {
namespace {

// The kinds differ in their reading of the stored bytes and their range.
template <std::int64_t kLow, std::int64_t kHigh>
struct Number {
  static constexpr bool kByte = kHigh == 255;

  static std::int64_t Read(ByteView record, const Field& f) {
    if constexpr (kByte) return ReadByte(record, f.offset);
    if constexpr (kLow < 0) return ReadSignedWord(record, f.offset);
    return ReadWord(record, f.offset);
  }
  static void Render(ReportText& out, ByteView record, const Field& f) {
    AppendDecimal(out, Read(record, f));
  }
  static ParseResult Parse(std::u16string_view text,
                           std::span<std::uint8_t> record, const Field& f) {
    std::int64_t number = 0;
    if (ParseResult problem =
            ParseNumberIn(TrimBlanks(text), kLow, kHigh, number)) {
      return problem;
    }
    Store(record, f, number);
    return std::nullopt;
  }
  static void Store(std::span<std::uint8_t> record, const Field& f,
                    std::int64_t number) {
    if constexpr (kByte) {
      record[f.offset] = static_cast<std::uint8_t>(number);
    } else {
      StoreWord(record, f.offset, static_cast<std::uint16_t>(number));
    }
  }
  static bool Differs(ByteView a, ByteView b, const Field& f) {
    return Read(a, f) != Read(b, f);
  }
  static void Owned(ByteView, const Field& f, std::vector<OwnedBits>& bits) {
    OwnWords(f.offset, kByte ? 1 : 2, bits);
  }
  static void Stored(ByteView record, const Field& f, bool,
                     std::vector<StoredValue>& out) {
    StoreNumberOf(record, f.offset, Read(record, f), out);
  }
  static ValueHint Hint(const Field&) { return {.low = kLow, .high = kHigh}; }

  static constexpr Codec kCodec = {Render, Parse, Differs, Owned, Stored, Hint};
};

using Signed = Number<-32768, 32767>;

constexpr std::u16string_view kNone[] = {u"None"};

void RenderOrNone(ReportText& out, ByteView record, const Field& f) {
  std::int64_t value = Signed::Read(record, f);
  if (value == -1) {
    out.append(kNone[0]);
  } else {
    AppendDecimal(out, value);
  }
}

ParseResult ParseOrNone(std::u16string_view text,
                        std::span<std::uint8_t> record, const Field& f) {
  if (FindName(kNone, TrimBlanks(text))) {
    Signed::Store(record, f, -1);
    return std::nullopt;
  }
  if (ParseResult problem = Signed::Parse(text, record, f)) {
    return *problem + u", nor None";
  }
  return std::nullopt;
}

ValueHint HintOrNone(const Field& f) {
  ValueHint hint = Signed::Hint(f);
  hint.names = kNone;
  return hint;
}

}  // namespace

const Codec kDecimal = Signed::kCodec;
const Codec kUnsignedDecimal = Number<0, 65535>::kCodec;
const Codec kByteDecimal = Number<0, 255>::kCodec;
const Codec kDecimalOrNone = {RenderOrNone,  ParseOrNone,    Signed::Differs,
                              Signed::Owned, Signed::Stored, HintOrNone};

}  // namespace quorlith
