#include "cli/win32_console.h"

#include <cerrno>
#include <string_view>

#include "runs/win32_wide.h"

namespace quorlith {
namespace {

// The length of the part of `text` that ends with a whole UTF-8 sequence:
// a last lead byte whose continuation bytes are still missing is left out.
std::size_t CompletePrefix(std::string_view text) {
  std::size_t start = text.size();
  for (int back = 0; back < 4 && start > 0; ++back) {
    auto byte = static_cast<unsigned char>(text[start - 1]);
    if ((byte & 0xC0) != 0x80) {
      std::size_t length = byte >= 0xF0   ? 4
                           : byte >= 0xE0 ? 3
                           : byte >= 0xC0 ? 2
                                          : 1;
      return start - 1 + length > text.size() ? start - 1 : text.size();
    }
    --start;
  }
  return text.size();
}

// Says why a write failed as errno says it, which the console's callers
// read: a reader gone is a broken pipe, a full disk no space.
void SetErrno(DWORD error) {
  errno = error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA          ? EPIPE
          : error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? ENOSPC
                                                                        : EIO;
}

bool WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD put = 0;
    auto want =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle, bytes.data(), want, &put, nullptr) || put == 0) {
      SetErrno(GetLastError());
      return false;
    }
    bytes.remove_prefix(put);
  }
  return true;
}

bool WriteConsoleAll(HANDLE handle, std::wstring_view text) {
  while (!text.empty()) {
    DWORD put = 0;
    // Large writes to a console may fail with too little memory for it.
    auto want = static_cast<DWORD>(std::min<std::size_t>(text.size(), 8192));
    if (!WriteConsoleW(handle, text.data(), want, &put, nullptr) || put == 0) {
      SetErrno(GetLastError());
      return false;
    }
    text.remove_prefix(put);
  }
  return true;
}

}  // namespace

Win32ConsoleBuffer::Win32ConsoleBuffer(HANDLE handle) : handle_(handle) {
  DWORD mode = 0;
  console_ = handle != nullptr && handle != INVALID_HANDLE_VALUE &&
             GetConsoleMode(handle, &mode) != 0;
}

Win32ConsoleBuffer::~Win32ConsoleBuffer() { sync(); }

Win32ConsoleBuffer::int_type Win32ConsoleBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof()))
    return traits_type::not_eof(c);
  pending_.push_back(traits_type::to_char_type(c));
  return c;
}

std::streamsize Win32ConsoleBuffer::xsputn(const char* text,
                                           std::streamsize count) {
  pending_.append(text, static_cast<std::size_t>(count));
  return count;
}

int Win32ConsoleBuffer::sync() {
  if (pending_.empty()) return 0;
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
    pending_.clear();
    return -1;
  }
  bool ok;
  if (console_) {
    std::size_t whole = CompletePrefix(pending_);
    ok = WriteConsoleAll(handle_,
                         Widen(std::string_view(pending_).substr(0, whole)));
    pending_.erase(0, whole);
  } else {
    ok = WriteAll(handle_, pending_);
    pending_.clear();
  }
  return ok ? 0 : -1;
}

bool AloneOnConsole() {
  DWORD ids[2];
  return GetConsoleProcessList(ids, 2) == 1;
}

bool WaitForKey(HANDLE input) {
  DWORD mode = 0;
  if (!GetConsoleMode(input, &mode)) return false;
  INPUT_RECORD record;
  DWORD count = 0;
  while (ReadConsoleInputW(input, &record, 1, &count)) {
    if (count == 1 && record.EventType == KEY_EVENT &&
        record.Event.KeyEvent.bKeyDown) {
      return true;
    }
  }
  return false;
}

}  // namespace quorlith
