#include "runs/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "runs/file_names.h"

namespace quorlith {
namespace {

class PosixInputFile : public InputFile {
 public:
  PosixInputFile(int fd, off_t size) : fd_(fd), size_(size) {}
  ~PosixInputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  // A read short of what was asked is the end once the file's size at
  // opening is reached: asking again only to be told so costs a system
  // call per file, a good part of reading a small one. Short of that size
  // a file system that returns less than it has (some network and user
  // space ones do) is asked again.
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    std::size_t done = 0;
    while (done < buffer.size()) {
      ssize_t n = ::read(fd_, buffer.data() + done, buffer.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
      position_ += n;
      if (position_ >= size_) break;
    }
    return done;
  }

  bool Close() override {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
  off_t size_;
  off_t position_ = 0;
};

// Writes over what a file held and cuts it to the new length at Close,
// rather than truncating it on opening: a run that replaces its earlier
// reports then reuses their pages instead of freeing every page and
// allocating it again, a quarter of the cost of writing a report.
class PosixOutputFile : public OutputFile {
 public:
  // `old_size` is what a regular file held before, 0 for anything else.
  PosixOutputFile(int fd, std::uint64_t old_size)
      : fd_(fd), old_size_(old_size) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Write(std::span<const std::uint8_t> bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
      written_ += static_cast<std::size_t>(n);
    }
    return true;
  }

  bool Close() override {
    int fd = fd_;
    fd_ = -1;
    bool cut = old_size_ <= written_ ||
               ::ftruncate(fd, static_cast<off_t>(written_)) == 0;
    return (::close(fd) == 0) && cut;
  }

 private:
  int fd_;
  std::uint64_t old_size_;
  std::uint64_t written_ = 0;
};

FileId IdOfStat(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev),
          static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace

std::string PosixFileSystem::CurrentDirectory() {
  std::string dir(256, '\0');
  while (::getcwd(dir.data(), dir.size()) == nullptr) {
    if (errno != ERANGE) return {};
    dir.resize(dir.size() * 2);
  }
  dir.resize(dir.find('\0'));
  if (dir.empty() || dir.back() != '/') dir.push_back('/');
  return dir;
}

std::vector<DirEntry> PosixFileSystem::Search(const std::string& directory,
                                              std::string_view pattern) {
  std::vector<DirEntry> entries;
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return entries;
  while (const dirent* item = ::readdir(dir)) {
    std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    if (!MatchesWildcard(pattern, name)) continue;
    DirEntry entry;
    entry.name = name;
    struct stat st;
    // Follows symbolic links: the run reads what the link points at, so the
    // size, time and identity must be of that file too.
    if (::fstatat(::dirfd(dir), item->d_name, &st, 0) == 0) {
      entry.size = static_cast<std::uint64_t>(st.st_size);
      entry.modified = static_cast<std::int64_t>(st.st_mtime);
      entry.id = IdOfStat(st);
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  SortEntries(entries);
  return entries;
}

std::unique_ptr<InputFile> PosixFileSystem::OpenForRead(
    const std::string& path) {
  // O_NONBLOCK keeps a FIFO that matches the pattern from blocking the run;
  // it is refused below like every file that is not regular.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixInputFile>(fd, st.st_size);
}

std::unique_ptr<OutputFile> PosixFileSystem::Create(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return nullptr;
  }
  // A device or a FIFO (`/dev/null` as the output) has no length to cut.
  std::uint64_t old_size =
      S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
  return std::make_unique<PosixOutputFile>(fd, old_size);
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateBeside(
    const std::string& path, std::string& name) {
  constexpr int kTries = 16;
  for (int i = 0; i < kTries; ++i) {
    name = path + ".quorlith-" + UnguessableLetters(12);
    // O_EXCL refuses any name that exists, a link included.
    int fd = ::open(name.c_str(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return nullptr;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::fchmod(fd, st.st_mode & 07777) != 0) {
      ::close(fd);
      ::unlink(name.c_str());
      return nullptr;
    }
    return std::make_unique<PosixOutputFile>(fd, 0);
  }
  return nullptr;
}

std::string PosixFileSystem::FollowLinks(const std::string& path) {
  // As the system follows them, and no further than it would.
  constexpr int kMostLinks = 40;
  std::string at = path;
  for (int i = 0; i < kMostLinks; ++i) {
    struct stat st;
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    std::string target(static_cast<std::size_t>(st.st_size) + 1, '\0');
    ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return at;
    target.resize(static_cast<std::size_t>(n));
    if (target.front() != '/') {
      std::size_t slash = at.rfind('/');
      target.insert(0,
                    slash == std::string::npos ? "" : at.substr(0, slash + 1));
    }
    at = target;
  }
  return at;
}

std::optional<FileId> PosixFileSystem::IdOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return IdOfStat(st);
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

}  // namespace quorlith
