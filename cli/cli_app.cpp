#include "cli/cli_app.h"

#include "cli/cli_options.h"
#include "cli/messages.h"
#include "cli/print_command.h"
#include "cli/project_command.h"
#include "text/code_page.h"

#include <ostream>

namespace qf::cli {
namespace {

int RunCommand(const CliOptions& options, std::ostream& out, std::ostream& err, FileSystem& files) {
  if (!DetectsEncoding(options))
    CodePage{options.Encoding}; // an unknown name is a usage error before any work
  return options.Projects.empty() ? PrintCommand(options, out, err)
                                  : ProjectCommand(options, files, out, err);
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           FileSystem& files) {
  try {
    const CliOptions options = ParseOptions(args);
    if (options.ShowHelp) {
      out << UsageText();
      return kExitOk;
    }
    if (options.ShowVersion) {
      out << kProgram << " " << QF_VERSION << '\n';
      return kExitOk;
    }
    return RunCommand(options, out, err, files);
  } catch (const UsageError& error) {
    PrintUsageError(err, error.what());
    return kExitUsage;
  } catch (const CodePageError& error) {
    PrintUsageError(err, std::string("--encoding: ") + error.what());
    return kExitUsage;
  } catch (const FailureErrorBase&) {
    // --print ends here on a failure (a project run tells its own).
    out.flush();
    PrintFailure(err, HandledFailure());
    return kExitFailed;
  } catch (const std::exception& error) {
    out.flush();
    PrintNotice(err, error.what());
    return kExitFailed;
  }
}

} // namespace qf::cli
