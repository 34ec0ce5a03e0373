#include "processing/processing_run.h"

#include "processing/project_paths.h"
#include "rewrite/rewrite_file.h"
#include "rewrite/rewrite_pass.h"
#include "text/utf.h"

namespace qf {
namespace {

namespace fs = std::filesystem;

ProjectContents ReadProject(std::u16string_view projectPath, const RunEnvironment& environment) {
  const std::string name = Utf16ToUtf8(projectPath);
  const std::unique_ptr<ByteSource> source = environment.Files.OpenForReading(fs::path(name));
  return ReadProjectFile(*source, name, environment.Codes, ProjectFolderOf(projectPath));
}

/// Rewrites one file and puts the rewrite in its place; a file already
/// processed keeps its bytes. The temporary file is gone afterwards,
/// whatever the outcome.
std::int32_t HandleFile(const SourceFileEntry& entry, const RunEnvironment& environment) {
  FileSystem& files = environment.Files;
  const fs::path path = ResolveLocation(entry.Location, files);
  const std::int32_t result =
      RewriteSourceFile(path, environment.Settings, environment.Codes, files);
  const fs::path temporary = TemporaryPathFor(path);
  if (result == kAlreadyProcessed) {
    files.Remove(temporary);
    return result;
  }
  try {
    files.Replace(temporary, path);
  } catch (...) {
    files.Remove(temporary);
    throw;
  }
  return result;
}

void HandleKind(FileKind kind, const std::vector<SourceFileEntry>& entries,
                const RunEnvironment& environment, OperationReport& report) {
  report.WriteHeading(kind);
  for (const SourceFileEntry& entry : entries) {
    report.WriteEntry(kind, entry);
    try {
      report.WriteOutcome(HandleFile(entry, environment));
    } catch (const std::exception& failure) {
      report.WriteInterruption(Utf8ToUtf16Lenient(failure.what()));
      throw;
    }
  }
}

} // namespace

void ProcessProject(std::u16string_view projectPath, const RunEnvironment& environment,
                    OperationReport& report) {
  const ProjectContents project = ReadProject(projectPath, environment);
  report.WriteHead(project.Info);
  HandleKind(FileKind::Form, project.FormFiles, environment, report);
  HandleKind(FileKind::Module, project.ModuleFiles, environment, report);
  HandleKind(FileKind::Class, project.ClassFiles, environment, report);
  HandleKind(FileKind::UserControl, project.UserControlFiles, environment, report);
  HandleKind(FileKind::PropertyPage, project.PropertyPageFiles, environment, report);
}

} // namespace qf
