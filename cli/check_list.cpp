#include "cli/check_list.h"

#include "cli/terminal_text.h"
#include "io/utf.h"

#include <ostream>

namespace qf::cli {

void CheckList::FileDone(FileKind, const SourceFileEntry& entry, const FileResult& result) {
  if (result.Outcome != RewriteOutcome::Rewritten || !result.Changes)
    return;
  if (listed_.insert(result.Identity).second)
    out_ << TerminalText(Utf16ToUtf8(entry.Location)) << '\n' << std::flush;
}

} // namespace qf::cli
