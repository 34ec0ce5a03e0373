// quillformer-cli: the command line of Quillformer. Every failure is
// reported here, once, with its exit status.

#include "cli/cli_options.h"
#include "cli/print_command.h"
#include "cli/project_command.h"
#include "text/code_page.h"
#include "text/source_error.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kProgram = "quillformer-cli";

int Run(const std::vector<std::string>& args) {
  using namespace qf::cli;
  CliOptions options;
  try {
    options = ParseOptions(args);
    if (options.ShowHelp) {
      std::cout << UsageText();
      return kExitOk;
    }
    if (options.ShowVersion) {
      std::cout << kProgram << " " << QF_VERSION << "\n";
      return kExitOk;
    }
    qf::CodePage codePage(options.Encoding);
    const int status = options.Project.empty()
                           ? PrintCommand(options, codePage, std::cerr)
                           : ProjectCommand(options, codePage, qf::RealFileSystem(), std::cout);
    if (codePage.Substituted())
      std::cerr << kProgram << ": warning: code page " << codePage.Name()
                << " cannot hold some characters of the comment headers; each was written as"
                   " \"?\"\n";
    return status;
  } catch (const UsageError& error) {
    std::cerr << kProgram << ": " << error.what() << "\n\n" << UsageText();
    return kExitUsage;
  } catch (const qf::CodePageError& error) {
    std::cerr << kProgram << ": --encoding: " << error.what() << "\n\n" << UsageText();
    return kExitUsage;
  } catch (const std::exception& error) {
    // Both commands end here on a failure: the cause goes to standard error
    // (the report, if one was started, already ends with it).
    std::cout.flush();
    std::cerr << kProgram << ": " << error.what() << "\n";
    return kExitFailed;
  }
}

} // namespace

int main(int argc, char** argv) {
  // A closed standard output is a write error to report, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
