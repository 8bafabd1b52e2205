#pragma once

#include <windows.h>

#include <streambuf>
#include <string>

namespace quorlith {

// Takes the console program's UTF-8 text for a standard handle. A console
// gets it as UTF-16 through WriteConsoleW, so every character shows
// whatever the console's code page; a file or pipe gets the UTF-8 bytes
// as they are, the same bytes the Linux program writes.
class Win32ConsoleBuffer : public std::streambuf {
 public:
  explicit Win32ConsoleBuffer(HANDLE handle);
  ~Win32ConsoleBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  HANDLE handle_;
  bool console_;
  // Text not yet written; on a console, a character whose bytes have not
  // all arrived waits here for the rest.
  std::string pending_;
};

// True iff this process is the only one attached to its console: the
// system opened that console for it, as for a program started from
// Explorer, and closes it as soon as the program ends.
bool AloneOnConsole();

// Waits until a key goes down on the console input `input`. Returns false
// at once when `input` is no console.
bool WaitForKey(HANDLE input);

}  // namespace quorlith
