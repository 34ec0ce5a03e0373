#pragma once

#include "io/file_system.h"

namespace qf::test {

/// The real file system with every call passed on: the base of the tests'
/// file systems, which each change a call or two.
class ForwardingFileSystem : public FileSystem {
public:
  std::unique_ptr<OpenedFile> OpenForReading(const std::filesystem::path& path) override {
    return real_.OpenForReading(path);
  }
  std::unique_ptr<WritableFile> CreateTemporary(const std::filesystem::path& path,
                                                const FileFacts& like) override {
    return real_.CreateTemporary(path, like);
  }
  void Replace(const std::filesystem::path& from, const std::filesystem::path& to,
               const FileIdentity& replaced) override {
    real_.Replace(from, to, replaced);
  }
  void Remove(const std::filesystem::path& path) noexcept override { real_.Remove(path); }
  bool Exists(const std::filesystem::path& path) override { return real_.Exists(path); }
  bool IsFolder(const std::filesystem::path& path) override { return real_.IsFolder(path); }
  std::vector<std::string> List(const std::filesystem::path& folder) override {
    return real_.List(folder);
  }
  std::filesystem::path RealPath(const std::filesystem::path& path,
                                 const OpenedFile& opened) override {
    return real_.RealPath(path, opened);
  }
  std::optional<FileIdentity> Identity(const std::filesystem::path& path) override {
    return real_.Identity(path);
  }
  std::unique_ptr<ScratchFile> CreateScratch() override { return real_.CreateScratch(); }

private:
  FileSystem& real_ = RealFileSystem();
};

} // namespace qf::test
