#include "cli/win32_console.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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
  std::string got(256, '\0');
  DWORD n = 0;
  ReadFile(read_end, got.data(), static_cast<DWORD>(got.size()), &n, nullptr);
  CloseHandle(read_end);
  got.resize(n);
  EXPECT_EQ(got, kText);
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
  std::wstring shown(kWide.size(), L'\0');
  DWORD n = 0;
  ASSERT_TRUE(ReadConsoleOutputCharacterW(
      console, shown.data(), static_cast<DWORD>(shown.size()), {0, 0}, &n));
  shown.resize(n);
  EXPECT_EQ(shown, kWide);
  CloseHandle(console);
  FreeConsole();
}

}  // namespace
}  // namespace quorlith
