#include "cli/messages.h"

#include "cli/cli_options.h"
#include "cli/failure_english.h"
#include "cli/terminal_text.h"

#include <ostream>
#include <string>

namespace qf::cli {

void PrintFailure(std::ostream& err, const Failure& failure) {
  PrintNotice(err, DescribeInEnglish(failure));
}

void PrintNotice(std::ostream& err, std::string_view text) {
  err << kProgram << ": " << TerminalText(text) << '\n' << std::flush;
}

void PrintUsageError(std::ostream& err, std::string_view text) {
  err << kProgram << ": " << TerminalText(text) << "\n\n" << UsageText();
}

void PrintAlreadyProcessed(std::ostream& err, std::string_view name) {
  err << TerminalText(name)
      << ": already processed (it carries the marker line); nothing printed\n";
}

void PrintCodePage(std::ostream& err, std::string_view file, const CodePage& codePage,
                   bool plainAscii, bool thinEvidence) {
  PrintNotice(err, std::string(file) + ": code page " + codePage.CanonicalName() +
                       (plainAscii     ? " (plain ASCII: nothing to detect)"
                        : thinEvidence ? " (detected on thin evidence: a few signs or words; "
                                         "--encoding NAME sets it)"
                                       : " (detected)"));
}

void WarnIndentationCapped(std::ostream& err) {
  PrintNotice(err, "warning: some lines would have had more than 256 blanks before their text, "
                   "more than VB6 loads; their indentation was cut to 256 (a smaller --indent "
                   "keeps every level apart)");
}

void WarnIfSubstituted(std::ostream& err, const CodePage& codePage) {
  if (codePage.Substituted())
    WarnSubstituted(err, codePage.Name());
}

void WarnSubstituted(std::ostream& err, const std::string& codePageName) {
  PrintNotice(err, "warning: code page " + codePageName +
                       " cannot hold some characters of the comment headers; each was written "
                       "as \"?\" (--labels en writes them in English, --labels auto in the "
                       "code page's language)");
}

} // namespace qf::cli
