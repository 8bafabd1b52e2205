#include "text/fields.h"

namespace quorlith {

std::size_t TextLength(ByteView block, std::size_t offset, std::size_t units) {
  std::size_t length = 0;
  while (length < units && ReadWord(block, offset + 2 * length) != 0) ++length;
  return length;
}

namespace {

// Copies the `length` units of a field's text to `out`; returns its end.
char16_t* CopyText(ByteView block, std::size_t offset, std::size_t length,
                   char16_t* out) {
  for (std::size_t i = 0; i < length; ++i) {
    *out++ = static_cast<char16_t>(ReadWord(block, offset + 2 * i));
  }
  return out;
}

}  // namespace

void AppendText(ReportText& out, ByteView block, std::size_t offset,
                std::size_t units) {
  out.Commit(WriteText(out.Extend(units), block, offset, units));
}

char16_t* WriteText(char16_t* out, ByteView block, std::size_t offset,
                    std::size_t units) {
  return CopyText(block, offset, TextLength(block, offset, units), out);
}

std::u16string TextOf(ByteView block, std::size_t offset, std::size_t units) {
  std::u16string text(TextLength(block, offset, units), u'\0');
  CopyText(block, offset, text.size(), text.data());
  return text;
}

bool TextsEqual(ByteView a, ByteView b, std::size_t offset, std::size_t units,
                bool fold_az) {
  for (std::size_t i = 0; i < units; ++i) {
    std::uint16_t ua = ReadWord(a, offset + 2 * i);
    std::uint16_t ub = ReadWord(b, offset + 2 * i);
    if (fold_az) {
      ua = FoldAz(ua);
      ub = FoldAz(ub);
    }
    if (ua != ub) return false;
    if (ua == 0) return true;
  }
  return true;
}

bool StartsWithFolded(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (FoldAz(text[i]) != FoldAz(prefix[i])) return false;
  }
  return true;
}

bool SameFolded(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && StartsWithFolded(a, b);
}

}  // namespace quorlith
