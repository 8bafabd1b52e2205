// Writes COUNT distinct busy set files into FOLDER as S00000.000, ...
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "setfile/busy_set_file_builder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_sets COUNT FOLDER\n");
    return 2;
  }
  long count = std::strtol(argv[1], nullptr, 10);
  std::string folder = argv[2];
  for (long i = 0; i < count; ++i) {
    auto bytes = quorlith::BusySetFile(static_cast<std::uint32_t>(i)).Bytes();
    char name[32];
    std::snprintf(name, sizeof name, "/S%05ld.000", i);
    std::ofstream file(folder + name, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      std::fprintf(stderr, "make_sets: cannot write %s%s\n", folder.c_str(),
                   name);
      return 1;
    }
  }
  return 0;
}
