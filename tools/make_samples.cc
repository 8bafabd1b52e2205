// Writes samples/DEFAULT.000, a plausible factory configuration, and
// samples/CUSTOM.000, the same with a handful of settings changed in
// several menus. Both are built field by field, so running this again
// gives the same bytes.
#include <cstdio>
#include <fstream>
#include <string>

#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

constexpr std::uint16_t kKeyNameBase = 0xF400;
constexpr std::uint16_t kHome = kKeyNameBase + 6;
constexpr std::uint16_t kLeftArrow = kKeyNameBase + 10;
constexpr std::uint16_t kF1 = kKeyNameBase + 0x12;

constexpr std::size_t kHotKeyRecordSize = 18;
constexpr std::size_t kCursorKeyRecordSize = 1066;
constexpr std::size_t kStandardWindowsOffset = 2;
constexpr std::size_t kStandardWindowSize = 192;
constexpr std::size_t kHyperactiveOffset = 9602;
constexpr std::size_t kHyperactiveSize = 1942;

void SetHotKey(SetFileBuilder& b, std::size_t slot, std::uint16_t control,
               std::uint16_t alt, std::uint16_t shift, std::uint16_t insert,
               std::uint16_t key) {
  std::size_t at = kHotKeyRecordSize * slot;
  b.SetWord(BlockId::kHotKey, at + 2, control)
      .SetWord(BlockId::kHotKey, at + 4, alt)
      .SetWord(BlockId::kHotKey, at + 6, shift)
      .SetWord(BlockId::kHotKey, at + 8, insert)
      .SetWord(BlockId::kHotKey, at + 16, key);
}

void SetCursorKey(SetFileBuilder& b, std::size_t key, std::int16_t command,
                  std::int16_t number, std::uint16_t control, std::uint16_t alt,
                  std::uint16_t code, std::uint16_t delay) {
  std::size_t at = kCursorKeyRecordSize * key;
  b.SetWord(BlockId::kCursorKey, at, static_cast<std::uint16_t>(command))
      .SetWord(BlockId::kCursorKey, at + 4, static_cast<std::uint16_t>(number))
      .SetWord(BlockId::kCursorKey, at + 1056, control)
      .SetWord(BlockId::kCursorKey, at + 1058, alt)
      .SetWord(BlockId::kCursorKey, at + 1062, code)
      .SetWord(BlockId::kCursorKey, at + 1064, delay);
}

void SetStandardWindow(SetFileBuilder& b, std::size_t w, std::int16_t left,
                       std::int16_t top, std::int16_t right,
                       std::int16_t bottom, std::u16string_view comment) {
  std::size_t at = kStandardWindowsOffset + kStandardWindowSize * w;
  auto word = [](std::int16_t v) { return static_cast<std::uint16_t>(v); };
  b.SetWord(BlockId::kWindow, at + 0, word(left))
      .SetWord(BlockId::kWindow, at + 6, word(top))
      .SetWord(BlockId::kWindow, at + 12, word(right))
      .SetWord(BlockId::kWindow, at + 18, word(bottom))
      .SetWord(BlockId::kWindow, at + 112, 1)
      .SetText(BlockId::kWindow, at + 114, comment);
}

