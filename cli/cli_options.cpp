#include "cli/cli_options.h"

#include "io/utf.h"
#include "rewrite/header_labels.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>

namespace qf::cli {
namespace {

/// The widest indent --indent takes.
constexpr int kMaxIndent = 100;

const std::map<std::string, LabelChoice> kLabelChoices = {
    {"zh-CN", LabelChoice::SimplifiedChinese},
    {"zh-TW", LabelChoice::TraditionalChinese},
    {"ja", LabelChoice::Japanese},
    {"en", LabelChoice::English},
    {"auto", LabelChoice::Auto}};
const std::map<std::string, ReportFormat> kReportFormats = {{"text", ReportFormat::Text},
                                                            {"json", ReportFormat::Json}};
const std::map<std::string, ColorChoice> kColorChoices = {
    {"auto", ColorChoice::Auto}, {"always", ColorChoice::Always}, {"never", ColorChoice::Never}};

/// Takes one of `choices`' names into its value; anything else is refused
/// naming the choices, in the order the help gives them.
template <typename Value>
CLI::Validator OneOf(const std::map<std::string, Value>& choices, std::string order) {
  return CLI::Validator(
      [&choices, order](std::string& text) -> std::string {
        const auto it = choices.find(text);
        if (it == choices.end())
          return "\"" + text + "\" is not one of " + order;
        text = std::to_string(static_cast<int>(it->second));
        return {};
      },
      "");
}

/// --indent's number in decimal digits only: a leading zero is decimal too
/// (010 is ten, as a person reads it, where the parser would read C's eight,
/// and 0x10 sixteen). Hands the parser the number without its leading
/// zeros; a sign, a blank or any other character is refused.
CLI::Validator DecimalDigits() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
          return "\"" + text + "\" is not a number in decimal digits";
        text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
        return {};
      },
      "");
}

/// Refuses a separator text that its comment headers cannot hold as
/// comments (FaultOfSeparator), saying why.
void RefuseUnwritable(std::u16string_view text) {
  switch (FaultOfSeparator(text)) {
  case SeparatorFault::None:
    return;
  case SeparatorFault::TooLong:
    throw UsageError("--separator: at most 8 characters, got " + std::to_string(text.size()));
  case SeparatorFault::ControlCharacter:
    throw UsageError("--separator: the text holds a control character, which would end the "
                     "comment headers' lines and write the rest as code");
  case SeparatorFault::LineContinuation:
    throw UsageError("--separator: the comment headers' frame lines would end in a line "
                     "continuation (a blank and \"_\"), which makes the line below them part "
                     "of the comment");
  }
}

constexpr const char* kFooter = R"(Examples:
  quillformer-cli Demo.vbp                    rewrite the project's files in place
  quillformer-cli --dry-run Demo.vbp          the same report, but touch no file
  quillformer-cli --check Demo.vbp            list the files a run would rewrite; exit 1 if any
  quillformer-cli --diff Demo.vbp             show what a run would change
  quillformer-cli --update Demo.vbp           tidy again after an edit (tidy files stay as they are)
  quillformer-cli --update --check Demo.vbp   in a build: exit 1 if an edit left a file untidy
  quillformer-cli App.vbg Tools.vbp           every project of a group, then another
  quillformer-cli --keep-going *.vbp          go on with the next project after a failure
  quillformer-cli --update --check a.bas b.frm   the same verdicts for files named themselves
  quillformer-cli --update src                every source file below a folder
  quillformer-cli --encoding auto --labels auto App.vbg
                                              each project in its own code page and language
  quillformer-cli --report=json App.vbp       one JSON document per project
  quillformer-cli --print modMain.bas         print one rewritten file
  quillformer-cli --diff --color=always Demo.vbp | less -R   colours into a pager

Exit status:
  0  done: every file of every project handled (--check, --diff: all tidy)
  1  a run stopped on a failure; the cause is on standard error
     (--check, --diff: some file would be rewritten)
  2  usage error
  3  --print: the file already carries the marker line; nothing printed
  4  --check, --diff: a file could not be read, decoded or rewritten
Several projects give the worst status met. See docs/cli.md.)";

struct Parser {
  CLI::App app{"Tidies Visual Basic 6 projects: re-indents the code, lays out the designer\n"
               "header, writes a comment header above every Sub and Function and marks each\n"
               "file as processed.",
               "quillformer-cli"};
  CliOptions options;

