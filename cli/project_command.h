#pragma once

#include "cli/cli_options.h"
#include "text/code_page.h"
#include "text/file_system.h"

#include <iosfwd>

namespace qf::cli {

/// Processes options.Project in place and writes the operation report to
/// `out` as it grows, a line at a time, in UTF-8 with LF line ends. Returns
/// kExitOk when every file was handled. Raises the failure that stopped the
/// run (FailureError) for the caller to render; the report written so far
/// then ends with its interruption line.
int ProjectCommand(const CliOptions& options, CodePage& codePage, FileSystem& files,
                   std::ostream& out);

} // namespace qf::cli
