#include "cli/win32_console.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quorlith {
namespace {

// Greek, Hebrew and an emoji, written in pieces that split characters.
const std::string kText =
    "\xCE\xB1\xCE\xB2 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x98\x80 ok\n";

void WriteInPieces(HANDLE handle) {
  Win32ConsoleBuffer buffer(handle);
  std::ostream out(&buffer);
  for (std::size_t at = 0; at < kText.size(); at += 3) {
    out << kText.substr(at, 3) << std::flush;
  }
}

// A pipe gets the UTF-8 bytes, and never waits for a key.
TEST(Win32Console, PipeGetsUtf8Bytes) {
  HANDLE read_end, write_end;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  EXPECT_FALSE(WaitForKey(read_end));
  WriteInPieces(write_end);
  CloseHandle(write_end);
  char got[256];
  DWORD n = 0;
  ReadFile(read_end, got, sizeof got, &n, nullptr);
  CloseHandle(read_end);
  EXPECT_EQ(std::string(got, n), kText);
}

// A console of its own, as a double click in Explorer opens, shows the
// characters whole whatever its code page, and waits for a key, and only
// for a key going down.
TEST(Win32Console, OwnConsoleGetsUtf16AndWaitsForAKey) {
  FreeConsole();
  EXPECT_FALSE(AloneOnConsole());
  ASSERT_TRUE(AllocConsole());
  EXPECT_TRUE(AloneOnConsole());
  auto open = [](const wchar_t* name) {
    return CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  };
  HANDLE output = open(L"CONOUT$");
  SetConsoleOutputCP(437);
  WriteInPieces(output);
  const std::wstring kWide =
      L"\x03B1\x03B2 \x05E9\x05DC\x05D5\x05DD \xD83D\xDE00 ok";
  wchar_t shown[64];
  DWORD n = 0;
  ReadConsoleOutputCharacterW(output, shown, static_cast<DWORD>(kWide.size()),
                              {0, 0}, &n);
  EXPECT_EQ(std::wstring(shown, n), kWide);
  HANDLE input = open(L"CONIN$");
  INPUT_RECORD keys[2] = {{KEY_EVENT, {}}, {KEY_EVENT, {}}};
  keys[1].Event.KeyEvent.bKeyDown = TRUE;  // the first is a key going up
  ASSERT_TRUE(WriteConsoleInputW(input, keys, 2, &n));
  EXPECT_TRUE(WaitForKey(input));
  GetNumberOfConsoleInputEvents(input, &n);
  EXPECT_EQ(n, 0u);
  CloseHandle(input);
  CloseHandle(output);
  FreeConsole();
}

// Explorer shows quorlith.exe with its icon, its Properties with its
// version; the program stands beside the tests.
TEST(Win32Console, ProgramHasItsIconAndVersion) {
  // Found first beside the program that loads it.
  HMODULE image =
      LoadLibraryExW(L"quorlith.exe", nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(FindResourceW(image, L"APPICON", RT_GROUP_ICON), nullptr);
  EXPECT_NE(FindResourceW(image, MAKEINTRESOURCEW(1), RT_VERSION), nullptr);
  FreeLibrary(image);
}

}  // namespace
}  // namespace quorlith
