// Writes COUNT pseudo-random set files into FOLDER for the check that the
// Linux and Windows programs write the same reports and logs: busy and
// sparse files with random settings, names in several scripts, random
// modified times (some outside what a report header can show), and a few
// files that are not set files at all. The same SEED gives the same files.
//   make_random_sets COUNT SEED FOLDER
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "setfile/busy_set_file_builder.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

// Name stems a Windows file name may hold; the number added to each keeps
// every name distinct whatever a file system's rules of case.
constexpr const char* kStems[] = {
    "Set",
    "default",
    "MY.OLD",
    "two words",
    "Caf\xC3\xA9",                               // Café
    "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD",  // Ελλην
    "\xD7\xA2\xD7\x91\xD7\xA8\xD7\x99\xD7\xAA",  // עברית
    "\xF0\x9F\x98\x80 smile",                    // emoji
};

// Seconds since 1970: 1975 and 2110 lie outside the MS-DOS dates.
constexpr std::int64_t kTimes[] = {157766400, 4417977600};

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
               std::int64_t modified) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  struct timespec times[2] = {{static_cast<time_t>(modified), 0},
                              {static_cast<time_t>(modified), 0}};
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace
}  // namespace quorlith

int main(int argc, char** argv) {
  using namespace quorlith;
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_random_sets COUNT SEED FOLDER\n");
    return 2;
  }
  long count = std::strtol(argv[1], nullptr, 10);
  std::mt19937 random(
      static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)));
  std::string folder = std::string(argv[3]) + "/";
  std::uniform_int_distribution<std::int64_t> time(315532800, 4354819199);
  for (long i = 0; i < count; ++i) {
    std::string name = std::string(kStems[random() % std::size(kStems)]) + " " +
                       std::to_string(i) + ".000";
    std::int64_t modified = i < 2 ? kTimes[i] : time(random);
    if (!WriteFile(folder + name, RandomSetFile(random).Bytes(), modified)) {
      std::fprintf(stderr, "make_random_sets: cannot write %s\n", name.c_str());
      return 1;
    }
  }
  // Not set files: too short, and the right size with a wrong header.
  std::vector<std::uint8_t> bad = SetFileBuilder().Bytes();
  bad[0] ^= 0xFF;
  if (!WriteFile(folder + "bad short.000", {1, 2, 3}, time(random)) ||
      !WriteFile(folder + "bad header.000", bad, time(random))) {
    std::fprintf(stderr, "make_random_sets: cannot write a bad file\n");
    return 1;
  }
  ::mkdir((folder + "folder.000").c_str(), 0755);
  return 0;
}
