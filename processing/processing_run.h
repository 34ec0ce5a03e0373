#pragma once

#include "io/file_system.h"
#include "processing/dry_run.h"
#include "processing/failure.h"
#include "processing/file_rewrite.h"
#include "processing/run_observer.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <atomic>
#include <optional>
#include <string_view>

namespace qf {

/// What a processing run works with besides the project path.
struct RunEnvironment {
  const ProcessingSettings& Settings;
  CodePage& Codes;
  FileSystem& Files;
  /// Set (from any thread) to end the run after the file in hand: it is
  /// finished, put in place and told, and nothing after it is touched.
  const std::atomic<bool>* StopRequested = nullptr;
  /// What the run does with each rewrite. Any mode but Write writes,
  /// creates, renames and removes no file.
  RunMode Mode = RunMode::Write;
  /// Keeps, across the projects of one call, the files a run that touches
  /// nothing would have rewritten; without one, each run keeps its own.
  DryRunLedger* Ledger = nullptr;
};

/// Processes the project file at `projectPath`: reads its properties and
/// its source files, then, kind by kind in the order of the kinds table,
/// rewrites each file and puts the rewrite in its place by an atomic
/// rename; a file already processed is left alone. `observer` is told
/// everything as it happens (see RunObserver).
///
/// The rewrite of a file is flushed to the disk and renamed over it on a
/// helper thread while the next file is rewritten; files are put in place
/// strictly in their order, and each is reported only once it is.
///
/// Returns the failure that stopped the run, or nothing when every file was
/// handled (or the run was asked to stop, and did). A failure stops the run
/// there: files handled before it stay handled, later files are not touched
/// (a later file's temporary file, if begun, is removed), the failing file
/// keeps its bytes and no temporary file remains. Running out of memory is
/// a failure too. A failure while the project file is read comes before
/// anything is told (ProjectRead is not called); after, it is told by
/// Stopped().
std::optional<Failure> ProcessProject(std::u16string_view projectPath,
                                      const RunEnvironment& environment, RunObserver& observer);

/// Processes source files named by themselves (no project lists them), as
/// ProcessProject processes a project's files once its project file is
/// read: the same checks, rewrites, staging and account, each entry's
/// location being the file's path. The observer is told SourcesNamed()
/// where a project's run tells ProjectRead().
std::optional<Failure> ProcessSources(const ProjectContents& sources,
                                      const RunEnvironment& environment, RunObserver& observer);

} // namespace qf
