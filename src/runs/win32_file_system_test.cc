#include "runs/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runs/win32_wide.h"

// What Windows alone does to names: short 8.3 names and case, drives,
// devices and the long-path prefix, share modes, and limits on a path's
// length. What every file system keeps is in file_system_test.cc.

namespace quorlith {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  Win32FileSystemTest() {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("quorlith-" + UnguessableLetters(8));
    std::filesystem::create_directory(dir);
    dir_ = Narrow(dir.wstring()) + "\\";
    GetCurrentDirectoryW(MAX_PATH, old_cwd_);
    SetCurrentDirectoryW(Widen(dir_).c_str());
  }
  ~Win32FileSystemTest() override {
    SetCurrentDirectoryW(old_cwd_);
    std::filesystem::remove_all(Widen(dir_));
  }

  void Write(const std::string& name) {  // an empty file
    std::ofstream(std::filesystem::path(Widen(dir_ + name)));
  }

  Win32FileSystem fs_;
  std::string dir_;  // C:\...\quorlith-PID\ on Windows, the same under Wine
  wchar_t old_cwd_[MAX_PATH];
};

// Windows also matches a wildcard against short names, and a name in any
// case; the runs match long names only, and know a file by each name.
TEST_F(Win32FileSystemTest, ShortNamesAndCase) {
  Write("LongFileName.0001");
  CreateDirectoryW(Widen(dir_ + "d.000").c_str(), nullptr);
  std::vector<DirEntry> entries = fs_.Search(dir_, "*.000");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "d.000");
  // A name without wildcards is the file the user named, short or long.
  wchar_t path[MAX_PATH];
  DWORD length = GetShortPathNameW(Widen(dir_ + "LongFileName.0001").c_str(),
                                   path, MAX_PATH);
  std::string short_name = Narrow(std::wstring_view(path, length));
  entries = fs_.Search("", short_name.substr(short_name.rfind('\\') + 1));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "LongFileName.0001");
  EXPECT_EQ(fs_.IdOf(short_name), fs_.IdOf(dir_ + "LONGFILENAME.0001"));
}

// "C:" is drive C's working directory; NUL.000 is a device, not a file;
// a file another program keeps open for writing is read all the same; the
// long-path prefix names the same file.
TEST_F(Win32FileSystemTest, DrivesDevicesSharingAndPrefix) {
  Write("A.000");
  EXPECT_EQ(fs_.Search("C:", "a.000").size(), 1u);
  EXPECT_EQ(fs_.OpenForRead("NUL.000"), nullptr);
  HANDLE writer = CreateFileW(Widen(dir_ + "A.000").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(fs_.OpenForRead("A.000"), nullptr);
  CloseHandle(writer);
  EXPECT_EQ(fs_.Search("\\\\?\\" + dir_, "A.000").size(), 1u);
}

// Paths of 259 characters are written, of 261 refused, under Wine too.
TEST_F(Win32FileSystemTest, WindowsLimits) {
  for (std::size_t length : {259u, 261u}) {
    std::string path =
        dir_ + std::string(length - dir_.size() - 4, 'n') + ".t00";
    EXPECT_EQ(fs_.Create(path) != nullptr, length == 259) << length;
  }
}

}  // namespace
}  // namespace quorlith
