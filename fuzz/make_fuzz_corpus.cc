// Writes the seed corpus of the fuzz harnesses, built with the set-file
// builder: valid files, files with one header fault, short and long files,
// pairs that differ in a few settings, report lines and the keywords and
// value names they are made of, and file names of every kind.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "sections/schema.h"
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

  // Patches of a busy file, one at the start of each block: eight bytes
  // each for the comparison, and for the merge one to mine and the next to
  // theirs, the same bytes in a block of its own.
  Bytes pair;
  for (std::size_t block = 0; block < quorlith::kBlockCount; ++block) {
    std::size_t word =
        (quorlith::kBlockLayouts[block].file_offset - quorlith::kHeaderSize) /
        2;
    Bytes patch = {0, 0, 8, 0x41, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x0A, 0x00};
    patch[0] = static_cast<std::uint8_t>(word);
    patch[1] = static_cast<std::uint8_t>(word >> 8);
    Save(dir + "/compare/block" + std::to_string(block), patch);
    Bytes merge = WithMode(1, patch);
    merge.insert(merge.end(), pair.begin(), pair.end());
    Save(dir + "/merge/block" + std::to_string(block), merge);
    pair = patch;
  }

  // Lines to compile: under each section's title byte, its first two
  // setting lines as a busy file's report writes them, and the global
  // forms; beside them, the dictionary of every keyword and value name.
  quorlith::ReportText report;
  quorlith::RenderDecompileReport({"/sets/BUSY.000", {}},
                                  quorlith::BusySetFile(2).Image(), report);
  const auto& titles = quorlith::SectionTitles();
  std::size_t section = 0, taken = 0;
  std::string text = quorlith::Utf16ToUtf8(report);
  for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
    end = std::min(text.find("\r\n", at), text.size());
    std::string line = text.substr(at, end - at);
    for (std::size_t i = 0; i < titles.size(); ++i) {
      if (line == quorlith::Utf16ToUtf8(titles[i])) section = i, taken = 0;
    }
    if (line.starts_with(";") || line.find(" = ") == std::string::npos ||
        taken++ >= 2) {
      continue;
    }
    line.insert(line.begin(), static_cast<char>(section));
    Save(dir + "/compile/" + std::to_string(section) + "-" +
             std::to_string(taken),
         Bytes(line.begin(), line.end()));
  }
  std::set<std::u16string> words = {u"any_hot_key", u"cursor_key",
                                    u"window#*h_", u"window#*s_", u"Undefined"};
  // A record's settings once, as its first record spells them: the
  // fuzzer changes the number or letter itself.
  std::set<std::u16string> shapes;
  for (const quorlith::SchemaSetting& s : quorlith::AllSettings()) {
    std::u16string shape = s.keyword;
    std::size_t hash = shape.find(u'#'), end = shape.find(u'_', hash);
    if (hash != std::u16string::npos) shape.replace(hash, end - hash, u"#");
    if (shapes.insert(shape).second) words.insert(s.keyword);
    for (std::u16string_view name : s.setting->field.names) {
      if (!name.empty()) words.insert(std::u16string(name));
    }
  }
  std::ofstream dict(dir + "/../compile.dict", std::ios::binary);
  for (const std::u16string& word : words) {
    dict << '"';
    for (unsigned char c : quorlith::Utf16ToUtf8(word)) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped,
                    c < 0x20 || c > 0x7E    ? "\\x%02X"
                    : c == '"' || c == '\\' ? "\\%c"
                                            : "%c",
                    c);
      dict << escaped;
    }
    dict << "\"\n";
  }

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
