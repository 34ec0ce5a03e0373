#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

namespace qf::test {
namespace {

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

} // namespace

CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
              const std::string& input) {
  const std::filesystem::path in = scratch / "cli-stdin";
  const std::filesystem::path out = scratch / "cli-stdout";
  const std::filesystem::path err = scratch / "cli-stderr";
  std::ofstream(in, std::ios::binary) << input;
  std::string command = Quote(QF_CLI_PATH);
  for (const std::string& arg : args)
    command += " " + Quote(arg);
  command += " <" + Quote(in.string()) + " >" + Quote(out.string()) + " 2>" + Quote(err.string());
  const int raw = std::system(command.c_str());
  CliRun run;
  run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.Out = ReadBytes(out);
  run.Err = ReadBytes(err);
  for (const auto& path : {in, out, err})
    std::filesystem::remove(path);
  return run;
}

} // namespace qf::test
