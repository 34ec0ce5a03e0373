#include "io/staged_file.h"

#include "io/paths.h"

namespace qf {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& source) {
  std::filesystem::path temporary = source;
  temporary += "tmp";
  return temporary;
}

StagedFile::StagedFile(FileSystem& files, std::filesystem::path source, const FileFacts& facts)
    : files_(files), source_(std::move(source)), temporary_(TemporaryPathFor(source_)),
      facts_(facts) {}

StagedFile::~StagedFile() {
  Discard();
}

WritableFile& StagedFile::File() {
  if (!file_) {
    if (facts_.ReadOnly)
      RaiseIoFailure(IoFailureKind::ReadOnly, PathText(source_));
    if (facts_.Foreign)
      RaiseIoFailure(IoFailureKind::Foreign, PathText(source_));
    try {
      file_ = files_.CreateTemporary(temporary_, facts_);
    } catch (const FailureError<IoFailure>& error) {
      if (error.Get().Kind != IoFailureKind::Foreign)
        throw;
      // The group could not be kept: it is the source that is refused.
      RaiseIoFailure(IoFailureKind::Foreign, PathText(source_), error.Get().Error);
    }
  }
  return *file_;
}

void StagedFile::Seal() {
  WritableFile& file = File();
  file.Sync();
  file.Close();
}

void StagedFile::Commit() {
  files_.Replace(temporary_, source_, facts_.Identity);
  done_ = true;
}

void StagedFile::Discard() noexcept {
  if (done_)
    return;
  done_ = true;
  if (!file_)
    return; // never created: nothing of ours stands there
  file_.reset();
  files_.Remove(temporary_);
}

} // namespace qf
