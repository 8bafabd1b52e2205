#include "runs/fake_file_system.h"

#include <algorithm>
#include <utility>

namespace quorlith {

using Lock = std::lock_guard<std::recursive_mutex>;

// An open fake file, for reading or for writing: it counts itself open
// until it is closed or destroyed, and fails its close when the test asks.
class FakeFile final : public InputFile, public OutputFile {
 public:
  FakeFile(FakeFileSystem& fs, std::string path,
           std::vector<std::uint8_t> bytes = {})
      : fs_(fs), path_(std::move(path)), bytes_(std::move(bytes)) {
    Lock lock(fs_.mutex_);
    ++fs_.open_files;
  }
  ~FakeFile() override { (void)Close(); }

  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t n = std::min(buffer.size(), bytes_.size() - pos_);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), n,
                buffer.begin());
    pos_ += n;
    return n;
  }
  bool Write(std::span<const std::uint8_t> bytes) override {
    Lock lock(fs_.mutex_);
    if (fs_.fail_write.count(path_)) return false;
    std::vector<std::uint8_t>& file = fs_.Find(path_)->bytes;
    file.insert(file.end(), bytes.begin(), bytes.end());
    return true;
  }
  bool Close() override {
    Lock lock(fs_.mutex_);
    fs_.open_files -= std::exchange(open_, false);
    return fs_.fail_close.count(path_) == 0;
  }

 private:
  FakeFileSystem& fs_;
  std::string path_;
  std::vector<std::uint8_t> bytes_;  // what a reader reads
  std::size_t pos_ = 0;
  bool open_ = true;
};

void FakeFileSystem::AddFile(const std::string& path,
                             std::vector<std::uint8_t> bytes,
                             std::int64_t modified) {
  Lock lock(mutex_);
  files_[path] = File{std::move(bytes), modified, std::nullopt, next_inode_++};
}

void FakeFileSystem::Link(const std::string& path, const std::string& alias) {
  Lock lock(mutex_);
  files_[alias] = files_.at(path);
}

FakeFileSystem::File* FakeFileSystem::Find(const std::string& path) {
  Lock lock(mutex_);
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

std::vector<std::string> FakeFileSystem::Paths() {
  Lock lock(mutex_);
  std::vector<std::string> paths;
  for (const auto& [path, file] : files_) paths.push_back(path);
  return paths;
}

std::vector<DirEntry> FakeFileSystem::Search(const std::string& directory,
                                             std::string_view pattern) {
  Lock lock(mutex_);
  std::string dir = directory.empty() ? cwd_ : directory;
  std::vector<DirEntry> entries;
  for (const auto& [path, file] : files_) {
    if (path.size() <= dir.size() || !path.starts_with(dir)) continue;
    std::string_view rest = std::string_view(path).substr(dir.size());
    bool windows = path_style == PathStyle::kWindows;
    if (rest.find_first_of(windows ? "/\\" : "/") != rest.npos ||
        !MatchesWildcard(pattern, rest)) {
      continue;
    }
    entries.push_back({std::string(rest),
                       file.listed_size.value_or(file.bytes.size()),
                       file.modified, FileId{1, file.inode}});
  }
  SortEntries(entries);
  return entries;
}

std::unique_ptr<InputFile> FakeFileSystem::OpenForRead(
    const std::string& path) {
  Lock lock(mutex_);
  File* file = Find(path);
  if (file == nullptr || fail_open.count(path)) return nullptr;
  return std::make_unique<FakeFile>(*this, path, file->bytes);
}

std::unique_ptr<OutputFile> FakeFileSystem::Create(const std::string& path) {
  Lock lock(mutex_);
  if (fail_create.count(path)) return nullptr;
  files_.try_emplace(path, File{{}, 0, std::nullopt, next_inode_++})
      .first->second.bytes.clear();
  return std::make_unique<FakeFile>(*this, path);
}

std::unique_ptr<OutputFile> FakeFileSystem::CreateBeside(
    const std::string& path, std::string& name) {
  Lock lock(mutex_);
  name = path + ".quorlith-new";
  return Exists(name) ? nullptr : Create(name);
}

bool FakeFileSystem::Rename(const std::string& from, const std::string& to) {
  Lock lock(mutex_);
  if (fail_rename.count(from)) return false;
  auto node = files_.extract(from);
  if (node.empty()) return false;
  files_.insert_or_assign(to, std::move(node.mapped()));
  return true;
}

bool FakeFileSystem::Remove(const std::string& path) {
  Lock lock(mutex_);
  return files_.erase(path) != 0;
}

std::optional<FileId> FakeFileSystem::IdOf(const std::string& path) {
  Lock lock(mutex_);
  File* file = Find(path);
  return file ? std::optional(FileId{1, file->inode}) : std::nullopt;
}

}  // namespace quorlith