  Parser() {
    app.set_help_flag();
    app.add_flag("-h,--help", options.ShowHelp, "Show this help and exit");
    app.add_flag("--version", options.ShowVersion, "Show the version and exit");
    app.add_option("projects", options.Projects,
                   "Project files (.vbp) and project groups (.vbg): every file they list is "
                   "rewritten in place; source files (.bas .cls .frm .ctl .pag) are rewritten "
                   "themselves, and folders give the source files below them")
        ->option_text("PROJECT|FILE|FOLDER...");
    app.add_flag("--dry-run", options.DryRun,
                 "Print the report of a run, but write, create, rename or remove no file");
    app.add_flag("--check", options.Check,
                 "Touch no file; print each file a run would rewrite; exit 1 if there is one");
    app.add_flag("--diff", options.Diff,
                 "Touch no file; print a unified diff of what a run would change; exit 1 if "
                 "it would change anything");
    app.add_flag("--update", options.Update,
                 "Tidy again a file that carries the marker line, rebuilding the comment "
                 "headers this program wrote; a file that would not change is left alone");
    app.add_flag("--no-headers", options.NoHeaders,
                 "Write no comment headers; leave those in the files as they are");
    app.add_flag("--no-marker", options.NoMarker, "Write no marker line");
    app.add_option("--color", options.Color, "Colour the diff: auto (on a terminal), always, never")
        ->transform(OneOf(kColorChoices, "auto, always, never"))
        ->option_text("WHEN");
    app.add_flag("--keep-going", options.KeepGoing,
                 "After a project stops on a failure, go on with the next project");
    app.add_option("--labels", options.Labels,
                   "Language of the comment headers' labels: zh-CN, zh-TW, ja, en, or auto "
                   "(by each project's code page); default zh-CN")
        ->transform(OneOf(kLabelChoices, "zh-CN, zh-TW, ja, en, auto"))
        ->option_text("LANG");
    app.add_option("--report", options.Report, "The report as text (default) or json")
        ->transform(OneOf(kReportFormats, "text, json"))
        ->option_text("FORMAT");
    app.add_option("--print", options.PrintFile,
                   "Print FILE as the rewrite writes it, touching no file ('-': standard input)")
        ->option_text("FILE");
    app.add_option("--indent", options.Indent, "Spaces per nesting level of code (default 4)")
        ->transform(DecimalDigits())
        ->check(CLI::Range(0, kMaxIndent))
        ->option_text("N");
    app.add_option("--separator", options.Separator,
                   "Separator text of the comment headers, at most 8 characters")
        ->option_text("TEXT");
    app.add_option("--encoding", options.Encoding,
                   "Code page of the files, an ICU name (default CP936, i.e. GBK), or auto: "
                   "each project's own, detected from its files")
        ->option_text("NAME");
    app.footer(kFooter);
  }
};

/// The combinations that make no sense.
void Validate(CliOptions& options) {
  if (!options.PrintFile.empty()) {
    if (!options.Projects.empty())
      throw UsageError("give either PROJECT.vbp or --print FILE, not both");
    for (const auto& [given, name] :
         {std::pair{options.DryRun, "--dry-run"}, std::pair{options.Check, "--check"},
          std::pair{options.Diff, "--diff"}, std::pair{options.KeepGoing, "--keep-going"},
          std::pair{options.Report == ReportFormat::Json, "--report=json"}})
      if (given)
        throw UsageError(std::string(name) + " cannot be used with --print");
    if (DetectsEncoding(options) && options.PrintFile == "-")
      throw UsageError("--encoding auto reads the file twice: give a file, not standard input");
    return;
  }
  if (options.Projects.empty())
    throw UsageError("nothing to do: give PROJECT.vbp or --print FILE");
  if (options.Diff && options.Report == ReportFormat::Json)
    throw UsageError("--diff and --report=json both write standard output: choose one");
}

} // namespace

RunMode ModeOf(const CliOptions& options) {
  if (options.Diff)
    return RunMode::Diff;
  return options.DryRun || options.Check ? RunMode::DryRun : RunMode::Write;
}

bool DetectsEncoding(const CliOptions& options) {
  return options.Encoding == "auto";
}

CliOptions ParseOptions(const std::vector<std::string>& args) {
  Parser parser;
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    parser.app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    throw UsageError(error.what());
  }
  CliOptions& options = parser.options;
  if (!options.ShowHelp && !options.ShowVersion)
    Validate(options);
  return options;
}

std::string UsageText() {
  return Parser().app.help();
}

ProcessingSettings SettingsFromOptions(const CliOptions& options) {
  ProcessingSettings settings = ProcessingSettings::StartUp();
  settings.Update = options.Update;
  settings.WriteBlocks = !options.NoHeaders;
  settings.WriteMarker = !options.NoMarker;
  if (options.Indent)
    settings.IndentWidth = static_cast<std::int16_t>(*options.Indent);
  if (options.Separator) {
    std::u16string text;
    try {
      text = Utf8ToUtf16(*options.Separator);
    } catch (const std::invalid_argument&) {
      throw UsageError("--separator: the text is not valid UTF-8");
    }
    RefuseUnwritable(text);
    Separators separators = DeriveSeparators(text);
    settings.SeparatorUnit = std::move(separators.Unit);
    settings.SeparatorLine = std::move(separators.Line);
  }
  return settings;
}

std::optional<LabelLanguage> LabelsFromOptions(const CliOptions& options) {
  switch (options.Labels) {
  case LabelChoice::TraditionalChinese:
    return LabelLanguage::TraditionalChinese;
  case LabelChoice::Japanese:
    return LabelLanguage::Japanese;
  case LabelChoice::English:
    return LabelLanguage::English;
  case LabelChoice::Auto:
    return std::nullopt;
  case LabelChoice::SimplifiedChinese:
    break;
  }
  return LabelLanguage::SimplifiedChinese;
}

} // namespace qf::cli
