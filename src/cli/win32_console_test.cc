#include "cli/win32_console.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace quorlith {
namespace {

// Greek, Hebrew and an emoji, written in pieces that split characters.
const std::string kText =
    "\xCE\xB1\xCE\xB2 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xF0\x9F\x98\x80 ok\n";
const std::wstring kWide =
    L"\x03B1\x03B2 \x05E9\x05DC\x05D5\x05DD \xD83D\xDE00 ok";

void WriteInPieces(HANDLE handle) {
  Win32ConsoleBuffer buffer(handle);
  std::ostream out(&buffer);
  for (std::size_t at = 0; at < kText.size(); at += 3) {
    out << kText.substr(at, 3) << std::flush;
  }
}

TEST(Win32Console, PipeGetsUtf8Bytes) {
  HANDLE read_end, write_end;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  WriteInPieces(write_end);
  CloseHandle(write_end);
  char got[256];
  DWORD n = 0;
  ReadFile(read_end, got, sizeof got, &n, nullptr);
  CloseHandle(read_end);
  EXPECT_EQ(std::string(got, n), kText);
}

TEST(Win32Console, ConsoleGetsUtf16) {
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(console, INVALID_HANDLE_VALUE);
  // Whatever the console's code page, the characters arrive whole.
  SetConsoleOutputCP(437);
  WriteInPieces(console);
  wchar_t shown[64];
  DWORD n = 0;
  ASSERT_TRUE(ReadConsoleOutputCharacterW(
      console, shown, static_cast<DWORD>(kWide.size()), {0, 0}, &n));
  EXPECT_EQ(std::wstring(shown, n), kWide);
  CloseHandle(console);
  FreeConsole();
}

// A console of its own, as a double click in Explorer opens, waits for a
// key, and only for a key going down; a pipe does not wait.
TEST(Win32Console, WaitsForAKeyOnlyOnItsOwnConsole) {
  FreeConsole();
  EXPECT_FALSE(AloneOnConsole());
  ASSERT_TRUE(AllocConsole());
  EXPECT_TRUE(AloneOnConsole());
  HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(input, INVALID_HANDLE_VALUE);
  INPUT_RECORD keys[2] = {};
  for (INPUT_RECORD& key : keys) {
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.uChar.UnicodeChar = L'x';
  }
  keys[1].Event.KeyEvent.bKeyDown = TRUE;  // the first is a key going up
  DWORD written = 0;
  ASSERT_TRUE(WriteConsoleInputW(input, keys, 2, &written));
  EXPECT_TRUE(WaitForKey(input));
  DWORD left = 1;
  GetNumberOfConsoleInputEvents(input, &left);
  EXPECT_EQ(left, 0u);
  CloseHandle(input);

  HANDLE read_end, write_end;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  EXPECT_FALSE(WaitForKey(read_end));
  CloseHandle(read_end);
  CloseHandle(write_end);
  FreeConsole();
}

// Explorer shows quorlith.exe with its icon, its Properties with its
// version; the program stands beside the tests.
TEST(Win32Console, ProgramHasItsIconAndVersion) {
  wchar_t tests[MAX_PATH];
  GetModuleFileNameW(nullptr, tests, MAX_PATH);
  std::wstring program = tests;
  program.replace(program.find_last_of(L'\\') + 1, std::wstring::npos,
                  L"quorlith.exe");
  HMODULE image = LoadLibraryExW(program.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(FindResourceW(image, L"APPICON", RT_GROUP_ICON), nullptr);
  HRSRC version = FindResourceW(image, MAKEINTRESOURCEW(1), RT_VERSION);
  ASSERT_NE(version, nullptr);
  auto* data = static_cast<const wchar_t*>(
      LockResource(LoadResource(image, version)));
  std::wstring_view text(data, SizeofResource(image, version) / 2);
  // The key, the padding to a 32-bit boundary, then the value.
  std::size_t at = text.find(L"ProductVersion");
  ASSERT_NE(at, std::wstring_view::npos);
  at = text.find_first_not_of(L'\0', at + 14);
  EXPECT_EQ(text.substr(at, 4), std::wstring_view(L"7.0\0", 4));
  FreeLibrary(image);
}

}  // namespace
}  // namespace quorlith
