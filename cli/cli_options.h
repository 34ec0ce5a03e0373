#pragma once

#include "processing/file_rewrite.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qf::cli {

/// Exit statuses of quillformer-cli.
enum ExitStatus : int {
  kExitOk = 0,               ///< done; with --check or --diff: every file is tidy
  kExitFailed = 1,           ///< a run stopped on a failure
  kExitUntidy = 1,           ///< --check, --diff: some file would be rewritten
  kExitUsage = 2,            ///< the command line makes no valid call
  kExitAlreadyProcessed = 3, ///< --print: the file carries the marker line
  kExitCheckFailed = 4,      ///< --check, --diff: a file could not be read, decoded or rewritten
};

/// The command line's words do not make a valid call.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

/// --labels: a language, or the one each project's code page holds.
enum class LabelChoice { SimplifiedChinese, TraditionalChinese, Japanese, English, Auto };
/// --report
enum class ReportFormat { Text, Json };
/// --color
enum class ColorChoice { Auto, Always, Never };

/// What the command line asked for.
struct CliOptions {
  std::vector<std::string> Projects;      ///< PROJECT.vbp or GROUP.vbg arguments
  std::string PrintFile;                  ///< --print FILE ("-": standard input)
  std::optional<int> Indent;              ///< --indent N, 0 to 100, decimal
  std::optional<std::string> Separator;   ///< --separator TEXT (UTF-8)
  std::string Encoding{kDefaultCodePage}; ///< --encoding NAME, or auto
  bool ShowHelp = false;
  LabelChoice Labels = LabelChoice::SimplifiedChinese;
  ReportFormat Report = ReportFormat::Text;
  ColorChoice Color = ColorChoice::Auto;
  bool DryRun = false;    ///< --dry-run
  bool Check = false;     ///< --check
  bool Diff = false;      ///< --diff
  bool KeepGoing = false; ///< --keep-going
  bool Update = false;    ///< --update
  bool NoHeaders = false; ///< --no-headers
  bool NoMarker = false;  ///< --no-marker
  bool ShowVersion = false;
};

/// What the run does with each file: --diff keeps a diff, --check and
/// --dry-run touch nothing, else files are rewritten.
RunMode ModeOf(const CliOptions& options);

/// Whether --encoding asks for each project's code page to be detected.
bool DetectsEncoding(const CliOptions& options);

/// Parses the arguments. Throws UsageError naming the fault.
CliOptions ParseOptions(const std::vector<std::string>& args);

/// The usage text shown by --help and after a usage error.
std::string UsageText();

/// The processing settings the options ask for: the start-up values, with
/// the indent width of --indent and the separators that --separator
/// derives, exactly as the settings panel's OK derives them, and what
/// --update, --no-headers and --no-marker ask of a file tidied before. Throws
/// UsageError for a separator that cannot be written (see
/// FaultOfSeparator).
ProcessingSettings SettingsFromOptions(const CliOptions& options);

/// The language --labels asks for; none for auto (each code page's own).
std::optional<LabelLanguage> LabelsFromOptions(const CliOptions& options);

} // namespace qf::cli
