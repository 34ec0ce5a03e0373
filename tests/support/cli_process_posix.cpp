#include "tests/support/cli_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace qf::test {

CliProcess::CliProcess(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string program = QF_CLI_PATH;
  std::vector<std::string> words = args;
  std::vector<char*> argv{program.data()};
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
    process_ = pid;
  posix_spawn_file_actions_destroy(&actions);
}

CliProcess::~CliProcess() {
  if (Started() && !ended_) {
    Kill();
    Wait();
  }
}

void CliProcess::Kill() {
  killed_ = ::kill(static_cast<pid_t>(process_), SIGKILL) == 0;
}

CliProcess::End CliProcess::Wait() {
  int status = 0;
  ::waitpid(static_cast<pid_t>(process_), &status, 0);
  ended_ = true;
  End end;
  end.Killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  end.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return end;
}

} // namespace qf::test
