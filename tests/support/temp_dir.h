#pragma once

#include <filesystem>
#include <string>

namespace qf::test {

/// A fresh folder under the system's temporary folder, removed with all it
/// holds when the object goes.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const noexcept { return path_; }
  /// The path of `name` (UTF-8, "/" between folders) in the folder.
  std::filesystem::path operator/(const std::string& name) const;

  /// Writes `bytes` to `name` (as operator/ takes it) and returns its path.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

private:
  std::filesystem::path path_;
};

/// The bytes of a file ("" when it cannot be read).
std::string ReadBytes(const std::filesystem::path& path);

} // namespace qf::test
