#include "tests/support/faulty_file_system.h"

#include "io/paths.h"
#include "tests/support/system_facts.h"

#include <new>

namespace qf::test {
namespace {

namespace fs = std::filesystem;

class FaultySource final : public OpenedFile {
public:
  FaultySource(std::unique_ptr<OpenedFile> inner, FaultyFileSystem& files)
      : inner_(std::move(inner)), files_(files) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    if (files_.Strikes(FileOperation::Read, Moment::Before)) {
      if (files_.Exhausts())
        throw std::bad_alloc();
      RaiseIoFailure(IoFailureKind::Read, "", InjectedFault());
    }
    const std::size_t count = inner_->Read(buffer, size);
    if (files_.Strikes(FileOperation::Read, Moment::After))
      RaiseIoFailure(IoFailureKind::Read, "", InjectedFault());
    return count;
  }
  const FileFacts& Facts() const noexcept override { return inner_->Facts(); }

private:
  std::unique_ptr<OpenedFile> inner_;
  FaultyFileSystem& files_;
};

class FaultyFile final : public WritableFile {
public:
  FaultyFile(std::unique_ptr<WritableFile> inner, const fs::path& path, FaultyFileSystem& files)
      : inner_(std::move(inner)), name_(PathText(path)), files_(files) {}
  void Write(std::string_view bytes) override {
    if (files_.Strikes(FileOperation::Write, Moment::Before))
      Fail(IoFailureKind::Write);
    if (files_.Strikes(FileOperation::Write, Moment::After)) {
      inner_->Write(bytes.substr(0, bytes.size() / 2)); // a disk full in mid-write
      Fail(IoFailureKind::Write);
    }
    inner_->Write(bytes);
  }
  void Sync() override {
    Around(FileOperation::Sync, IoFailureKind::Flush, [this] { inner_->Sync(); });
  }
  void Close() override {
    Around(FileOperation::Close, IoFailureKind::Close, [this] { inner_->Close(); });
  }

private:
  [[noreturn]] void Fail(IoFailureKind kind) { RaiseIoFailure(kind, name_, InjectedFault()); }
  template <typename Call> void Around(FileOperation operation, IoFailureKind kind, Call call) {
    if (files_.Strikes(operation, Moment::Before))
      Fail(kind);
    call();
    if (files_.Strikes(operation, Moment::After))
      Fail(kind);
  }

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

bool FaultyFileSystem::Strikes(FileOperation operation, Moment moment) {
  if (moment == Moment::Before)
    ++calls_[Index(operation)];
  return operation == failing_ && calls_[Index(operation)] == failAt_ && moment == moment_;
}

std::unique_ptr<OpenedFile> FaultyFileSystem::OpenForReading(const fs::path& path) {
  if (Strikes(FileOperation::Open, Moment::Before))
    RaiseIoFailure(IoFailureKind::Open, PathText(path), InjectedFault());
  auto source = std::make_unique<FaultySource>(ForwardingFileSystem::OpenForReading(path), *this);
  if (Strikes(FileOperation::Open, Moment::After))
    RaiseIoFailure(IoFailureKind::Open, PathText(path), InjectedFault());
  return source;
}

std::unique_ptr<WritableFile> FaultyFileSystem::CreateTemporary(const fs::path& path,
                                                                const FileFacts& like) {
  if (Strikes(FileOperation::Create, Moment::Before))
    RaiseIoFailure(IoFailureKind::Create, PathText(path), InjectedFault());
  auto file =
      std::make_unique<FaultyFile>(ForwardingFileSystem::CreateTemporary(path, like), path, *this);
  if (Strikes(FileOperation::Create, Moment::After)) {
    file.reset();
    ForwardingFileSystem::Remove(path); // as the real one does when it fails after creating
    RaiseIoFailure(IoFailureKind::Create, PathText(path), InjectedFault());
  }
  return file;
}

void FaultyFileSystem::Replace(const fs::path& from, const fs::path& to,
                               const FileIdentity& replaced) {
  if (Strikes(FileOperation::Replace, Moment::Before))
    RaiseIoFailure(IoFailureKind::Replace, PathText(to), InjectedFault());
  ForwardingFileSystem::Replace(from, to, replaced);
  if (Strikes(FileOperation::Replace, Moment::After)) // the rename took place
    RaiseIoFailure(IoFailureKind::Replace, PathText(to), InjectedFault());
}

} // namespace qf::test
