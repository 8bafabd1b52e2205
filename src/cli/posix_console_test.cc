// The console program run as a real process with POSIX pipes: what a
// shell pipeline does to it cannot be faked.
#include <fcntl.h>
#include <gtest/gtest.h>
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
  args.insert(args.begin(), QUORLITH_CLI_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGPIPE, SIG_DFL);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)
             ? WEXITSTATUS(status)
             : -1;
}

// A pipe whose reading end is closed, as after `| head -1`.
int ClosedPipe() {
  int ends[2];
  if (::pipe(ends) != 0) return -1;
  ::close(ends[0]);
  return ends[1];
}

// A view whose output cannot be written says so in one line and ends in
// trouble. A reader that went away is no trouble: a view had what it
// wanted, and a run goes on without its log, writes every report and ends
// with its own status.
TEST(ConsoleProgram, OutputThatCannotBeWritten) {
  char folder[] = "/tmp/quorlith-console-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  std::string dir = std::string(folder) + "/", a = dir + "A.000";
  std::vector<std::uint8_t> set_file = SetFileBuilder().Bytes();
  for (const char* name : {"A.000", "B.000"}) {
    std::ofstream(dir + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(set_file.data()),
               static_cast<std::streamsize>(set_file.size()));
  }
  std::ofstream(dir + "BAD.000") << "x";
  const std::string kFull =
      "quorlith: cannot write the output: No space left on device\n";
  const struct {
    std::vector<std::string> args;
    bool full;  // else a closed pipe
    int status;
    std::string said;
  } kCases[] = {{{"--show", a}, true, 2, kFull},
                {{"--find", "Key_Rate = 0", a}, true, 2, kFull},
                {{"--show", a}, false, 0, ""},
                {{dir + "*"},
                 false,
                 1,
                 "Error: File " + dir +
                     "BAD.000 does not match Orvalen version 7.0 format.\n"}};
  std::string errors = dir + "errors";
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.args[0] + (c.full ? " to /dev/full" : " to a closed pipe"));
    int out = c.full ? ::open("/dev/full", O_WRONLY) : ClosedPipe();
    int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(out, 0);
    EXPECT_EQ(Spawn(c.args, out, err), c.status);
    ::close(out);
    ::close(err);
    std::ifstream said(errors);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(said), {}), c.said);
  }
  EXPECT_TRUE(std::filesystem::exists(dir + "A.t00"));
  EXPECT_TRUE(std::filesystem::exists(dir + "B.t00"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorlith
