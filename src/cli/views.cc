#include "cli/views.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <streambuf>
#include <string_view>

#include "compile/find.h"
#include "report/change_list.h"
#include "report/keywords.h"
#include "report/report_json.h"
#include "report/report_settings.h"
#include "report/report_writer.h"
#include "runs/file_names.h"
#include "runs/progress_log.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// Passes a view's output on to standard output's buffer and keeps the
// reason of the first write that fails, as the failed write left errno:
// read later, another call may have changed it. Nothing is passed on
// after a failure.
class CheckedOutput : public std::streambuf {
 public:
  explicit CheckedOutput(std::streambuf* target) : target_(target) {}

  std::optional<int> error() const { return error_; }

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    if (error_) return 0;
    std::streamsize put = target_->sputn(text, count);
    if (put != count) Fail();
    return put;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return 0;
    char one = traits_type::to_char_type(c);
    return xsputn(&one, 1) == 1 ? c : traits_type::eof();
  }
  int sync() override {
    if (error_) return -1;
    if (target_->pubsync() != 0) Fail();
    return error_ ? -1 : 0;
  }

 private:
  void Fail() {
    if (!error_) error_ = errno;
  }

  std::streambuf* target_;
  std::optional<int> error_;
};

// A set file as a view reads it: its name as a report's header gives it.
struct ViewFile {
  std::string path;
  DirEntry entry;
  SetFileImage image;
};

class Viewer {
 public:
  Viewer(const ViewRequest& request, FileSystem& fs, std::ostream& out,
         std::ostream& err)
      : request_(request),
        fs_(fs),
        out_(out),
        log_(
            [&err](std::uint32_t, std::u16string_view text) {
              std::string utf8 = Utf16ToUtf8(text);
              std::erase(utf8, '\r');
              err << utf8 << std::flush;
            },
            0) {}

  int Run();

 private:
  // Calls `use` for every valid set file that `parts` matches, in search
  // order; logs the others. Returns false when nothing matched.
  bool ForEach(const NameParts& parts,
               const std::function<void(const ViewFile&)>& use);
  bool LoadOne(const NameParts& parts, ViewFile& file);

  int Decompile();
  int Compare();
  int Get();
  bool ShowOtherFile(const NameParts& parts);

  void Show(std::u16string_view text);
  void Changes(const ViewFile& original, const ViewFile& file,
               const std::vector<ReportSetting>& settings, bool headed);
  void Summary(const ViewFile& original, const NameParts& pattern);

  void Trouble() { trouble_ = true; }
  int Status() const {
    return trouble_ ? kViewTrouble : different_ ? kViewDifferent : kViewSame;
  }

  const ViewRequest& request_;
  FileSystem& fs_;
  std::ostream& out_;
  LogBuffer log_;
  bool trouble_ = false;
  bool different_ = false;
  int json_count_ = 0;
};

bool Viewer::ForEach(const NameParts& parts,
                     const std::function<void(const ViewFile&)>& use) {
  std::vector<DirEntry> entries = FindMatches(fs_, log_, parts);
  if (entries.empty()) {
    Trouble();
    return false;
  }
  auto file = std::make_unique<ViewFile>();
  for (const DirEntry& entry : entries) {
    if (!out_) break;  // nothing more can be written
    file->path = parts.Folder() + entry.name;
    file->entry = entry;
    std::unique_ptr<InputFile> input =
        OpenSetFile(fs_, log_, file->path, entry, file->image);
    if (!input) {
      Trouble();
      continue;
    }
    if (!CloseLogged(log_, file->path, input->Close())) Trouble();
    use(*file);
  }
  return true;
}

// The original of a comparison, the first file its name matches.
bool Viewer::LoadOne(const NameParts& parts, ViewFile& file) {
  bool loaded = false;
  ForEach(parts, [&](const ViewFile& found) {
    if (loaded) return;
    file.path = found.path;
    file.entry = found.entry;
    file.image = found.image;
    loaded = true;
  });
  return loaded;
}

