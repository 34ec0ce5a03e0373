#pragma once

#include "io/file_system.h"
#include "processing/run_observer.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <filesystem>
#include <iosfwd>

namespace qf::cli {

/// --diff: writes the unified diff of each file a dry run finds it would
/// change (see WriteFileDiff), with paths relative to the project's folder.
class DiffPrinter final : public RunObserver {
public:
  DiffPrinter(std::ostream& out, const std::filesystem::path& projectFile,
              const ProcessingSettings& settings, CodePage& codePage, FileSystem& files,
              bool color);

  /// Whether some file would change.
  bool Untidy() const { return untidy_; }

  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override;

private:
  std::ostream& out_;
  std::filesystem::path folder_;
  const ProcessingSettings& settings_;
  CodePage& codePage_;
  FileSystem& files_;
  bool color_;
  bool untidy_ = false;
};

} // namespace qf::cli
