#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qf::test {

/// The built quillformer-cli, started on its own with its output thrown
/// away, to be killed in the middle of its work or waited for
/// (cli_process_posix.cpp, cli_process_windows.cpp).
class CliProcess {
public:
  /// How it ended.
  struct End {
    bool Killed = false; ///< By Kill(), before it finished.
    int Status = -1;     ///< Its exit status, when it was not killed.
  };

  /// Starts it with `args`; Started() says whether it did.
  explicit CliProcess(const std::vector<std::string>& args);
  /// Kills it if it still runs: no process outlives its test.
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool Started() const { return process_ != -1; }
  /// Ends it at once, as a crash or a power cut would: no handler runs, no
  /// buffer is flushed (SIGKILL; TerminateProcess).
  void Kill();
  /// Waits for it to end.
  End Wait();

private:
  std::intptr_t process_ = -1; ///< The pid, or the process HANDLE.
  bool ended_ = false;
  bool killed_ = false;
};

} // namespace qf::test
