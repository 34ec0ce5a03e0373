#pragma once

#include "io/file_system.h"

#include <filesystem>
#include <memory>

namespace qf {

/// The temporary file of a source file: its path followed by "tmp"
/// (Form1.frm gives Form1.frmtmp, in the same folder).
std::filesystem::path TemporaryPathFor(const std::filesystem::path& source);

/// The one owner of a source file's temporary file. It takes a rewrite
/// through Sink() and creates the temporary file beside the source only
/// when the first bytes come (a rewrite that is abandoned early, as for a
/// file already processed, makes none): anew, with the source's owner and
/// permission bits (FileSystem::CreateTemporary). Seal() then flushes it to
/// the disk and closes it, and Commit() renames it over the source, if the
/// source is still the file that was read, and flushes the folder.
/// Whatever happens short of a commit, the temporary file is removed when
/// the object goes (or at Discard()): no failure leaves one behind.
///
/// A read-only source is refused before anything is created: the rename
/// would replace it, against what its owner asked for. So is one whose
/// owner or group the new file could not be given.
///
/// Seal() and Commit() may run on another thread than the one that wrote.
class StagedFile {
public:
  /// A staged rewrite of the file at `source`, which was opened and found
  /// to be `facts`.
  StagedFile(FileSystem& files, std::filesystem::path source, const FileFacts& facts);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  /// Where the rewrite goes. Its first write creates the temporary file,
  /// and raises a ReadOnly, Create, TemporaryIsFolder, Foreign or
  /// Permissions failure.
  ByteSink& Sink() { return sink_; }
  const std::filesystem::path& Source() const noexcept { return source_; }

  /// Flushes the rewrite to the disk and closes it (creating the file if
  /// nothing was written). Raises a Flush or Close failure.
  void Seal();
  /// Renames the sealed rewrite over the source in one step and flushes the
  /// folder. Raises a Replace or Changed failure (the source keeps its
  /// bytes).
  void Commit();
  /// Removes the temporary file unless it was committed; never fails.
  void Discard() noexcept;

private:
  /// Passes writes to the temporary file, which its first write creates.
  class LazySink final : public ByteSink {
  public:
    explicit LazySink(StagedFile& owner) : owner_(owner) {}
    void Write(std::string_view bytes) override { owner_.File().Write(bytes); }

  private:
    StagedFile& owner_;
  };
  WritableFile& File();

  FileSystem& files_;
  std::filesystem::path source_;
  std::filesystem::path temporary_;
  FileFacts facts_;
  LazySink sink_{*this};
  std::unique_ptr<WritableFile> file_;
  bool done_ = false;
};

} // namespace qf
