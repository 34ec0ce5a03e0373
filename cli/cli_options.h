#pragma once

#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qf::cli {

/// Exit statuses of quillformer-cli.
enum ExitStatus : int {
  kExitOk = 0,
  kExitFailed = 1,
  kExitUsage = 2,
  kExitAlreadyProcessed = 3,
};

/// The command line's words do not make a valid call.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

/// What the command line asked for.
struct CliOptions {
  std::string Project;                    ///< PROJECT.vbp: process the whole project in place
  std::string PrintFile;                  ///< --print FILE ("-": standard input)
  std::optional<int> Indent;              ///< --indent N, 0 to 100
  std::optional<std::string> Separator;   ///< --separator TEXT (UTF-8)
  std::string Encoding{kDefaultCodePage}; ///< --encoding NAME
  bool ShowHelp = false;
  bool ShowVersion = false;
};

/// Parses the arguments. Throws UsageError naming the fault.
CliOptions ParseOptions(const std::vector<std::string>& args);

/// The usage text shown by --help and after a usage error.
std::string UsageText();

/// The processing settings the options ask for: the start-up values, with
/// the indent width of --indent and the separators that --separator
/// derives, exactly as the settings panel's OK derives them. Throws
/// UsageError for a separator of more than eight characters.
ProcessingSettings SettingsFromOptions(const CliOptions& options);

} // namespace qf::cli
