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
  const QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError)
    return std::nullopt;
  // Both values are written as texts; a hand-edited file may hold anything,
  // and a value of another kind (a list, for a text with a comma) counts
  // as missing.
  std::optional<long long> indent;
  const QVariant indentValue = file.value(kIndentKey);
  if (indentValue.typeId() == QMetaType::QString) {
    bool number = false;
    const long long width = indentValue.toString().trimmed().toLongLong(&number);
    if (number)
      indent = width;
  }
  std::optional<std::u16string> separator;
  const QVariant separatorValue = file.value(kSeparatorKey);
  if (separatorValue.typeId() == QMetaType::QString)
    separator = ToU16(separatorValue.toString());
  return StartValuesFrom(indent, separator);
}

bool Save(const PanelValues& values) {
  const QString path = File();
  if (!QDir().mkpath(QFileInfo(path).absolutePath()))
    return false;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(kIndentKey, QString::number(values.IndentWidth));
  file.setValue(kSeparatorKey, ToQString(values.SeparatorText));
  file.sync();
  return file.status() == QSettings::NoError;
}

} // namespace qf::ui::saved_defaults
