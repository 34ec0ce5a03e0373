#include "processing/dry_run.h"

#include "io/paths.h"
#include "rewrite/rewrite_pass.h"

namespace qf {
namespace {

/// Hears whether the pass wrote the marker line.
class MarkerTrace final : public RewriteTrace {
public:
  void Added(std::size_t, bool marker) override { Marked = Marked || marker; }
  void Kept(std::uint64_t, std::uint64_t) override {}
  bool Marked = false;
};

} // namespace

std::string DryRunLedger::KeyOf(const std::filesystem::path& path) {
  return PathText(std::filesystem::absolute(path).lexically_normal());
}

bool DryRunLedger::Marked(const std::filesystem::path& path) const {
  const auto it = marked_.find(KeyOf(path));
  return it != marked_.end() && it->second;
}

void DryRunLedger::Rewrote(const std::filesystem::path& path, bool marked) {
  marked_[KeyOf(path)] = marked;
}

FileResult DryRewrite(const std::filesystem::path& path, const ProcessingSettings& settings,
                      CodePage& codePage, FileSystem& files, DryRunLedger& ledger) {
  FileResult result;
  result.Path = path;
  if (ledger.Marked(path)) {
    result.Outcome = RewriteOutcome::AlreadyProcessed;
    result.Changes = false;
    return result;
  }
  const std::unique_ptr<ByteSource> source = files.OpenForReading(path);
  const std::unique_ptr<ByteSource> original = files.OpenForReading(path);
  ComparingSink sink(*original);
  MarkerTrace trace;
  result.Outcome =
      RewriteStream(*source, sink, PathText(path), settings, codePage, Release::AsItGoes, &trace);
  if (result.Outcome == RewriteOutcome::AlreadyProcessed) {
    result.Changes = false;
    return result;
  }
  result.Changes = !sink.Same();
  ledger.Rewrote(path, trace.Marked);
  return result;
}

} // namespace qf
