// The console program run as a real process with POSIX pipes: what a
// shell pipeline does to it cannot be faked.
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
    int log[2];  // standard output and error alike
    ASSERT_EQ(::pipe(log), 0);
    ::close(log[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, log[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, log[1], STDERR_FILENO);
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
    ::close(log[1]);
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

}  // namespace
}  // namespace quorlith
