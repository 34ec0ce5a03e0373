#pragma once

#include "io/file_system.h"
#include "processing/failure.h"
#include "processing/file_rewrite.h"
#include "processing/project_code_page.h"
#include "processing/run_observer.h"
#include "rewrite/header_labels.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qf {

/// A run as a front end asks for it: what to process and how. The one place
/// that prepares runs (RunProjects) resolves it: groups into their
/// projects, each project's code page (named, or found from its files) and
/// the language of its labels.
struct RunRequest {
  /// What to process, in order: project files (.vbp), project groups
  /// (.vbg), source files (by their kinds' extensions) and folders (the
  /// source files below them, see RunProjects). Any other name is taken
  /// for a project file.
  std::vector<std::filesystem::path> Projects;
  /// Indent width and separators; the labels are Labels' (below).
  ProcessingSettings Settings;
  /// The code page of every project, a name ICU knows; none: each
  /// project's own, found from its files.
  std::optional<std::string> CodePage;
  /// The language of the comment headers; none: the language of each
  /// project's code page.
  std::optional<LabelLanguage> Labels;
  RunMode Mode = RunMode::Write;
  /// After a project (or a group) stops on a failure, go on with the next.
  bool KeepGoing = false;
  /// Set (from any thread) to end the run after the file in hand.
  const std::atomic<bool>* StopRequested = nullptr;
};

/// One project of a request, or a run of source files named by themselves,
/// as its run begins.
struct ProjectStart {
  /// The project file; for source files, the first of them.
  const std::filesystem::path& Project;
  /// The code page its files are read in. Named by the request, it is one
  /// for all projects, so that Substituted() tells of them all.
  CodePage& Codes;
  /// Where the code page was found from the project's files: what was found.
  const std::optional<ProjectCodePage>& Found;
  /// The settings its files are rewritten with, its labels' language too.
  const ProcessingSettings& Settings;
  /// Source files named by themselves (ProcessSources), not a project.
  bool Sources = false;
};

/// Hears a request's run, besides each project's own account. Each notice
/// does nothing unless overridden, but ProjectStarts.
class RequestObserver {
public:
  virtual ~RequestObserver() = default;
  /// A project or a source file named again, under any name: it is run
  /// once.
  virtual void NamedAgain(const std::filesystem::path& /*project*/) {}
  /// A folder named with no source file below it.
  virtual void NoSources(const std::filesystem::path& /*folder*/) {}
  /// A project begins; returns the account its run is told to.
  virtual RunObserver& ProjectStarts(const ProjectStart& start) = 0;
  /// It ended: nothing when every file was handled (or a stop was asked
  /// for), else the failure that stopped it, which the account was told
  /// too where it came after the project file was read.
  virtual void ProjectEnded(const ProjectStart& /*start*/,
                            const std::optional<Failure>& /*failure*/) {}
  /// A failure that stops a project or a group before its run: a group
  /// that cannot be read, a project whose code page cannot be told.
  virtual void Failed(const Failure& /*failure*/) {}
  /// Once, at the end, where some line's indentation was cut to the 256
  /// blanks VB6 loads.
  virtual void IndentationCapped() {}
};

/// Runs the request: reads every group first (nothing is touched when one
/// cannot be read, unless KeepGoing), takes each project and each source
/// file once (by its identity on the disk), and runs each in turn with its
/// code page and labels. Source files named one after another, and those
/// below a folder (every folder below it, in byte order of the names; a
/// symbolic link to a folder is not followed), run together as one run of
/// sources (ProcessSources), in one code page: the named one, or the one
/// found from all of them. Returns whether every run went without a
/// failure.
bool RunProjects(const RunRequest& request, FileSystem& files, RequestObserver& observer);

} // namespace qf
