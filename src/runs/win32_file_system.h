#pragma once

#include "runs/file_system.h"

namespace quorlith {

// The file system of Windows, through FindFirstFileExW, CreateFileW,
// ReadFile, WriteFile and GetFileInformationByHandle, with Windows names
// (see windows_file_names.h). A path beyond Windows' limits is refused as
// the system would refuse it, before the system is asked.
class Win32FileSystem : public FileSystem {
 public:
  PathStyle Style() const override { return PathStyle::kWindows; }
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
