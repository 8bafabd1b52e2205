#include "shell/view_files.h"

#include <memory>

#include "report/report_settings.h"
#include "report/report_writer.h"
#include "runs/file_names.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

// Larger than any report, which stays near a megabyte; a bigger file is
// no report and is not read to its end.
constexpr std::size_t kReportLimit = 16 << 20;

// The first message a read logs becomes the error; a message ends with
// its line break, which a message box does not want.
LogBuffer ErrorLog(std::u16string& error) {
  return LogBuffer(
      [&error](std::uint32_t, std::u16string_view text) {
        if (!error.empty()) return;
        error = text;
        while (!error.empty() &&
               (error.back() == u'\n' || error.back() == u'\r')) {
          error.pop_back();
        }
      },
      0);
}

std::u16string FileNameOf(FileSystem& fs, const std::string& path) {
  NameParts parts = SplitPath(path, fs.Style());
  return Utf8ToUtf16(parts.name + parts.extension);
}

// Reads the set file `name` into `image`; its full path into `path` and
// its listing into `entry`.
bool LoadSetFile(FileSystem& fs, std::string_view name, SetFileImage& image,
                 std::string& path, DirEntry& entry, std::u16string& error) {
  LogBuffer log = ErrorLog(error);
  NameParts parts = SplitFileName(name, fs.CurrentDirectory(), fs.Style());
  if (parts.extension.empty()) parts.extension = kDefaultExtension;
  std::vector<DirEntry> entries =
      fs.Search(parts.Folder(), parts.name + parts.extension);
  if (entries.empty()) {
    log.LogMessage(LogCode::kCannotFind, Utf8ToUtf16(parts.Joined()));
    return false;
  }
  // A name without wildcards finds itself; one with them, as a
  // comparison's original, the first match.
  entry = entries.front();
  path = parts.Folder() + entry.name;
  std::unique_ptr<InputFile> file = OpenSetFile(fs, log, path, entry, image);
  if (!file) return false;
  (void)file->Close();  // only read
  return true;
}

}  // namespace

bool ViewSetFileReport(FileSystem& fs, std::string_view name, ViewerText& view,
                       std::u16string& error) {
  auto image = std::make_unique<SetFileImage>();
  std::string path;
  DirEntry entry;
  if (!LoadSetFile(fs, name, *image, path, entry, error)) return false;
  ReportText text;
  RenderDecompileReport(SourceOf(path, entry), *image, text);
  view = ReportViewerText(FileNameOf(fs, path) + u" - Report", text);
  return true;
}

bool ViewReportFile(FileSystem& fs, const std::string& path, ViewerText& view,
                    std::u16string& error) {
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(fs, path, kReportLimit, bytes)) {
    LogBuffer log = ErrorLog(error);
    log.LogMessage(LogCode::kCannotOpen, Utf8ToUtf16(path));
    return false;
  }
  std::u16string text;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    }
  } else {
    text = Utf8ToUtf16(std::string_view(
        reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (text.starts_with(kByteOrderMark)) text.erase(0, 1);
  }
  view = ReportViewerText(FileNameOf(fs, path) + u" - Report", text);
  return true;
}

bool ViewChanges(FileSystem& fs, const std::string& original,
                 const std::string& changed, ViewerText& view,
                 std::u16string& error) {
  auto before = std::make_unique<SetFileImage>();
  auto after = std::make_unique<SetFileImage>();
  std::string original_path, changed_path;
  DirEntry entry;
  if (!LoadSetFile(fs, original, *before, original_path, entry, error) ||
      !LoadSetFile(fs, changed, *after, changed_path, entry, error)) {
    return false;
  }
  view = ChangesViewerText(FileNameOf(fs, original_path) + u" → " +
                               FileNameOf(fs, changed_path) + u" - Changes",
                           ComparisonSettings(*before, *after));
  return true;
}

}  // namespace quorlith
