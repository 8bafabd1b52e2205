// Writes the golden reports into FOLDER (testdata/ in the source tree), one
// UTF-8 file each. Run it through tools/regen-goldens.sh after a change to
// the reports that is meant, and read the diff before committing it.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "compile/compile_testing.h"
#include "merge/merge_testing.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_goldens FOLDER\n");
    return 2;
  }
  std::vector<quorlith::GoldenReport> goldens = quorlith::GoldenReports();
  goldens.push_back(quorlith::MergeConflictsGolden());
  goldens.push_back(quorlith::CompileProblemsGolden(argv[1]));
  for (const quorlith::GoldenReport& golden : goldens) {
    std::string path = std::string(argv[1]) + "/" + golden.file_name;
    std::ofstream file(path, std::ios::binary);
    file << golden.text;
    if (!file) {
      std::fprintf(stderr, "make_goldens: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
