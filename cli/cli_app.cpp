#include "cli/cli_app.h"

#include "cli/cli_options.h"
#include "cli/print_command.h"
#include "cli/project_command.h"
#include "text/code_page.h"

#include <ostream>

namespace qf::cli {
namespace {

constexpr const char* kProgram = "quillformer-cli";

int RunCommand(const CliOptions& options, std::ostream& out, std::ostream& err, FileSystem& files) {
  CodePage codePage(options.Encoding);
  const int status = options.Project.empty() ? PrintCommand(options, codePage, out, err)
                                             : ProjectCommand(options, codePage, files, out);
  if (codePage.Substituted())
    err << kProgram << ": warning: code page " << codePage.Name()
        << " cannot hold some characters of the comment headers; each was written as \"?\"\n";
  return status;
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
      out << kProgram << " " << QF_VERSION << "\n";
      return kExitOk;
    }
    return RunCommand(options, out, err, files);
  } catch (const UsageError& error) {
    err << kProgram << ": " << error.what() << "\n\n" << UsageText();
    return kExitUsage;
  } catch (const CodePageError& error) {
    err << kProgram << ": --encoding: " << error.what() << "\n\n" << UsageText();
    return kExitUsage;
  } catch (const std::exception& error) {
    // Both commands end here on a failure: the cause goes to standard error
    // (the report, if one was started, already ends with it).
    out.flush();
    err << kProgram << ": " << error.what() << "\n";
    return kExitFailed;
  }
}

} // namespace qf::cli
