#pragma once

#include "processing/run_observer.h"

#include <filesystem>
#include <iosfwd>

namespace qf::cli {

/// --diff: writes the unified diff of each file a run in RunMode::Diff finds
/// it would change (see WriteFileDiff), with paths relative to `folder`
/// (the project's, or the current one for source files named by
/// themselves).
class DiffPrinter final : public RunObserver {
public:
  DiffPrinter(std::ostream& out, const std::filesystem::path& folder, bool color);

  /// Whether some file would change.
  bool Untidy() const { return untidy_; }

  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override;

private:
  std::ostream& out_;
  std::filesystem::path folder_;
  bool color_;
  bool untidy_ = false;
};

} // namespace qf::cli
