#include "runs/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runs/run.h"
#include "runs/win32_wide.h"
#include "setfile/set_file_builder.h"
#include "text/report_text.h"

// What Windows alone does to names: short 8.3 names, case, drives and
// shares, and limits on a path's length. What every file system keeps is
// in file_system_test.cc.

namespace quorlith {
namespace {

// The file system with another working directory, as a share gives one.
class OtherCurrentDirectory : public Win32FileSystem {
 public:
  explicit OtherCurrentDirectory(std::string cwd) : cwd_(std::move(cwd)) {}
  std::string CurrentDirectory() override { return cwd_; }

 private:
  std::string cwd_;
};

class Win32FileSystemTest : public ::testing::Test {
 protected:
  Win32FileSystemTest() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = Narrow(temp) + "quorlith-" + std::to_string(GetCurrentProcessId()) +
           "\\";
    std::filesystem::create_directories(Widen(dir_));
    GetCurrentDirectoryW(MAX_PATH, old_cwd_);
    SetCurrentDirectoryW(Widen(dir_).c_str());
  }
  ~Win32FileSystemTest() override {
    SetCurrentDirectoryW(old_cwd_);
    std::filesystem::remove_all(Widen(dir_));
  }

  void Write(const std::string& name) {
    std::vector<std::uint8_t> bytes = SetFileBuilder().Bytes();
    std::ofstream(std::filesystem::path(Widen(dir_ + name)), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::string ShortName(const std::string& name) {
    wchar_t path[MAX_PATH];
    DWORD n = GetShortPathNameW(Widen(dir_ + name).c_str(), path, MAX_PATH);
    return Narrow(std::wstring_view(path, n));
  }

  // The log of one run in `fs` (by default fs_), its CR CR LF line ends
  // as "|".
  std::string Run(RunMode mode, const std::string& input,
                  const std::string& output = {}, FileSystem* fs = nullptr) {
    LogBuffer log;
    RunContext ctx{fs != nullptr ? *fs : fs_, log, {}};
    RunDecompile(ctx, mode, input, output);
    std::string text = Utf16ToUtf8(log.Text());
    for (std::size_t at; (at = text.find("\r\r\n")) != std::string::npos;) {
      text.replace(at, 3, "|");
    }
    return text;
  }

  Win32FileSystem fs_;
  std::string dir_;  // C:\...\quorlith-PID\ on Windows, the same under Wine
  wchar_t old_cwd_[MAX_PATH];
};

// Windows also matches a wildcard against short names; the runs do not.
TEST_F(Win32FileSystemTest, WildcardsMatchLongNamesOnly) {
  Write("LongFileName.0001");
  CreateDirectoryW(Widen(dir_ + "d.000").c_str(), nullptr);
  std::vector<DirEntry> entries = fs_.Search(dir_, "*.000");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "d.000");
  // A name without wildcards is the file the user named, short or long.
  std::string short_name = ShortName("LongFileName.0001");
  ASSERT_FALSE(short_name.empty());
  entries = fs_.Search("", short_name.substr(short_name.rfind('\\') + 1));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "LongFileName.0001");
  EXPECT_EQ(fs_.OpenForRead(dir_ + "d.000"), nullptr);
  EXPECT_EQ(fs_.Create(dir_ + "no such folder\\A.t00"), nullptr);
}

TEST_F(Win32FileSystemTest, NamesAreCompletedFromTheWorkingDirectory) {
  Write("A.000");
  struct Case {
    std::string input;
    std::string log;
  };
  const Case kCases[] = {
      {"a", dir_ + "A.000 decompiled to " + dir_ + "A.t00.|"},
      {"C:a.000", "C:A.000 decompiled to C:A.t00.|"},
      {"missing", "Error: File " + dir_ + "missing.000 cannot be found.|"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    std::string log = Run(RunMode::kDecompile, c.input);
    EXPECT_EQ(log.substr(0, log.find('|') + 1), c.log);
  }
  // A working directory that is not on a drive letter.
  OtherCurrentDirectory share("\\\\?\\" + dir_);
  EXPECT_EQ(Run(RunMode::kDecompile, "A", "", &share),
            "\\\\?\\" + dir_ + "A.000 decompiled to \\\\?\\" + dir_ +
                "A.t00.|1 file(s) decompiled.|");
}

// Another case or the short name of an input is that input.
TEST_F(Win32FileSystemTest, NeverReplacesAnInputUnderAnotherName) {
  Write("IN.abc");
  Write("LongReportName.abcd");
  std::string short_name = ShortName("LongReportName.abcd");
  for (const auto& [input, output] :
       {std::pair<std::string, std::string>{"IN.abc", dir_ + "in.ABC"},
        {"LongReportName.abcd", short_name}}) {
    SCOPED_TRACE(input);
    EXPECT_EQ(Run(RunMode::kDecompileTo, input, output),
              "Error: Cannot open file " + output + "|0 file(s) decompiled.|");
  }
  EXPECT_EQ(std::filesystem::file_size(Widen(dir_ + "IN.abc")), kSetFileSize);
}

// Paths of 259 characters are written, of 261 refused, under Wine too.
TEST_F(Win32FileSystemTest, WindowsLimits) {
  for (std::size_t length : {259u, 261u}) {
    SCOPED_TRACE(length);
    std::string path =
        dir_ + std::string(length - dir_.size() - 4, 'n') + ".t00";
    std::unique_ptr<OutputFile> file = fs_.Create(path);
    EXPECT_EQ(file != nullptr, length == 259);
    EXPECT_TRUE(file == nullptr || file->Close());
    EXPECT_EQ(std::filesystem::exists(Widen(path)), length == 259);
  }
}

}  // namespace
}  // namespace quorlith
