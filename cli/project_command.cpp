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
#include "processing/run_request.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>

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

/// The command line's side of a request: each project's account (the
/// report, JSON, the check list or the diff) on standard output, its code
/// page, failures and warnings on standard error, and the exit status.
class Call final : public RequestObserver {
public:
  Call(const CliOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err), checking_(options.Check || options.Diff) {}

  int Status() const { return status_; }

  void NamedAgain(const fs::path& project) override {
    PrintNotice(err_, PathText(project) + ": named twice; processed once");
  }
  void NoSources(const fs::path& folder) override {
    PrintNotice(err_, PathText(folder) + ": no source files below it");
  }
  RunObserver& ProjectStarts(const ProjectStart& start) override;
  void ProjectEnded(const ProjectStart& start, const std::optional<Failure>& failure) override;
  void Failed(const Failure& failure) override {
    PrintFailure(err_, failure);
    Met(FailedStatus());
  }
  void IndentationCapped() override { indentCapped_ = true; }

  /// The warnings that wait for the end.
  void Finish() {
    if (namedSubstituted_)
      WarnSubstituted(err_, *namedSubstituted_);
    if (indentCapped_)
      WarnIndentationCapped(err_);
  }

private:
  void Met(int status) { status_ = std::max(status_, status); }
  int FailedStatus() const { return checking_ ? kExitCheckFailed : kExitFailed; }

  const CliOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  bool checking_;
  int status_ = kExitOk;
  /// The account of the project in hand, and whether it found a file untidy.
  std::unique_ptr<RunObserver> account_;
  std::function<bool()> untidy_;
  JsonReport* json_ = nullptr; ///< the account, where it is JSON
  /// --encoding NAME's code page, once it wrote a "?" (the code page itself
  /// lives only as long as the run).
  std::optional<std::string> namedSubstituted_;
  bool indentCapped_ = false;
};

/// The account the options ask for, and where a detected code page was
/// found, a word of it first.
RunObserver& Call::ProjectStarts(const ProjectStart& start) {
  if (start.Found)
    PrintCodePage(err_, start.Sources ? "source files" : PathText(start.Project), start.Codes,
                  start.Found->PlainAscii, start.Found->ThinEvidence);
  if (options_.Report == ReportFormat::Json) {
    auto report = std::make_unique<JsonReport>(
        out_, start.Sources ? std::nullopt : std::optional(PathText(start.Project)),
        start.Codes.CanonicalName(), LabelsName(start.Settings.Labels),
        ModeOf(options_) != RunMode::Write);
    json_ = report.get();
    untidy_ = [json = json_] { return json->Untidy(); };
    account_ = std::move(report);
  } else if (options_.Diff) {
    const fs::path folder = start.Sources
                                ? fs::current_path()
                                : fs::absolute(start.Project).lexically_normal().parent_path();
    auto diff = std::make_unique<DiffPrinter>(out_, folder, DiffInColor(options_.Color));
    DiffPrinter* printer = diff.get();
    untidy_ = [printer] { return printer->Untidy(); };
    account_ = std::move(diff);
  } else if (options_.Check) {
    auto list = std::make_unique<CheckList>(out_);
    CheckList* checks = list.get();
    untidy_ = [checks] { return checks->Untidy(); };
    account_ = std::move(list);
  } else {
    untidy_ = [] { return false; };
    account_ = std::make_unique<OperationReport>([this](std::u16string_view line) {
      out_ << TerminalText(Utf16ToUtf8(line)) << '\n' << std::flush;
    });
  }
  return *account_;
}

void Call::ProjectEnded(const ProjectStart& start, const std::optional<Failure>& failure) {
  if (json_ != nullptr)
    json_->Finish(failure);
  if (start.Found)
    WarnIfSubstituted(err_, start.Codes);
  else if (start.Codes.Substituted())
    namedSubstituted_ = start.Codes.Name(); // one for every project: told at the end
  if (failure) {
    PrintFailure(err_, *failure);
    Met(FailedStatus());
  } else if (checking_ && untidy_()) {
    Met(kExitUntidy);
  }
  account_.reset();
  json_ = nullptr;
}

/// The request the options make: every argument's path (a project path
/// that is not UTF-8 is a usage error before any work), the settings, the
/// code page or auto, the labels or auto, and the mode.
RunRequest RequestOf(const CliOptions& options) {
  RunRequest request;
  for (const std::string& argument : options.Projects) {
    WidePath(argument);
    request.Projects.push_back(PathFromUtf8(argument));
  }
  request.Settings = SettingsFromOptions(options);
  if (!DetectsEncoding(options))
    request.CodePage = options.Encoding;
  request.Labels = LabelsFromOptions(options);
  request.Mode = ModeOf(options);
  request.KeepGoing = options.KeepGoing;
  return request;
}

} // namespace

int ProjectCommand(const CliOptions& options, FileSystem& files, std::ostream& out,
                   std::ostream& err) {
  const RunRequest request = RequestOf(options);
  Call call(options, out, err);
  RunProjects(request, files, call);
  call.Finish();
  return call.Status();
}

} // namespace qf::cli
