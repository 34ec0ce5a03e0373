// A window with a Chinese label, as the product's window has. Checks that
// the label is drawn with real CJK glyphs: its picture must differ from the
// same label showing characters that no font has (empty boxes).
//
//   qt_smoke [--expect-platform NAME] [--save FILE.png] [--hold MILLISECONDS]
//
// --expect-platform fails the run unless Qt runs on that platform plugin (an
// environment variable that did not reach the program shows up here);
// --save writes the grabbed window; --hold keeps it on screen (for a
// screenshot) before quitting. Exit status 0 when the text is drawn.
#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

// Pixels that differ from the top-left (background) pixel.
int ink(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != background;
  return count;
}

QImage draw(QLabel& label, const QString& text) {
  label.setText(text);
  QApplication::processEvents();
  return label.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString save;
  QString platform;
  int hold = 0;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == u"--expect-platform") platform = args[i + 1];
    if (args[i] == u"--save") save = args[i + 1];
    if (args[i] == u"--hold") hold = args[i + 1].toInt();
  }

  const QString chinese = QStringLiteral("中文测试");
  QWidget window;
  window.setWindowTitle(QStringLiteral("Quillformer 窗口"));
  auto* layout = new QVBoxLayout(&window);
  auto* label = new QLabel(chinese, &window);
  QFont font = label->font();
  font.setPointSize(28);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  layout->addWidget(label);
  layout->addWidget(new QLabel(QStringLiteral("简体：处理完成　繁體：處理完成"), &window));
  window.resize(420, 180);
  window.move(40, 40);  // whole on a small virtual screen
  window.show();
  for (int i = 0; i < 20; ++i) QApplication::processEvents();

  // Unassigned code points: drawn as the missing-glyph box by any font.
  const QString boxes(4, QChar(0x0378));
  const QImage missing = draw(*label, boxes);
  const QImage drawn = draw(*label, chinese);

  const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
  std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
  std::printf("label: %s\n", label->text().toUtf8().constData());
  std::printf("font: %s; Simplified Chinese fonts: %s\n", qPrintable(label->font().family()),
              families.join(u", ").toUtf8().constData());
  const int inked = ink(drawn);
  const bool glyphs = inked > 0 && drawn != missing;
  std::printf("label picture: %dx%d, %d inked pixels, %s\n", drawn.width(), drawn.height(), inked,
              glyphs ? "differs from missing-glyph boxes" : "same as missing-glyph boxes");

  if (!save.isEmpty()) {
    const bool saved = window.grab().save(save);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(save));
  }
  if (hold > 0) {
    QTimer::singleShot(hold, &app, &QApplication::quit);
    app.exec();
  }
  const bool right_platform = platform.isEmpty() || QGuiApplication::platformName() == platform;
  if (!right_platform) std::printf("FAIL: platform is not %s\n", qPrintable(platform));
  std::printf("%s\n", glyphs ? "ok: Chinese text drawn" : "FAIL: no Chinese glyphs");
  return glyphs && right_platform ? 0 : 1;
}
