#pragma once

#include "io/file_facts.h"

#include <map>

namespace qf {

/// The files a run that touches nothing found it would rewrite, across the
/// projects of one call, so that a file listed again (under any name) is
/// told as a real run would find it: already processed once its rewrite
/// would carry the marker line. Files are known by their identity on the
/// disk.
class DryRunLedger {
public:
  /// Whether a real run would by now have marked the file.
  bool Marked(const FileIdentity& file) const {
    const auto it = marked_.find(file);
    return it != marked_.end() && it->second;
  }
  /// Notes that a real run would have rewritten the file, marked or not.
  void Rewrote(const FileIdentity& file, bool marked) { marked_[file] = marked; }

private:
  std::map<FileIdentity, bool> marked_;
};

} // namespace qf
