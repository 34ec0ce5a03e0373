#pragma once

#include "io/file_system.h"
#include "io/spool.h"
#include "io/staged_file.h"
#include "processing/project_paths.h"
#include "rewrite/rewrite_pass.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace qf {

/// What a run does with each file's rewrite.
enum class RunMode : std::uint8_t {
  Write,  ///< puts it in place of the file
  DryRun, ///< compares it with the file and touches nothing (--dry-run, --check)
  Diff,   ///< as DryRun, and keeps how the file would change, as a unified diff (--diff)
};

/// How each file of a run is rewritten.
struct RewriteRequest {
  const ProcessingSettings& Settings;
  CodePage& Codes;
  FileSystem& Files;
  RunMode Mode = RunMode::Write;
};

/// One file's rewrite, computed once; what the mode needs comes from it.
struct FileRewrite {
  RewriteOutcome Outcome = RewriteOutcome::Rewritten;
  /// Whether the rewrite differs from the file (DryRun, Diff; a real run
  /// does not compare and counts every rewrite as a change).
  bool Changes = true;
  /// Whether it carries the marker line (DryRun, Diff).
  bool Marked = false;
  /// Whether a line's indentation was cut to kMostLeadingBlanks.
  bool IndentCapped = false;
  /// Where the settings tidy files again (TidiesAgain): what the rewrite
  /// found of its own work. Such a run compares in every mode, and a file
  /// that would not change is not replaced (Staged is empty).
  std::optional<RevisitAccount> Revisit;
  /// Write: the rewrite in its temporary file, to be sealed and committed.
  std::unique_ptr<StagedFile> Staged;
  /// Diff, when it changes the file: the hunks of its unified diff
  /// (UnifiedDiff), UTF-8 lines each ending in "\n".
  std::shared_ptr<Spool> Hunks;
};

/// Rewrites the opened `source` once, into what `request.Mode` asks for:
/// the staged temporary file (Write), or nothing but a comparison with a
/// second read of the file (DryRun) and the diff made from it (Diff); the
/// file is read at most twice. Where the settings tidy files again, Write
/// compares first, and only a file that changes is staged, from a third
/// read. A file that a real run would refuse (read only, another's) is
/// refused in every mode, unless it would not change where the settings
/// tidy files again (a real run leaves it alone). Raises the failures a run
/// meets: the source's own, and, for a later read, a Changed failure
/// when the file at its path is no longer the one opened.
FileRewrite RewriteFile(OpenedSource& source, const RewriteRequest& request);

} // namespace qf
