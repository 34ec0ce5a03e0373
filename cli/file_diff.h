#pragma once

#include "io/spool.h"

#include <iosfwd>
#include <string>

namespace qf::cli {

/// Writes the unified diff of one file: `diff --git a/LABEL b/LABEL`,
/// `--- a/LABEL` and `+++ b/LABEL`, the names quoted as git quotes them
/// where they hold control characters, quotes or backslashes, then the
/// hunks that the run made (UnifiedDiff), if any. With `color`, the lines
/// carry git's colours (bold headers, cyan hunk headers, red removals,
/// green additions).
void WriteFileDiff(std::ostream& out, const std::string& label, Spool* hunks, bool color);

} // namespace qf::cli
