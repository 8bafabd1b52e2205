// File-name completion, report naming and wildcard matching on arbitrary
// strings: the input is cut at NUL bytes into a pattern, a name and an
// output name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runs/file_names.h"
#include "runs/windows_file_names.h"
#include "text/report_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quorlith;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view parts[3];
  for (std::string_view& part : parts) {
    std::size_t nul = input.find('\0');
    part = input.substr(0, nul);
    input = nul == std::string_view::npos ? std::string_view()
                                          : input.substr(nul + 1);
  }
  const auto& [pattern, name, output] = parts;

  NameParts split = SplitFileName(pattern, "/cwd/");
  if (split.Joined().empty()) __builtin_trap();
  if (!split.directory.empty() && split.directory.back() != '/')
    __builtin_trap();
  if (split.name.find('/') != std::string::npos) __builtin_trap();

  NameParts windows = SplitFileName(pattern, "C:\\cwd\\", PathStyle::kWindows);
  if (windows.drive.empty()) __builtin_trap();
  for (char c : windows.name + windows.extension) {
    if (IsWindowsSeparator(c)) __builtin_trap();
  }
  (void)FitsWindowsLimits(pattern);

  bool matches = MatchesWildcard(pattern, name);
  if (!MatchesWildcard(name, name)) __builtin_trap();
  if (pattern == "*" && !matches) __builtin_trap();

  std::string report = ReportNameNextToInput(name);
  if (report.size() != name.size()) __builtin_trap();
  (void)ReportPathFromOutputName(SplitFileName(output, "/cwd/"), name);
  (void)LooksLikeSetFileName(report);
  if (CompareNames(pattern, name) != -CompareNames(name, pattern))
    __builtin_trap();

  // Every byte string survives the trip to report text as valid UTF-16.
  std::u16string text = Utf8ToUtf16(name);
  std::string back = Utf16ToUtf8(text);
  if (Utf8ToUtf16(back) != text) __builtin_trap();
  return 0;
}
