#pragma once

#include <QStringList>
#include <optional>
#include <ostream>

namespace qf::ui {

class MainWindow;

/// The window's command line:
///
///     quillformer [PROJECT.vbp]
///     quillformer --help | --version
///
/// A file manager starts the window this way when a project file is opened
/// with it (the desktop entry's "quillformer %f").

/// Answers --help and --version (anywhere before "--") on `out` and returns
/// the exit status; nullopt when neither was given. It reads argv before
/// QApplication does, so that both work without a display.
std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, std::ostream& out);

/// Chooses the first argument that names a project file as the project, as
/// a dropped one is chosen (MainWindow::ChooseProjectFile). Every other
/// argument is ignored and said so on `err`: the window starts all the same,
/// as it would from a menu. `arguments` are those QApplication left, the
/// program's name removed.
void ChooseProjectFromArguments(MainWindow& window, const QStringList& arguments,
                                std::ostream& err);

} // namespace qf::ui
