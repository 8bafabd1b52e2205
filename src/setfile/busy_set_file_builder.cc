#include "setfile/busy_set_file_builder.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlith {
namespace {

// The record offsets and sizes are written out as numbers: hot keys 284 of
// 18 bytes (the last slot is never read), cursor keys 46 of 1066, standard
// windows 50 of 192 from 2, hyperactive ones 26 of 1942 from 9602; a set
// file's name (cursor keys, windows, dictionaries) has 261 units.
constexpr std::size_t kNameUnits = 261;

// The low 16 bits of any integer, signed or not: the builder writes
// two's-complement words and wrapping (of unsigned differences too) is what
// it wants.
template <std::integral T>
std::uint16_t Word(T value) {
  return static_cast<std::uint16_t>(value);
}

// `stem`, the number `n` and filler letters, cut to `length` units.
std::u16string Label(std::u16string_view stem, std::size_t n,
                     std::size_t length) {
  std::u16string text(stem);
  for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
  while (text.size() < length) {
    text.push_back(static_cast<char16_t>(u'a' + text.size() % 26));
  }
  text.resize(length);
  return text;
}

// A text field of `units` units: full without a NUL, half full or empty,
// by `choice`.
void SetLabel(SetFileBuilder& b, BlockId block, std::size_t offset,
              std::size_t units, std::u16string_view stem, std::size_t n,
              std::size_t choice) {
  std::size_t length = (2 - choice % 3) * units / 2;
  b.SetText(block, offset, Label(stem, n, length), length < units);
}

void SetSmallBlocks(SetFileBuilder& b, std::uint32_t seed) {
  const bool wild = seed >= 8;
  std::size_t n = 0;
  for (BlockId id :
       {BlockId::kScreen, BlockId::kKeyboard, BlockId::kMouse,
        BlockId::kGeneral, BlockId::kVerbosity, BlockId::kBraille}) {
    for (std::size_t offset = 0; offset + 1 < Layout(id).size; offset += 2) {
      // 0x8100 to 0xCFFF with bit 8 set: no surrogates, so every tone stays
      // a character, and a high byte in every word.
      auto high = 0x8000 + (seed * 2654435761u + n * 40503u) % 0x5000;
      b.SetWord(id, offset, Word(wild ? high | 0x100 : (seed + n) % 8));
      ++n;
    }
  }
  // Tones, and the line filter: four characters, or all six units
  // without a NUL.
  if (wild) {
    b.SetText(BlockId::kScreen, 38, u"ñ€Ab9z", false);
  } else {
    b.SetWord(BlockId::kScreen, 6, Word(u'A' + seed))
        .SetWord(BlockId::kKeyboard, 6, Word(u'é' + seed))
        .SetWord(BlockId::kMouse, 6, Word(u'Ω' + seed))
        .SetText(BlockId::kScreen, 38, u"-=a*")
        .SetWord(BlockId::kScreen, 42, Word(u'a' + seed));
  }
  // The attribute byte: each flag on in one kind of seed and off in the
  // other, the bits no line reads on with the flags off; the byte after it
  // is never read.
  b.SetByte(BlockId::kMouse, 30,
            static_cast<std::uint8_t>(seed % 2 == 1 || wild ? 0x8D : 0x72))
      .SetByte(BlockId::kMouse, 31, static_cast<std::uint8_t>(0xA0 + seed));
  // "None": no window to include with the box.
  if (seed == 7) b.SetWord(BlockId::kGeneral, 10, 0xFFFF);
}

// Key codes of every kind: none, control keys, characters and the bounds
// of their range, then every named key, the reserved codes after them and
// the numeric keypad's, and codes past every range.
void SetHotKeys(SetFileBuilder& b, std::uint32_t records_seed) {
  constexpr std::uint16_t kCodes[] = {0,   8,   9,   13,  27,  32,     31,
                                      33,  'A', 'Z', '[', 'a', 'z',    '{',
                                      233, 255, 256, 'x', 'M', 0xF3FF, 0xFFFF};
  for (std::size_t i = 0; i < 284; ++i) {
    std::size_t j = i + records_seed, c = j % (std::size(kCodes) + 66);
    auto code = Word(c < std::size(kCodes) ? kCodes[c] : 0xF400 + c - 21);
    // Flags hold 1, or now and then 2, which counts as not set.
    auto flag = [&](std::size_t every, std::size_t at_rest) {
      return Word(j % every == at_rest ? 1 : j % 23 == every ? 2 : 0);
    };
    // The first word is never read; numpad is set with the keypad's codes.
    bool numpad = (code >= 0xF433 && code <= 0xF43C) || j % 13 == 6;
    const std::uint16_t words[] = {Word(0x5A5A ^ i), flag(5, 1),  flag(7, 2),
                                   flag(3, 1),       flag(11, 4), Word(numpad),
                                   flag(6, 5),       flag(9, 7),  code};
    for (std::size_t w = 0; w < 9; ++w) {
      b.SetWord(BlockId::kHotKey, i * 18 + 2 * w, words[w]);
    }
  }
}

void SetCursorKeys(SetFileBuilder& b, std::uint32_t records_seed) {
  constexpr std::uint16_t kCodes[] = {0,      'x', 0xF406, 0xF40A,
                                      8,      'Q', 0xF412, 0xF433,
                                      0xF441, 256, 0xF42F, 0xE9};
  // Second commands, mostly rows that take an argument.
  constexpr std::int16_t kSecondRows[] = {30, 22, 30, 26, 30, 28,
                                          30, 0,  24, 30, 23, -3};
  for (std::size_t k = 0; k < 46; ++k) {
    std::size_t j = k + records_seed;
    std::size_t at = k * 1066;
    BlockId id = BlockId::kCursorKey;
    b.SetWord(id, at, Word(j % 33))
        .SetWord(id, at + 2, Word(kSecondRows[j % std::size(kSecondRows)]))
        .SetWord(id, at + 4, Word(j * 7 % 40 - 20))
        .SetWord(id, at + 6, Word(284 - j % 40))
        .SetWord(id, at + 530, Word(j / 2 % 7))
        .SetWord(id, at + 532, Word(j * 6 % 287 - 1))
        .SetWord(id, at + 1056, Word(j % 3 == 1 ? 1 : (j % 8 == 5) * 2))
        .SetWord(id, at + 1058, Word(j % 4 == 2))
        .SetWord(id, at + 1060, Word(j % 5 == 3))
        .SetWord(id, at + 1062, kCodes[j % std::size(kCodes)])
        .SetWord(id, at + 1064, Word(j % 10 == 9 ? 0xFFFF : j * 997));
    SetLabel(b, id, at + 8, kNameUnits, u"C:\\Sets\\Key", j, j + 1);
    SetLabel(b, id, at + 534, kNameUnits, u"Zweite", j, j);
  }
}

// The edges, their offset flags and the float position words, laid out
// alike in both kinds of window record.
void SetEdges(SetFileBuilder& b, std::size_t at, std::size_t j) {
  constexpr std::uint16_t kTruths[] = {0, 1, 0xFFFF, 2};
  for (std::size_t e = 0; e < 4; ++e) {
    b.SetWord(BlockId::kWindow, at + 6 * e, Word(j * 13 % 200 - 100 + e))
        .SetWord(BlockId::kWindow, at + 6 * e + 2, kTruths[(j + e) % 4])
        .SetWord(BlockId::kWindow, at + 6 * e + 4, Word((j + 4 * e) % 16));
  }
}

void SetWindows(SetFileBuilder& b, std::uint32_t records_seed) {
  const BlockId id = BlockId::kWindow;
  // Every byte first, colours and the bytes nobody reads included; two
  // consecutive records seeds differ in both bytes of every word.
  for (std::size_t offset = 0; offset + 1 < Layout(id).size; offset += 2) {
    b.SetWord(id, offset,
              Word(offset / 2 * 40503u + records_seed * 2654435761u));
  }
  b.SetWord(id, 0, Word(7 + records_seed));
  constexpr std::uint16_t kOneIsOn[] = {0, 1, 2, 257};
  for (std::size_t w = 0; w < 50; ++w) {
    std::size_t j = w + records_seed;
    std::size_t at = 2 + w * 192;
    SetEdges(b, at, j);
    for (std::size_t e = 0; e < 4; ++e) {
      SetLabel(b, id, at + 24 + 22 * e, 11, u"F", j * 4 + e, j + e);
    }
    b.SetWord(id, at + 112, Word(j % 5))
        .SetWord(id, at + 166, kOneIsOn[j % 4])
        .SetWord(id, at + 172, kOneIsOn[(j + 1) % 4])
        .SetWord(id, at + 178, Word(j % 6 == 0 ? 0xFFFF : j * 3 % 60 - 5))
        .SetWord(id, at + 180, Word(j % 3))
        .SetWord(id, at + 188, kOneIsOn[(j + 2) % 4])
        .SetWord(id, at + 190, Word(j % 4));
    SetLabel(b, id, at + 114, 26, u"Window ", j, j);
  }
  // Hot-key rows: the search keyword, past the table, empty rows, ends.
  constexpr std::uint16_t kHotKeyArguments[] = {284, 285, 0xFFFF, 246,
                                                283, 0,   265,    127};
  for (std::size_t k = 0; k < 26; ++k) {
    std::size_t j = k + records_seed;
    std::size_t at = 9602 + k * 1942;
    SetEdges(b, at, j);
    b.SetWord(id, at + 24, Word(j % 3))
        .SetWord(id, at + 78, Word(j % 3))
        .SetWord(id, at + 80, Word(j % 11 - 1));
    SetLabel(b, id, at + 26, 26, u"Hyper ", j, j);
    SetLabel(b, id, at + 82, 33, u"Find ", j, j + 1);
    for (std::size_t s = 0; s < 3; ++s) {
      b.SetWord(id, at + 154 + 2 * s, Word((j + 4 * s) % 10))
          .SetWord(id, at + 160 + 2 * s, kHotKeyArguments[(j + s) % 8])
          .SetWord(id, at + 166 + 2 * s, Word(62 + (j * 5 + s * 7) % 33))
          .SetWord(id, at + 370 + 2 * s, Word((j * 7 + s) * 91 - 1000));
      SetLabel(b, id, at + 172 + 66 * s, 33, u"Say ", j * 3 + s, j + s);
      SetLabel(b, id, at + 376 + 522 * s, kNameUnits, u"D:\\Hyper", j * 3 + s,
               j + s + 1);
    }
  }
}

}  // namespace

