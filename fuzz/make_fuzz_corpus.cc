// Writes the seed corpus of the fuzz harnesses, built with the set-file
// builder: valid files, files with one header fault, short and long files,
// pairs that differ in a few settings, and file names of every kind.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "setfile/busy_set_file_builder.h"
#include "setfile/set_file_builder.h"

namespace {

using quorlith::SetFileBuilder;
using Bytes = std::vector<std::uint8_t>;

void Save(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

Bytes WithMode(std::uint8_t mode, const Bytes& bytes) {
  Bytes out{mode};
  out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir = argc > 1 ? argv[1] : "fuzz/corpus";
  Bytes valid = SetFileBuilder().Bytes();
  Bytes busy = quorlith::BusySetFile(1).Bytes();
  Bytes bad_version = SetFileBuilder().SetFileByte(22, 46).Bytes();
  Bytes short_file(valid.begin(), valid.begin() + 40);
  Bytes long_file = valid;
  long_file.push_back(0);

  Save(dir + "/report/valid", WithMode(0, valid));
  Save(dir + "/report/busy", WithMode(0, busy));
  Save(dir + "/report/bad_version", WithMode(0, bad_version));
  Save(dir + "/report/short", WithMode(1, short_file));
  Save(dir + "/report/long", WithMode(1, long_file));
  Save(dir + "/report/blocks",
       WithMode(1, Bytes(busy.begin() + 26, busy.end())));

  Bytes body(busy.begin() + 26, busy.end());
  Bytes pair{0x00, 0x02};  // split after 512 bytes
  pair.insert(pair.end(), body.begin(), body.begin() + 512);
  pair.insert(pair.end(), body.begin(), body.begin() + 600);
  Save(dir + "/compare/few_differences", pair);
  Bytes whole{0xFF, 0xFF};
  whole.insert(whole.end(), body.begin(), body.end());
  Save(dir + "/compare/original_only", whole);

  // Reports to compile: a whole decompile as a report file holds it, and a
  // comparison saved by an editor as UTF-8 with LF line ends.
  quorlith::ReportText report;
  quorlith::RenderDecompileReport({"/sets/BUSY.000", {}},
                                  quorlith::BusySetFile(2).Image(), report);
  Bytes utf16;
  for (char16_t unit : report) {
    utf16.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    utf16.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  Save(dir + "/compile/decompile", utf16);
  quorlith::RenderComparisonReport({"/o.000", {}}, {"/n.000", {}},
                                   quorlith::BusySetFile(1).Image(),
                                   quorlith::BusySetFile(3).Image(), report);
  std::string utf8 = quorlith::Utf16ToUtf8(report);
  std::erase(utf8, '\r');
  Save(dir + "/compile/comparison", Bytes(utf8.begin(), utf8.end()));

  using namespace std::string_literals;
  const std::string names[] = {
      "*.000\0DEFAULT.000\0/out/"s,
      "/sets/DEFAULT\0MY.OLD.000\0/r/ALL.TXT"s,
      "?a*b*.0?0\0xab.0t0\0"s,
      "/v1.0/*\0\xFF\xFE.000\0../x"s,
      "\0\0\0"s,
  };
  int n = 0;
  for (const std::string& name : names) {
    Save(dir + "/names/seed" + std::to_string(n++),
         Bytes(name.begin(), name.end()));
  }
  return 0;
}
