// quillformer-cli: the command line of Quillformer (POSIX).

#include "cli/cli_app.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv) {
  // A closed standard output is a write error to report, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  return qf::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                         qf::RealFileSystem());
}
