#include "cli/check_list.h"

#include "cli/terminal_text.h"
#include "io/paths.h"
#include "io/utf.h"

#include <filesystem>
#include <ostream>

namespace qf::cli {

void CheckList::FileDone(FileKind, const SourceFileEntry& entry, const FileResult& result) {
  if (result.Outcome != RewriteOutcome::Rewritten || !result.Changes)
    return;
  const std::string key = PathText(std::filesystem::absolute(result.Path).lexically_normal());
  if (listed_.insert(key).second)
    out_ << TerminalText(Utf16ToUtf8(entry.Location)) << '\n' << std::flush;
}

} // namespace qf::cli
