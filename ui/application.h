#pragma once

class QApplication;
class QTranslator;
class QWidget;

namespace qf::ui {

/// Readies the application for the window, as the program quillformer
/// starts it: its name, the window's font for the dialogs too (Open,
/// messages), and Qt's own Chinese texts (dialog buttons) where they are
/// installed, through `translator`, which must outlive the application.
void PrepareApplication(QApplication& app, QTranslator& translator);

/// Puts `window` in the middle of the primary screen's free area, where
/// there is a screen.
void CentreOnScreen(QWidget& window);

} // namespace qf::ui
