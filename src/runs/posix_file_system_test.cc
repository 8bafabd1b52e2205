#include "runs/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runs/compile_run.h"
#include "runs/log_testing.h"
#include "runs/run_files.h"
#include "runs/whole_files.h"
#include "setfile/set_file_builder.h"

// What POSIX alone has: symbolic links, permission bits, FIFOs and
// devices, descriptor 0 and signals. What every file system
// keeps is in file_system_test.cc.

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
        << std::string(bytes.begin(), bytes.end());
  }

  PosixFileSystem fs_;
  std::string dir_;
};

// FIFOs and devices: only regular files open for reading, and a device
// written to has no length to cut.
TEST_F(PosixFileSystemTest, OnlyRegularFilesOpen) {
  ASSERT_EQ(::mkfifo((dir_ + "p.000").c_str(), 0600), 0);
  EXPECT_EQ(fs_.OpenForRead(dir_ + "p.000"), nullptr);  // must not block
  EXPECT_EQ(fs_.Create(dir_ + "missing/x"), nullptr);
  for (const char* device : {"/dev/null", "/dev/full"}) {
    SCOPED_TRACE(device);
    std::unique_ptr<OutputFile> file = fs_.Create(device);
    ASSERT_NE(file, nullptr);
    // /dev/full refuses every write, as a full disk does.
    EXPECT_EQ(file->Write(std::vector<std::uint8_t>(10, 1)), device[5] == 'n');
    EXPECT_TRUE(file->Close());
  }
  // A new file is one as any other program makes.
  mode_t mask = ::umask(022);
  ASSERT_TRUE(fs_.Create(dir_ + "new")->Close());
  ::umask(mask);
  EXPECT_EQ(fs::status(dir_ + "new").permissions(), fs::perms(0644));
  // A file cut short after it was opened ends where it now ends.
  Write("f", std::vector<std::uint8_t>(5000, 1));
  std::unique_ptr<InputFile> file = fs_.OpenForRead(dir_ + "f");
  ASSERT_NE(file, nullptr);
  fs::resize_file(dir_ + "f", 3000);
  std::vector<std::uint8_t> read(8000);
  errno = EINTR;  // left over from any earlier call: no reason to read again
  EXPECT_EQ(file->Read(read), 3000u);
}

// Started with its standard input closed, the program is given descriptor
// 0 for the first file it opens, which is as good as any other.
TEST_F(PosixFileSystemTest, DescriptorZeroServesAsAnyOther) {
  int saved = ::dup(0);
  std::string beside;
  for (int round = 0; round < 3; ++round) {
    ::close(0);
    bool opened = round == 0 ? fs_.Create(dir_ + "g.t00") != nullptr
                  : round == 1
                      ? fs_.OpenForRead(dir_ + "g.t00") != nullptr
                      : fs_.CreateBeside(dir_ + "g.t00", beside) != nullptr;
    // The file, gone, gave its descriptor back.
    bool freed = ::fcntl(0, F_GETFD) == -1;
    ::dup2(saved, 0);
    EXPECT_TRUE(opened) << round;
    EXPECT_TRUE(freed) << round;
  }
  ::close(saved);
}

// A base that is a link to an output the compile wrote earlier in the run
// is not read: the run would depend on its own order.
TEST_F(PosixFileSystemTest, CompileReadsNoBaseItWrote) {
  fs::create_directories(dir_ + "out");
  fs::create_directory(dir_ + "p");
  for (const char* name : {"A.000", "T.000", "out/A.000"}) {
    Write(name, SetFileBuilder().Bytes());
  }
  fs::create_symlink(dir_ + "out/A.000", dir_ + "S.000");
  for (const char* base : {"A", "S", "T"}) {
    std::ofstream(dir_ + "p/" + base + ".t00")
        << "; Created from " << dir_ << base << ".000\n; Menu 2 - Keyboard\n"
        << "Key_Rate = 7\n";
  }
  MarkedLog log;
  EXPECT_EQ(
      RunCompile(fs_, log.buffer(), {dir_ + "p/*.t00", "", dir_ + "out/"}), 2);
  // A and T compiled, and between them this whole line.
  EXPECT_NE(log.Text().find("\nE " + dir_ +
                            "S.000: this compile wrote it, so it cannot be a "
                            "base too; compile " +
                            dir_ + "p/S.t00 in a second run\n  "),
            std::string::npos);
}

// A file that is a link is replaced where the link leads, by a whole path,
// relative to its folder, through another link or to nothing yet; the new
// bytes keep the target's permission bits, and the link stays a link.
TEST_F(PosixFileSystemTest, ReplacingALinkReplacesItsTarget) {
  fs::create_directory(dir_ + "far");
  Write("far/T.000", {2});
  fs::permissions(dir_ + "far/T.000", fs::perms(0640));
  fs::create_symlink(dir_ + "far/T.000", dir_ + "L.000");
  fs::create_symlink("far/N.000", dir_ + "D.000");
  fs::create_symlink("L.000", dir_ + "R.000");
  std::uint8_t n = 0;
  for (auto [link, target] : {std::pair{"L.000", "far/T.000"},
                              {"D.000", "far/N.000"},
                              {"R.000", "far/T.000"}}) {
    SCOPED_TRACE(link);
    ASSERT_TRUE(ReplaceFile(fs_, dir_ + link, {++n}));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(fs_, dir_ + target, 100, bytes));
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{n});
    EXPECT_TRUE(fs::is_symlink(dir_ + link));
  }
  EXPECT_EQ(fs::status(dir_ + "far/T.000").permissions(), fs::perms(0640));
}

TEST_F(PosixFileSystemTest, LinkedOrFoldedOutputsRunSerially) {
  Write("target", {});
  fs::create_symlink(dir_ + "target", dir_ + "one.t00");
  fs::create_symlink(dir_ + "target", dir_ + "two.t00");
  fs::create_directory(dir_ + "sub");
  // A deep current folder, longer than a first guess of the room its name
  // needs.
  fs::path deep = fs::path(dir_) / std::string(200, 'd') / std::string(90, 'e');
  fs::create_directories(deep);
  // Enough paths to be looked up on two threads: the first and the last
  // fall to different ones.
  std::vector<std::string> many = {dir_ + "one.t00"};
  for (int i = 0; i < 300; ++i) {
    many.push_back(dir_ + "sub/" + std::to_string(i) + ".t00");
  }
  many.push_back(dir_ + "two.t00");
  // Folders told apart by identity, names by their folded characters;
  // a name without a folder is in the current one.
  const std::pair<std::vector<std::string>, int> kCases[] = {
      {{dir_ + "one.t00", dir_ + "sub/new.t00", dir_ + "new.t00"}, 2},
      {{dir_ + "one.t00", dir_ + "two.t00"}, 1},
      {{dir_ + "sub/Ä.t00", dir_ + "sub/../sub/ä.t00"}, 1},
      {{"x.t00", deep.string() + "/X.t00"}, 1},
      {{many.begin(), many.end() - 1}, 2},
      {many, 1},
  };
  fs::path before = fs::current_path();
  fs::current_path(deep);
  std::string cwd = fs_.CurrentDirectory();
  for (const auto& [outputs, workers] : kCases) {
    SCOPED_TRACE(outputs[1]);
    EXPECT_EQ(WorkersFor(fs_, 2, outputs.size(),
                         [&](std::size_t i) { return outputs[i]; }),
              workers);
  }
  fs::current_path(before);
  EXPECT_EQ(cwd, deep.string() + "/");
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

}  // namespace
}  // namespace quorlith
