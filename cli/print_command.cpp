#include "cli/print_command.h"

#include "cli/messages.h"
#include "io/byte_stream.h"
#include "io/paths.h"
#include "io/spool.h"
#include "processing/project_code_page.h"
#include "rewrite/header_labels.h"
#include "rewrite/rewrite_pass.h"

#include <optional>
#include <ostream>

namespace qf::cli {
namespace {

/// Holds the rewrite back until it is known to be whole (the code starts,
/// or the file ends without the marker line), so that an already processed
/// file prints nothing; then hands it on, and what follows straight after
/// it. What it holds goes to a scratch file beyond 1 MiB, so a designer
/// header of any length takes no more memory.
class HeldOutput final : public ByteSink, public RewriteTrace {
public:
  HeldOutput(ByteSink& out, FileSystem& files) : out_(out), held_(std::in_place, files) {}

  void Write(std::string_view bytes) override {
    if (held_)
      held_->Write(bytes);
    else
      out_.Write(bytes);
  }
  void CodeStarts() override { Release(); }
  void IndentCapped() override { Capped = true; }
  void Release() {
    if (!held_)
      return;
    held_->CopyTo(out_);
    held_.reset();
  }

  bool Capped = false; ///< a line's indentation was cut

private:
  ByteSink& out_;
  std::optional<Spool> held_;
};

} // namespace

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
  ProcessingSettings settings = SettingsFromOptions(options);
  settings.Labels = LabelsFromOptions(options).value_or(LabelsForCodePage(codePage));
  FileSource source =
      fromStdin ? FileSource::StandardInput()
                : FileSource(PathFromUtf8(options.PrintFile), FileSource::Accept::AnyButFolder);
  const std::string name = fromStdin ? "standard input" : options.PrintFile;

  OstreamSink output(out, "standard output");
  HeldOutput held(output, RealFileSystem());
  if (RewriteStream(source, held, name, settings, codePage, &held) ==
      RewriteOutcome::AlreadyProcessed) {
    PrintAlreadyProcessed(err, name);
    return kExitAlreadyProcessed;
  }
  held.Release();
  output.Flush();
  if (held.Capped)
    WarnIndentationCapped(err);
  WarnIfSubstituted(err, codePage);
  return kExitOk;
}

} // namespace qf::cli
