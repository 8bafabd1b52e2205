#include "runs/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runs/run.h"
#include "runs/win32_wide.h"
#include "setfile/set_file_builder.h"
#include "text/report_text.h"

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

  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes =
                                          SetFileBuilder().Bytes()) {
    std::ofstream file(std::filesystem::path(Widen(dir_ + name)),
                       std::ios::binary);
    ASSERT_TRUE(file.write(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<std::streamsize>(bytes.size())))
        << name;
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

TEST_F(Win32FileSystemTest, SearchMatchesLongNamesInLinuxOrder) {
  for (const char* name : {"b.000", "A.000", "LongFileName.0001"}) {
    Write(name, {1, 2, 3});
  }
  // A.000 last written 2009-06-26 14:07:58 UTC, as FILETIME ticks.
  constexpr std::int64_t kWritten = 1246025278;
  std::uint64_t ticks = (kWritten + 11'644'473'600ull) * 10'000'000ull;
  FILETIME written{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  HANDLE a = CreateFileW(Widen(dir_ + "A.000").c_str(), FILE_WRITE_ATTRIBUTES,
                         0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(a, nullptr, nullptr, &written));
  CloseHandle(a);
  CreateDirectoryW(Widen(dir_ + "d.000").c_str(), nullptr);
  std::vector<DirEntry> entries = fs_.Search(dir_, "*.000");
  std::vector<std::string> names;
  for (const DirEntry& entry : entries) names.push_back(entry.name);
  // LongFileName.0001 matches "*.000" by its short name; it stays out.
  EXPECT_EQ(names, (std::vector<std::string>{"A.000", "b.000", "d.000"}));
  EXPECT_EQ(entries[1].size, 3u);
  EXPECT_EQ(entries[0].modified, kWritten);
  EXPECT_EQ(entries[1].id, fs_.IdOf(dir_ + "B.000"));
  EXPECT_NE(entries[1].id, entries[0].id);
  // The folder's "." and ".." are no entries of it.
  entries = fs_.Search(dir_, "*");
  names.clear();
  for (const DirEntry& entry : entries) names.push_back(entry.name);
  EXPECT_EQ(names.size(), 4u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "."), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), ".."), 0);
  // A name without wildcards is the file the user named, short or long.
  std::string short_name = ShortName("LongFileName.0001");
  ASSERT_FALSE(short_name.empty());
  entries = fs_.Search("", short_name.substr(short_name.rfind('\\') + 1));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "LongFileName.0001");
  EXPECT_EQ(fs_.OpenForRead(dir_ + "d.000"), nullptr);
  EXPECT_EQ(fs_.CurrentDirectory(), dir_);
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

// A finished file takes the place of the old one, and says whether it did;
// a file that cannot be made is no file.
TEST_F(Win32FileSystemTest, CreateAndRenameTellIfTheyCould) {
  EXPECT_EQ(fs_.Create(dir_ + "no such folder\\A.t00"), nullptr);
  Write("new.000", {1});
  Write("old.000", {2, 3});
  EXPECT_TRUE(fs_.Rename(dir_ + "new.000", dir_ + "old.000"));
  EXPECT_EQ(fs_.Search(dir_, "old.000").at(0).size, 1u);
  EXPECT_FALSE(fs_.Rename(dir_ + "new.000", dir_ + "old.000"));
}

TEST_F(Win32FileSystemTest, NeverReplacesAnInputUnderAnotherName) {
  Write("A.000");
  Write("IN.abc");
  Write("LongReportName.abcd");
  ASSERT_TRUE(CreateHardLinkW(Widen(dir_ + "A.t00").c_str(),
                              Widen(dir_ + "A.000").c_str(), nullptr));
  std::string short_name = ShortName("LongReportName.abcd");
  struct Case {
    std::string input;
    std::string output;
    std::string refused;
  };
  const Case kCases[] = {
      {"A", "", dir_ + "A.t00"},                     // a hard link of the input
      {"IN.abc", dir_ + "in.ABC", dir_ + "in.ABC"},  // another case
      {"LongReportName.abcd", short_name, short_name},  // the 8.3 name
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(
        Run(c.output.empty() ? RunMode::kDecompile : RunMode::kDecompileTo,
            c.input, c.output),
        "Error: Cannot open file " + c.refused + "|0 file(s) decompiled.|");
  }
  EXPECT_EQ(std::filesystem::file_size(Widen(dir_ + "IN.abc")), kSetFileSize);
}

TEST_F(Win32FileSystemTest, NamesInAnyScriptAndWindowsLimits) {
  const std::string kNames[] = {
      "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE"
      "\xB1",                                      // Greek
      "\xD7\xA2\xD7\x91\xD7\xA8\xD7\x99\xD7\xAA",  // Hebrew
      "\xF0\x9F\x98\x80 sets"};                    // emoji
  std::string log;
  for (const std::string& name : kNames) {
    Write(name + ".000");
    log += dir_ + name + ".000 decompiled to " + dir_ + name + ".t00.|";
  }
  EXPECT_EQ(Run(RunMode::kDecompile, dir_ + "*.000"),
            log + "3 file(s) decompiled.|");
  for (const std::string& name : kNames) {
    EXPECT_TRUE(std::filesystem::exists(Widen(dir_ + name + ".t00"))) << name;
  }

  // Report paths of 259 characters are written, of 261 refused.
  Write("A.000");
  for (std::size_t length : {259u, 261u}) {
    SCOPED_TRACE(length);
    std::string output =
        dir_ + std::string(length - dir_.size() - 4, 'n') + ".t00";
    ASSERT_EQ(Utf8ToUtf16(output).size(), length);
    std::string expected =
        length == 259 ? dir_ + "A.000 decompiled to " + output + ".|1 file(s)"
                      : "Error: Cannot open file " + output + "|0 file(s)";
    EXPECT_EQ(Run(RunMode::kDecompileTo, "A", output),
              expected + " decompiled.|");
    EXPECT_EQ(std::filesystem::exists(Widen(output)), length == 259);
  }
}

}  // namespace
}  // namespace quorlith
