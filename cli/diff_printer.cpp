#include "cli/diff_printer.h"

#include "cli/file_diff.h"
#include "io/paths.h"

#include <ostream>

namespace qf::cli {

namespace fs = std::filesystem;

DiffPrinter::DiffPrinter(std::ostream& out, const fs::path& folder, bool color)
    : out_(out), folder_(fs::absolute(folder).lexically_normal()), color_(color) {}

void DiffPrinter::FileDone(FileKind, const SourceFileEntry&, const FileResult& result) {
  if (result.Outcome != RewriteOutcome::Rewritten || !result.Changes)
    return;
  untidy_ = true;
  const fs::path path = fs::absolute(result.Path).lexically_normal();
  const std::string label = PortablePathText(path.lexically_relative(folder_));
  WriteFileDiff(out_, label, result.Hunks.get(), color_);
  out_.flush();
}

} // namespace qf::cli
