#include "codecs/names.h"

#include <algorithm>

#include "text/fields.h"

namespace quorlith {
namespace {

// Lists longer than this are not read out in a message.
constexpr std::size_t kLongestListed = 10;
constexpr std::u16string_view kValuesListed = u"; quorlith --values ";

}  // namespace

void AppendName(ReportText& out, ValueNameTable table, std::int32_t value) {
  if (value >= 0 && static_cast<std::size_t>(value) < table.size()) {
    out.append(table[static_cast<std::size_t>(value)]);
  } else {
    AppendDecimal(out, value);
  }
}

std::optional<std::size_t> FindName(ValueNameTable table,
                                    std::u16string_view name) {
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (!table[row].empty() && SameFolded(table[row], name)) return row;
  }
  return std::nullopt;
}

std::u16string NotOneOf(std::u16string_view text, ValueNameTable table) {
  std::size_t names = static_cast<std::size_t>(
      std::count_if(table.begin(), table.end(),
                    [](std::u16string_view name) { return !name.empty(); }));
  if (names > kLongestListed) {
    return Quoted(text) + u" is not one of its " +
           Decimal(static_cast<std::int64_t>(names)) + u" values" +
           std::u16string(kValuesListed);
  }
  std::u16string message = Quoted(text) + u" is not one of its values: ";
  bool first = true;
  for (std::u16string_view name : table) {
    if (name.empty()) continue;
    if (!first) message.append(u", ");
    message.append(name);
    first = false;
  }
  return message;
}

std::u16string KeywordProblem(std::u16string_view keyword,
                              std::u16string_view problem) {
  std::u16string message(keyword);
  message.append(u": ");
  message.append(problem);
  if (problem.ends_with(kValuesListed)) {
    message.append(keyword);
    message.append(u" lists them");
  }
  return message;
}

ParseResult ParseNamed(ValueNameTable table, std::u16string_view text,
                       std::int16_t& value) {
  // A row without a name is written as nothing: the first such row reads
  // back the same.
  if (text.empty()) {
    auto empty = std::find(table.begin(), table.end(), std::u16string_view());
    if (empty != table.end()) {
      value = static_cast<std::int16_t>(empty - table.begin());
      return std::nullopt;
    }
  }
  if (std::optional<std::size_t> row = FindName(table, text)) {
    value = static_cast<std::int16_t>(*row);
    return std::nullopt;
  }
  std::optional<std::int64_t> number = ParseInteger(text);
  if (number && *number >= -32768 && *number <= 32767) {
    value = static_cast<std::int16_t>(*number);
    return std::nullopt;
  }
  return NotOneOf(text, table);
}

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
