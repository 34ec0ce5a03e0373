#pragma once

#include "cli/cli_options.h"
#include "io/file_system.h"
#include "text/code_page.h"

#include <iosfwd>

namespace qf::cli {

/// Processes every project the arguments name, one after another, each in
/// the code page of --encoding or, with auto, in the one detected from its
/// files (said on `err` before its output): a .vbp
/// as it is, a .vbg as the projects it names, in its order; each project
/// once. Every group is read before any project is touched. For each
/// project it writes, to `out`, what the options ask for: the operation
/// report as it grows (UTF-8, LF line ends), a JSON document, the --check
/// list or the --diff; a failure goes to `err`, stops that project and,
/// without --keep-going, the call.
///
/// Returns the worst exit status met (see ExitStatus).
int ProjectCommand(const CliOptions& options, FileSystem& files, std::ostream& out,
                   std::ostream& err);

} // namespace qf::cli
