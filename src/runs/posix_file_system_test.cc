#include "runs/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runs/compile_run.h"
#include "runs/log_testing.h"
#include "runs/run.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "setfile/set_file_builder.h"
#include "text/report_text.h"

namespace quorlith {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  PosixFileSystemTest() {
    char pattern[] = "/tmp/quorlith-test-XXXXXX";
    dir_ = std::string(::mkdtemp(pattern)) + "/";
  }
  ~PosixFileSystemTest() override { fs::remove_all(dir_); }

  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(dir_ + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::string Run(RunMode mode, const std::string& input,
                  const std::string& output = {}) {
    LogBuffer log;
    RunContext ctx{fs_, log, {}};
    RunDecompile(ctx, mode, input, output);
    return Utf16ToUtf8(log.Text());
  }

  PosixFileSystem fs_;
  std::string dir_;
};

TEST_F(PosixFileSystemTest, SearchMatchesSortsAndDescribes) {
  Write("b.000", {1, 2, 3});
  Write("A.000", {});
  Write("a b.000", {});
  Write("c.001", {});
  fs::create_directory(dir_ + "dir.000");
  std::vector<DirEntry> entries = fs_.Search(dir_, "*.000");
  std::vector<std::string> names;
  for (const DirEntry& entry : entries) names.push_back(entry.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"a b.000", "A.000", "b.000", "dir.000"}));
  EXPECT_EQ(entries[2].size, 3u);
  EXPECT_TRUE(entries[2].id.has_value());
  EXPECT_EQ(fs_.Search(dir_ + "missing/", "*").size(), 0u);
  EXPECT_EQ(fs_.Search(dir_, "B.000").size(), 1u);  // case-insensitive
  // "*.*" matches "." and "..", which are no entries.
  EXPECT_EQ(fs_.Search(dir_, "*.*").size(), 5u);
}

TEST_F(PosixFileSystemTest, OnlyRegularFilesOpen) {
  Write("f.000", {1});
  fs::create_directory(dir_ + "d.000");
  ASSERT_EQ(::mkfifo((dir_ + "p.000").c_str(), 0600), 0);
  EXPECT_NE(fs_.OpenForRead(dir_ + "f.000"), nullptr);
  EXPECT_EQ(fs_.OpenForRead(dir_ + "d.000"), nullptr);
  EXPECT_EQ(fs_.OpenForRead(dir_ + "p.000"), nullptr);  // must not block
  EXPECT_EQ(fs_.OpenForRead(dir_ + "missing"), nullptr);
  EXPECT_EQ(fs_.Create(dir_ + "missing/x"), nullptr);
}

// Started with its standard input closed, the program is given descriptor
// 0 for the first file it opens, which is as good as any other.
TEST_F(PosixFileSystemTest, DescriptorZeroServesAsAnyOther) {
  Write("f.000", {1});
  int saved = ::dup(0);
  std::string beside;
  for (int round = 0; round < 3; ++round) {
    ::close(0);
    bool opened = round == 0 ? fs_.OpenForRead(dir_ + "f.000") != nullptr
                  : round == 1
                      ? fs_.Create(dir_ + "g.t00") != nullptr
                      : fs_.CreateBeside(dir_ + "g.t00", beside) != nullptr;
    // The file, gone, gave its descriptor back.
    bool freed = ::fcntl(0, F_GETFD) == -1;
    ::dup2(saved, 0);
    EXPECT_TRUE(opened) << round;
    EXPECT_TRUE(freed) << round;
  }
  ::close(saved);
}

