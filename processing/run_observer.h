#pragma once

#include "processing/file_kinds.h"
#include "processing/project_file.h"
#include "rewrite/rewrite_pass.h"
#include "text/failure.h"

namespace qf {

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
  virtual void FileDone(FileKind kind, const SourceFileEntry& entry, RewriteOutcome outcome) = 0;
  virtual void Stopped(const Failure& failure) = 0;
};

} // namespace qf
