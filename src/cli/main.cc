#include <iostream>

#include "cli/console.h"
#include "runs/posix_file_system.h"

int main(int argc, char** argv) {
  quorlith::PosixFileSystem fs;
  return quorlith::RunConsole(argc, argv, std::cout, std::cerr, fs);
}
