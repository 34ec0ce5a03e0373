#include "cli/project_command.h"

#include "cli/check_list.h"
#include "cli/diff_printer.h"
#include "cli/json_report.h"
#include "cli/messages.h"
#include "cli/terminal.h"
#include "cli/terminal_text.h"
#include "io/paths.h"
#include "io/utf.h"
#include "processing/operation_report.h"
#include "processing/processing_run.h"
#include "processing/project_code_page.h"
#include "processing/project_group.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <set>

namespace qf::cli {
namespace {

namespace fs = std::filesystem;

std::u16string WidePath(const std::string& path) {
  try {
    return Utf8ToUtf16(path);
  } catch (const std::invalid_argument&) {
    throw UsageError("the project path is not valid UTF-8: " + path);
  }
}

std::string_view LabelsName(LabelLanguage language) {
  switch (language) {
  case LabelLanguage::TraditionalChinese:
    return "zh-TW";
  case LabelLanguage::Japanese:
    return "ja";
  case LabelLanguage::English:
    return "en";
  case LabelLanguage::SimplifiedChinese:
    break;
  }
  return "zh-CN";
}

/// Whether --diff colours its lines: --color, else NO_COLOR, else a terminal.
bool DiffInColor(ColorChoice choice) {
  if (choice != ColorChoice::Auto)
    return choice == ColorChoice::Always;
  const char* noColor = std::getenv("NO_COLOR");
  if (noColor != nullptr && *noColor != '\0')
    return false;
  return OutputTakesColours();
}

class Call {
public:
  Call(const CliOptions& options, FileSystem& files, std::ostream& out, std::ostream& err)
      : options_(options), files_(files), out_(out), err_(err),
        checking_(options.Check || options.Diff) {
    if (!DetectsEncoding(options))
      fixed_.emplace(options.Encoding);
    // A separator the options cannot take is a usage error before any work.
    SettingsFromOptions(options, CodePage(kDefaultCodePage));
  }

  int Go();

private:
  bool Gather(const std::string& argument);
  void Add(const fs::path& project);
  /// Runs one project; false when it stopped on a failure.
  bool Run(const fs::path& project);
  CodePage* CodePageFor(const fs::path& path, std::optional<CodePage>& detected, bool group);
  std::optional<Failure> RunWith(const std::u16string& path, const RunEnvironment& environment,
                                 const fs::path& project, bool& untidy);
  void Met(int status) { status_ = std::max(status_, status); }
  int FailedStatus() const { return checking_ ? kExitCheckFailed : kExitFailed; }

  const CliOptions& options_;
  FileSystem& files_;
  std::ostream& out_;
  std::ostream& err_;
  bool checking_;
  std::optional<CodePage> fixed_; ///< --encoding NAME; none with auto
  int status_ = kExitOk;
  std::vector<fs::path> projects_;
  std::set<FileIdentity> given_;
  DryRunLedger ledger_;
};

int Call::Go() {
  for (const std::string& argument : options_.Projects)
    if (!Gather(argument) && !options_.KeepGoing)
      return status_;
  for (const fs::path& project : projects_)
    if (!Run(project) && !options_.KeepGoing)
      break;
  if (fixed_)
    WarnIfSubstituted(err_, *fixed_);
  return status_;
}

/// The code page to read `path` in: --encoding's, or the one detected from
/// the file (a group) or the project's files, said on standard error.
/// Nothing when no code page fits (the failure is told).
CodePage* Call::CodePageFor(const fs::path& path, std::optional<CodePage>& detected, bool group) {
  if (fixed_)
    return &*fixed_;
  try {
    const ProjectCodePage found = group ? ChooseFileCodePage(path, files_)
                                        : ChooseProjectCodePage(WidePath(PathText(path)), files_);
    detected.emplace(found.Name);
    if (!group)
      PrintCodePage(err_, PathText(path), *detected, found.PlainAscii, found.ThinEvidence);
    return &*detected;
  } catch (const FailureErrorBase&) {
    PrintFailure(err_, HandledFailure());
    Met(FailedStatus());
    return nullptr;
  }
}

/// Takes in the projects an argument names; false when a group cannot be
/// read (then nothing is touched yet).
bool Call::Gather(const std::string& argument) {
  const fs::path path = PathFromUtf8(argument);
  if (!IsProjectGroup(path)) {
    Add(path);
    return true;
  }
  std::optional<CodePage> detected;
  CodePage* codePage = CodePageFor(path, detected, true);
  if (codePage == nullptr)
    return false;
  try {
    for (const fs::path& project : ReadProjectGroup(path, *codePage, files_))
      Add(project);
    return true;
  } catch (const FailureErrorBase&) {
    PrintFailure(err_, HandledFailure());
    Met(FailedStatus());
    return false;
  }
}

void Call::Add(const fs::path& project) {
  // Each project once, by its identity on the disk (one that is not there
  // is run, and fails, under each name given).
  const std::optional<FileIdentity> identity = files_.Identity(project);
  if (identity && !given_.insert(*identity).second)
    PrintNotice(err_, PathText(project) + ": named twice; processed once");
  else
    projects_.push_back(project);
}

bool Call::Run(const fs::path& project) {
  std::optional<CodePage> detected;
  CodePage* codePage = CodePageFor(project, detected, false);
  if (codePage == nullptr)
    return false;
  const ProcessingSettings settings = SettingsFromOptions(options_, *codePage);
  RunEnvironment environment{settings, *codePage, files_};
  environment.Mode = ModeOf(options_);
  environment.Ledger = &ledger_;
  bool untidy = false;
  const std::optional<Failure> failure =
      RunWith(WidePath(PathText(project)), environment, project, untidy);
  if (detected)
    WarnIfSubstituted(err_, *detected);
  if (failure) {
    PrintFailure(err_, *failure);
    Met(FailedStatus());
    return false;
  }
  if (checking_ && untidy)
    Met(kExitUntidy);
  return true;
}

/// The run with the observer the options ask for.
std::optional<Failure> Call::RunWith(const std::u16string& path, const RunEnvironment& environment,
                                     const fs::path& project, bool& untidy) {
  if (options_.Report == ReportFormat::Json) {
    JsonReport report(out_, PathText(project), environment.Codes.CanonicalName(),
                      LabelsName(environment.Settings.Labels), environment.Mode != RunMode::Write);
    std::optional<Failure> failure = ProcessProject(path, environment, report);
    report.Finish(failure);
    untidy = report.Untidy();
    return failure;
  }
  if (options_.Diff) {
    DiffPrinter diff(out_, project, DiffInColor(options_.Color));
    std::optional<Failure> failure = ProcessProject(path, environment, diff);
    untidy = diff.Untidy();
    return failure;
  }
  if (options_.Check) {
    CheckList list(out_);
    std::optional<Failure> failure = ProcessProject(path, environment, list);
    untidy = list.Untidy();
    return failure;
  }
  OperationReport report([this](std::u16string_view line) {
    out_ << TerminalText(Utf16ToUtf8(line)) << '\n' << std::flush;
  });
  return ProcessProject(path, environment, report);
}

} // namespace

int ProjectCommand(const CliOptions& options, FileSystem& files, std::ostream& out,
                   std::ostream& err) {
  return Call(options, files, out, err).Go();
}

} // namespace qf::cli
