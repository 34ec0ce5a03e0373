#pragma once

#include "cli/cli_options.h"
#include "text/code_page.h"

#include <iosfwd>

namespace qf::cli {

/// Writes the rewrite of options.PrintFile to `out` and touches no file. Nothing is written for a
/// file that turns out to be already processed: the output is held back until the designer header
/// is over. Returns kExitOk or kExitAlreadyProcessed (after a one-line notice on `err`); raises a
/// failure (FailureError) when the file cannot be read, decoded or rewritten.
int PrintCommand(const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace qf::cli
