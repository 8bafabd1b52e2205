#pragma once

#include "runs/file_system.h"

namespace quorlith {

// The file system of a POSIX system, through open(2), read(2), write(2),
// readdir(3) and stat(2).
class PosixFileSystem : public FileSystem {
 public:
  std::string CurrentDirectory() override;
  std::vector<DirEntry> Search(const std::string& directory,
                               std::string_view pattern) override;
  std::unique_ptr<InputFile> OpenForRead(const std::string& path) override;
  std::unique_ptr<OutputFile> Create(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateBeside(const std::string& path,
                                           std::string& name) override;
  std::string FollowLinks(const std::string& path) override;
  std::optional<FileId> IdOf(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

}  // namespace quorlith
