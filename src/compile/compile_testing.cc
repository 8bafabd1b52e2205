#include "compile/compile_testing.h"

#include <fstream>
#include <iterator>

#include "setfile/busy_set_file_builder.h"

namespace quorlith {

std::string ProblemLines(const CompileOutcome& outcome) {
  std::string text;
  for (const CompileProblem& p : outcome.problems) {
    text += std::to_string(p.line) + ":" + std::to_string(p.column) + ": " +
            Utf16ToUtf8(p.message) + "\n";
  }
  return text;
}

GoldenReport CompileProblemsGolden(const std::string& testdata, bool stored) {
  std::ifstream in(testdata + "/compile/problems.t00", std::ios::binary);
  std::string file{std::istreambuf_iterator<char>(in), {}};
  // A NUL, which the report cannot hold as text, is written there as
  // "<NUL>".
  for (std::size_t at; (at = file.find("<NUL>")) != std::string::npos;) {
    file.replace(at, 5, 1, '\0');
  }
  ParsedReport parsed;
  parsed.Read(ByteView(reinterpret_cast<const std::uint8_t*>(file.data()),
                       file.size()));
  if (stored) parsed.StoreAll();
  SetFileImage image;
  std::string problems =
      file.empty()
          ? ""
          : ProblemLines(parsed.Compile(BusySetFile(1).Image(), image));
  return {"compile_problems.txt", problems};
}

}  // namespace quorlith
