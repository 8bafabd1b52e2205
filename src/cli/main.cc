#include <csignal>
#include <iostream>

#include "cli/console.h"
#include "runs/posix_file_system.h"

int main(int argc, char** argv) {
#ifdef SIGPIPE
  // A log pipe whose reader has gone must not end the run: the write fails
  // instead, and the console stops writing to that stream.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  quorlith::PosixFileSystem fs;
  return quorlith::RunConsole(argc, argv, std::cout, std::cerr, fs);
}
