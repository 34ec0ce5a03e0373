#include "tests/support/temp_dir.h"

#include "io/paths.h"

#include <chrono>
#include <cstdint>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace qf::test {

TempDir::TempDir() {
  // A random name, created by a call that fails where anything exists:
  // mkdtemp's guarantee, on every system.
  std::mt19937_64 random(
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "quillformer-test-" << std::hex << (random() & 0xFFFFFFFFFFFF);
    std::filesystem::path path = std::filesystem::temp_directory_path() / name.str();
    std::error_code error;
    if (std::filesystem::create_directory(path, error) && !error) {
      path_ = std::move(path);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::operator/(const std::string& name) const {
  return (path_ / PathFromUtf8(name)).make_preferred();
}

std::filesystem::path TempDir::Write(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path path = *this / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

} // namespace qf::test
