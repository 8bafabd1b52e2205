// The console program run as a real process with POSIX pipes: what a
// shell pipeline does to it cannot be faked.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/console.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

// Runs the console program on `args` with standard output going to `out`
// and standard error to `err`, SIGPIPE as a shell would leave it; returns
// its exit status, or -1 when a signal ended it.
int Spawn(std::vector<std::string> args, int out, int err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  args.insert(args.begin(), QUORLITH_CLI_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid;
  int status = 0;
  bool ran = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(),
                         environ) == 0 &&
             ::waitpid(pid, &status, 0) == pid;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return ran && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder of set files, removed at the end.
class Sets {
 public:
  explicit Sets(std::vector<const char*> names) {
    char dir_template[] = "/tmp/quorlith-console-XXXXXX";
    dir_ = std::string(::mkdtemp(dir_template)) + "/";
    std::vector<std::uint8_t> set_file = SetFileBuilder().Bytes();
    for (const char* name : names) {
      std::ofstream(dir_ + name, std::ios::binary)
          .write(reinterpret_cast<const char*>(set_file.data()),
                 static_cast<std::streamsize>(set_file.size()));
    }
  }
  ~Sets() { std::filesystem::remove_all(dir_); }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
};

// A pipe whose reading end is closed, as after `| head -1`.
int ClosedPipe() {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  ::close(ends[0]);
  return ends[1];
}

// `quorlith '*' | head -1`: with nobody reading the log any more, every
// report is still written and the exit status is the run's.
TEST(ConsoleProgram, ClosedLogPipesDoNotStopTheRun) {
  for (int status : {kExitOk, kExitRunError}) {
    SCOPED_TRACE(status);
    Sets sets({"A.000", "B.000", "C.000"});
    if (status == kExitRunError) std::ofstream(sets.dir() + "BAD.000") << "x";
    int log = ClosedPipe();  // standard output and error alike
    ASSERT_GE(log, 0);
    EXPECT_EQ(Spawn({sets.dir() + "*"}, log, log), status);
    ::close(log);
    for (const char* report : {"A.t00", "B.t00", "C.t00"}) {
      EXPECT_TRUE(std::filesystem::exists(sets.dir() + report)) << report;
    }
  }
}

// A view whose output cannot be written says so in one line and ends in
// trouble; a reader that went away is no trouble.
TEST(ConsoleProgram, AViewThatCannotWriteSaysSo) {
  Sets sets({"A.000", "B.000"});
  std::string a = sets.dir() + "A.000", b = sets.dir() + "B.000";
  const std::vector<std::string> kViews[] = {{"--show", a},
                                             {"--json", a},
                                             {"--changes", a, b},
                                             {"--find", "Key_Rate = 0", a}};
  std::string errors = sets.dir() + "errors";
  for (const std::vector<std::string>& view : kViews) {
    SCOPED_TRACE(view[0]);
    for (bool full : {true, false}) {
      int out = full ? ::open("/dev/full", O_WRONLY) : ClosedPipe();
      int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ASSERT_GE(out, 0);
      int status = Spawn(view, out, err);
      ::close(out);
      ::close(err);
      std::ifstream said(errors);
      std::string line((std::istreambuf_iterator<char>(said)), {});
      if (full) {
        EXPECT_EQ(status, 2);
        EXPECT_EQ(
            line,
            "quorlith: cannot write the output: No space left on device\n");
      } else {
        EXPECT_EQ(status, 0);  // the files are the same
        EXPECT_EQ(line, "");
      }
    }
  }
}

}  // namespace
}  // namespace quorlith
