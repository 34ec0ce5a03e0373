#include "processing/processing_run.h"

#include "processing/project_paths.h"
#include "rewrite/rewrite_file.h"
#include "rewrite/rewrite_pass.h"
#include "text/utf.h"

namespace qf {
namespace {

namespace fs = std::filesystem;

ProjectContents ReadProject(const fs::path& projectFile, std::u16string_view projectPath,
                            const RunEnvironment& environment) {
  const std::unique_ptr<ByteSource> source = environment.Files.OpenForReading(projectFile);
  return ReadProjectFile(*source, projectFile.string(), environment.Codes,
                         ProjectFolderOf(projectPath));
}

/// Rewrites one file and puts the rewrite in its place; a file already
/// processed keeps its bytes. The temporary file is gone afterwards,
/// whatever the outcome.
///
/// A symbolic link is followed: its target is rewritten in place (the
/// temporary file beside it) and the link stays a link, as the file the
/// user keeps the code in is the target, often shared by several projects.
std::int32_t HandleFile(const SourceFileEntry& entry, const fs::path& projectFile,
                        const RunEnvironment& environment) {
  FileSystem& files = environment.Files;
  const fs::path path = files.Target(ResolveLocation(entry.Location, files));
  if (files.SameFile(path, projectFile))
    throw SourceError(path.string(), 0,
                      "it is the project file itself; it is not rewritten as a source file");
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
                const fs::path& projectFile, const RunEnvironment& environment,
                OperationReport& report) {
  report.WriteHeading(kind);
  for (const SourceFileEntry& entry : entries) {
    report.WriteEntry(kind, entry);
    try {
      report.WriteOutcome(HandleFile(entry, projectFile, environment));
    } catch (const std::exception& failure) {
      report.WriteInterruption(Utf8ToUtf16Lenient(failure.what()));
      throw;
    }
  }
}

} // namespace

void ProcessProject(std::u16string_view projectPath, const RunEnvironment& environment,
                    OperationReport& report) {
  const fs::path projectFile(Utf16ToUtf8(projectPath));
  const ProjectContents project = ReadProject(projectFile, projectPath, environment);
  report.WriteHead(project.Info);
  HandleKind(FileKind::Form, project.FormFiles, projectFile, environment, report);
  HandleKind(FileKind::Module, project.ModuleFiles, projectFile, environment, report);
  HandleKind(FileKind::Class, project.ClassFiles, projectFile, environment, report);
  HandleKind(FileKind::UserControl, project.UserControlFiles, projectFile, environment, report);
  HandleKind(FileKind::PropertyPage, project.PropertyPageFiles, projectFile, environment, report);
}

} // namespace qf
