#pragma once

#include "processing/run_observer.h"

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace qf::cli {

/// --report=json: one JSON document per project (or run of source files), on one line, written when
/// the project is done (schema in docs/cli.md): the project, its code page
/// and properties, each file with its kind, name, location, path and
/// outcome, and the failure that stopped the run, if one did.
class JsonReport final : public RunObserver {
public:
  /// `project`: none for source files named by themselves ("project" is
  /// then null, and there are no "properties").
  JsonReport(std::ostream& out, const std::optional<std::string>& project,
             const std::string& codePage, std::string_view labels, bool dryRun);

  void ProjectRead(const ProjectInfo& info) override;
  void FileStarted(FileKind kind, const SourceFileEntry& entry) override;
  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override;
  void Stopped(const Failure& failure) override;

  /// Writes the document; `failure` is the run's, if it stopped.
  void Finish(const std::optional<Failure>& failure);
  /// Whether some file would change (a dry run).
  bool Untidy() const { return untidy_; }

private:
  std::ostream& out_;
  bool dryRun_;
  bool untidy_ = false;
  nlohmann::json document_;
};

/// The failure as JSON: what failed, the file, the line, the system's
/// detail and the English message.
nlohmann::json FailureJson(const Failure& failure);

} // namespace qf::cli
