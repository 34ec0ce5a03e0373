#pragma once

#include "processing/operation_report.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"
#include "text/file_system.h"

#include <string_view>

namespace qf {

/// What a processing run works with besides the project path.
struct RunEnvironment {
  const ProcessingSettings& Settings;
  CodePage& Codes;
  FileSystem& Files;
};

/// Processes the project file at `projectPath`: reads its properties and
/// its five lists of source files, starts the report, then, kind by kind
/// (forms, modules, class modules, user controls, property pages), writes
/// each file's description lines, rewrites it, and puts the rewrite in its
/// place by an atomic rename; a file already processed is left alone.
///
/// Throws SourceError (or another std::exception) at the first failure,
/// which stops the run there: files handled before it stay handled, later
/// files are not touched, the failing file keeps its bytes and no temporary
/// file remains. A failure before the report starts (the project file
/// cannot be read or an entry cannot be cut) leaves the report untouched;
/// after, the report ends with the interruption line naming the cause.
void ProcessProject(std::u16string_view projectPath, const RunEnvironment& environment,
                    OperationReport& report);

} // namespace qf
