#pragma once

#include "io/file_system.h"
#include "rewrite/rewrite_pass.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <filesystem>
#include <memory>

namespace qf {

/// The temporary file of a source file: its path followed by "tmp"
/// (Form1.frm gives Form1.frmtmp, in the same folder).
std::filesystem::path TemporaryPathFor(const std::filesystem::path& source);

/// The one owner of a source file's temporary file. It creates the file
/// beside the source, with the source's permission bits, and takes the
/// rewrite through Sink(); Seal() then flushes it to the disk and closes it,
/// and Commit() renames it over the source and flushes the folder. Whatever
/// happens short of a commit, the temporary file is removed when the object
/// goes (or at Discard()): no failure leaves one behind.
///
/// Seal() and Commit() may run on another thread than the one that wrote.
class StagedFile {
public:
  /// Creates (or empties) the temporary file of `source`. Raises a Create
  /// or Permissions failure.
  StagedFile(FileSystem& files, std::filesystem::path source);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  ByteSink& Sink() { return *file_; }
  const std::filesystem::path& Source() const noexcept { return source_; }

  /// Flushes the rewrite to the disk and closes it. Raises a Flush or
  /// Close failure.
  void Seal();
  /// Renames the sealed rewrite over the source in one step and flushes the
  /// folder. Raises a Replace failure (the source keeps its bytes).
  void Commit();
  /// Removes the temporary file unless it was committed; never fails.
  void Discard() noexcept;

private:
  FileSystem& files_;
  std::filesystem::path source_;
  std::filesystem::path temporary_;
  std::unique_ptr<WritableFile> file_;
  bool done_ = false;
};

/// A rewrite of one source file, complete in its temporary file but not
/// yet in place (nothing for a file already processed).
struct StagedRewrite {
  RewriteOutcome Outcome = RewriteOutcome::Rewritten;
  std::unique_ptr<StagedFile> Staged;
};

/// Rewrites the file at `path` into its temporary file: the source is
/// opened first, then the temporary file is created. A file already
/// processed leaves no temporary file. Raises a failure (the source is
/// never changed, and no temporary file remains).
StagedRewrite StageRewrite(const std::filesystem::path& path, const ProcessingSettings& settings,
                           CodePage& codePage, FileSystem& files);

/// StageRewrite(), then seals and commits the rewrite: the file at `path`
/// holds its rewrite, or, on failure, its own bytes.
RewriteOutcome RewriteSourceFile(const std::filesystem::path& path,
                                 const ProcessingSettings& settings, CodePage& codePage,
                                 FileSystem& files = RealFileSystem());

} // namespace qf
