#include "cli/cli_options.h"

#include "text/utf.h"

#include <CLI/CLI.hpp>

namespace qf::cli {
namespace {

struct Parser {
  CLI::App app{"Tidies Visual Basic 6 source files: re-indents the code, lays out the designer\n"
               "header, writes a comment header above every Sub and Function and marks the\n"
               "file as processed.",
               "quillformer-cli"};
  CliOptions options;

  Parser() {
    app.set_help_flag();
    app.add_flag("-h,--help", options.ShowHelp, "Show this help and exit");
    app.add_flag("--version", options.ShowVersion, "Show the version and exit");
    app.add_option("project", options.Project,
                   "The project file (.vbp) whose listed files are rewritten in place")
        ->option_text("PROJECT.vbp");
    app.add_option("--print", options.PrintFile,
                   "Print FILE as the rewrite writes it, touching no file ('-': standard input)")
        ->option_text("FILE");
    app.add_option("--indent", options.Indent, "Spaces per nesting level of code (default 4)")
        ->check(CLI::Range(0, 100))
        ->option_text("N");
    app.add_option("--separator", options.Separator,
                   "Separator text of the comment headers, at most 8 characters")
        ->option_text("TEXT");
    app.add_option("--encoding", options.Encoding,
                   "Code page of the files, an ICU name (default CP936, i.e. GBK)")
        ->option_text("NAME");
    app.footer("Exit status: 0 done (every file of the project handled); 1 stopped on a\n"
               "failure (a file could not be read, decoded or rewritten; the cause is on\n"
               "standard error); 2 usage error; 3 with --print, the file already carries\n"
               "the marker line.");
  }
};

} // namespace

CliOptions ParseOptions(const std::vector<std::string>& args) {
  Parser parser;
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    parser.app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    throw UsageError(error.what());
  }
  CliOptions& options = parser.options;
  if (options.ShowHelp || options.ShowVersion)
    return options;
  if (options.PrintFile.empty() == options.Project.empty())
    throw UsageError(options.Project.empty() ? "nothing to do: give PROJECT.vbp or --print FILE"
                                             : "give either PROJECT.vbp or --print FILE, not both");
  return options;
}

std::string UsageText() {
  return Parser().app.help();
}

ProcessingSettings SettingsFromOptions(const CliOptions& options) {
  ProcessingSettings settings = ProcessingSettings::StartUp();
  if (options.Indent)
    settings.IndentWidth = static_cast<std::int16_t>(*options.Indent);
  if (options.Separator) {
    std::u16string text;
    try {
      text = Utf8ToUtf16(*options.Separator);
    } catch (const std::invalid_argument&) {
      throw UsageError("--separator: the text is not valid UTF-8");
    }
    if (text.size() > kMaxSeparatorLength)
      throw UsageError("--separator: at most 8 characters, got " + std::to_string(text.size()));
    Separators separators = DeriveSeparators(text);
    settings.SeparatorUnit = std::move(separators.Unit);
    settings.SeparatorLine = std::move(separators.Line);
  }
  return settings;
}

} // namespace qf::cli