TEST_F(PosixFileSystemTest, FilesReadWholeEndWhereTheyEnd) {
  // A read short of what was asked ends the file only at the size it had
  // when opened; the listing's size may be stale either way.
  struct Case {
    std::size_t size, limit, expected, read;
  };
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  for (const Case& c : std::initializer_list<Case>{
           {0, 100, 0, 0},
           {1, 100, 0, 1},
           {100, 100, 100, 100},
           {101, 100, 0, 101},  // one past the limit says "larger"
           {5000, 100, 0, 101},
           {3 * kMiB + 7, 8 * kMiB, 0, 3 * kMiB + 7},  // past the first buffer
           {5000, 8 * kMiB, 4000, 5000},               // grew since listed
           {4000, 8 * kMiB, 5000, 4000},               // shrank since listed
       }) {
    SCOPED_TRACE(testing::Message() << c.size << " " << c.expected);
    std::vector<std::uint8_t> bytes(c.size);
    for (std::size_t i = 0; i < c.size; ++i) {
      bytes[i] = static_cast<std::uint8_t>(i * 7);
    }
    Write("f", bytes);
    std::vector<std::uint8_t> read = {9, 9, 9};  // a buffer used before
    ASSERT_TRUE(ReadWholeFile(fs_, dir_ + "f", c.limit, read, c.expected));
    bytes.resize(c.read);
    EXPECT_EQ(read, bytes);
  }
  std::vector<std::uint8_t> read;
  EXPECT_FALSE(ReadWholeFile(fs_, dir_ + "missing", 100, read));
  // A file cut short after it was opened ends where it now ends.
  Write("f", std::vector<std::uint8_t>(5000, 1));
  std::unique_ptr<InputFile> file = fs_.OpenForRead(dir_ + "f");
  ASSERT_NE(file, nullptr);
  fs::resize_file(dir_ + "f", 3000);
  read.assign(8000, 0);
  EXPECT_EQ(file->Read(read), 3000u);
}

// Names that are no UTF-8, of 255 bytes, of a folder, or of a link to an
// input: the run reports each as it should and keeps every input.
TEST_F(PosixFileSystemTest, RealRunLeavesInputsUntouched) {
  std::vector<std::uint8_t> set_file = SetFileBuilder().Bytes();
  const std::string kLong = std::string(251, 'L');  // 255 bytes with .000
  for (const std::string& name : std::initializer_list<std::string>{
           "A.000", "S.000", "odd \xFF name.000", kLong + ".000"}) {
    Write(name, set_file);
  }
  fs::create_directory(dir_ + "folder.000");
  fs::create_symlink(dir_ + "S.000", dir_ + "S.t00");
  const std::string kOdd = dir_ + "odd \xEF\xBF\xBD name";
  EXPECT_EQ(Run(RunMode::kDecompile, dir_ + "*"),
            dir_ + "A.000 decompiled to " + dir_ + "A.t00.\r\r\n" +
                "Error: Cannot open file " + dir_ + "folder.000\r\r\n" + dir_ +
                kLong + ".000 decompiled to " + dir_ + kLong + ".t00.\r\r\n" +
                kOdd + ".000 decompiled to " + kOdd + ".t00.\r\r\n" +
                "Error: Cannot open file " + dir_ + "S.t00\r\r\n" +
                "3 file(s) decompiled.\r\r\n");
  EXPECT_TRUE(fs::exists(dir_ + "odd \xFF name.t00"));
  EXPECT_EQ(fs::file_size(dir_ + "A.000"), kSetFileSize);
  EXPECT_EQ(fs::file_size(dir_ + "S.000"), kSetFileSize);
  EXPECT_EQ(fs::file_size(dir_ + "A.t00") % 2, 0u);
  mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(fs::status(dir_ + "A.t00").permissions(),
            static_cast<fs::perms>(0666 & ~mask));  // as any new file
}

// A base that is a link to an output the compile wrote earlier in the run
// is not read: the run would depend on its own order.
TEST_F(PosixFileSystemTest, CompileReadsNoBaseItWrote) {
  for (const char* name : {"A.000", "T.000", "out/A.000"}) {
    fs::create_directories(fs::path(dir_ + name).parent_path());
    Write(name, SetFileBuilder().Bytes());
  }
  fs::create_symlink(dir_ + "out/A.000", dir_ + "S.000");
  fs::create_directory(dir_ + "p");
  for (const char* base : {"A", "S", "T"}) {
    std::ofstream(dir_ + "p/" + base + ".t00")
        << "; Created from " << dir_ << base << ".000\n; Menu 2 - Keyboard\n"
        << "Key_Rate = 7\n";
  }
  MarkedLog log;
  EXPECT_EQ(
      RunCompile(fs_, log.buffer(), {dir_ + "p/*.t00", "", dir_ + "out/"}), 2);
  EXPECT_EQ(log.Text(),
            "  " + dir_ + "p/A.t00 compiled over " + dir_ + "A.000 to " + dir_ +
                "out/A.000.\nE " + dir_ +
                "S.000: this compile wrote it, so it cannot be a base too; "
                "compile " +
                dir_ + "p/S.t00 in a second run\n  " + dir_ +
                "p/T.t00 compiled over " + dir_ + "T.000 to " + dir_ +
                "out/T.000.\n");
}

