#pragma once

#include "io/file_system.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace qf::cli {

/// Runs quillformer-cli with `args` (without the program name): parses
/// them, runs --print or the processing of a project, and reports every
/// failure here, once, on `err`. The rewritten text or the report goes to
/// `out`. Returns the exit status (see ExitStatus).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           FileSystem& files);

} // namespace qf::cli
