#include "runs/file_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "runs/fake_file_system.h"
#include "runs/whole_files.h"
#ifdef _WIN32
#include "runs/win32_file_system.h"
#else
#include "runs/posix_file_system.h"
#endif

namespace quorlith {
namespace {

namespace stdfs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

stdfs::path Native(const std::string& utf8) {
  return stdfs::path(std::u8string(utf8.begin(), utf8.end()));
}

// What every FileSystem keeps alike, played against the fake that the run
// tests trust (true) and against this platform's own (false), each in a
// folder of its own.
class FileSystemContract : public ::testing::TestWithParam<bool> {
 protected:
  FileSystemContract() {
    if (GetParam()) {
      fake_ = new FakeFileSystem;
      fs_.reset(fake_);
      root_ = "/t/";
      fake_->SetCurrentDirectory(root_);
      return;
    }
#ifdef _WIN32
    fs_ = std::make_unique<Win32FileSystem>();
#else
    fs_ = std::make_unique<PosixFileSystem>();
#endif
    stdfs::path dir =
        stdfs::temp_directory_path() / ("quorlith-" + UnguessableLetters(8));
    stdfs::create_directory(dir);
    std::u8string utf8 = dir.u8string();
    root_.assign(utf8.begin(), utf8.end());
    root_ += static_cast<char>(stdfs::path::preferred_separator);
  }
  ~FileSystemContract() override {
    if (fake_ == nullptr) stdfs::remove_all(Native(root_));
  }

  void Put(const std::string& name, const Bytes& bytes) {
    std::unique_ptr<OutputFile> file = fs_->Create(root_ + name);
    ASSERT_NE(file, nullptr) << name;
    ASSERT_TRUE(file->Write(bytes));
    ASSERT_TRUE(file->Close());
  }

  // The bytes at `path`, or none when it does not open.
  std::optional<Bytes> Get(const std::string& path) {
    Bytes bytes;
    if (!ReadWholeFile(*fs_, path, 1 << 24, bytes)) return std::nullopt;
    return bytes;
  }

  std::unique_ptr<FileSystem> fs_;
  FakeFileSystem* fake_ = nullptr;
  std::string root_;  // ends with its separator
};

INSTANTIATE_TEST_SUITE_P(FakeAndNative, FileSystemContract,
                         ::testing::Values(true, false), [](const auto& run) {
                           return run.param ? "Fake" : "Native";
                         });

// A file written over holds only the new bytes; a read short of what was
// asked ends the file only at the size it had when opened, the listing's
// size may be stale either way.
TEST_P(FileSystemContract, FilesReadWholeEndWhereTheyEnd) {
  struct Case {
    std::size_t size, limit, expected, read;
  };
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  for (const Case& c : std::initializer_list<Case>{
           {5000, 8 * kMiB, 0, 5000},
           {0, 100, 0, 0},
           {100, 100, 100, 100},
           {101, 100, 0, 101},  // one past the limit says "larger"
           {5000, 100, 0, 101},
           {3 * kMiB + 7, 8 * kMiB, 0, 3 * kMiB + 7},  // past the first buffer
           {5000, 8 * kMiB, 4000, 5000},               // grew since listed
           {4000, 8 * kMiB, 5000, 4000},               // shrank since listed
       }) {
    SCOPED_TRACE(testing::Message() << c.size << " " << c.expected);
    Bytes bytes(c.size);
    std::iota(bytes.begin(), bytes.end(), 0);  // wraps every 256
    Put("f", bytes);
    Bytes read = {9, 9, 9};  // a buffer used before
    ASSERT_TRUE(ReadWholeFile(*fs_, root_ + "f", c.limit, read, c.expected));
    bytes.resize(c.read);
    EXPECT_EQ(read, bytes);
  }
  EXPECT_EQ(fs_->OpenForRead(root_ + "missing"), nullptr);
  EXPECT_EQ(fs_->OpenForRead(root_), nullptr);  // a folder
}

// Names in any script, sorted alike everywhere, each entry with its own
// size, time and identity, which each of its names shares.
TEST_P(FileSystemContract, SearchMatchesSortsAndDescribes) {
  const std::string kSorted[] = {"a b.000", "A.000", "b.000",
                                 "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC.000",
                                 "\xF0\x9F\x98\x80 sets.000"};
  for (std::size_t i : {2, 4, 0, 1, 3}) Put(kSorted[i], Bytes(i + 1, 1));
  Put("c.001", {});
  constexpr std::int64_t kWritten = 1246025278;  // 2009-06-26 14:07:58 UTC
  if (fake_ != nullptr) {
    fake_->Find(root_ + "b.000")->modified = kWritten;
    fake_->Link(root_ + "A.000", root_ + "L.t00");
  } else {
    stdfs::last_write_time(
        Native(root_ + "b.000"),
        std::chrono::file_clock::from_sys(
            std::chrono::sys_seconds(std::chrono::seconds(kWritten))));
    stdfs::create_hard_link(Native(root_ + "A.000"), Native(root_ + "L.t00"));
  }
  std::vector<DirEntry> entries = fs_->Search(root_, "*.000");
  ASSERT_EQ(entries.size(), std::size(kSorted));
  std::set<FileId> ids;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(kSorted[i]);
    EXPECT_EQ(entries[i].name, kSorted[i]);
    EXPECT_EQ(entries[i].size, i + 1);
    EXPECT_EQ(entries[i].id, fs_->IdOf(root_ + kSorted[i]));
    ids.insert(entries[i].id.value_or(FileId{}));
  }
  EXPECT_EQ(ids.size(), entries.size());  // each its own
  EXPECT_EQ(entries[2].modified, kWritten);
  EXPECT_EQ(fs_->IdOf(root_ + "L.t00"), entries[1].id);
  EXPECT_EQ(fs_->IdOf(root_ + "missing"), std::nullopt);
  EXPECT_EQ(fs_->Search(root_, "B.000").size(), 1u);  // case-insensitive
  EXPECT_TRUE(fs_->Search(root_ + "missing" + root_.back(), "*").empty());
}

// A file beside another never takes the place of one that stands, and
// takes the other's place only when renamed over it, which leaves nothing
// behind. Bare names are found in the current folder, which ends with its
// separator.
TEST_P(FileSystemContract, ReplacesThroughANewFileBeside) {
  const std::string out = root_ + "OUT.000";
  Put("OUT.000", Bytes(5000, 1));
  std::string name;
  std::unique_ptr<OutputFile> file = fs_->CreateBeside(out, name);
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(name.starts_with(out + ".quorlith-")) << name;
  ASSERT_TRUE(file->Write(Bytes{2}));
  ASSERT_TRUE(file->Close());
  std::string second;
  std::unique_ptr<OutputFile> again = fs_->CreateBeside(out, second);
  EXPECT_TRUE(again || fake_ != nullptr);  // the fake's name is fixed
  if (again) {
    EXPECT_NE(second, name);
    ASSERT_TRUE(again->Close());
    EXPECT_TRUE(fs_->Remove(second));
  }
  EXPECT_EQ(Get(out), Bytes(5000, 1));
  EXPECT_TRUE(fs_->Rename(name, out));
  EXPECT_EQ(Get(out), Bytes{2});
  EXPECT_FALSE(fs_->Rename(name, out));
  EXPECT_FALSE(fs_->Remove(name));
  ASSERT_TRUE(ReplaceFile(*fs_, out, {9, 9}));
  EXPECT_EQ(Get(out), (Bytes{9, 9}));
  EXPECT_EQ(fs_->Search(root_, "*").size(), 1u) << "a temporary file stayed";
  stdfs::path was;
  if (fake_ == nullptr) {
    was = stdfs::current_path();
    stdfs::current_path(Native(root_));
  }
  std::string cwd = fs_->CurrentDirectory();
  std::size_t found = fs_->Search("", "out.000").size();
  if (fake_ == nullptr) stdfs::current_path(was);
  EXPECT_EQ(cwd, root_);
  EXPECT_EQ(found, 1u);
}

}  // namespace
}  // namespace quorlith
