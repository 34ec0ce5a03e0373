#include "cli/print_command.h"

#include "cli/messages.h"
#include "processing/project_code_page.h"
#include "rewrite/rewrite_pass.h"
#include "text/byte_stream.h"
#include "text/paths.h"

#include <optional>
#include <ostream>

namespace qf::cli {

int PrintCommand(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const bool fromStdin = options.PrintFile == "-";
  std::optional<CodePage> chosen;
  if (DetectsEncoding(options)) {
    const ProjectCodePage found =
        ChooseFileCodePage(PathFromUtf8(options.PrintFile), RealFileSystem());
    chosen.emplace(found.Name);
    PrintCodePage(err, options.PrintFile, *chosen, found.PlainAscii, found.ThinEvidence);
  } else {
    chosen.emplace(options.Encoding);
  }
  CodePage& codePage = *chosen;
  const ProcessingSettings settings = SettingsFromOptions(options, codePage);
  FileSource source =
      fromStdin ? FileSource::StandardInput()
                : FileSource(PathFromUtf8(options.PrintFile), FileSource::Accept::AnyButFolder);
  const std::string name = fromStdin ? "standard input" : options.PrintFile;

  OstreamSink output(out, "standard output");
  if (RewriteStream(source, output, name, settings, codePage, Release::OnceCodeStarts) ==
      RewriteOutcome::AlreadyProcessed) {
    err << name << ": already processed (it carries the marker line); nothing printed\n";
    return kExitAlreadyProcessed;
  }
  output.Flush();
  WarnIfSubstituted(err, codePage);
  return kExitOk;
}

} // namespace qf::cli
