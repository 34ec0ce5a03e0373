// quillformer-cli: the command line of Quillformer (Windows). Arguments are
// taken as UTF-16 and given to the parser in UTF-8; standard output and
// standard error take UTF-8 (see cli/windows_console.h).

#include "cli/cli_app.h"
#include "cli/windows_console.h"

int main() {
  qf::cli::ConsoleStream out(qf::cli::StandardHandle::Output);
  qf::cli::ConsoleStream err(qf::cli::StandardHandle::Error);
  return qf::cli::RunCli(qf::cli::CommandLineArguments(), out, err, qf::RealFileSystem());
}
