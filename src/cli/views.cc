#include "cli/views.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <streambuf>
#include <string_view>
#include <thread>

#include "compile/find.h"
#include "report/change_list.h"
#include "report/change_summary.h"
#include "report/keywords.h"
#include "report/report_json.h"
#include "report/report_settings.h"
#include "report/report_writer.h"
#include "runs/file_names.h"
#include "runs/ordered_runner.h"
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

// Everything a worker of a view reuses from file to file.
struct ViewWorker {
  ViewFile file;
  RecordingLog recorder;
  ReportText report;
  JsonObjects json;
};

// What a view made of one file, handed on in the files' order.
struct ViewPiece {
  EntryResult log;
  bool read = false;  // a set file, read whole
  bool trouble = false;
  bool differs = false;
  Utf8Text out;
  std::array<FileChanges, 2> changes;  // --summary's, in its parts
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
  using Process = std::function<void(ViewWorker& worker, ViewPiece& piece)>;
  using Commit = std::function<void(ViewPiece& piece)>;

  // Reads every valid set file that `parts` matches on `jobs` workers and
  // has `process` make its piece, then hands the pieces to `commit` in
  // search order; logs the others. Returns false when nothing matched.
  bool ForEach(const NameParts& parts, int jobs, const Process& process,
               const Commit& commit);
  bool LoadOne(const NameParts& parts, ViewFile& file);

  int Decompile();
  int Compare();
  int Get();
  bool ShowOtherFile(const NameParts& parts);

