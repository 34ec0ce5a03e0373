#pragma once

#include "io/file_system.h"
#include "processing/run_observer.h"
#include "settings/processing_settings.h"
#include "text/code_page.h"

#include <filesystem>
#include <map>
#include <string>

namespace qf {

/// The files a dry run found it would rewrite, across the projects of one
/// call, so that a file listed again is told as a real run would find it:
/// already processed once its rewrite would carry the marker line.
class DryRunLedger {
public:
  /// Whether a real run would by now have marked the file at `path`.
  bool Marked(const std::filesystem::path& path) const;
  /// Notes that a real run would have rewritten the file, marked or not.
  void Rewrote(const std::filesystem::path& path, bool marked);

private:
  static std::string KeyOf(const std::filesystem::path& path);
  std::map<std::string, bool> marked_;
};

/// What a run would do with the file at `path`, touching nothing: the
/// rewrite goes nowhere but is compared with the file as it is read. Raises
/// the failures a run would meet (bytes that do not decode, a level out of
/// range, a read that fails).
FileResult DryRewrite(const std::filesystem::path& path, const ProcessingSettings& settings,
                      CodePage& codePage, FileSystem& files, DryRunLedger& ledger);

} // namespace qf
