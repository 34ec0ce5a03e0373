#include "rewrite/rewrite_file.h"

#include "io/paths.h"

namespace qf {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& source) {
  std::filesystem::path temporary = source;
  temporary += "tmp";
  return temporary;
}

StagedFile::StagedFile(FileSystem& files, std::filesystem::path source)
    : files_(files), source_(std::move(source)), temporary_(TemporaryPathFor(source_)) {
  try {
    file_ = files_.Create(temporary_, source_);
  } catch (...) {
    files_.Remove(temporary_); // created, but its permission bits could not be set
    throw;
  }
}

StagedFile::~StagedFile() {
  Discard();
}

void StagedFile::Seal() {
  file_->Sync();
  file_->Close();
}

void StagedFile::Commit() {
  files_.Replace(temporary_, source_);
  done_ = true;
}

void StagedFile::Discard() noexcept {
  if (done_)
    return;
  done_ = true;
  file_.reset();
  files_.Remove(temporary_);
}

StagedRewrite StageRewrite(const std::filesystem::path& path, const ProcessingSettings& settings,
                           CodePage& codePage, FileSystem& files) {
  const std::unique_ptr<ByteSource> source = files.OpenForReading(path);
  StagedRewrite staged{RewriteOutcome::Rewritten, std::make_unique<StagedFile>(files, path)};
  staged.Outcome =
      RewriteStream(*source, staged.Staged->Sink(), PathText(path), settings, codePage);
  if (staged.Outcome == RewriteOutcome::AlreadyProcessed)
    staged.Staged.reset();
  return staged;
}

RewriteOutcome RewriteSourceFile(const std::filesystem::path& path,
                                 const ProcessingSettings& settings, CodePage& codePage,
                                 FileSystem& files) {
  StagedRewrite staged = StageRewrite(path, settings, codePage, files);
  if (staged.Staged) {
    staged.Staged->Seal();
    staged.Staged->Commit();
  }
  return staged.Outcome;
}

} // namespace qf
