#include "ui/command_line.h"

#include "ui/main_window.h"

#include <string_view>

namespace qf::ui {
namespace {

constexpr std::string_view kUsage = R"(Usage: quillformer [PROJECT.vbp]
Opens the Quillformer window. A project file given is chosen as the project,
as 打开工程 (open project) would choose it; anything else is ignored.

  -h, --help  show this help and exit
  --version   show the version and exit

Qt's own options (-platform, -style, ...) are taken too. The command line
is quillformer-cli.
)";

void Ignored(std::ostream& err, const QString& argument, std::string_view why) {
  err << "quillformer: ignored \"" << argument.toLocal8Bit().toStdString() << "\": " << why << '\n';
}

} // namespace

std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--")
      break;
    if (argument == "--version") {
      out << "quillformer " << QF_VERSION << '\n';
      return 0;
    }
    if (argument == "--help" || argument == "-h") {
      out << kUsage;
      return 0;
    }
  }
  return std::nullopt;
}

void ChooseProjectFromArguments(MainWindow& window, const QStringList& arguments,
                                std::ostream& err) {
  bool chosen = false;
  bool optionsEnd = false;
  for (const QString& argument : arguments) {
    if (!optionsEnd && argument == QStringLiteral("--")) {
      optionsEnd = true;
    } else if (chosen) {
      Ignored(err, argument, "only one project is opened");
    } else if (!optionsEnd && argument.startsWith(QLatin1Char('-'))) {
      Ignored(err, argument, "not an option of the window (see --help)");
    } else if (window.ChooseProjectFile(argument)) {
      chosen = true;
    } else {
      Ignored(err, argument, "not a project file (an existing .vbp file)");
    }
  }
}

} // namespace qf::ui