SetFileBuilder BusySetFile(std::uint32_t seed, std::uint32_t records_seed) {
  SetFileBuilder b;
  SetSmallBlocks(b, seed);
  SetHotKeys(b, records_seed);
  SetCursorKeys(b, records_seed);
  SetWindows(b, records_seed);
  constexpr std::u16string_view kStems[] = {u"C:\\Dict\\Exceptions", u"Zeichen",
                                            u"Tasten_Naïve", u"Grafik",
                                            u"Farben"};
  for (std::size_t i = 0; i < std::size(kStems); ++i) {
    SetLabel(b, BlockId::kDictionary, i * 2 * kNameUnits, kNameUnits, kStems[i],
             i + records_seed, i + records_seed + 1);
  }
  return b;
}

SetFileBuilder RandomSetFile(std::mt19937& random) {
  SetFileBuilder builder =
      random() % 2 ? BusySetFile(static_cast<std::uint32_t>(random() % 100000))
                   : SetFileBuilder();
  int changes = static_cast<int>(random() % 40);
  for (int i = 0; i < changes; ++i) {
    auto block = static_cast<BlockId>(random() % kBlockCount);
    std::size_t size = Layout(block).size;
    builder.SetWord(block, (random() % (size / 2)) * 2,
                    static_cast<std::uint16_t>(random() % 8));
  }
  return builder;
}

