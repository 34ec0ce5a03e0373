#include "tests/support/faulty_file_system.h"

#include "io/paths.h"
#include "tests/support/system_facts.h"

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class FaultySource final : public ByteSource {
public:
  FaultySource(std::unique_ptr<ByteSource> inner, FaultyFileSystem& files)
      : inner_(std::move(inner)), files_(files) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    if (files_.Strikes(FileOperation::Read))
      RaiseIoFailure(IoFailureKind::Read, "", InjectedFault());
    return inner_->Read(buffer, size);
  }

private:
  std::unique_ptr<ByteSource> inner_;
  FaultyFileSystem& files_;
};

class FaultyFile final : public WritableFile {
public:
  FaultyFile(std::unique_ptr<WritableFile> inner, const fs::path& path, FaultyFileSystem& files)
      : inner_(std::move(inner)), name_(PathText(path)), files_(files) {}
  void Write(std::string_view bytes) override {
    if (files_.Strikes(FileOperation::Write))
      RaiseIoFailure(IoFailureKind::Write, name_, InjectedFault());
    inner_->Write(bytes);
  }
  void Sync() override {
    if (files_.Strikes(FileOperation::Sync))
      RaiseIoFailure(IoFailureKind::Flush, name_, InjectedFault());
    inner_->Sync();
  }
  void Close() override {
    if (files_.Strikes(FileOperation::Close))
      RaiseIoFailure(IoFailureKind::Close, name_, InjectedFault());
    inner_->Close();
  }

private:
  std::unique_ptr<WritableFile> inner_;
  std::string name_;
  FaultyFileSystem& files_;
};

} // namespace

const char* NameOf(FileOperation operation) {
  static constexpr const char* kNames[] = {"open", "read",  "create",  "write",
                                           "sync", "close", "replace", "?"};
  return kNames[static_cast<std::size_t>(operation)];
}

bool FaultyFileSystem::Strikes(FileOperation operation) {
  const int call = ++calls_[Index(operation)];
  return operation == failing_ && call == failAt_;
}

std::unique_ptr<ByteSource> FaultyFileSystem::OpenForReading(const fs::path& path) {
  if (Strikes(FileOperation::Open))
    RaiseIoFailure(IoFailureKind::Open, PathText(path), InjectedFault());
  return std::make_unique<FaultySource>(RealFileSystem().OpenForReading(path), *this);
}

std::unique_ptr<WritableFile> FaultyFileSystem::Create(const fs::path& path,
                                                       const fs::path& permissionsOf) {
  if (Strikes(FileOperation::Create))
    RaiseIoFailure(IoFailureKind::Create, PathText(path), InjectedFault());
  return std::make_unique<FaultyFile>(RealFileSystem().Create(path, permissionsOf), path, *this);
}

void FaultyFileSystem::Replace(const fs::path& from, const fs::path& to) {
  if (Strikes(FileOperation::Replace))
    RaiseIoFailure(IoFailureKind::Replace, PathText(to), InjectedFault());
  RealFileSystem().Replace(from, to);
}

void FaultyFileSystem::Remove(const fs::path& path) noexcept {
  RealFileSystem().Remove(path);
}

bool FaultyFileSystem::Exists(const fs::path& path) {
  return RealFileSystem().Exists(path);
}

std::vector<std::string> FaultyFileSystem::List(const fs::path& folder) {
  return RealFileSystem().List(folder);
}

fs::path FaultyFileSystem::Target(const fs::path& path) {
  return RealFileSystem().Target(path);
}

bool FaultyFileSystem::SameFile(const fs::path& a, const fs::path& b) {
  return RealFileSystem().SameFile(a, b);
}

} // namespace qf::test