// A textconv sees a temporary copy under a new name and date each time,
// so the lines naming the file would show in every diff.
void DropSourceLines(std::u16string& text) {
  for (std::u16string_view lead : {u"; Created from ", u"; Set file last"}) {
    std::size_t start = text.find(std::u16string(kLineEnd) + lead.data());
    if (start == std::u16string::npos) continue;
    start += kLineEnd.size();
    std::size_t end = text.find(kLineEnd, start);
    if (end != std::u16string::npos)
      text.erase(start, end + kLineEnd.size() - start);
  }
}

void Viewer::Show(std::u16string_view text) {
  // No byte order mark in UTF-8: grep, diff and git read the lines as they
  // are.
  std::string bytes =
      EncodeReport(text, request_.utf16  ? ReportEncoding::kUtf16
                         : request_.crlf ? ReportEncoding::kUtf8Crlf
                                         : ReportEncoding::kUtf8Lf);
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out_.flush();
}

void Viewer::Changes(const ViewFile& original, const ViewFile& file,
                     const std::vector<ReportSetting>& settings, bool headed) {
  std::u16string text;
  if (headed) {
    text.append(Utf8ToUtf16(original.path));
    text.append(u" → ");
    text.append(Utf8ToUtf16(file.path));
    text.append(u":\n");
  }
  if (settings.empty()) {
    text.append(u"No differences.\n");
    out_ << Utf16ToUtf8(text) << std::flush;
    return;
  }
  for (const ReportSetting& s : settings) AppendChangeLine(text, s);
  for (const auto& [section, n] : ChangesBySection(settings)) {
    AppendChangeCount(text, n, std::u16string(u" in ").append(section));
  }
  AppendChangeCount(text, settings.size(), u" in all");
  out_ << Utf16ToUtf8(text) << std::flush;
}

// As git's textconv a file that is no set file is shown as it is, a report
// (a conflict report where the set file stood) as UTF-8 text: git must be
// able to show any file it holds. True when `parts` named such a file.
bool Viewer::ShowOtherFile(const NameParts& parts) {
  std::vector<DirEntry> entries =
      fs_.Search(parts.Folder(), parts.name + parts.extension);
  if (entries.size() != 1) return false;
  std::vector<std::uint8_t> bytes;
  constexpr std::size_t kLargestShown = 64u << 20;
  std::string path = parts.Folder() + entries[0].name;
  if (!ReadWholeFile(fs_, path, kLargestShown, bytes) ||
      (bytes.size() == kSetFileSize &&
       CheckSetFile(bytes, bytes.size()) == CheckResult::kOk)) {
    return false;
  }
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    }
    Show(text);
  } else {
    out_.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    out_.flush();
  }
  return true;
}

int Viewer::Decompile() {
  NameParts parts = DecompilePattern(fs_, request_.names[0]);
  if (request_.textconv && ShowOtherFile(parts)) return Status();
  ReportText text;
  bool lines = request_.kind == ViewKind::kJsonLines;
  if (request_.kind == ViewKind::kJson) out_ << '[';
  bool headed = parts.Joined().find_first_of("*?") != std::string::npos;
  bool found = false;
  std::optional<FindQuery> query;
  if (request_.kind == ViewKind::kFind) {
    query.emplace(Utf8ToUtf16(request_.query));
    if (!query->problem().empty()) {
      LogRunError(log_, u"quorlith: --find: " + query->problem());
      return kViewTrouble;
    }
  }
  ForEach(parts, [&](const ViewFile& file) {
    if (query) {
      for (const std::u16string& line : query->Find(file.image)) {
        found = true;
        if (headed) out_ << file.path << ": ";
        out_ << Utf16ToUtf8(line) << '\n';
      }
      return;
    }
    if (request_.kind == ViewKind::kShow) {
      RenderDecompileReport(SourceOf(file.path, file.entry), file.image, text);
      if (request_.textconv) {
        std::u16string shown(text.view());
        DropSourceLines(shown);
        Show(shown);
      } else {
        Show(text);
      }
      return;
    }
    if (!lines && json_count_ > 0) out_ << ',';
    out_ << DecompileJson({file.path, file.entry.modified},
                          DecompileSettings(file.image));
    if (lines) out_ << '\n';
    ++json_count_;
  });
  if (request_.kind == ViewKind::kJson) out_ << "]\n";
  out_.flush();
  if (request_.kind == ViewKind::kFind && !found) different_ = true;
  return Status();
}