SetFileBuilder HostileSetFile(std::mt19937& random) {
  SetFileBuilder builder;
  // Bytes drawn from a few that matter (CR, LF, blanks, "=", ";", the
  // halves of surrogates) as often as from all the others.
  constexpr std::uint8_t kTelling[] = {0x0D, 0x0A, 0x20, 0x09, 0x3D,
                                       0x3B, 0xD8, 0xDC, 0x00, 0xFF};
  for (std::size_t at = kHeaderSize; at < kSetFileSize; ++at) {
    auto byte = static_cast<std::uint8_t>(random());
    if (random() % 2 == 0) byte = kTelling[random() % std::size(kTelling)];
    builder.SetFileByte(at, byte);
  }
  return builder;
}

std::vector<NamedSetFile> ViewGoldenFiles() {
  std::vector<NamedSetFile> files = {{"O.000", BusySetFile(1)}};
  for (std::uint32_t i = 0; i < 4; ++i) {
    files.push_back({"B" + std::to_string(i) + ".000", BusySetFile(10 + i)});
  }
  std::mt19937 random(39);
  for (int i = 0; i < 6; ++i) {
    SetFileBuilder file = BusySetFile(1);
    for (int change = 0; change < 4; ++change) {
      auto block = static_cast<BlockId>(random() % 2);  // screen, keyboard
      file.SetWord(block, 2 * (random() % 4),
                   static_cast<std::uint16_t>(1 + random() % 3));
    }
    files.push_back({"N" + std::to_string(i) + ".000", file});
  }
  for (int i = 0; i < 3; ++i) {
    files.push_back({"H" + std::to_string(i) + ".000", HostileSetFile(random)});
  }
  return files;
}

}  // namespace quorlith
