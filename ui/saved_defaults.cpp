#include "ui/saved_defaults.h"

#include "ui/qt_text.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qf::ui::saved_defaults {
namespace {

const QString kIndentKey = QStringLiteral("Panel/IndentWidth");
const QString kSeparatorKey = QStringLiteral("Panel/SeparatorText");

/// The two values as a file holds them, each missing where the file has
/// none of the right kind. Both are written as texts; a hand-edited file
/// may hold anything, and a value of another kind (a list, for a text with
/// a comma) counts as missing.
struct Stored {
  std::optional<long long> IndentWidth;
  std::optional<std::u16string> SeparatorText;
};

Stored Read(const QString& path) {
  Stored stored;
  const QSettings file(path, QSettings::IniFormat);
  const QVariant indent = file.value(kIndentKey);
  if (indent.typeId() == QMetaType::QString) {
    bool number = false;
    const long long width = indent.toString().trimmed().toLongLong(&number);
    if (number)
      stored.IndentWidth = width;
  }
  const QVariant separator = file.value(kSeparatorKey);
  if (separator.typeId() == QMetaType::QString)
    stored.SeparatorText = ToU16(separator.toString());
  if (file.status() != QSettings::NoError)
    return {};
  return stored;
}

} // namespace

QString File() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/Quillformer/quillformer.ini");
}

std::optional<PanelValues> Load() {
  const QString path = File();
  const QFileInfo info(path);
  if (!info.isFile() || !info.isReadable())
    return std::nullopt;
  const Stored stored = Read(path);
  return StartValuesFrom(stored.IndentWidth, stored.SeparatorText);
}

bool Save(const PanelValues& values) {
  const QString path = File();
  if (!QDir().mkpath(QFileInfo(path).absolutePath()))
    return false;
  {
    QSettings file(path, QSettings::IniFormat);
    file.setValue(kIndentKey, QString::number(values.IndentWidth));
    file.setValue(kSeparatorKey, ToQString(values.SeparatorText));
    file.sync();
  }
  // QSettings keeps reporting a format error it met reading an old,
  // damaged file even when the new values were written: the file is read
  // back instead.
  const Stored stored = Read(path);
  return stored.IndentWidth == values.IndentWidth && stored.SeparatorText == values.SeparatorText;
}

} // namespace qf::ui::saved_defaults
