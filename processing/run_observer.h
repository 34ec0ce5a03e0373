#pragma once

#include "io/file_facts.h"
#include "io/spool.h"
#include "processing/failure.h"
#include "processing/file_kinds.h"
#include "processing/project_file.h"
#include "rewrite/rewrite_pass.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace qf {

/// How the handling of one file went.
struct FileResult {
  RewriteOutcome Outcome = RewriteOutcome::Rewritten;
  /// The file handled: the entry's location on the disk (a link's target).
  std::filesystem::path Path;
  /// Which file that is on the disk, whatever name reached it.
  FileIdentity Identity;
  /// Whether its bytes change: a run that only looks compares the rewrite
  /// with the file (it may come out byte for byte the same); a real run
  /// does not look.
  bool Changes = true;
  /// Whether a line's indentation was more than VB6 loads and was cut.
  bool IndentCapped = false;
  /// Where the run tidies files again (ProcessingSettings::TidiesAgain):
  /// what it found of its own work; Changes then tells in every mode.
  std::optional<RevisitAccount> Revisit;
  /// RunMode::Diff, where it changes: the hunks of its unified diff.
  std::shared_ptr<Spool> Hunks;
};

/// What a processing run tells, in the order it happens: the project's
/// properties once the project file is read (or the count of the source
/// files named), then kind by kind the kind
/// (also when it lists no file) and for each of its files the file before
/// it is handled and its outcome after. A failure once the project file is
/// read ends the account with Stopped(); nothing follows it.
///
/// The text report, and any other account of a run, is one of these. Each
/// notice does nothing unless overridden: an account overrides what it tells.
class RunObserver {
public:
  virtual ~RunObserver() = default;
  virtual void ProjectRead(const ProjectInfo& /*info*/) {}
  /// In place of ProjectRead, for a run over source files named by
  /// themselves (ProcessSources): how many there are.
  virtual void SourcesNamed(std::size_t /*count*/) {}
  virtual void KindStarted(FileKind /*kind*/) {}
  virtual void FileStarted(FileKind /*kind*/, const SourceFileEntry& /*entry*/) {}
  virtual void FileDone(FileKind /*kind*/, const SourceFileEntry& /*entry*/,
                        const FileResult& /*result*/) {}
  virtual void Stopped(const Failure& /*failure*/) {}
};

} // namespace qf
