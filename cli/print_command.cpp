#include "cli/print_command.h"

#include "rewrite/rewrite_pass.h"
#include "text/byte_stream.h"

#include <ostream>
#include <unistd.h>

namespace qf::cli {

int PrintCommand(const CliOptions& options, CodePage& codePage, std::ostream& out,
                 std::ostream& err) {
  const ProcessingSettings settings = SettingsFromOptions(options, codePage);
  const bool fromStdin = options.PrintFile == "-";
  const std::string name = fromStdin ? "standard input" : options.PrintFile;
  FileSource source = fromStdin ? FileSource::Borrow(STDIN_FILENO, name)
                                : FileSource(options.PrintFile, FileSource::Accept::AnyButFolder);

  OstreamSink output(out, "standard output");
  if (RewriteStream(source, output, name, settings, codePage, Release::OnceCodeStarts) ==
      RewriteOutcome::AlreadyProcessed) {
    err << name << ": already processed (it carries the marker line); nothing printed\n";
    return kExitAlreadyProcessed;
  }
  output.Flush();
  return kExitOk;
}

} // namespace qf::cli