int Viewer::Compare() {
  std::optional<NameParts> original_parts =
      OriginalPattern(fs_, log_, request_.names[0]);
  auto original = std::make_unique<ViewFile>();
  if (!original_parts || !LoadOne(*original_parts, *original)) {
    return kViewTrouble;
  }
  NameParts pattern = NewFilesPattern(fs_, request_.names[1], *original_parts);
  if (request_.kind == ViewKind::kSummary) {
    Summary(*original, pattern);
    return Status();
  }
  const KeywordFilter* ignore =
      request_.ignore.empty() ? nullptr : &request_.ignore;
  bool headed = pattern.Joined().find_first_of("*?") != std::string::npos;
  bool lines = request_.kind == ViewKind::kJsonLines;
  if (request_.kind == ViewKind::kJson) out_ << '[';
  ReportText text;
  ForEach(pattern, [&](const ViewFile& file) {
    std::vector<ReportSetting> settings =
        ComparisonSettings(original->image, file.image, ignore);
    if (!settings.empty()) different_ = true;
    switch (request_.kind) {
      case ViewKind::kShow:
        RenderComparisonReport(SourceOf(original->path, original->entry),
                               SourceOf(file.path, file.entry), original->image,
                               file.image, text, {.ignore = ignore});
        Show(text);
        break;
      case ViewKind::kChanges:
        Changes(*original, file, settings, headed);
        break;
      default:
        if (!lines && json_count_ > 0) out_ << ',';
        out_ << ComparisonJson({original->path, original->entry.modified},
                               {file.path, file.entry.modified}, settings);
        if (lines) out_ << '\n';
        ++json_count_;
        break;
    }
  });
  if (request_.kind == ViewKind::kJson) out_ << "]\n";
  out_.flush();
  return Status();
}

// One line per setting that differs in any file: the original's value,
// then each new value with the files that hold it. The settings most files
// changed come first; among equals, the report's order.
void Viewer::Summary(const ViewFile& original, const NameParts& pattern) {
  struct Value {
    std::u16string value;
    std::vector<std::string> files;
  };
  struct Setting {
    std::size_t first_seen;
    std::u16string label;  // "section › keyword"
    std::u16string original;
    std::vector<Value> values;
    std::size_t files = 0;
  };
  std::vector<Setting> summary;
  std::map<std::u16string, std::size_t> index;
  const KeywordFilter* ignore =
      request_.ignore.empty() ? nullptr : &request_.ignore;
  int files = 0;
  int differing = 0;
  ForEach(pattern, [&](const ViewFile& file) {
    ++files;
    std::vector<ReportSetting> settings =
        ComparisonSettings(original.image, file.image, ignore);
    if (!settings.empty()) ++differing;
    for (ReportSetting& s : settings) {
      std::u16string label = s.section + u" › " + s.keyword;
      auto [at, added] = index.try_emplace(label, summary.size());
      if (added) {
        summary.push_back({summary.size(), label, s.original.value, {}, 0});
      }
      Setting& setting = summary[at->second];
      ++setting.files;
      auto value = std::find_if(
          setting.values.begin(), setting.values.end(),
          [&](const Value& v) { return v.value == s.shown.value; });
      if (value == setting.values.end()) {
        setting.values.push_back({s.shown.value, {}});
        value = setting.values.end() - 1;
      }
      value->files.push_back(file.entry.name);
    }
  });
  if (summary.empty()) {
    out_ << "No differences.\n" << std::flush;
    return;
  }
  different_ = true;
  std::stable_sort(
      summary.begin(), summary.end(),
      [](const Setting& a, const Setting& b) { return a.files > b.files; });
  ReportText text;
  for (Setting& setting : summary) {
    std::stable_sort(setting.values.begin(), setting.values.end(),
                     [](const Value& a, const Value& b) {
                       return a.files.size() > b.files.size();
                     });
    text.append(setting.label);
    text.append(u": ");
    text.append(setting.original);
    for (std::size_t v = 0; v < setting.values.size(); ++v) {
      text.append(v == 0 ? u" → " : u"; → ");
      text.append(setting.values[v].value);
      text.append(u" in ");
      for (std::size_t f = 0; f < setting.values[v].files.size(); ++f) {
        if (f > 0) text.append(u", ");
        AppendUtf8(text, setting.values[v].files[f]);
      }
    }
    text.push_back(u'\n');
  }
  AppendDecimal(text, static_cast<std::int64_t>(summary.size()));
  text.append(summary.size() == 1 ? u" setting differs in "
                                  : u" settings differ in ");
  AppendDecimal(text, differing);
  text.append(u" of ");
  AppendDecimal(text, files);
  text.append(files == 1 ? u" file.\n" : u" files.\n");
  out_ << Utf16ToUtf8(text) << std::flush;
}

