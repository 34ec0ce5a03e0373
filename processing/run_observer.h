#pragma once

#include "processing/file_kinds.h"
#include "processing/project_file.h"
#include "rewrite/rewrite_pass.h"
#include "text/failure.h"

#include <filesystem>

namespace qf {

/// How the handling of one file went.
struct FileResult {
  RewriteOutcome Outcome = RewriteOutcome::Rewritten;
  /// The file handled: the entry's location on the disk (a link's target).
  std::filesystem::path Path;
  /// Whether its bytes change: a dry run compares the rewrite with the file
  /// (it may come out byte for byte the same); a real run does not look.
  bool Changes = true;
};

/// What a processing run tells, in the order it happens: the project's
/// properties once the project file is read, then kind by kind the kind
/// (also when it lists no file) and for each of its files the file before
/// it is handled and its outcome after. A failure once the project file is
/// read ends the account with Stopped(); nothing follows it.
///
/// The text report, and any other account of a run, is one of these.
class RunObserver {
public:
  virtual ~RunObserver() = default;
  virtual void ProjectRead(const ProjectInfo& info) = 0;
  virtual void KindStarted(FileKind kind) = 0;
  virtual void FileStarted(FileKind kind, const SourceFileEntry& entry) = 0;
  virtual void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) = 0;
  virtual void Stopped(const Failure& failure) = 0;
};

} // namespace qf
