#include "cli/project_command.h"

#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "text/utf.h"

#include <ostream>

namespace qf::cli {

int ProjectCommand(const CliOptions& options, CodePage& codePage, FileSystem& files,
                   std::ostream& out) {
  const ProcessingSettings settings = SettingsFromOptions(options);
  std::u16string projectPath;
  try {
    projectPath = Utf8ToUtf16(options.Project);
  } catch (const std::invalid_argument&) {
    throw UsageError("the project path is not valid UTF-8");
  }
  OperationReport report([&out](std::u16string_view line) {
    out << Utf16ToUtf8(line) << '\n' << std::flush;
  });
  if (const std::optional<Failure> failure =
          ProcessProject(projectPath, RunEnvironment{settings, codePage, files}, report))
    throw FailureError(*failure);
  return kExitOk;
}

} // namespace qf::cli
