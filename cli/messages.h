#pragma once

#include "processing/failure.h"
#include "text/code_page.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace qf::cli {

/// The program's name, which begins every message it writes.
inline constexpr std::string_view kProgram = "quillformer-cli";

// Every message shows its names and values through TerminalText: a control
// character in them is written as \xNN, never given to the terminal.

/// Writes a failure as the command line tells it, on one line of standard
/// error: "quillformer-cli: FILE:LINE: cause". The one place failures are
/// rendered for the command line.
void PrintFailure(std::ostream& err, const Failure& failure);

/// Writes a notice or warning: "quillformer-cli: TEXT".
void PrintNotice(std::ostream& err, std::string_view text);

/// Writes a usage error, "quillformer-cli: TEXT", then an empty line and
/// the usage text.
void PrintUsageError(std::ostream& err, std::string_view text);

/// Tells that --print found the file already processed and printed
/// nothing: "NAME: already processed (it carries the marker line); nothing
/// printed".
void PrintAlreadyProcessed(std::ostream& err, std::string_view name);

/// Tells which code page a project (or file) is read in, where it was
/// detected: "quillformer-cli: Demo.vbp: code page windows-1252 (detected)",
/// or, where the choice rests on a few signs or words, "... (detected on
/// thin evidence: a few signs or words; --encoding NAME sets it)".
void PrintCodePage(std::ostream& err, std::string_view file, const CodePage& codePage,
                   bool plainAscii, bool thinEvidence);

/// Warns, once every project has run, that some line's indentation was cut
/// to the 256 blanks VB6 loads.
void WarnIndentationCapped(std::ostream& err);

/// Warns, once a run is over, when `codePage` could not hold some character
/// of the comment headers.
void WarnIfSubstituted(std::ostream& err, const CodePage& codePage);
/// The same warning, for the code page named `codePageName`.
void WarnSubstituted(std::ostream& err, const std::string& codePageName);

} // namespace qf::cli
