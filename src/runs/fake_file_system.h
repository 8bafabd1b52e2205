#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "runs/file_system.h"

namespace quorlith {

// An in-memory file system for run tests: files live under absolute paths,
// folders exist implicitly, and any open, create, write or close can be
// made to fail by path. Safe to use from a parallel run's workers.
class FakeFileSystem : public FileSystem {
 public:
  struct File {
    std::vector<std::uint8_t> bytes;
    std::int64_t modified = 0;
    // The size a search reports; absent means the real size. Lets a test
    // model a file that changed between the search and the read.
    std::optional<std::uint64_t> listed_size;
    std::uint64_t inode = 0;
  };

  void SetCurrentDirectory(std::string dir) { cwd_ = std::move(dir); }
  void AddFile(const std::string& path, std::vector<std::uint8_t> bytes,
               std::int64_t modified = 0);
  // Makes `alias` another name of the file at `path`, as a hard link does.
  void Link(const std::string& path, const std::string& alias);
  File* Find(const std::string& path);
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  std::vector<std::string> Paths();

  // The name rules the runs use on this system; with kWindows a test can
  // run on Windows names (C:\SETS\A.000) wherever it is built.
  PathStyle path_style = PathStyle::kPosix;
  std::set<std::string> fail_open;
  std::set<std::string> fail_create;
  std::set<std::string> fail_write;
  std::set<std::string> fail_close;
  std::set<std::string> fail_rename;  // by the name renamed from
  int open_files = 0;

  PathStyle Style() const override { return path_style; }
  std::string CurrentDirectory() override { return cwd_; }
  std::vector<DirEntry> Search(const std::string& directory,
                               std::string_view pattern) override;
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  // Named "PATH.quorlith-new", so that a test can name it too.
  std::unique_ptr<OutputFile> CreateBeside(const std::string& path,
                                           std::string& name) override;
  std::optional<FileId> IdOf(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;

 private:
  friend class FakeFile;
  std::recursive_mutex mutex_;
  std::string cwd_ = "/";
  std::map<std::string, File> files_;
  std::uint64_t next_inode_ = 1;
};

}  // namespace quorlith