  void Show(std::u16string_view text);
  void Encode(std::u16string_view text, Utf8Text& out) const;
  void Write(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
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
};

bool Viewer::ForEach(const NameParts& parts, int jobs, const Process& process,
                     const Commit& commit) {
  std::vector<DirEntry> entries = FindMatches(fs_, log_, parts);
  if (entries.empty()) {
    Trouble();
    return false;
  }
  std::vector<ViewWorker> workers(
      static_cast<std::size_t>(std::clamp<std::size_t>(
          static_cast<std::size_t>(jobs), 1, entries.size())));
  // The output buffers of the pieces committed, for the next: a piece can
  // be large, and one allocated afresh for each file is paid for in page
  // faults.
  std::mutex spare_mutex;
  std::vector<Utf8Text> spare;
  RunInOrder<ViewPiece>(
      entries.size(), static_cast<int>(workers.size()),
      [&](std::size_t i, int w) {
        ViewWorker& worker = workers[static_cast<std::size_t>(w)];
        ViewPiece piece;
        ViewFile& file = worker.file;
        LogBuffer& log = worker.recorder.log();
        file.path = parts.Folder() + entries[i].name;
        file.entry = entries[i];
        std::unique_ptr<InputFile> input =
            OpenSetFile(fs_, log, file.path, file.entry, file.image);
        if (!input) {
          piece.trouble = true;
        } else {
          if (!CloseLogged(log, file.path, input->Close())) {
            piece.trouble = true;
          }
          piece.read = true;
          {
            std::lock_guard lock(spare_mutex);
            if (!spare.empty()) {
              piece.out = std::move(spare.back());
              spare.pop_back();
            }
          }
          process(worker, piece);
        }
        piece.log = worker.recorder.Take(EntryOutcome::kNotCounted);
        return piece;
      },
      [&](ViewPiece& piece) {
        for (const auto& [code, text] : piece.log.messages) {
          log_.LogFormatted(code, text);
        }
        if (piece.trouble) Trouble();
        if (piece.differs) different_ = true;
        if (piece.read) commit(piece);
        piece.out.clear();
        {
          std::lock_guard lock(spare_mutex);
          spare.push_back(std::move(piece.out));
        }
        return static_cast<bool>(out_);  // else nothing more can be written
      });
  return true;
}

// The original of a comparison, the first file its name matches.
bool Viewer::LoadOne(const NameParts& parts, ViewFile& file) {
  bool loaded = false;
  // One worker, so that each file is read and committed in turn.
  ForEach(
      parts, 1,
      [&](ViewWorker& worker, ViewPiece&) {
        if (loaded) return;
        file = worker.file;
        loaded = true;
      },
      [](ViewPiece&) {});
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

void Viewer::Encode(std::u16string_view text, Utf8Text& out) const {
  // No byte order mark in UTF-8: grep, diff and git read the lines as they
  // are.
  out.append(EncodeReport(text, request_.utf16  ? ReportEncoding::kUtf16
                                : request_.crlf ? ReportEncoding::kUtf8Crlf
                                                : ReportEncoding::kUtf8Lf));
}

void Viewer::Show(std::u16string_view text) {
  Utf8Text bytes;
  Encode(text, bytes);
  Write(bytes.view());
  out_.flush();
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
  bool lines = request_.kind == ViewKind::kJsonLines;
  bool json = lines || request_.kind == ViewKind::kJson;
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
  std::size_t json_count = 0;
  ForEach(
      parts, request_.jobs,
      [&](ViewWorker& worker, ViewPiece& piece) {
        const ViewFile& file = worker.file;
        if (query) {
          for (const std::u16string& line :
               query->Find(file.image, worker.report)) {
            piece.differs = true;  // here: found
            if (headed) {
              piece.out.append(file.path);
              piece.out.append(": ");
            }
            AppendAsUtf8(piece.out, line);
            piece.out.push_back('\n');
          }
        } else if (json) {
          worker.json.AppendDecompile(
              piece.out, {file.path, file.entry.modified}, file.image);
          if (lines) piece.out.push_back('\n');
        } else {
          RenderDecompileReport(SourceOf(file.path, file.entry), file.image,
                                worker.report);
          if (request_.textconv) {
            std::u16string shown(worker.report.view());
            DropSourceLines(shown);
            Encode(shown, piece.out);
          } else {
            Encode(worker.report, piece.out);
          }
        }
      },
      [&](ViewPiece& piece) {
        if (query) {
          found = found || piece.differs;
          piece.differs = false;
        }
        if (json && !lines && json_count++ > 0) out_ << ',';
        Write(piece.out.view());
        if (!json && !query) out_.flush();
      });
  if (query) different_ = !found;
  if (request_.kind == ViewKind::kJson) out_ << "]\n";
  out_.flush();
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
  bool json = lines || request_.kind == ViewKind::kJson;
  // What every file's piece shows of the original, formatted once.
  RowTexts original_rows;
  if (request_.kind == ViewKind::kChanges) {
    original_rows = OriginalValues(original->image);
  } else if (json) {
    original_rows = OriginalJson(original->image);
  }
  std::string original_name = Utf16ToUtf8(Utf8ToUtf16(original->path));
  if (request_.kind == ViewKind::kJson) out_ << '[';
  std::size_t json_count = 0;
  ForEach(
      pattern, request_.jobs,
      [&](ViewWorker& worker, ViewPiece& piece) {
        const ViewFile& file = worker.file;
        if (json) {
          piece.differs =
              worker.json.AppendComparison(
                  piece.out, {original->path, original->entry.modified},
                  {file.path, file.entry.modified}, original->image, file.image,
                  original_rows, ignore) > 0;
          if (lines) piece.out.push_back('\n');
        } else if (request_.kind == ViewKind::kChanges) {
          if (headed) {
            piece.out.append(original_name);
            piece.out.append(" → ");
            AppendAsUtf8(piece.out, Utf8ToUtf16(file.path));
            piece.out.append(":\n");
          }
          ChangeLines changes(original_rows, worker.report, piece.out);
          RenderComparisonReport({}, {}, original->image, file.image,
                                 worker.report,
                                 {.sink = &changes, .ignore = ignore});
          changes.Finish();
          piece.differs = changes.count() > 0;
        } else {
          SettingCounter counter;
          RenderComparisonReport(SourceOf(original->path, original->entry),
                                 SourceOf(file.path, file.entry),
                                 original->image, file.image, worker.report,
                                 {.sink = &counter, .ignore = ignore});
          piece.differs = counter.count > 0;
          Encode(worker.report, piece.out);
        }
      },
      [&](ViewPiece& piece) {
        if (json && !lines && json_count++ > 0) out_ << ',';
        Write(piece.out.view());
        if (!json) out_.flush();
      });
  if (request_.kind == ViewKind::kJson) out_ << "]\n";
  out_.flush();
  return Status();
}

void Viewer::Summary(const ViewFile& original, const NameParts& pattern) {
  const KeywordFilter* ignore =
      request_.ignore.empty() ? nullptr : &request_.ignore;
  // Two parts, each of half the settings, summed up side by side when
  // there are workers to spare: adding a file's changes is the only work
  // that must follow the files' order.
  std::size_t part_count = request_.jobs > 1 ? 2 : 1;
  std::vector<ChangeSummary> parts(part_count);
  std::size_t files = 0;
  std::size_t differing = 0;
  struct Queued {
    std::string name;
    FileChanges changes;
  };
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<Queued> queue;
  bool ended = false;
  std::array<std::size_t, 2> line_counts{};  // of each part, once finished
  std::thread adder;
  if (part_count > 1) {
    adder = std::thread([&] {
      std::unique_lock lock(mutex);
      for (;;) {
        changed.wait(lock, [&] { return ended || !queue.empty(); });
        if (queue.empty()) {
          lock.unlock();
          line_counts[1] = parts[1].Finish();
          return;
        }
        Queued next = std::move(queue.front());
        queue.pop_front();
        changed.notify_all();
        lock.unlock();
        parts[1].Add(next.name, next.changes);
        lock.lock();
      }
    });
  }
  ForEach(
      pattern, request_.jobs,
      [&](ViewWorker& worker, ViewPiece& piece) {
        ChangeValues values(worker.report,
                            std::span(piece.changes).first(part_count));
        RenderComparisonReport({}, {}, original.image, worker.file.image,
                               worker.report,
                               {.sink = &values, .ignore = ignore});
        // The name as the summary prints it, which the UTF-8 views always
        // convert.
        piece.out.append(Utf16ToUtf8(Utf8ToUtf16(worker.file.entry.name)));
      },
      [&](ViewPiece& piece) {
        ++files;
        if (!piece.changes[0].rows.empty() || !piece.changes[1].rows.empty()) {
          ++differing;
        }
        if (part_count > 1) {
          // A few files queued at most, so that memory stays flat.
          constexpr std::size_t kMostQueued = 4;
          std::unique_lock lock(mutex);
          changed.wait(lock, [&] { return queue.size() < kMostQueued; });
          queue.push_back(
              {std::string(piece.out.view()), std::move(piece.changes[1])});
          changed.notify_all();
        }
        parts[0].Add(piece.out.view(), piece.changes[0]);
      });
  // Each part sums up its last files as it finishes, side by side.
  if (adder.joinable()) {
    {
      std::lock_guard lock(mutex);
      ended = true;
    }
    changed.notify_all();
  }
  line_counts[0] = parts[0].Finish();
  if (adder.joinable()) adder.join();
  if (differing == 0) {
    out_ << "No differences.\n" << std::flush;
    return;
  }
  different_ = true;
  RowTexts original_values = OriginalValues(original.image);
  // The lines of both parts in the order of one summary of them all.
  std::vector<std::pair<std::size_t, std::size_t>> lines;  // part, line
  for (std::size_t p = 0; p < part_count; ++p) {
    for (std::size_t line = 0; line < line_counts[p]; ++line)
      lines.emplace_back(p, line);
  }
  auto before = [&](const std::pair<std::size_t, std::size_t>& a,
                    const std::pair<std::size_t, std::size_t>& b) {
    return parts[a.first].OrderOf(a.second) < parts[b.first].OrderOf(b.second);
  };
  std::inplace_merge(
      lines.begin(),
      std::find_if(lines.begin(), lines.end(),
                   [](const auto& line) { return line.first != 0; }),
      lines.end(), before);
  std::vector<ChangeSummary::LineScratch> scratch(
      static_cast<std::size_t>(std::max(1, request_.jobs)));
  RunInOrder<Utf8Text>(
      lines.size(), request_.jobs,
      [&](std::size_t i, int worker) {
        Utf8Text text;
        parts[lines[i].first].AppendLine(
            lines[i].second, original_values,
            scratch[static_cast<std::size_t>(worker)], text);
        return text;
      },
      [&](Utf8Text& text) {
        Write(text.view());
        return static_cast<bool>(out_);
      });
  Utf8Text total;
  AppendSummaryTotal(total, lines.size(), differing, files);
  Write(total.view());
  out_.flush();
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
  for (const std::string& name : request_.names) {
    ForEach(
        DecompilePattern(fs_, name), request_.jobs,
        [&](ViewWorker& worker, ViewPiece& piece) {
          const ViewFile& file = worker.file;
          ReportText& line = worker.report;
          for (std::size_t row : rows) {
            const Keyword& entry = keywords[row];
            line.clear();
            line.append(entry.keyword);
            line.append(kEquals);
            entry.setting->codec->render(line, entry.Record(file.image.Body()),
                                         entry.setting->field);
            if (headed) {
              piece.out.append(file.path);
              piece.out.append(": ");
            }
            AppendAsUtf8(piece.out, line.view());
            piece.out.push_back('\n');
          }
        },
        [&](ViewPiece& piece) { Write(piece.out.view()); });
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
