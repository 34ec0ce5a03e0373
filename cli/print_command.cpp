#include "cli/print_command.h"

#include "rewrite/rewrite_pass.h"
#include "text/byte_stream.h"

#include <ostream>
#include <unistd.h>

namespace qf::cli {
namespace {

/// Holds the output back until the rewrite knows that the file is not
/// already processed, then passes it on.
class HeldBackSink final : public ByteSink {
public:
  explicit HeldBackSink(ByteSink& target) : target_(target) {}

  void Write(std::string_view bytes) override {
    if (released_)
      target_.Write(bytes);
    else
      held_.append(bytes);
  }
  void CodeStarted() override { Release(); }
  void Release() {
    if (!released_) {
      released_ = true;
      target_.Write(held_);
      held_.clear();
      held_.shrink_to_fit();
    }
  }

private:
  ByteSink& target_;
  std::string held_;
  bool released_ = false;
};

} // namespace

int PrintCommand(const CliOptions& options, CodePage& codePage, std::ostream& out,
                 std::ostream& err) {
  const ProcessingSettings settings = SettingsFromOptions(options);
  const bool fromStdin = options.PrintFile == "-";
  const std::string name = fromStdin ? "standard input" : options.PrintFile;
  FileSource source = fromStdin ? FileSource::Borrow(STDIN_FILENO) : FileSource(options.PrintFile);

  OstreamSink output(out, "standard output");
  HeldBackSink held(output);
  if (RewriteStream(source, held, name, settings, codePage) == kAlreadyProcessed) {
    err << name << ": already processed (it carries the marker line); nothing printed\n";
    return kExitAlreadyProcessed;
  }
  held.Release();
  output.Flush();
  return kExitOk;
}

} // namespace qf::cli
