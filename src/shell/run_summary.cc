#include "shell/run_summary.h"

#include "text/report_text.h"

namespace quorlith {
namespace {

// "1 file", "2 files", "no errors": a count with its noun.
std::u16string Counted(std::int64_t count, std::u16string_view one,
                       std::u16string_view many, bool none_as_word = false) {
  if (count == 0 && none_as_word) return u"no " + std::u16string(many);
  return GroupedNumber(count) + u" " + std::u16string(count == 1 ? one : many);
}

}  // namespace

std::u16string GroupedNumber(std::int64_t number) {
  std::u16string digits;
  AppendDecimal(digits, number < 0 ? -number : number);
  std::u16string out = number < 0 ? u"-" : u"";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(u',');
    out.push_back(digits[i]);
  }
  return out;
}

std::u16string ProgressText(std::size_t done, std::size_t total) {
  return GroupedNumber(static_cast<std::int64_t>(done)) + u" of " +
         GroupedNumber(static_cast<std::int64_t>(total));
}

std::u16string SummaryText(const RunOutcome& outcome) {
  std::u16string text;
  std::int64_t files = outcome.kind == RunKind::kCompile
                           ? outcome.written
                           : outcome.tally.counted;
  switch (outcome.kind) {
    case RunKind::kDecompile:
      text = u"Decompiled ";
      break;
    case RunKind::kCompare:
      text = u"Compared ";
      break;
    case RunKind::kCompile:
      text = u"Compiled ";
      break;
  }
  text += Counted(files, u"file", u"files");
  text += u", " + Counted(static_cast<std::int64_t>(outcome.errors), u"error",
                          u"errors", true);
  if (outcome.kind == RunKind::kCompare) {
    std::int64_t differ = outcome.tally.settings_differ;
    text += u"; " + GroupedNumber(differ) +
            (differ == 1 ? u" setting differs" : u" settings differ");
  }
  text += u".";
  if (files > 0 && outcome.kind != RunKind::kCompile) {
    text += files == 1 ? u" Report" : u" Reports";
    if (outcome.kind == RunKind::kCompare) {
      text +=
          files == 1 ? u" next to the new file." : u" next to the new files.";
    } else if (outcome.mode == RunMode::kDecompile) {
      text +=
          files == 1 ? u" next to the set file." : u" next to the set files.";
    } else {
      // "in /sets/out.", not "in /sets/out/.": the separator would be
      // read out before the full stop.
      std::string_view folder = outcome.output_folder;
      if (folder.size() > 1 &&
          (folder.ends_with('/') || folder.ends_with('\\')) &&
          !folder.ends_with(":\\")) {
        folder.remove_suffix(1);
      }
      text += u" in " + Utf8ToUtf16(folder) + u".";
    }
  }
  if (outcome.lines_left_out > 0) {
    text += u" The log left out " +
            Counted(static_cast<std::int64_t>(outcome.lines_left_out), u"line",
                    u"lines") +
            u".";
  }
  return text;
}

}  // namespace quorlith