// Each setting's line as the report writes it, for every file.
int Viewer::Get() {
  std::u16string problem;
  std::vector<std::size_t> rows =
      RowsNamed(TrimBlanks(Utf8ToUtf16(request_.query)), problem);
  if (rows.empty()) {
    LogRunError(log_, u"quorlith: --get: " + problem);
    return kViewTrouble;
  }
  bool headed = request_.names.size() > 1;
  for (const std::string& name : request_.names) {
    headed = headed || name.find_first_of("*?") != std::string::npos;
  }
  const Keywords& keywords = Keywords::Get();
  ReportText line;
  for (const std::string& name : request_.names) {
    ForEach(DecompilePattern(fs_, name), [&](const ViewFile& file) {
      for (std::size_t row : rows) {
        const Keyword& entry = keywords[row];
        line.clear();
        line.append(entry.keyword);
        line.append(kEquals);
        entry.setting->codec->render(line, entry.Record(file.image.Body()),
                                     entry.setting->field);
        if (headed) out_ << file.path << ": ";
        out_ << Utf16ToUtf8(line) << '\n';
      }
    });
  }
  out_.flush();
  return Status();
}

int Viewer::Run() {
  if (request_.kind == ViewKind::kGet) return Get();
  return request_.names.size() == 1 ? Decompile() : Compare();
}

}  // namespace

int ListValues(const std::string& keyword, std::ostream& out,
               std::ostream& err) {
  const Keywords& keywords = Keywords::Get();
  std::u16string wanted = Utf8ToUtf16(keyword);
  std::optional<std::size_t> row = keywords.Find(wanted, keywords.size());
  if (!row) {
    err << "quorlith: --values: unknown keyword \"" << keyword << "\"\n";
    return kViewTrouble;
  }
  const Setting& setting = *keywords[*row].setting;
  ValueNameTable names = setting.codec->hint(setting.field).names;
  if (names.empty()) {
    err << "quorlith: --values: " << Utf16ToUtf8(keywords[*row].keyword)
        << " takes no name from a list\n";
    return kViewTrouble;
  }
  for (std::u16string_view name : names) {
    if (!name.empty()) out << Utf16ToUtf8(name) << '\n';
  }
  out.flush();
  return out ? kViewSame : kViewTrouble;
}

int RunView(const ViewRequest& request, FileSystem& fs, std::ostream& out,
            std::ostream& err) {
  CheckedOutput checked(out.rdbuf());
  std::ostream output(&checked);
  int status = Viewer(request, fs, output, err).Run();
  output.flush();
  // A reader that went away (`| head -1`) had what it wanted.
  if (std::optional<int> error = checked.error(); error && *error != EPIPE) {
    err << "quorlith: cannot write the output: " << std::strerror(*error)
        << '\n';
    return kViewTrouble;
  }
  return status;
}

}  // namespace quorlith
