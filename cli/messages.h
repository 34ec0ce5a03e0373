#pragma once

#include "text/code_page.h"
#include "text/failure.h"

#include <iosfwd>
#include <string_view>

namespace qf::cli {

/// The program's name, which begins every message it writes.
inline constexpr std::string_view kProgram = "quillformer-cli";

/// Writes a failure as the command line tells it, on one line of standard
/// error: "quillformer-cli: FILE:LINE: cause". The one place failures are
/// rendered for the command line.
void PrintFailure(std::ostream& err, const Failure& failure);

/// Writes a notice or warning: "quillformer-cli: TEXT".
void PrintNotice(std::ostream& err, std::string_view text);

/// Tells which code page a project (or file) is read in, where it was
/// detected: "quillformer-cli: Demo.vbp: code page windows-1252 (detected)",
/// or, where the choice rests on a few signs or words, "... (detected on
/// thin evidence: a few signs or words; --encoding NAME sets it)".
void PrintCodePage(std::ostream& err, std::string_view file, const CodePage& codePage,
                   bool plainAscii, bool thinEvidence);

/// Warns, once a run is over, when `codePage` could not hold some character
/// of the comment headers.
void WarnIfSubstituted(std::ostream& err, const CodePage& codePage);

} // namespace qf::cli
