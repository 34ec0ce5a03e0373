#pragma once

#include "io/file_facts.h"
#include "processing/run_observer.h"

#include <iosfwd>
#include <set>

namespace qf::cli {

/// --check: prints the location of each file a run would rewrite (one a
/// run would leave byte for byte as it is is tidy), once, as the report
/// writes it; tells nothing else.
class CheckList final : public RunObserver {
public:
  explicit CheckList(std::ostream& out) : out_(out) {}

  /// Whether some file would be rewritten.
  bool Untidy() const { return !listed_.empty(); }

  void FileDone(FileKind kind, const SourceFileEntry& entry, const FileResult& result) override;

private:
  std::ostream& out_;
  std::set<FileIdentity> listed_; ///< each file once, whatever name reached it
};

} // namespace qf::cli