SetFileBuilder Factory() {
  SetFileBuilder b;
  // Speech: voices on, middle rate and pitch, punctuation by dictionary.
  b.SetWord(BlockId::kScreen, 0, 1)
      .SetWord(BlockId::kScreen, 2, 50)
      .SetWord(BlockId::kScreen, 4, 45)
      .SetWord(BlockId::kScreen, 6, u'M')
      .SetWord(BlockId::kScreen, 8, 80);
  for (std::size_t offset = 10; offset <= 16; offset += 2) {
    b.SetWord(BlockId::kScreen, offset, 1);
  }
  b.SetWord(BlockId::kScreen, 22, 1)
      .SetWord(BlockId::kScreen, 24, 2)
      .SetWord(BlockId::kScreen, 34, 1)
      .SetWord(BlockId::kScreen, 36, 4)
      .SetText(BlockId::kScreen, 38, u"-=_*")
      .SetWord(BlockId::kScreen, 50, 1)
      .SetWord(BlockId::kScreen, 52, 4)
      .SetWord(BlockId::kScreen, 54, 1)
      .SetWord(BlockId::kScreen, 60, 1);
  b.SetWord(BlockId::kKeyboard, 0, 1)
      .SetWord(BlockId::kKeyboard, 2, 60)
      .SetWord(BlockId::kKeyboard, 4, 50)
      .SetWord(BlockId::kKeyboard, 6, u'K')
      .SetWord(BlockId::kKeyboard, 8, 70);
  for (std::size_t offset = 22; offset <= 34; offset += 2) {
    b.SetWord(BlockId::kKeyboard, offset, 1);
  }
  b.SetWord(BlockId::kKeyboard, 36, 2);

  // Hot keys: reading commands on Insert with letters and arrows.
  for (std::size_t slot = 0; slot < 120; ++slot) {
    auto letter = static_cast<std::uint16_t>(u'a' + slot % 26);
    auto control = static_cast<std::uint16_t>((slot / 26) % 2);
    auto alt = static_cast<std::uint16_t>((slot / 52) % 2);
    SetHotKey(b, slot, control, alt, 0, 1, letter);
  }
  SetHotKey(b, 126, 0, 0, 0, 1, kF1);  // Read_Entire_Screen
  SetHotKey(b, 127, 0, 0, 1, 1, kF1);

  // Cursor keys: Control and Alt with Home, arrows and function keys.
  for (std::size_t key = 0; key < 20; ++key) {
    auto command = static_cast<std::int16_t>(1 + key);
    auto code = static_cast<std::uint16_t>(key < 10 ? kHome + key : kF1 + key);
    SetCursorKey(b, key, command, static_cast<std::int16_t>(key % 5),
                 static_cast<std::uint16_t>(key % 2), 1, code,
                 static_cast<std::uint16_t>(100 + 10 * key));
  }
  SetCursorKey(b, 4, 22, 3, 1, 0, kHome, 250);  // Control-Home speaks window 3

  // Mouse: speech with pointer identification, underline and bold found.
  const std::uint16_t kMouse[] = {1, 50, 50, u'P', 70, 1, 1, 1, 1, 1, 1, 0, 1};
  for (std::size_t i = 0; i < std::size(kMouse); ++i) {
    b.SetWord(BlockId::kMouse, 2 * i, kMouse[i]);
  }
  b.SetByte(BlockId::kMouse, 30, 0x0C);

  // General and global settings, in block order.
  const std::uint16_t kGeneral[] = {0, 1, 1, 1,   1,  0xFFFF, 1, 1, 1, 1,
                                    2, 1, 0, 300, 50, 3,      1, 1, 1};
  for (std::size_t i = 0; i < std::size(kGeneral); ++i) {
    b.SetWord(BlockId::kGeneral, 2 * i, kGeneral[i]);
  }

  // Braille: 40 cells, grade 2, quick messages for three seconds.
  const std::uint16_t kBraille[] = {1, 1,    40, 0, 1, 1, 0, 1, 1,    1, 0, 500,
                                    1, 3000, 1,  0, 0, 8, 1, 1, 0xC0, 1, 0};
  for (std::size_t i = 0; i < std::size(kBraille); ++i) {
    b.SetWord(BlockId::kBraille, 2 * i, kBraille[i]);
  }

  // Verbosity: most announcements on.
  for (std::size_t offset = 0; offset < 376; offset += 2) {
    if (offset % 6 != 4) b.SetWord(BlockId::kVerbosity, offset, 1);
  }

  // Windows: five standard windows, no chain reads, two hyperactive ones.
  b.SetWord(BlockId::kWindow, 0, 1);
  for (std::size_t w = 0; w < 50; ++w) {
    b.SetWord(BlockId::kWindow,
              kStandardWindowsOffset + kStandardWindowSize * w + 178, 0xFFFF);
  }
  SetStandardWindow(b, 0, 0, 0, 79, 24, u"Full screen");
  SetStandardWindow(b, 1, 0, 0, 79, 0, u"Title bar");
  SetStandardWindow(b, 2, 0, 24, 79, 24, u"Status line");
  SetStandardWindow(b, 3, 0, 1, 79, 1, u"Menu bar");
  SetStandardWindow(b, 12, 10, 5, 69, 20, u"Dialog");
  for (std::size_t k = 0; k < 2; ++k) {
    std::size_t at = kHyperactiveOffset + kHyperactiveSize * k;
    b.SetWord(BlockId::kWindow, at + 18, 24)
        .SetWord(BlockId::kWindow, at + 12, 79)
        .SetWord(BlockId::kWindow, at + 24, 1)
        .SetText(BlockId::kWindow, at + 26, k == 0 ? u"New mail" : u"Alerts")
        .SetWord(BlockId::kWindow, at + 80, static_cast<std::uint16_t>(3 + k))
        .SetText(BlockId::kWindow, at + 82, k == 0 ? u"Inbox" : u"Alert")
        .SetWord(BlockId::kWindow, at + 154, 1)
        .SetWord(BlockId::kWindow, at + 166, 2);
  }

  const std::u16string_view kDictionaries[] = {u"DEFAULT.EXC", u"DEFAULT.CHR",
                                               u"DEFAULT.KEY", u"DEFAULT.GRF",
                                               u"DEFAULT.CLR"};
  for (std::size_t i = 0; i < 5; ++i) {
    b.SetText(BlockId::kDictionary, 522 * i, kDictionaries[i]);
  }
  return b;
}

SetFileBuilder Custom() {
  SetFileBuilder b = Factory();
  b.SetWord(BlockId::kScreen, 2, 65)            // faster speech
      .SetWord(BlockId::kScreen, 12, 2)         // all math symbols
      .SetWord(BlockId::kKeyboard, 38, 3);      // interruptability
  SetHotKey(b, 126, 1, 1, 0, 1, kF1);           // a moved hot key
  SetCursorKey(b, 4, 22, 3, 1, 0, kHome, 500);  // slower delay
  b.SetWord(BlockId::kVerbosity, 4, 1)
      .SetWord(BlockId::kBraille, 4, 80)
      .SetText(BlockId::kDictionary, 0, u"CUSTOM.EXC")
      .SetText(BlockId::kWindow,
               kStandardWindowsOffset + 114 + kStandardWindowSize * 2,
               u"Status bar");
  SetHotKey(b, 7, 0, 0, 0, 1, kLeftArrow);
  return b;
}

bool Save(const std::string& path, const SetFileBuilder& b) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(b.Bytes().data()),
             static_cast<std::streamsize>(b.Bytes().size()));
  file.close();
  if (!file)
    std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace
}  // namespace quorlith

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? std::string(argv[1]) + "/" : "samples/";
  bool ok = quorlith::Save(dir + "DEFAULT.000", quorlith::Factory());
  ok = quorlith::Save(dir + "CUSTOM.000", quorlith::Custom()) && ok;
  return ok ? 0 : 1;
}
