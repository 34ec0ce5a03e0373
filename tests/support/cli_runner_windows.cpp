// RunCli on Windows: CreateProcessW with a UTF-16 command line, quoted as
// CommandLineToArgvW reads it, standard handles redirected to files.

#include "io/paths.h"
#include "io/utf.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <windows.h>

namespace qf::test {
namespace {

/// `word` as one argument of a command line (the rules of
/// CommandLineToArgvW: backslashes count only before a quote).
std::wstring Quote(const std::string& word) {
  const std::u16string wide = Utf8ToUtf16(word);
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const char16_t c : wide) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == u'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += static_cast<wchar_t>(c);
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

/// A file the child inherits as a standard handle.
HANDLE Inheritable(const std::filesystem::path& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

CliRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
              const std::string& input) {
  const std::filesystem::path in = scratch / "cli-stdin";
  const std::filesystem::path out = scratch / "cli-stdout";
  const std::filesystem::path err = scratch / "cli-stderr";
  std::ofstream(in, std::ios::binary) << input;
  const std::filesystem::path program = PathFromUtf8(QF_CLI_PATH).make_preferred();
  std::wstring command = Quote(PathText(program));
  for (const std::string& arg : args)
    command += L" " + Quote(arg);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(in, false);
  startup.hStdOutput = Inheritable(out, true);
  startup.hStdError = Inheritable(err, true);
  PROCESS_INFORMATION process{};
  CliRun run;
  if (::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process) != 0) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    if (::GetExitCodeProcess(process.hProcess, &status) != 0)
      run.Status = static_cast<int>(status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
    ::CloseHandle(handle);
  run.Out = ReadBytes(out);
  run.Err = ReadBytes(err);
  for (const auto& path : {in, out, err})
    std::filesystem::remove(path);
  return run;
}

} // namespace qf::test
