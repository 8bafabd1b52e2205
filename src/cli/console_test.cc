#include "cli/console.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "runs/fake_file_system.h"
#include "setfile/set_file_builder.h"

namespace quorlith {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(FakeFileSystem& fs, std::vector<const char*> args) {
  args.insert(args.begin(), "quorlith");
  std::ostringstream out, err;
  int status =
      RunConsole(static_cast<int>(args.size()), args.data(), out, err, fs);
  return {status, out.str(), err.str()};
}

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() {
    fs_.SetCurrentDirectory("/cwd/");
    fs_.AddFile("/cwd/A.000", SetFileBuilder().Bytes());
    fs_.AddFile("/cwd/-B.000", SetFileBuilder().Bytes());
    fs_.AddFile("/cwd/BAD.000", {1, 2, 3});
  }
  FakeFileSystem fs_;
};

TEST_F(ConsoleTest, ExitStatuses) {
  struct Case {
    std::vector<const char*> args;
    int status;
    const char* out;  // how standard output begins
  };
  const char* kDecompiled = "/cwd/A.000 decompiled to /cwd/A.t00.\n";
  const char* kCompared = "/cwd/A.000 compared with /cwd/A.000\n";
  const Case kCases[] = {
      {{"A"}, kExitOk, kDecompiled},
      {{"A", "/out/"}, kExitOk, "/cwd/A.000 decompiled to /out/A.t00.\n"},
      {{"A.000", "A.000", "x"}, kExitOk, kCompared},
      // Once a name is given every argument is a name.
      {{"A.000", "A.000", "-c"}, kExitOk, kCompared},
      {{"A.000", "A.000", "--help"}, kExitOk, kCompared},
      {{"-j", "2", "A.000", "A.000", "--version"}, kExitOk, kCompared},
      {{"A.000", "A.000", "-j"}, kExitOk, kCompared},
      {{"A", "-B"}, kExitOk, "/cwd/A.000 decompiled to /cwd/-B.t00.\n"},
      {{"BAD"}, kExitRunError, ""},
      {{"*"}, kExitRunError, "/cwd/-B.000"},
      {{"MISSING"}, kExitRunError, ""},
      {{}, kExitUsage, ""},
      {{"a", "b", "c", "d"}, kExitUsage, ""},
      {{"A", "b", "c", "-j"}, kExitUsage, ""},
      {{"--no-such-option"}, kExitUsage, ""},
      {{"-j", "0", "A"}, kExitUsage, ""},
      {{"--", "-B"}, kExitOk, "/cwd/-B.000"},
      {{"--help"}, kExitOk, "Usage: quorlith"},
      {{"--version"}, kExitOk, "Quorlith v. 7.0\n"},
  };
  for (const Case& c : kCases) {
    std::string label;
    for (const char* arg : c.args) label += std::string(arg) + " ";
    SCOPED_TRACE(label);
    Outcome outcome = RunWith(fs_, c.args);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out.rfind(c.out, 0), 0u) << outcome.out;
  }
}

// `quorlith '*' | head -1`: with nobody reading the log any more, every
// report is still written and the exit status is the run's.
TEST(ConsoleProgram, ClosedLogPipesDoNotStopTheRun) {
  for (int status : {kExitOk, kExitRunError}) {
    SCOPED_TRACE(status);
    char dir_template[] = "/tmp/quorlith-console-XXXXXX";
    std::string dir = std::string(::mkdtemp(dir_template)) + "/";
    std::vector<std::uint8_t> set_file = SetFileBuilder().Bytes();
    for (const char* name : {"A.000", "B.000", "C.000"}) {
      std::ofstream(dir + name, std::ios::binary)
          .write(reinterpret_cast<const char*>(set_file.data()),
                 static_cast<std::streamsize>(set_file.size()));
    }
    if (status == kExitRunError) std::ofstream(dir + "BAD.000") << "x";
    int out[2], err[2];
    ASSERT_EQ(::pipe(out), 0);
    ASSERT_EQ(::pipe(err), 0);
    ::close(out[0]);
    ::close(err[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawnattr_t attributes;  // SIGPIPE as a shell would leave it
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    std::string program = QUORLITH_CLI_PATH, pattern = dir + "*";
    char* argv[] = {program.data(), pattern.data(), nullptr};
    pid_t pid;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, &attributes, argv,
                          environ),
              0);
    ::close(out[1]);
    ::close(err[1]);
    int wait_status = 0;
    ASSERT_EQ(::waitpid(pid, &wait_status, 0), pid);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    EXPECT_TRUE(WIFEXITED(wait_status))
        << "ended by signal " << WTERMSIG(wait_status);
    EXPECT_EQ(WEXITSTATUS(wait_status), status);
    for (const char* report : {"A.t00", "B.t00", "C.t00"}) {
      EXPECT_TRUE(std::filesystem::exists(dir + report)) << report;
    }
    std::filesystem::remove_all(dir);
  }
}

TEST_F(ConsoleTest, ProgressToStdoutErrorsToStderr) {
  Outcome outcome = RunWith(fs_, {"*"});
  EXPECT_EQ(outcome.out,
            "/cwd/-B.000 decompiled to /cwd/-B.t00.\n"
            "/cwd/A.000 decompiled to /cwd/A.t00.\n"
            "2 file(s) decompiled.\n");
  EXPECT_EQ(outcome.err,
            "Error: File /cwd/BAD.000 does not match Orvalen version 7.0 "
            "format.\n");
}

TEST_F(ConsoleTest, UsageAndVersion) {
  Outcome usage = RunWith(fs_, {"a", "b", "c", "d"});
  EXPECT_EQ(usage.out, "");
  EXPECT_NE(usage.err.find("Usage: quorlith"), std::string::npos);
  EXPECT_NE(usage.err.find("'sets/*.000'"), std::string::npos);
  EXPECT_FALSE(fs_.Exists("/cwd/A.t00"));  // no run
  EXPECT_NE(RunWith(fs_, {"--help"}).out.find("from the first name on"),
            std::string::npos);
}

}  // namespace
}  // namespace quorlith