TEST_F(PosixFileSystemTest, FullDiskFailsTheClose) {
  Write("A.000", SetFileBuilder().Bytes());
  // /dev/full takes the open and refuses every write, as a full disk does.
  fs::create_symlink("/dev/full", dir_ + "full.txt");
  EXPECT_EQ(Run(RunMode::kDecompileTo, dir_ + "A", dir_ + "full.txt"),
            dir_ + "A.000 decompiled to " + dir_ + "full.txt.\r\r\n" +
                "Error: Cannot close file " + dir_ + "full.txt\r\r\n" +
                "0 file(s) decompiled.\r\r\n");
}

// A file is replaced through a new one that no link planted in its folder
// can redirect (its name is unguessable and made exclusively); a link that
// is the file itself is replaced where it leads, beside its target, whose
// permission bits the new bytes keep.
TEST_F(PosixFileSystemTest, ReplacingAFileFollowsNoPlantedLink) {
  auto read = [&](const std::string& name) {
    std::ifstream in(dir_ + name, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
  };
  Write("B.000", {1});
  fs::create_directory(dir_ + "far");
  Write("far/T.000", {2});
  fs::permissions(dir_ + "far/T.000", fs::perms(0640));
  struct Case {
    const char* link;    // a link planted, or the output itself
    const char* target;  // where it leads
    const char* output;  // what is replaced
    const char* written;
  };
  const Case kCases[] = {
      {"OUT.000.quorlith-new", "B.000", "OUT.000", "OUT.000"},
      {"L.000", "far/T.000", "L.000", "far/T.000"},
      {"D.000", "far/N.000", "D.000", "far/N.000"},  // leads to nothing yet
      {"R.000", "L.000", "R.000", "far/T.000"},      // a link to a link
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.output);
    fs::create_symlink(dir_ + c.target, dir_ + c.link);
    ASSERT_TRUE(ReplaceFile(fs_, dir_ + c.output, {9, 9}));
    EXPECT_EQ(read(c.written), (std::vector<std::uint8_t>{9, 9}));
    EXPECT_EQ(read("B.000"), std::vector<std::uint8_t>{1});
    EXPECT_TRUE(fs::is_symlink(dir_ + c.link));
  }
  EXPECT_EQ(fs::status(dir_ + "far/T.000").permissions(), fs::perms(0640));
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
    files += entry.is_regular_file() && !entry.is_symlink();
  }
  EXPECT_EQ(files, 4u) << "B.000, OUT.000, far/T.000 and far/N.000, no more";
}

// A file is written over in place: what it held beyond the new bytes
// must go, and a device, which has no length, must still close cleanly.
TEST_F(PosixFileSystemTest, WritingOverAFileLeavesOnlyTheNewBytes) {
  struct Case {
    std::size_t old_size;
    std::size_t new_size;
  };
  for (Case c : {Case{5000, 3}, Case{3, 5000}, Case{0, 7}, Case{9, 0}}) {
    SCOPED_TRACE(c.old_size);
    Write("out", std::vector<std::uint8_t>(c.old_size, 0xAA));
    std::unique_ptr<OutputFile> file = fs_.Create(dir_ + "out");
    ASSERT_NE(file, nullptr);
    std::vector<std::uint8_t> bytes(c.new_size, 0x55);
    ASSERT_TRUE(file->Write(bytes));
    ASSERT_TRUE(file->Close());
    std::ifstream in(dir_ + "out", std::ios::binary);
    std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(read, bytes);
  }
  // A new file is one its owner's other programs may read and write.
  mode_t mask = ::umask(022);
  ASSERT_TRUE(fs_.Create(dir_ + "new")->Close());
  ::umask(mask);
  EXPECT_EQ(fs::status(dir_ + "new").permissions(),
            fs::perms::owner_read | fs::perms::owner_write |
                fs::perms::group_read | fs::perms::others_read);
  std::unique_ptr<OutputFile> null = fs_.Create("/dev/null");
  ASSERT_NE(null, nullptr);
  EXPECT_TRUE(null->Write(std::vector<std::uint8_t>(10, 1)));
  EXPECT_TRUE(null->Close());
}

