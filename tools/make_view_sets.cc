// Writes the files the views' goldens are made of (ViewGoldenFiles) into
// FOLDER, for tools/regen-view-goldens.sh.
//   make_view_sets FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "setfile/busy_set_file_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_view_sets FOLDER\n");
    return 2;
  }
  for (const quorlith::NamedSetFile& named : quorlith::ViewGoldenFiles()) {
    std::string path = std::string(argv[1]) + "/" + named.name;
    const auto& bytes = named.file.Bytes();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      std::fprintf(stderr, "make_view_sets: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
