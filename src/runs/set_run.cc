#include "runs/set_run.h"

#include <algorithm>
#include <set>

#include "compile/compiler.h"
#include "report/keywords.h"
#include "runs/file_names.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// One file of the run: what it was, what the lines make of it, and
// where that goes.
struct SetFile {
  std::string path;
  std::string output;
  std::vector<std::uint8_t> bytes;
  std::size_t changed = 0;  // settings that differ after the lines
};

// The settings whose values differ between two bodies, as a comparison
// tells them apart.
std::size_t SettingsChanged(ByteView before, ByteView after) {
  const Keywords& keywords = Keywords::Get();
  std::size_t count = 0;
  for (std::size_t row = 0; row < keywords.size(); ++row) {
    const Keyword& entry = keywords[row];
    if (entry.setting->codec->differs(entry.Record(before), entry.Record(after),
                                      entry.setting->field)) {
      ++count;
    }
  }
  return count;
}

std::u16string CountText(std::size_t count) {
  std::u16string text;
  AppendDecimal(text, static_cast<std::int64_t>(count));
  text.append(count == 1 ? u" setting changed" : u" settings changed");
  return text;
}

}  // namespace

int RunSet(FileSystem& fs, LogBuffer& log, const SetRequest& request) {
  std::vector<std::u16string> lines;
  for (const std::string& line : request.lines) {
    lines.push_back(Utf8ToUtf16(line));
  }
  ParsedReport parsed = ParsedReport::SettingLines(lines);
  // What every value stores is worked out once: a value refused is
  // refused before any file is read.
  parsed.StoreAll();
  std::size_t problems = 0;
  // "--set "Key_Rate = 70000": Key_Rate: ...", after the file's name
  // where the problem is the file's.
  auto problem = [&](std::u16string where, const CompileProblem& p) {
    ++problems;
    if (!where.empty()) where.append(u": ");
    where.append(u"--set");
    if (p.line > 0 && p.line <= lines.size()) {
      where.append(u" " + Quoted(lines[p.line - 1]));
    }
    LogRunError(log, where + u": " + p.message);
  };
  for (const CompileProblem& p : parsed.outcome().problems) problem({}, p);

  std::vector<SetFile> files;
  std::set<FileId> inputs;
  bool unread = false;
  if (problems == 0) {
    for (const std::string& name : request.names) {
      NameParts parts = DecompilePattern(fs, name);
      std::vector<DirEntry> entries = FindMatches(fs, log, parts);
      unread = unread || entries.empty();
      for (const DirEntry& entry : entries) {
        // A file two names match is changed once.
        if (entry.id && !inputs.insert(*entry.id).second) continue;
        files.push_back({parts.Folder() + entry.name, {}, {}, 0});
      }
    }
  }

  NameParts output =
      SplitFileName(request.output, fs.CurrentDirectory(), fs.Style());
  bool folder = output.name.empty() && output.extension.empty();
  if (!request.output.empty() && files.size() > 1 && !folder) {
    LogRunError(log,
                u"several set files match: name a folder for the "
                u"outputs, ending with a separator");
    return 0;
  }
  for (SetFile& file : files) {
    if (!ReadWholeFile(fs, file.path, kSetFileSize, file.bytes)) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(file.path));
      unread = true;
      continue;
    }
    if (file.bytes.size() != kSetFileSize ||
        CheckSetFile(file.bytes, file.bytes.size()) != CheckResult::kOk) {
      log.LogMessage(LogCode::kWrongFormat, Utf8ToUtf16(file.path));
      unread = true;
      continue;
    }
    std::vector<std::uint8_t> before(file.bytes.begin() + kHeaderSize,
                                     file.bytes.end());
    std::span<std::uint8_t, kBodySize> body =
        std::span(file.bytes).subspan<kHeaderSize, kBodySize>();
    // What is wrong here depends on the file (a cursor_key form that
    // finds no key bound): said with its name.
    CompileOutcome outcome = parsed.CompileInto(SetFileView(body), body);
    for (const CompileProblem& p : outcome.problems) {
      problem(Utf8ToUtf16(file.path), p);
    }
    file.changed = SettingsChanged(before, body);
    if (!request.output.empty()) {
      NameParts input = SplitPath(file.path, fs.Style());
      file.output = folder ? output.Folder() + input.name + input.extension
                           : output.Joined();
      std::optional<FileId> target = fs.IdOf(file.output);
      if (target && inputs.contains(*target)) {
        ++problems;
        LogRunError(log, Utf8ToUtf16(file.output) +
                             u": is a file --set reads; leave out -o to "
                             u"change it in place");
      }
    }
  }
  if (problems > 0 || unread) {
    std::u16string line;
    if (problems > 0) {
      AppendDecimal(line, static_cast<std::int64_t>(problems));
      line.append(problems == 1 ? u" problem; " : u" problems; ");
    }
    LogRunError(log, line + u"no set file written");
    return 0;
  }

  int written = 0;
  for (const SetFile& file : files) {
    std::u16string name = Utf8ToUtf16(file.path);
    bool in_place = file.output.empty();
    if (in_place && file.changed == 0) {
      LogRunProgress(log, name + u": no setting changed; not written.");
      continue;
    }
    const std::string& target = in_place ? file.path : file.output;
    if (!ReplaceFile(fs, target, file.bytes)) {
      log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(target));
      continue;
    }
    ++written;
    LogRunProgress(
        log,
        name + u": " + CountText(file.changed) +
            (in_place ? u"." : u", written to " + Utf8ToUtf16(target) + u"."));
  }
  return written;
}

}  // namespace quorlith
