#include "tests/support/system_facts.h"

#include <cerrno>
#include <sys/stat.h>

namespace qf::test {

std::uint64_t FileNumber(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_ino) : 0;
}

std::string FileStamp(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return std::to_string(info.st_ino) + " " + std::to_string(info.st_size) + " " +
         std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
}

std::string NoSuchFileWords() {
  return SystemErrorText({ENOENT});
}

SystemError InjectedFault() {
  return {EIO};
}

std::string InjectedFaultWords() {
  return SystemErrorText(InjectedFault());
}

bool MakeSymbolicLink(const std::filesystem::path& target, const std::filesystem::path& link) {
  std::filesystem::create_symlink(target, link);
  return true;
}

} // namespace qf::test