TEST_F(PosixFileSystemTest, LinkedOrFoldedOutputsRunSerially) {
  Write("target", {});
  fs::create_symlink(dir_ + "target", dir_ + "one.t00");
  fs::create_symlink(dir_ + "target", dir_ + "two.t00");
  fs::create_directory(dir_ + "sub");
  struct Case {
    std::vector<std::string> outputs;
    int workers;
  };
  const Case kCases[] = {
      {{dir_ + "one.t00", dir_ + "sub/new.t00", dir_ + "new.t00"}, 2},
      {{dir_ + "one.t00", dir_ + "two.t00"}, 1},
      {{dir_ + "sub/Ä.t00", dir_ + "sub/../sub/ä.t00"}, 1},
      // A name without a folder is in the current one from the first.
      {{"x.t00", dir_ + "X.t00"}, 1},
  };
  fs::path before = fs::current_path();
  fs::current_path(dir_);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.outputs[1]);
    EXPECT_EQ(WorkersFor(fs_, 2, c.outputs.size(),
                         [&](std::size_t i) { return c.outputs[i]; }),
              c.workers);
  }
  fs::current_path(before);
}

// A signal cuts a write to a pipe short: one that moved bytes returns
// their count, one that moved none fails with EINTR. Every byte must still
// arrive, once and in order.
TEST_F(PosixFileSystemTest, WritesGoOnAfterSignals) {
  struct sigaction action = {};
  action.sa_handler = [](int) {};  // no SA_RESTART: writes are cut short
  struct sigaction previous;
  ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  std::unique_ptr<OutputFile> out =
      fs_.Create("/proc/self/fd/" + std::to_string(pipe_fds[1]));
  ::close(pipe_fds[1]);
  ASSERT_NE(out, nullptr);
  std::vector<std::uint8_t> bytes(250001);  // no multiple of a page
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(i % 251);
  }
  std::atomic<bool> done{false};
  bool written = false;
  std::thread writer([&] {
    written = out->Write(bytes);
    written = out->Close() && written;  // closed in any case: the reader ends
    done = true;
  });
  std::vector<std::uint8_t> got;
  std::uint8_t chunk[4000];
  for (;;) {
    // Two signals between reads: the second finds the pipe full again.
    for (int i = 0; i < 2 && !done; ++i) {
      ::pthread_kill(writer.native_handle(), SIGUSR1);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ssize_t n = ::read(pipe_fds[0], chunk, sizeof chunk);
    if (n <= 0) break;
    got.insert(got.end(), chunk, chunk + n);
  }
  writer.join();
  ::close(pipe_fds[0]);
  ::sigaction(SIGUSR1, &previous, nullptr);
  EXPECT_TRUE(written);
  EXPECT_TRUE(got == bytes) << got.size() << " bytes arrived";
}

// Deep folders too, whose names are longer than a first guess of the room.
TEST_F(PosixFileSystemTest, CurrentDirectoryEndsWithSlash) {
  fs::path deep = fs::path(dir_) / std::string(200, 'd') / std::string(90, 'e');
  fs::create_directories(deep);
  fs::path was = fs::current_path();
  fs::current_path(deep);
  std::string got = fs_.CurrentDirectory();
  fs::current_path(was);
  EXPECT_EQ(got, deep.string() + "/");
  EXPECT_EQ(fs_.CurrentDirectory(), was.string() + "/");
}

}  // namespace
}  // namespace quorlith
