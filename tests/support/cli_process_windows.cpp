#include "io/paths.h"
#include "io/utf.h"
#include "tests/support/cli_process.h"

#include <windows.h>

namespace qf::test {
namespace {

/// The exit status TerminateProcess gives: a killed run's mark.
constexpr UINT kKilled = 0xDEAD;

std::wstring Quoted(const std::string& word) {
  const std::u16string wide = Utf8ToUtf16(word);
  return L"\"" + std::wstring(wide.begin(), wide.end()) + L"\"";
}

HANDLE Process(std::intptr_t process) {
  return reinterpret_cast<HANDLE>(process);
}

} // namespace

CliProcess::CliProcess(const std::vector<std::string>& args) {
  const std::filesystem::path program = PathFromUtf8(QF_CLI_PATH).make_preferred();
  std::wstring command = Quoted(PathText(program));
  for (const std::string& arg : args)
    command += L" " + Quoted(arg); // test paths: no quote or trailing backslash
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE null = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null;
  startup.hStdOutput = null;
  startup.hStdError = null;
  PROCESS_INFORMATION process{};
  if (::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process) != 0) {
    ::CloseHandle(process.hThread);
    process_ = reinterpret_cast<std::intptr_t>(process.hProcess);
  }
  ::CloseHandle(null);
}

CliProcess::~CliProcess() {
  if (!Started())
    return;
  if (!ended_) {
    Kill();
    Wait();
  }
  ::CloseHandle(Process(process_));
}

void CliProcess::Kill() {
  killed_ = ::TerminateProcess(Process(process_), kKilled) != 0;
}

CliProcess::End CliProcess::Wait() {
  ::WaitForSingleObject(Process(process_), INFINITE);
  ended_ = true;
  DWORD status = 0;
  ::GetExitCodeProcess(Process(process_), &status);
  End end;
  end.Killed = killed_ && status == kKilled;
  end.Status = end.Killed ? -1 : static_cast<int>(status);
  return end;
}

} // namespace qf::test
