#pragma once

#include "io/file_system.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace qf::cli {

/// Writes the unified diff of what a run would do to the file at `path`:
/// `--- a/LABEL` and `+++ b/LABEL` (after a `diff --git` line; a label
/// holding a control character, a double quote or a backslash is quoted as
/// git quotes it: `--- "a/x\ny.bas"`), then hunks
/// with three lines of context, every line decoded from `codePage` into
/// UTF-8 and shown without its line break, the way `git diff` writes it.
/// With `color`, the lines carry git's colours (bold headers, cyan hunk
/// headers, red removals, green additions).
///
/// The diff is not searched for: the rewrite tells, line by line, which
/// source lines each line it writes comes from (RewriteTrace), so the edit
/// is known exactly, in time and memory linear in the file (a general diff
/// would take time quadratic in the changed lines, and a re-indentation
/// changes nearly all). The file and its rewrite are held in memory, one
/// file at a time. Applying the diff to the decoded file gives the decoded
/// rewrite. Raises the failures a run would meet on the file.
void WriteFileDiff(std::ostream& out, const std::filesystem::path& path, const std::string& label,
                   const ProcessingSettings& settings, CodePage& codePage, FileSystem& files,
                   bool color);

} // namespace qf::cli
