#include "tests/support/system_facts.h"

#include <windows.h>

namespace qf::test {
namespace {

/// What GetFileInformationByHandle says of the file; false when it cannot.
bool Information(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
  const HANDLE file =
      ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  const bool known = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  return known;
}

std::uint64_t Join(DWORD high, DWORD low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

} // namespace

std::uint64_t FileNumber(const std::filesystem::path& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  return Information(path, info) ? Join(info.nFileIndexHigh, info.nFileIndexLow) : 0;
}

std::string FileStamp(const std::filesystem::path& path) {
  BY_HANDLE_FILE_INFORMATION info{};
  Information(path, info);
  return std::to_string(Join(info.nFileIndexHigh, info.nFileIndexLow)) + " " +
         std::to_string(Join(info.nFileSizeHigh, info.nFileSizeLow)) + " " +
         std::to_string(
             Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
}

std::string NoSuchFileWords() {
  return SystemErrorText({ERROR_FILE_NOT_FOUND});
}

SystemError InjectedFault() {
  return {ERROR_IO_DEVICE};
}

std::string InjectedFaultWords() {
  return SystemErrorText(InjectedFault());
}

bool MakeSymbolicLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  const DWORD kUnprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), kUnprivileged) == 0)
    return false;
  const DWORD attributes = ::GetFileAttributesW(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

} // namespace qf::test
